// CMainMenu: the main menu screen: two drifting background layers, the ring of
// menu cubes, two arrow buttons that turn the ring and a small exit button.
// One object in the scene queue; it moves, draws and restores its parts itself.
#ifndef CMAINMENU_H
#define CMAINMENU_H

#include "C3DObject.h"
#include "IActionListener.h"

class CMenuBack;
class CMenuRing;
class C3DAlphaButton;
class C3DButton;

class CMainMenu : public C3DObject {
public:
#define ZARUL_MENU_LISTENER(NAME, TARGET)                                         \
    class NAME : public IActionListener {                                         \
    public:                                                                       \
        explicit NAME(CMainMenu* owner) : owner(owner) {}                         \
        virtual void actionPerformed(CActionEvent event) { owner->TARGET(event); } \
    private:                                                                      \
        CMainMenu* owner;                                                         \
    }
    ZARUL_MENU_LISTENER(CMainMenu_m_pButtonRight_IActionListener, m_pButtonRight_ActionPerformed);
    ZARUL_MENU_LISTENER(CMainMenu_m_pButtonLeft_IActionListener, m_pButtonLeft_ActionPerformed);
    ZARUL_MENU_LISTENER(CMainMenu_exit_IActionListener, exit_ActionPerformed);
#undef ZARUL_MENU_LISTENER

    explicit CMainMenu(IDirect3DDevice8* device);
    virtual ~CMainMenu();

    virtual void Render();
    virtual void Move(float seconds);
    virtual void Restore();

    void m_pButtonRight_ActionPerformed(CActionEvent event);
    void m_pButtonLeft_ActionPerformed(CActionEvent event);
    void exit_ActionPerformed(CActionEvent event);

    CMenuRing* GetRing() const { return ring; }

    C3DAlphaButton* m_pButtonRight;
    C3DAlphaButton* m_pButtonLeft;

private:
    CMenuBack* backFirst;
    CMenuBack* backSecond;
    CMenuRing* ring;
    C3DButton* exitButton;   // child of the second layer, which deletes it

    CMainMenu_m_pButtonRight_IActionListener rightListener;
    CMainMenu_m_pButtonLeft_IActionListener leftListener;
    CMainMenu_exit_IActionListener exitListener;
};

#endif
