// CSubMenuClose: the question "Wollen Sie Zarul beenden ?". "OK" and Return
// end the program; Escape and "zurück" close the question at once.
#ifndef CSUBMENUCLOSE_H
#define CSUBMENUCLOSE_H

#include "CSubMenu.h"

class CSubMenuClose : public CSubMenu {
public:
    class CSubMenuClose_exit_IActionListener : public IActionListener {
    public:
        explicit CSubMenuClose_exit_IActionListener(CSubMenuClose* owner) : owner(owner) {}
        virtual void actionPerformed(CActionEvent event);
    private:
        CSubMenuClose* owner;
    };

    CSubMenuClose(IDirect3DDevice8* device, CMenuRing* ring);
    virtual ~CSubMenuClose();

    void exit_ActionPerformed(CActionEvent event);
    virtual void Close();
    virtual void Confirm();

private:
    CSubMenuClose_exit_IActionListener exitListener;
};

#endif
