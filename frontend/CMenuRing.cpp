#include "CMenuRing.h"

#include "CMenuItemCub.h"
#include "CSubMenu.h"

const float CMenuRing::STEP_ANGLE = 1.2566371f;

CMenuRing::CMenuRing(IDirect3DDevice8* device, D3DXVECTOR3 centre, float radius, D3DXVECTOR3 axis)
    : C3DRenderObject(device, centre, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0)), active(1), axis(axis),
      frontPoint(centre), offset(0, 0, 0), selected(0), currentAngle(0.0f), targetAngle(0.0f),
      startListener(this), optionsListener(this), highScoreListener(this), creditsListener(this), helpListener(this)
{
    (void)radius;
    for (int i = 0; i < ITEM_COUNT; i++)
        items[i] = 0;
}

CMenuRing::~CMenuRing() {}
void CMenuRing::Render() {}
void CMenuRing::Move(float seconds) { (void)seconds; }
void CMenuRing::Restore() {}
void CMenuRing::keyPressed(CKeyEvent event) { (void)event; }
void CMenuRing::keyReleased(CKeyEvent event) { (void)event; }
void CMenuRing::RotateLeft() {}
void CMenuRing::RotateRight() {}
void CMenuRing::SetActive(int on) { active = on; }
void CMenuRing::ShowSubMenu(CSubMenu* subMenu) { (void)subMenu; }
void CMenuRing::subMenuStart_ActionPerformed(CActionEvent event) { (void)event; }
void CMenuRing::subMenuOptions_ActionPerformed(CActionEvent event) { (void)event; }
void CMenuRing::SubMenuHighScore_ActionPerformed(CActionEvent event) { (void)event; }
void CMenuRing::subMenuCredits_ActionPerformed(CActionEvent event) { (void)event; }
void CMenuRing::SubMenuHelp_ActionPerformed(CActionEvent event) { (void)event; }
void CMenuRing::Turn(int step) { (void)step; }
