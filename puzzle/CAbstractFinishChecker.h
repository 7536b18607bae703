// CAbstractFinishChecker: a level goal. The game controller asks it after
// every pass of the group search whether the level is won or lost, handing in
// the running game's data; the level checker hands in the data of the games it
// plays through.
#ifndef CABSTRACTFINISHCHECKER_H
#define CABSTRACTFINISHCHECKER_H

class CGameData;
class CGrid;

class CAbstractFinishChecker
{
public:
    virtual ~CAbstractFinishChecker();

    virtual int IsFinished(CGameData* game) = 0;
    virtual int IsLost(CGameData* game) = 0;

protected:
    // The game's board, or null when there is no game.
    static CGrid* BoardOf(CGameData* game);
};

#endif
