// IBoardView: what the board asks of the scene that shows it. The stone
// objects are the scene's: it makes them, bursts them, lets them fall and
// destroys them, and the board only tells it when. The game's board view
// implements this and the game controller hands it to the board; a board
// without one (the level checker's, the model's tests) keeps no 3D objects.
#ifndef IBOARDVIEW_H
#define IBOARDVIEW_H

class CStoneInfo;

class IBoardView
{
public:
    virtual ~IBoardView() {}

    // Makes the 3D object of a placed stone and stores it in the record; the
    // object shows after delay seconds (at once when delay <= 0).
    virtual void AddStone(CStoneInfo* record, float delay) = 0;
    // The record's stone leaves the board in a burst: the object bursts and
    // is destroyed; the record's pointer is null afterwards.
    virtual void BurstStone(CStoneInfo* record) = 0;
    // The record's stone dropped a layer: its object falls to the new cell.
    virtual void DropStone(CStoneInfo* record) = 0;
    // Destroys the record's object without a burst (the board is cleared).
    virtual void DestroyStone(CStoneInfo* record) = 0;
    // The scene's turn about the vertical axis, in radians.
    virtual float GetYaw() = 0;
};

#endif
