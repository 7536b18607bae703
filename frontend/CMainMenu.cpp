#include "CMainMenu.h"

#include "CZarulApplication.h"
#include "CMenuBack.h"
#include "CMenuRing.h"
#include "C3DAlphaButton.h"
#include "C3DButton.h"
#include "CCamera.h"
#include "CMouse.h"
#include "CResourceManager.h"

CMainMenu::CMainMenu(IDirect3DDevice8* device)
    : C3DObject(device, D3DXVECTOR3(0, 0, 0)), m_pButtonRight(nullptr), m_pButtonLeft(nullptr), backFirst(nullptr), backSecond(nullptr),
      ring(nullptr), exitButton(nullptr), rightListener(this), leftListener(this), exitListener(this)
{
    backFirst = new CMenuBack(device);
    backSecond = new CMenuBack(device);
    ring = new CMenuRing(device, D3DXVECTOR3(0, 0, 0), 15.0f, D3DXVECTOR3(0.0f, 1.0f, -0.05f));

    if (g_pD3DApp) {
        if (g_pD3DApp->camera) {
            g_pD3DApp->camera->SetPosition(D3DXVECTOR3(0.0f, 0.0f, -33.0f));
            g_pD3DApp->camera->target = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
        }
        g_pD3DApp->clearColor = D3DXCOLOR(0.0f, 0.0f, 0.2f, 1.0f);
    }

    m_pButtonRight = new C3DAlphaButton(device, CRECTVirtual(0.6f, 0.75f, 0.09f, 0.06f), ".//media//right.dds", 1);
    m_pButtonRight->AddActionListener(&rightListener);
    CZarulApplication::ListenToMouse(m_pButtonRight);

    m_pButtonLeft = new C3DAlphaButton(device, CRECTVirtual(0.3f, 0.75f, 0.09f, 0.06f), ".//media//left.dds", 1);
    m_pButtonLeft->AddActionListener(&leftListener);
    CZarulApplication::ListenToMouse(m_pButtonLeft);

    exitButton = new C3DButton(device, CRECTVirtual(0.03f, 0.9f, 0.04f, 0.04f), ".//media//exit2.dds");
    exitButton->SetQuadratic(1);
    CZarulApplication::ListenToMouse(exitButton);
    exitButton->AddActionListener(&exitListener);
    backSecond->AddWindow(exitButton);
}

CMainMenu::~CMainMenu()
{
    delete backFirst;
    backFirst = nullptr;
    delete backSecond;   // takes the exit button with it
    backSecond = nullptr;
    exitButton = nullptr;
    delete ring;
    ring = nullptr;
    delete m_pButtonRight;
    m_pButtonRight = nullptr;
    delete m_pButtonLeft;
    m_pButtonLeft = nullptr;
}

void CMainMenu::Render()
{
    backFirst->Render();
    backSecond->Render();
    ring->Render();
    m_pButtonRight->Render();
    m_pButtonLeft->Render();
}

void CMainMenu::Move(float seconds)
{
    C3DObject::Move(seconds);
    ring->Move(seconds);
    backFirst->Move(seconds);
    backSecond->Move(seconds);
}

void CMainMenu::Restore()
{
    backFirst->Restore();
    backSecond->Restore();
    ring->Restore();
    m_pButtonRight->Restore();
    m_pButtonLeft->Restore();
}

void CMainMenu::m_pButtonRight_ActionPerformed(CActionEvent event)
{
    (void)event;
    CZarulApplication::PlayMenuSound("MENU_CLICK");
    ring->RotateLeft();
}

void CMainMenu::m_pButtonLeft_ActionPerformed(CActionEvent event)
{
    (void)event;
    CZarulApplication::PlayMenuSound("MENU_CLICK");
    ring->RotateRight();
}

// The exit button asks the ring as if Escape had been pressed.
void CMainMenu::exit_ActionPerformed(CActionEvent event)
{
    (void)event;
    DIDEVICEOBJECTDATA key;
    ZeroMemory(&key, sizeof(key));
    key.dwOfs = DIK_ESCAPE;
    CKeyEvent escape(this, key, 0, 0);
    ring->keyPressed(escape);
}
