// CSubMenuResetLevel: the question "Level zurücksetzen ?" in a game. "OK" and
// Return have the controller restart the level (action 1001); Escape and
// "zurück" close the question.
#ifndef CSUBMENURESETLEVEL_H
#define CSUBMENURESETLEVEL_H

#include "CSubMenu.h"

class CSubMenuResetLevel : public CSubMenu {
public:
    enum { ACTION_RESET_LEVEL = 1001 };

    class CSubMenuResetLevel_reset_IActionListener : public IActionListener {
    public:
        explicit CSubMenuResetLevel_reset_IActionListener(CSubMenuResetLevel* owner) : owner(owner) {}
        virtual void actionPerformed(CActionEvent event);
    private:
        CSubMenuResetLevel* owner;
    };

    CSubMenuResetLevel(IDirect3DDevice8* device, CMenuRing* ring);
    virtual ~CSubMenuResetLevel();

    void reset_ActionPerformed(CActionEvent event);
    virtual void Close();
    virtual void Confirm();

private:
    CSubMenuResetLevel_reset_IActionListener resetListener;
};

#endif
