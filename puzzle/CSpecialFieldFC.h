// CSpecialFieldFC: the level is won when every target field holds a special
// stone on the floor layer.
#ifndef CSPECIALFIELDFC_H
#define CSPECIALFIELDFC_H

#include "CAbstractFinishChecker.h"

class CSpecialFieldFC : public CAbstractFinishChecker
{
public:
    CSpecialFieldFC();
    virtual ~CSpecialFieldFC();

    virtual int IsFinished(CGameData* game);
    virtual int IsLost(CGameData* game);
};

#endif
