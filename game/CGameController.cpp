#include "CGameController.h"

#include <string>

#include "C3DAlphaButton.h"
#include "C3DIcon.h"
#include "CCameraView.h"
#include "CD3DApplication.h"
#include "CFadeEffect.h"
#include "CGameData.h"
#include "CGameOverlay.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CInputManager.h"
#include "CLevel.h"
#include "CLevelFinishedOvl.h"
#include "CLevelLoader.h"
#include "CMessageLog.h"
#include "CMouse.h"
#include "CMoveStoneEventHandler.h"
#include "CNextStoneStackView.h"
#include "CNextStoneView.h"
#include "CNextStoneViewEditor.h"
#include "CObjQueue.h"
#include "CRemoveStoneEventHandler.h"
#include "CResourceManager.h"
#include "CScore.h"
#include "CSpecialFieldFC.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "CSubMenuEndGame.h"
#include "CTimer.h"
#include "PlaceStoneEventHandler.h"

static const char* LEVELS_FILE = ".//media//levels.xml";
static const char* HIGHSCORE_FILE = ".//media//highscore.xml";
static const int NO_RESULT = 999999;        // score of a level without a stored result
static const float FIRST_PASS_DELAY = 0.3f; // after a move
static const float NEXT_PASS_DELAY = 1.0f;  // between group passes, while stones fall
static const float BANNER_SECONDS = 3.0f;

static CGameController* instance = nullptr;

static IDirect3DDevice8* Device()
{
    return g_pD3DApp ? g_pD3DApp->device : nullptr;
}


static CCameraView* CameraView()
{
    return g_pD3DApp ? dynamic_cast<CCameraView*>(g_pD3DApp->camera) : nullptr;
}

static void Queue(C3DObject* object, int position)
{
    CResourceManager::GetObjectQueue()->AddObject(object, position, 0);
}

CGameController* CGameController::GetInstance()
{
    if (!instance)
        instance = new CGameController();
    return instance;
}

CGameController* CGameController::GetExistingInstance()
{
    return instance;
}

void CGameController::DestroyInstance()
{
    delete instance;
    instance = nullptr;
}

CGameController::CGameController()
    : pendingDrops(0), fade(nullptr), finishChecker(nullptr), gameData(nullptr), gridView(nullptr),
      nextStoneView(nullptr), background(nullptr), won(0), levelLoader(nullptr), editorMode(0), mode(0),
      handlers{nullptr, nullptr, nullptr}, modeCount(2), running(0), fadeListener(nullptr)
{
    fade = new CFadeEffect(1.0f);
    fadeListener = new CGameController_Fade_IChangeListener(this);
    fade->AddChangeListener(fadeListener);
    CResourceManager::GetInputManager()->AddKeyListener(this);
    levelLoader = new CLevelLoader();
    levelLoader->Load(LEVELS_FILE);
}

CGameController::~CGameController()
{
    DeleteGameObjects();
    delete levelLoader;
    levelLoader = nullptr;
    delete fade;
    fade = nullptr;
    delete fadeListener;
    CMouse* mouse = CD3DApplication::LiveMouse();
    if (CameraView() && mouse)
        mouse->RemoveMouseMotionEventListener(CameraView());
    CResourceManager::GetInputManager()->RemoveKeyListener(this);
    for (C3DWindow_IChangeListener* listener : bannerListeners)
        delete listener;
    bannerListeners.clear();
    actionListeners.Clear();
    changeListeners.Clear();
    if (instance == this)
        instance = nullptr;
}

void CGameController::DeleteGameObjects()
{
    delete finishChecker;
    finishChecker = nullptr;
    for (int i = 0; i < 3; i++) {
        delete handlers[i];
        handlers[i] = nullptr;
    }
    delete gameData;
    gameData = nullptr;
}

// ---------------------------------------------------------------------------
// Games and levels
// ---------------------------------------------------------------------------

