// CGridView: the 3D view of the board. Only the part the board model calls is
// here: making a stone's 3D object and the scene's turn about the vertical axis.
#ifndef CGRIDVIEW_H
#define CGRIDVIEW_H

class CStoneInfo;

class CGridView
{
public:
    CGridView();
    virtual ~CGridView();

    // Makes the 3D object of a placed stone and stores it in the record;
    // the object shows after delay seconds.
    void AddStone(CStoneInfo* info, float delay);

    float yaw;      // turn of the board scene in radians, 0 to 2 pi
};

#endif
