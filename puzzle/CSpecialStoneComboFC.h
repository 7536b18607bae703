// CSpecialStoneComboFC: the level is won when four special stones stand in a
// straight row along x or y.
#ifndef CSPECIALSTONECOMBOFC_H
#define CSPECIALSTONECOMBOFC_H

#include "CAbstractFinishChecker.h"

class CSpecialStoneComboFC : public CAbstractFinishChecker
{
public:
    CSpecialStoneComboFC();
    virtual ~CSpecialStoneComboFC();

    virtual int IsFinished(CGameData* game);
    virtual int IsLost(CGameData* game);
};

#endif
