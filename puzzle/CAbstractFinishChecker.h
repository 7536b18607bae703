// CAbstractFinishChecker: a level goal. The game controller asks it after
// every pass of the group search whether the level is won or lost.
#ifndef CABSTRACTFINISHCHECKER_H
#define CABSTRACTFINISHCHECKER_H

class CGameController;
class CGrid;

class CAbstractFinishChecker
{
public:
    virtual ~CAbstractFinishChecker();

    virtual int IsFinished(CGameController* controller) = 0;
    virtual int IsLost(CGameController* controller) = 0;

protected:
    // The board of the controller's running game, or null when there is none.
    static CGrid* BoardOf(CGameController* controller);
};

#endif
