// CSubMenuStart: the submenu behind the start cube, one big button "Start".
// The button (or Return) fades the screen to black and then reports action
// 10001 to the listeners, which start the game.
#ifndef CSUBMENUSTART_H
#define CSUBMENUSTART_H

#include "CSubMenu.h"

class CFadeEffect;

class CSubMenuStart : public CSubMenu {
public:
    enum { ACTION_START_GAME = 10001 };

    class CSubMenuStart_StartButton_IActionListener : public IActionListener {
    public:
        explicit CSubMenuStart_StartButton_IActionListener(CSubMenuStart* owner) : owner(owner) {}
        virtual void actionPerformed(CActionEvent event);
    private:
        CSubMenuStart* owner;
    };

    class CSubMenuStart_Fade_IChangeListener : public IChangeListener {
    public:
        explicit CSubMenuStart_Fade_IChangeListener(CSubMenuStart* owner) : owner(owner) {}
        virtual void stateChanged(CChangeEvent event);
    private:
        CSubMenuStart* owner;
    };

    CSubMenuStart(IDirect3DDevice8* device, CMenuRing* ring);
    virtual ~CSubMenuStart();

    void StartButton_ActionPerformed(CActionEvent event);
    void Fade_StateChanged(CChangeEvent event);
    virtual void Confirm();
    // Once the start is under way the submenu stays until the game takes over.
    virtual void Close();

private:
    CSubMenuStart_StartButton_IActionListener startListener;
    CSubMenuStart_Fade_IChangeListener fadeListener;
    CFadeEffect* startFade;   // the fade to black before the game; owned
    int starting;             // 1 from the first press on: later presses do nothing
    int started;              // 1 once action 10001 has been sent
};

#endif
