// CSubMenuQuestion: what the quit question and the end-game question share. A
// question with "OK" under it; "OK" and Return both answer yes through the
// class's exit_ActionPerformed, Escape and "zurück" through its Close.
#ifndef CSUBMENUQUESTION_H
#define CSUBMENUQUESTION_H

#include "CSubMenu.h"

class CSubMenuQuestion : public CSubMenu {
public:
    // The listener of the "OK" button; the end-game question inherits this name.
    class CSubMenuClose_exit_IActionListener : public IActionListener {
    public:
        explicit CSubMenuClose_exit_IActionListener(CSubMenuQuestion* owner) : owner(owner) {}
        virtual void actionPerformed(CActionEvent event);
    private:
        CSubMenuQuestion* owner;
    };

    CSubMenuQuestion(IDirect3DDevice8* device, CMenuRing* ring, const char* question);
    virtual ~CSubMenuQuestion();

    // The yes answer.
    virtual void exit_ActionPerformed(CActionEvent event) = 0;
    virtual void Confirm();

private:
    CSubMenuClose_exit_IActionListener exitListener;
};

#endif
