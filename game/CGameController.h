// CGameController: the one object that runs a game. It owns the game data with
// its board, the level list, the best results and the level-end rule; it makes
// the board view, the next-stone view and the three mouse tools, starts levels,
// switches input modes, runs the timed group passes and leads from a won level
// to the next one. Escape opens the front end's end-game question (frontend/);
// the fade between levels is the application's screen fade (app/).
#ifndef CGAMECONTROLLER_H
#define CGAMECONTROLLER_H

#include <list>
#include <string>

#include "CListenerList.h"
#include "IKeyListener.h"
#include "IActionListener.h"
#include "IChangeListener.h"
#include "CHighScore.h"
#include "INextStoneViewFactory.h"

class CFadeEffect;
class CAbstractFinishChecker;
class CGameData;
class CGridView;
class CNextStoneView;
class C3DIcon;
class C3DWindow;
class CLevelLoader;
class CLevel;
class CScore;
class AbstractEventHandler;

class CGameController : public IKeyListener, public IActionListener, public IChangeListener,
                        public INextStoneViewFactory
{
public:
    // Action ids the controller sends and takes.
    enum {
        ACTION_RESTART_LEVEL = 1001,
        ACTION_TOGGLE_MODE = 1002,
        ACTION_START_GAME = 10001,
        ACTION_MAIN_MENU = 10004
    };
    // Input modes, indices into handlers.
    enum { MODE_PLACE = 0, MODE_SLIDE = 1, MODE_REMOVE = 2 };

    // Builds the controller on the first call.
    static CGameController* GetInstance();
    // The controller if one exists, else null; never builds one (the board and
    // other code that may run outside a game use this).
    static CGameController* GetExistingInstance();
    static void DestroyInstance();

    virtual ~CGameController();

    // Lifecycle, levels and modes
    void StartGame();
    void EndGame();
    void StartLevel(CLevel* level);
    void RestartLevel();
    // Empty when the level list has a level to play; else the warning that
    // tells the player why not (the level file cannot be read, or holds none).
    std::string GetLevelFileProblem();
    void StartEditorLevel(CLevel* level);
    void SetEditorMode(int flag);
    void ToggleMode();

    void AddActionListener(IActionListener* listener);
    void FireActionPerformed(CActionEvent event);
    void AddChangeListener(IChangeListener* listener);
    void RemoveChangeListener(IChangeListener* listener);
    void FireStateChanged(CChangeEvent event);

    virtual void keyPressed(CKeyEvent event);
    virtual void keyReleased(CKeyEvent event);
    virtual void actionPerformed(CActionEvent event);
    // The timer pass: burst groups, test the level end, schedule the next pass.
    virtual void stateChanged(CChangeEvent event);

    // The next-stone views the level list picks for a level.
    virtual CNextStoneView* CreateRandomNextStoneView();
    virtual CNextStoneView* CreateNextStoneStackView(int count, int* types);

    // Moves, group timers and level end
    void PlaceStone(int x, int y);
    void PlaceStoneOfType(int x, int y, int type);
    void StartComboTimer();
    void CheckLevelFinished();
    void OnLevelFinishedClosed();
    void OnFadeFinished(CChangeEvent event);
    void NextLevelOrQuit();
    CScore* GetOrCreateScore(CLevel* level);
    CScore* GetCurrentScore();
    int RecordScore(const char* name);
    void SaveLevels();
    void SaveAndQuit();
    void ShowLevelBanner(CLevel* level);

    // 1 while a game exists, from StartGame to EndGame (its data is made and
    // deleted with it). Unlike `running`, the input gate, it stays 1 while a
    // question or overlay holds the input: windows that took the input give it
    // back (running = 1) only while this holds.
    int IsGameOn() const { return gameData != nullptr; }

    // Hands every change event of the fade to OnFadeFinished.
    class CGameController_Fade_IChangeListener : public IChangeListener
    {
    public:
        explicit CGameController_Fade_IChangeListener(CGameController* owner) : owner(owner) {}
        virtual void stateChanged(CChangeEvent event);
    private:
        CGameController* owner;
    };

    // Removes one banner window when its timer fires.
    class C3DWindow_IChangeListener : public IChangeListener
    {
    public:
        explicit C3DWindow_IChangeListener(C3DWindow* window) : window(window), done(0) {}
        virtual void stateChanged(CChangeEvent event);
        int IsDone() const { return done; }
    private:
        C3DWindow* window;
        int done;
    };

    int pendingDrops;                           // initial stones still to drop in
    CListenerList<IActionListener> actionListeners;
    CFadeEffect* fade;                          // owned; the fade between levels
    CAbstractFinishChecker* finishChecker;      // owned; null in the editor and once decided
    CListenerList<IChangeListener> changeListeners;
    CGameData* gameData;                        // owned; from StartGame to EndGame
    CGridView* gridView;                        // the board scene, owned by the object queue
    CNextStoneView* nextStoneView;              // owned by the object queue
    C3DIcon* background;                        // owned by the object queue
    int won;                                    // 1 when the last decided level was won
    CHighScore highScore;
    CLevelLoader* levelLoader;                  // owned; null while the editor mode is on
    int editorMode;
    int mode;                                   // 0 place, 1 slide, 2 remove
    AbstractEventHandler* handlers[3];          // owned
    int modeCount;                              // 2 in play, 3 in the editor
    int running;                                // input gate: 1 while the game takes input (see IsGameOn)

private:
    CGameController();
    CGameController(const CGameController&) = delete;
    CGameController& operator=(const CGameController&) = delete;

    // Deletes the level-end rule, the game data and the three tools.
    void DeleteGameObjects();
    CGameController_Fade_IChangeListener* fadeListener;
    std::list<C3DWindow_IChangeListener*> bannerListeners;
};

#endif
