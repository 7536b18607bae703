// AllStonesRemovedFC: the level is won when no stone is left on the board.
#ifndef ALLSTONESREMOVEDFC_H
#define ALLSTONESREMOVEDFC_H

#include "CAbstractFinishChecker.h"

class AllStonesRemovedFC : public CAbstractFinishChecker
{
public:
    AllStonesRemovedFC();
    virtual ~AllStonesRemovedFC();

    virtual int IsFinished(CGameData* game);
    virtual int IsLost(CGameData* game);
};

#endif
