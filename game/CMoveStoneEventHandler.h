// CMoveStoneEventHandler: the slide tool. Over a stone it shows a cross (the
// stone cannot slide) or an arrow that bobs towards the free side nearest the
// pointer; a click slides the stone that way as far as it can go.
#ifndef CMOVESTONEEVENTHANDLER_H
#define CMOVESTONEEVENTHANDLER_H

#include <d3dx8.h>

#include "AbstractEventHandler.h"
#include "CStoneInfo.h"

class C3DXObject;

class CMoveStoneEventHandler : public AbstractEventHandler
{
public:
    // Slide directions: 0 row + 1, 1 column - 1, 2 row - 1, 3 column + 1.
    enum { MARKER_CROSS = 0, MARKER_ARROW = 1 };

    explicit CMoveStoneEventHandler(CGameController* owner);
    virtual ~CMoveStoneEventHandler();

    virtual void Render();
    virtual void Move(float seconds);
    virtual void MouseMoved(CMouseEvent event);
    virtual void MouseClicked(CMouseEvent event);

    int CanMove(int direction);
    int CanMoveAny();
    int ChooseDirection(float u, float v);
    int SlideStone(int direction, CStoneInfo stone);
    // Hides the marker until the pointer moves again: the board under it has
    // changed (a slide, a new level) and the stone it stood over may be gone.
    void HideMarker();

    C3DXObject* markers[2];     // owned: the cross and the arrow
    int markerIndex;            // the marker shown
    float time;                 // drives the bobbing
    int hover;                  // 1 while the pointer is over a stone
    CStoneInfo hovered;         // the stone under the pointer at the last move
    int direction;              // the slide direction last chosen
    D3DXVECTOR3 markerBase;     // where the marker was last placed

private:
    // Cells per board side.
    int BoardSize();
};

#endif
