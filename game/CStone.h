// CStone: the 3D body of one stone. Only the part the board model calls is
// here: bursting, switching gravity and destruction.
#ifndef CSTONE_H
#define CSTONE_H

class CStone
{
public:
    CStone();
    virtual ~CStone();

    void Explode();
    void SetGravity(int on);

    int gravity;    // the last value given to SetGravity
};

#endif
