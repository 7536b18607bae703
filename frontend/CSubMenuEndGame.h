// CSubMenuEndGame: the question "Zurück zum Hauptmenü ?" in a game. "OK" and
// Return save both files and go back to the main menu; Escape and "zurück"
// let the game go on.
#ifndef CSUBMENUENDGAME_H
#define CSUBMENUENDGAME_H

#include "CSubMenu.h"

class CSubMenuEndGame : public CSubMenu {
public:
    // The listener of the "OK" button (its name is the quit question's).
    class CSubMenuClose_exit_IActionListener : public IActionListener {
    public:
        explicit CSubMenuClose_exit_IActionListener(CSubMenuEndGame* owner) : owner(owner) {}
        virtual void actionPerformed(CActionEvent event);
    private:
        CSubMenuEndGame* owner;
    };

    CSubMenuEndGame(IDirect3DDevice8* device, CMenuRing* ring);
    virtual ~CSubMenuEndGame();

    void exit_ActionPerformed(CActionEvent event);
    virtual void Close();
    virtual void Confirm();

private:
    CSubMenuClose_exit_IActionListener exitListener;
};

#endif
