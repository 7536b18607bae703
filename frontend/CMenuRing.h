// CMenuRing: the main menu's ring of five menu cubes turning about a nearly
// vertical axis. The cube in front is the selected one; Left and Right turn
// the ring by a fifth, a click on the selected cube opens its screen, Escape
// asks whether to quit. The ring is inactive while a submenu it opened is up.
#ifndef CMENURING_H
#define CMENURING_H

#include "C3DRenderObject.h"
#include "IKeyListener.h"
#include "IActionListener.h"

class CMenuItemCub;
class CSubMenu;

class CMenuRing : public C3DRenderObject, public IKeyListener {
public:
    enum { ITEM_COUNT = 5 };
    // One step of the ring, 2π/5.
    static const float STEP_ANGLE;

#define ZARUL_RING_LISTENER(NAME, TARGET)                                         \
    class NAME : public IActionListener {                                         \
    public:                                                                       \
        explicit NAME(CMenuRing* owner) : owner(owner) {}                         \
        virtual void actionPerformed(CActionEvent event) { owner->TARGET(event); } \
    private:                                                                      \
        CMenuRing* owner;                                                         \
    }
    ZARUL_RING_LISTENER(CMenuRing_subMenuStart_IActionListener, subMenuStart_ActionPerformed);
    ZARUL_RING_LISTENER(CMenuRing_subMenuOptions_IActionListener, subMenuOptions_ActionPerformed);
    ZARUL_RING_LISTENER(CMenuRing_SubMenuHighScore_IActionListener, SubMenuHighScore_ActionPerformed);
    ZARUL_RING_LISTENER(CMenuRing_subMenuCredits_IActionListener, subMenuCredits_ActionPerformed);
    ZARUL_RING_LISTENER(CMenuRing_SubMenuHelp_IActionListener, SubMenuHelp_ActionPerformed);
#undef ZARUL_RING_LISTENER

    CMenuRing(IDirect3DDevice8* device, D3DXVECTOR3 centre, float radius, D3DXVECTOR3 axis);
    virtual ~CMenuRing();

    virtual void Render();
    virtual void Move(float seconds);
    virtual void Restore();

    virtual void keyPressed(CKeyEvent event);
    virtual void keyReleased(CKeyEvent event);

    void RotateLeft();
    void RotateRight();
    void SetActive(int on);
    // Gives the submenu the application as action listener and queues it at 2.
    void ShowSubMenu(CSubMenu* subMenu);

    void subMenuStart_ActionPerformed(CActionEvent event);
    void subMenuOptions_ActionPerformed(CActionEvent event);
    void SubMenuHighScore_ActionPerformed(CActionEvent event);
    void subMenuCredits_ActionPerformed(CActionEvent event);
    void SubMenuHelp_ActionPerformed(CActionEvent event);

    int IsActive() const { return active; }
    int GetSelected() const { return selected; }
    float GetTargetAngle() const { return targetAngle; }
    D3DXVECTOR3 GetFrontPoint() const { return frontPoint; }
    CMenuItemCub* GetItem(int index) const { return items[index]; }

private:
    void Turn(int step);

    int active;
    D3DXVECTOR3 axis;
    D3DXVECTOR3 frontPoint;
    D3DXVECTOR3 offset;
    int selected;
    float currentAngle;
    float targetAngle;
    CMenuItemCub* items[ITEM_COUNT];

    CMenuRing_subMenuStart_IActionListener startListener;
    CMenuRing_subMenuOptions_IActionListener optionsListener;
    CMenuRing_SubMenuHighScore_IActionListener highScoreListener;
    CMenuRing_subMenuCredits_IActionListener creditsListener;
    CMenuRing_SubMenuHelp_IActionListener helpListener;
};

#endif
