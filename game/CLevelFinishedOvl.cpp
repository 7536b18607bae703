#include "CLevelFinishedOvl.h"

CLevelFinishedOvl::CLevelFinishedOvl(IDirect3DDevice8* device, CGameController* controller, int best)
    : C3DObject(device, D3DXVECTOR3(0, 0, 0)), icon(nullptr), controller(controller), best(best), textBox(nullptr),
      modifier(nullptr)
{
}

CLevelFinishedOvl::~CLevelFinishedOvl() {}
void CLevelFinishedOvl::stateChanged(CChangeEvent) {}
void CLevelFinishedOvl::OnInputChanged(CChangeEvent) {}
void CLevelFinishedOvl::CLevelFinishedOvl_input_IChangeListener::stateChanged(CChangeEvent) {}
