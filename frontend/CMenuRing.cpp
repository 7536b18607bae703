#include "CMenuRing.h"

#include "CZarulApplication.h"
#include "CMenuItemCub.h"
#include "CSubMenuStart.h"
#include "CSubMenuClose.h"
#include "CSubMenuOptions.h"
#include "CSubMenuHighScore.h"
#include "CSubMenuHelp.h"
#include "CCreditWnd.h"
#include "CInputManager.h"
#include "CMouse.h"
#include "CObjQueue.h"
#include "CResourceManager.h"

const float CMenuRing::STEP_ANGLE = 1.2566371f;

static const char* const ITEM_TEXTURES[CMenuRing::ITEM_COUNT] = {
    ".//media//start.jpg", ".//media//options.jpg", ".//media//score.jpg", ".//media//credits.jpg",
    ".//media//help.jpg",
};

CMenuRing::CMenuRing(IDirect3DDevice8* device, D3DXVECTOR3 centre, float radius, D3DXVECTOR3 axis)
    : C3DRenderObject(device, centre, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0)), active(0), axis(axis),
      frontPoint(centre), offset(0, 0, 0), selected(0), currentAngle(0.0f), targetAngle(0.0f),
      startListener(this), optionsListener(this), highScoreListener(this), creditsListener(this), helpListener(this)
{
    // The front point lies on the ring, on the side facing the camera.
    D3DXVECTOR3 side(1.0f, 0.0f, 0.0f), n;
    D3DXVec3Cross(&n, &side, &axis);
    D3DXVec3Normalize(&n, &n);
    offset = n * radius;
    frontPoint = centre - offset;
    active = 1;

    IActionListener* listeners[ITEM_COUNT] = { &startListener, &optionsListener, &highScoreListener,
                                               &creditsListener, &helpListener };
    for (int i = 0; i < ITEM_COUNT; i++) {
        items[i] = new CMenuItemCub(device, frontPoint, ITEM_TEXTURES[i]);
        items[i]->AddActionListener(listeners[i]);
    }
    items[0]->SetSelected(1);
    if (CMouse* mouse = CD3DApplication::LiveMouse()) {
        for (int i = 0; i < ITEM_COUNT; i++) {
            mouse->AddMouseMotionEventListener(items[i]);
            mouse->AddMouseEventListener(items[i]);
        }
    }
    CResourceManager::GetInputManager()->AddKeyListener(this);
}

CMenuRing::~CMenuRing()
{
    CResourceManager::GetInputManager()->RemoveKeyListener(this);
    for (int i = 0; i < ITEM_COUNT; i++) {
        // Every mouse, not only the application's: the frame may have dropped
        // its pointer already when the menu goes with the device.
        CMouse::RemoveListenerEverywhere(static_cast<IMouseMotionListener*>(items[i]));
        CMouse::RemoveListenerEverywhere(static_cast<IMouseListener*>(items[i]));
        delete items[i];
        items[i] = nullptr;
    }
}

void CMenuRing::Render()
{
    C3DRenderObject::Render();
    for (int i = 0; i < ITEM_COUNT; i++)
        items[i]->Render();
}

void CMenuRing::Move(float seconds)
{
    currentAngle += (targetAngle - currentAngle) * 5.0f * seconds;
    C3DRenderObject::Move(seconds);
    for (int i = 0; i < ITEM_COUNT; i++) {
        D3DXMATRIX turn;
        D3DXMatrixRotationAxis(&turn, &axis, (float)i * STEP_ANGLE + currentAngle);
        D3DXVec3TransformCoord(&items[i]->position, &frontPoint, &turn);
        items[i]->Move(seconds);
    }
}

void CMenuRing::Restore()
{
    C3DRenderObject::Restore();
    for (int i = 0; i < ITEM_COUNT; i++)
        items[i]->Restore();
}

void CMenuRing::keyPressed(CKeyEvent event)
{
    if (active != 1)
        return;
    switch (event.GetKeyCode()) {
    case DIK_LEFT:
        RotateLeft();
        break;
    case DIK_RIGHT:
        RotateRight();
        break;
    case DIK_ESCAPE:
        ShowSubMenu(new CSubMenuClose(device, this));
        break;
    default:
        break;
    }
}

void CMenuRing::keyReleased(CKeyEvent event)
{
    (void)event;
}

// One step of the ring: the selection moves by step (mod 5) and the ring turns
// the other way by a fifth, so the new selection comes to the front.
void CMenuRing::Turn(int step)
{
    if (active != 1)
        return;
    items[selected]->SetSelected(0);
    selected = (selected + step + ITEM_COUNT) % ITEM_COUNT;
    targetAngle -= (float)step * STEP_ANGLE;
    items[selected]->SetSelected(1);
    CZarulApplication::PlayMenuSound("MENU_ROTATE");
}

void CMenuRing::RotateLeft()
{
    Turn(-1);
}

void CMenuRing::RotateRight()
{
    Turn(1);
}

void CMenuRing::SetActive(int on)
{
    active = on;
    items[selected]->SetSelected(on);
}

// The application hears the submenu's actions (the start submenu's 10001).
static void ListenWithApplication(CSubMenu* subMenu)
{
    CZarulApplication* app = dynamic_cast<CZarulApplication*>(g_pD3DApp);
    if (app)
        subMenu->AddActionListener(app);
}

void CMenuRing::ShowSubMenu(CSubMenu* subMenu)
{
    ListenWithApplication(subMenu);
    CResourceManager::GetObjectQueue()->AddObject(subMenu, 2, 0);
}

void CMenuRing::subMenuStart_ActionPerformed(CActionEvent event)
{
    (void)event;
    if (active != 1)
        return;
    ShowSubMenu(new CSubMenuStart(device, this));
}

void CMenuRing::subMenuOptions_ActionPerformed(CActionEvent event)
{
    (void)event;
    if (active != 1)
        return;
    ShowSubMenu(new CSubMenuOptions(device, this, 1));
}

void CMenuRing::SubMenuHighScore_ActionPerformed(CActionEvent event)
{
    (void)event;
    if (active != 1)
        return;
    ShowSubMenu(new CSubMenuHighScore(device, this));
}

void CMenuRing::subMenuCredits_ActionPerformed(CActionEvent event)
{
    (void)event;
    // The credits window takes no ring: the ring stays active.
    CResourceManager::GetObjectQueue()->AddObject(new CCreditWnd(device), 4, 0);
}

void CMenuRing::SubMenuHelp_ActionPerformed(CActionEvent event)
{
    (void)event;
    if (active != 1)
        return;
    ShowSubMenu(new CSubMenuHelp(device, this));
}
