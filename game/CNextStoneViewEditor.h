// CNextStoneViewEditor: the level editor's next stone: the type chosen in the
// editor dialog, handed out again and again.
#ifndef CNEXTSTONEVIEWEDITOR_H
#define CNEXTSTONEVIEWEDITOR_H

#include "CNextStoneView.h"

class CNextStoneViewEditor : public CNextStoneView
{
public:
    CNextStoneViewEditor(CGameController* owner, IDirect3DDevice8* device);
    virtual ~CNextStoneViewEditor();

    virtual int PopNextType();
    virtual void Refill();

    void SetStoneType(int type);
};

#endif
