#include "CNextStoneViewEditor.h"

#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CStone.h"

CNextStoneViewEditor::CNextStoneViewEditor(CGameController* owner, IDirect3DDevice8* device)
    : CNextStoneView(owner, device)
{
    // Until the editor chooses a type the view offers a colour of the board;
    // a board without colours offers nothing (a place click then does nothing).
    if (!owner || !owner->gameData || owner->gameData->board->GetRandomType() < 0) {
        delete stone;
        stone = nullptr;
    }
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
