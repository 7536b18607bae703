#include "CNextStoneViewEditor.h"

#include "CStone.h"

CNextStoneViewEditor::CNextStoneViewEditor(CGameController* owner, IDirect3DDevice8* device)
    : CNextStoneView(owner, device)
{
}

CNextStoneViewEditor::~CNextStoneViewEditor() {}
int CNextStoneViewEditor::PopNextType() { return -1; }
void CNextStoneViewEditor::Refill() {}
void CNextStoneViewEditor::SetStoneType(int) {}
