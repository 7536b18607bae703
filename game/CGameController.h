// CGameController: the one object that runs a game, reached through
// GetInstance. For now it holds only what the puzzle model reads: the game
// data with its board and the board view (null while no game is shown).
#ifndef CGAMECONTROLLER_H
#define CGAMECONTROLLER_H

class CGameData;
class CGridView;

class CGameController
{
public:
    static CGameController* GetInstance();
    static void DestroyInstance();

    virtual ~CGameController();

    CGameData* gameData;    // owned; the move counter and the board of the running game
    CGridView* gridView;    // the board scene; null without a running game

private:
    CGameController();
    CGameController(const CGameController&) = delete;
    CGameController& operator=(const CGameController&) = delete;
};

#endif