void CGameController::StartGame()
{
    EndGame();
    running = 1;

    CCameraView* camera = CameraView();
    if (camera) {
        camera->SetPosition(D3DXVECTOR3(3.2f, 24.0f, -27.0f));
        camera->target = D3DXVECTOR3(3.2f, 0.0f, -2.0f);
        camera->Move(0.0f);
    }

    gameData = new CGameData(6);
    gridView = new CGridView(this, Device(), 6);
    gameData->board->SetView(gridView);
    if (gridView->overlay)
        gridView->overlay->AddActionListener(this);
    background = new C3DIcon(Device(), CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f), ".//media//game_back.jpg");

    AddChangeListener(gridView);
    AddChangeListener(nextStoneView);
    if (CMouse* mouse = CD3DApplication::LiveMouse()) {
        mouse->AddMouseEventListener(gridView);
        mouse->AddMouseMotionEventListener(gridView);
    }
    Queue(gridView, 2);
    Queue(background, 1);

    mode = MODE_PLACE;
    handlers[0] = new PlaceStoneEventHandler(this);
    handlers[1] = new CMoveStoneEventHandler(this);
    handlers[2] = new CRemoveStoneEventHandler(this);

    highScore.Load(HIGHSCORE_FILE);
    if (levelLoader)
        levelLoader->ResetToLastLevel();
}

void CGameController::EndGame()
{
    running = 0;

    CMouse* mouse = CD3DApplication::LiveMouse();
    if (mouse && CameraView()) {
        mouse->RemoveMouseMotionEventListener(CameraView());
        mouse->AddMouseMotionEventListener(CameraView());
    }

    DeleteGameObjects();

    if (gridView) {
        RemoveChangeListener(gridView);
        RemoveChangeListener(gridView->overlay);
        if (mouse) {
            mouse->RemoveMouseEventListener(gridView);
            mouse->RemoveMouseMotionEventListener(gridView);
        }
        gridView->MarkForDeletion();
        gridView = nullptr;
    }
    if (nextStoneView) {
        RemoveChangeListener(nextStoneView);
        nextStoneView->MarkForDeletion();
        nextStoneView = nullptr;
    }
    if (background) {
        background->MarkForDeletion();
        background = nullptr;
    }
}

CNextStoneView* CGameController::CreateRandomNextStoneView()
{
    return new CNextStoneView(this, Device());
}

CNextStoneView* CGameController::CreateNextStoneStackView(int count, int* types)
{
    return new CNextStoneStackView(this, Device(), count, types);
}

// Unhooks and drops the next-stone view of the last level.
static void DropView(CGameController* controller, CNextStoneView* view)
{
    if (!view)
        return;
    controller->RemoveChangeListener(view);
    view->MarkForDeletion();
}

// The slide marker stands where the pointer was at the slide tool's last
// move; after a new level or a turn of another tool it must not show before
// the pointer has moved again.
static void HideSlideMarker(CGameController* controller)
{
    AbstractEventHandler* slide = controller->handlers[CGameController::MODE_SLIDE];
    if (slide)
        static_cast<CMoveStoneEventHandler*>(slide)->HideMarker();
}

// Puts the level's target fields on the board, shows their tiles and bursts
// the groups the level starts with, at once and without a level-end test.
static void SetFieldsAndBurstGroups(CGrid* grid, CGridView* view, CLevel* level)
{
    for (int i = 0; i < level->fieldCount; i++)
        grid->SetField(level->fields[i].x, level->fields[i].y, level->fields[i].type);
    if (view)
        view->UpdateFields();
    grid->RemoveCombos();
}

