#include "CNextStoneViewEditor.h"

#include "CGameController.h"
#include "CStone.h"

CNextStoneViewEditor::CNextStoneViewEditor(CGameController* owner, IDirect3DDevice8* device)
    : CNextStoneView(owner, device)
{
    // Until the editor chooses a type the view holds the random stone the
    // base drew (type -1 on a board without colours: nothing to place).
}

CNextStoneViewEditor::~CNextStoneViewEditor()
{
}

int CNextStoneViewEditor::PopNextType()
{
    // The chosen type is never used up.
    return stone ? stone->type : -1;
}

void CNextStoneViewEditor::Refill()
{
}

void CNextStoneViewEditor::SetStoneType(int type)
{
    delete stone;
    stone = MakeStone(type);
    Move(0.0f);
}
