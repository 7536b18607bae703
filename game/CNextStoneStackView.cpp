#include "CNextStoneStackView.h"

#include "CStone.h"
#include "CStoneTypes.h"

static const int SHOWN_STONES = 5;
static const float STONE_SPACING = 0.28333333f;

CNextStoneStackView::CNextStoneStackView(CGameController* owner, IDirect3DDevice8* device, int count, int* types)
    : CNextStoneView(owner, device), stackOwner(owner), stones(nullptr), stackSpin(0.0f), current(0),
      count(count > 0 && types ? count : 0)
{
    if (this->count > 0) {
        stones = new CStone*[this->count];
        for (int i = 0; i < this->count; i++)
            stones[i] = MakeStone(types[i]);
    }
}

CNextStoneStackView::~CNextStoneStackView()
{
    for (int i = 0; i < count; i++)
        delete stones[i];
    delete[] stones;
    stones = nullptr;
}

int CNextStoneStackView::PeekNextType()
{
    return current < count ? stones[current]->type : -1;
}

int CNextStoneStackView::GetRemaining()
{
    return count - current;
}

int CNextStoneStackView::PopNextType()
{
    if (current >= count)
        return -1;
    return stones[current++]->type;
}

void CNextStoneStackView::Refill()
{
    current++;
    Move(0.0f);
}

void CNextStoneStackView::stateChanged(CChangeEvent)
{
}

void CNextStoneStackView::Move(float seconds)
{
    C3DRenderObject::Move(seconds);
    if (current >= count)
        return;
    D3DXVECTOR3 point(-0.75f, -0.82f, 0.1f);
    float tilt = CameraTilt();
    float scale = stones[current]->scale;
    for (int i = current; i < count && i < current + SHOWN_STONES; i++) {
        D3DXVECTOR3 position = ScreenToWorld(point);
        float angle = 0.0f;
        if (i == current) {
            stackSpin += seconds;
            angle = stackSpin;
        }
        PlaceStone(stones[i], angle, tilt, scale, position);
        point.x += STONE_SPACING;
        point.z = 0.5f;
    }
}

void CNextStoneStackView::Render()
{
    C3DRenderObject::Render();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    for (int i = current; i < count && i < current + SHOWN_STONES; i++) {
        if (!stones[i])
            continue;
        stones[i]->SetVertexFormat();
        CStoneTypes::ApplyTexture(device, stones[i]->type);
        stones[i]->Render();
    }
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
}