void CGameController::StartLevel(CLevel* level)
{
    if (!level || !gameData)
        return;
    CGrid* grid = gameData->board;
    grid->Clear();
    grid->ClearFields();

    float delay = 0.3f;
    for (int i = 0; i < level->stoneCount; i++) {
        CStoneInfo* stone = level->stones[i];
        grid->PlaceStone(stone->x, stone->y, stone->type, delay);
        delay += 0.1f;
    }
    DropView(this, nextStoneView);
    // Without a level list (the editor tries a level) a spare list makes the view.
    CLevelLoader spareList;
    CLevelLoader* list = levelLoader ? levelLoader : &spareList;
    nextStoneView = list->CreateNextStoneView(this, level);
    if (nextStoneView)
        Queue(nextStoneView, 4);

    SetFieldsAndBurstGroups(grid, gridView, level);
    // The stones still to drop in: only those the board took (it refuses cells
    // off the board and full columns) and that did not burst at once with a
    // group the level starts with; only a board view gives them appear timers.
    pendingDrops = gridView ? grid->stoneCount : 0;

    delete finishChecker;
    finishChecker = new CSpecialFieldFC();

    mode = nextStoneView && nextStoneView->GetRemaining() == 0 ? MODE_SLIDE : MODE_PLACE;
    HideSlideMarker(this);
    FireStateChanged(CChangeEvent(nullptr));
    modeCount = 2;
    ShowLevelBanner(level);

    if (gridView && gridView->overlay) {
        gridView->overlay->SetLevel(level->number);
        gridView->overlay->SetMoves(0);
    }
    gameData->moves = 0;
}

void CGameController::RestartLevel()
{
    // The editor has no level list: there is no current level to restart.
    if (levelLoader)
        StartLevel(levelLoader->GetCurrentLevel());
}

std::string CGameController::GetLevelFileProblem()
{
    if (!levelLoader || levelLoader->GetLevelCount() > 0)
        return "";
    if (!levelLoader->loaded)
        return std::string("Die Level konnten nicht gelesen werden: ") + LEVELS_FILE + " (" +
               levelLoader->GetResultText() + ")";
    return std::string("Die Leveldatei enthält keine Level: ") + LEVELS_FILE;
}

void CGameController::StartEditorLevel(CLevel* level)
{
    if (!gameData)
        return;
    CGrid* grid = gameData->board;
    grid->Clear();
    grid->ClearFields();

    if (level) {
        for (int i = 0; i < level->stoneCount; i++) {
            CStoneInfo* stone = level->stones[i];
            grid->PlaceStone(stone->x, stone->y, stone->type, 0.0f);
        }
        DropView(this, nextStoneView);
        nextStoneView = new CNextStoneViewEditor(this, Device());
        Queue(nextStoneView, 2);
        SetFieldsAndBurstGroups(grid, gridView, level);
    }
    // Stones still dropping in from a level tried before were cleared with the
    // board; the editor's stones show at once, so nothing is pending any more.
    pendingDrops = 0;

    delete finishChecker;
    finishChecker = nullptr;
    HideSlideMarker(this);
    // A level tried before leaves neither its number nor its moves on the panel.
    gameData->moves = 0;
    if (gridView && gridView->overlay)
        gridView->overlay->ClearLevel();
    FireStateChanged(CChangeEvent(nullptr));
    modeCount = 3;
}

void CGameController::SetEditorMode(int flag)
{
    editorMode = flag;
    if (flag == 1) {
        delete levelLoader;
        levelLoader = nullptr;
    } else if (!levelLoader) {
        levelLoader = new CLevelLoader();
        levelLoader->Load(LEVELS_FILE);
    }
}

void CGameController::ToggleMode()
{
    int before = mode;
    if (nextStoneView && nextStoneView->GetRemaining() == 0)
        mode = MODE_SLIDE;
    else
        mode = (mode + 1) % modeCount;
    // The slide tool saw no pointer moves while another tool was on.
    if (mode == MODE_SLIDE && before != MODE_SLIDE)
        HideSlideMarker(this);
    FireStateChanged(CChangeEvent(nullptr));
}

// ---------------------------------------------------------------------------
// Listeners and events
// ---------------------------------------------------------------------------

void CGameController::AddActionListener(IActionListener* listener)
{
    actionListeners.Add(listener);
}

void CGameController::FireActionPerformed(CActionEvent event)
{
    actionListeners.Fire(&IActionListener::actionPerformed, event);
}

void CGameController::AddChangeListener(IChangeListener* listener)
{
    changeListeners.Add(listener);
}

void CGameController::RemoveChangeListener(IChangeListener* listener)
{
    changeListeners.RemoveAll(listener);
}

void CGameController::FireStateChanged(CChangeEvent event)
{
    changeListeners.Fire(&IChangeListener::stateChanged, event);
}

