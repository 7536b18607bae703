// CSubMenuEndGame: the question "Zurück zum Hauptmenü ?" in a game. "OK" and
// Return save both files and go back to the main menu; Escape and "zurück"
// let the game go on.
#ifndef CSUBMENUENDGAME_H
#define CSUBMENUENDGAME_H

#include "CSubMenuQuestion.h"

class CSubMenuEndGame : public CSubMenuQuestion {
public:
    CSubMenuEndGame(IDirect3DDevice8* device, CMenuRing* ring);
    virtual ~CSubMenuEndGame();

    virtual void exit_ActionPerformed(CActionEvent event);
    virtual void Close();
};

#endif
