// CSubMenuClose: the question "Wollen Sie Zarul beenden ?". "OK" and Return
// end the program; Escape and "zurück" close the question at once.
#ifndef CSUBMENUCLOSE_H
#define CSUBMENUCLOSE_H

#include "CSubMenuQuestion.h"

class CSubMenuClose : public CSubMenuQuestion {
public:
    CSubMenuClose(IDirect3DDevice8* device, CMenuRing* ring);
    virtual ~CSubMenuClose();

    virtual void exit_ActionPerformed(CActionEvent event);
    virtual void Close();
};

#endif