void CGameController::keyPressed(CKeyEvent event)
{
    if (running != 1)
        return;
    switch (event.GetKeyCode()) {
    case DIK_ESCAPE: {
        CSubMenuEndGame* question = new CSubMenuEndGame(Device(), nullptr);
        running = 0;
        Queue(question, 4);
        break;
    }
    case DIK_SPACE:
        ToggleMode();
        break;
    default:
        break;
    }
}

void CGameController::keyReleased(CKeyEvent)
{
}

void CGameController::actionPerformed(CActionEvent event)
{
    switch (event.GetID()) {
    case ACTION_RESTART_LEVEL:
        RestartLevel();
        break;
    case ACTION_TOGGLE_MODE:
        ToggleMode();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Moves and group passes
// ---------------------------------------------------------------------------

// Puts a stone, or a field value, on the column.
static void PutOnColumn(CGameController* controller, int x, int y, int type)
{
    CGrid* grid = controller->gameData->board;
    if (CStoneTypes::IsStoneItem(type)) {
        grid->PlaceStone(x, y, type, 0.0f);
    } else {
        grid->SetField(x, y, type);
        if (controller->gridView)
            controller->gridView->UpdateFields();
    }
}

void CGameController::PlaceStone(int x, int y)
{
    if (!gameData || !nextStoneView || nextStoneView->GetRemaining() <= 0)
        return;
    // Nothing to place (the editor's view before a type is chosen), or a stone
    // for a full column: nothing happens and the stone stays next in line.
    int next = nextStoneView->PeekNextType();
    if (next < 0)
        return;
    if (CStoneTypes::IsStoneItem(next) && gameData->board->GetHeight(x, y) >= CGrid::LAYERS)
        return;

    int type = nextStoneView->PopNextType();
    if (type < 0)
        return;
    PutOnColumn(this, x, y, type);
    StartComboTimer();

    if (nextStoneView->GetRemaining() == 0) {
        mode = MODE_SLIDE;
        FireStateChanged(CChangeEvent(nullptr));
    }
}

void CGameController::PlaceStoneOfType(int x, int y, int type)
{
    if (!gameData || type < 0)
        return;
    PutOnColumn(this, x, y, type);
    StartComboTimer();
}

void CGameController::StartComboTimer()
{
    CTimer* timer = new CTimer(FIRST_PASS_DELAY, 1);
    timer->AddChangeListener(this);
    Queue(timer, 1);
}

void CGameController::stateChanged(CChangeEvent)
{
    if (!gameData)
        return;
    int removed = gameData->board->RemoveCombos();
    CheckLevelFinished();
    if (removed == 1) {
        CTimer* timer = new CTimer(NEXT_PASS_DELAY, 1);
        timer->AddChangeListener(this);
        Queue(timer, 1);
    }
}

// ---------------------------------------------------------------------------
// Level end
// ---------------------------------------------------------------------------

void CGameController::CheckLevelFinished()
{
    if (!finishChecker)
        return;
    if (finishChecker->IsFinished(gameData) == 1) {
        delete finishChecker;
        finishChecker = nullptr;
        won = 1;
        // Without a level list (the editor tries a level) there is no stored
        // best and nothing to record: a best of 0 is never beaten.
        CScore* score = GetCurrentScore();
        int best = levelLoader ? (score ? score->score : NO_RESULT) : 0;
        Queue(new CLevelFinishedOvl(Device(), this, best), 4);
    } else if (finishChecker->IsLost(gameData) == 1) {
        delete finishChecker;
        finishChecker = nullptr;
        won = 0;
    }
}

void CGameController::OnLevelFinishedClosed()
{
    if (won != 1)
        return;
    fade->FadeOut();
    if (levelLoader)
        levelLoader->UpdateCompleted();
}

void CGameController::OnFadeFinished(CChangeEvent event)
{
    if (event.GetState() != 1)
        return;
    NextLevelOrQuit();
    fade->FadeIn();
}

void CGameController::NextLevelOrQuit()
{
    // The editor has no level list: it stays on the level it tries.
    if (!levelLoader)
        return;
    if (levelLoader->NextLevel())
        StartLevel(levelLoader->GetCurrentLevel());
    else
        // The last level is won. The next game reads the results from the file
        // again, so they are written now or they would be lost.
        SaveAndQuit();
}

CScore* CGameController::GetOrCreateScore(CLevel* level)
{
    if (!level)
        return nullptr;
    CScore* entry = highScore.GetScore(CScore::MODE_PUZZLE, level->number);
    if (!entry) {
        entry = new CScore();
        entry->level = level->number;
        entry->score = NO_RESULT;
        entry->mode = CScore::MODE_PUZZLE;
        highScore.AddScore(entry);
    }
    return entry;
}

CScore* CGameController::GetCurrentScore()
{
    if (!levelLoader)
        return nullptr;
    return GetOrCreateScore(levelLoader->GetCurrentLevel());
}

int CGameController::RecordScore(const char* name)
{
    CScore* entry = GetCurrentScore();
    if (!entry || !gameData || gameData->moves >= entry->score)
        return -1;
    entry->score = gameData->moves;
    char date[256];
    date[0] = 0;
    GetDateFormatA(0, LOCALE_NOUSEROVERRIDE, nullptr, nullptr, date, sizeof(date));
    entry->date = date;
    entry->name = name ? name : "";
    return entry->score;
}

void CGameController::SaveLevels()
{
    if (!levelLoader)
        return;
    if (!levelLoader->Save(LEVELS_FILE)) {
        std::string line = std::string("Die Level konnten nicht gespeichert werden: ") + LEVELS_FILE + " (" +
                           levelLoader->GetResultText() + ")";
        CResourceManager::MessageLog()->Message(CMessageLog::WARNING, line.c_str());
    }
}

void CGameController::SaveAndQuit()
{
    SaveLevels();
    if (!highScore.Save(HIGHSCORE_FILE)) {
        std::string line = std::string("Die Bestenliste konnte nicht gespeichert werden: ") + HIGHSCORE_FILE + " (" +
                           highScore.GetResultText() + ")";
        CResourceManager::MessageLog()->Message(CMessageLog::WARNING, line.c_str());
    }
    FireActionPerformed(CActionEvent(nullptr, ACTION_MAIN_MENU));
}

void CGameController::ShowLevelBanner(CLevel* level)
{
    if (!level)
        return;
    // Listeners of banners that have gone are no longer referenced by anyone.
    for (auto it = bannerListeners.begin(); it != bannerListeners.end();) {
        if ((*it)->IsDone()) {
            delete *it;
            it = bannerListeners.erase(it);
        } else {
            ++it;
        }
    }

    std::string digits = std::to_string(level->number);
    std::string names[16];
    float xs[16];
    int windows = 0;
    names[windows] = ".//media//level.dds";
    xs[windows++] = 0.35f;
    float x = 0.6f;
    for (size_t i = 0; i < digits.size() && windows < 16; i++) {
        names[windows] = std::string(".//media//num_") + digits[i] + ".dds";
        xs[windows++] = x;
        x += 0.035f;
    }
    for (int i = 0; i < windows; i++) {
        CRECTVirtual rect = i == 0 ? CRECTVirtual(0.35f, 0.45f, 0.25f, 0.06f) : CRECTVirtual(xs[i], 0.45f, 0.05f, 0.06f);
        C3DAlphaButton* picture = new C3DAlphaButton(Device(), rect, names[i].c_str(), 0);
        Queue(picture, 4);
        CTimer* timer = new CTimer(BANNER_SECONDS, 1);
        C3DWindow_IChangeListener* listener = new C3DWindow_IChangeListener(picture);
        bannerListeners.push_back(listener);
        timer->AddChangeListener(listener);
        Queue(timer, 1);
    }
}

void CGameController::CGameController_Fade_IChangeListener::stateChanged(CChangeEvent event)
{
    owner->OnFadeFinished(event);
}

void CGameController::C3DWindow_IChangeListener::stateChanged(CChangeEvent)
{
    if (done)
        return;
    done = 1;
    window->MarkForDeletion();
}
