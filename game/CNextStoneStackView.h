// CNextStoneStackView: the finite list of stone types a level prescribes, in
// order; shows up to five of the coming stones in a row, the first spinning.
#ifndef CNEXTSTONESTACKVIEW_H
#define CNEXTSTONESTACKVIEW_H

#include "CNextStoneView.h"

class CNextStoneStackView : public CNextStoneView
{
public:
    CNextStoneStackView(CGameController* owner, IDirect3DDevice8* device, int count, int* types);
    virtual ~CNextStoneStackView();

    virtual void Render();
    virtual void Move(float seconds);

    virtual int PeekNextType();
    virtual int GetRemaining();
    virtual int PopNextType();
    virtual void Refill();

    virtual void stateChanged(CChangeEvent event);

    CGameController* stackOwner;
    CStone** stones;    // owned, count entries
    float stackSpin;
    int current;        // index of the next stone
    int count;
};

#endif
