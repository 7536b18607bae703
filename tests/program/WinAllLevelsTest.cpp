// Every shipped level won in a row through the real program: the moves come
// from the level checker, the pointer positions from the game itself (played
// first inside this process on the same window size and camera), and the
// program then plays them from an input script: menu, "Start", each level by
// clicks on its cells, the level-finished picture, a name for the new best,
// the fade to the next level; afterwards the results are saved through the
// end-game question and checked in highscore.xml.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "PrivateMedia.h"
#include "CZarulApplication.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CHighScore.h"
#include "CScore.h"
#include "CInputManager.h"
#include "CLevelLoader.h"
#include "CMouse.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CStoneInfo.h"
#include "TestFiles.h"

namespace {

const int WIDTH = 500;
const int HEIGHT = 375;
// A coarse frame time keeps the run short; the game's timers and falls do not
// depend on it.
const float STEP = 1.0f / 15.0f;

int Frames(float seconds)
{
    return (int)ceilf(seconds / STEP - 0.001f);
}
const char* const PLAYER = "Tester";

struct Move {
    std::string kind;   // place, slide or tap
    int x, y, z, d;
};
struct LevelPlan {
    int number;
    std::vector<Move> moves;
};

// Reads the checker's "level <nr> "<name>": <move>; <move>; ..." lines.
bool ReadMoves(const std::string& levelsFile, std::vector<LevelPlan>& plans, std::string& problem)
{
    std::string command = std::string(ZARUL_LEVELCHECK) + " --moves '" + levelsFile + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        problem = "cannot run " + command;
        return false;
    }
    char buffer[4096];
    while (fgets(buffer, sizeof(buffer), pipe)) {
        std::string line = buffer;
        LevelPlan plan;
        if (sscanf(line.c_str(), "level %d", &plan.number) != 1)
            continue;
        size_t colon = line.find("\": ");
        if (colon == std::string::npos) {
            problem = "cannot read: " + line;
            break;
        }
        std::string rest = line.substr(colon + 3);
        if (rest.compare(0, 4, "none") == 0) {
            problem = "no proven win: " + line;
            break;
        }
        std::stringstream moves(rest);
        std::string text;
        while (std::getline(moves, text, ';')) {
            std::stringstream words(text);
            Move move = { "", -1, -1, -1, -1 };
            words >> move.kind;
            if (move.kind == "place")
                words >> move.x >> move.y;
            else if (move.kind == "slide")
                words >> move.x >> move.y >> move.z >> move.d;
            else if (move.kind == "tap")
                words >> move.x >> move.y >> move.z;
            else
                continue;
            plan.moves.push_back(move);
        }
        plans.push_back(plan);
    }
    pclose(pipe);
    return problem.empty() && !plans.empty();
}

// The moves played inside this process on the real application, to learn
// where to click and how long each move takes to settle.
class Planner {
public:
    Planner() : app("zarul") {}

    bool Open()
    {
        app.settingsFile = "";
        if (app.Create(nullptr) < 0)
            return false;
        CObjQueue* queue = CResourceManager::GetObjectQueue();
        queue->ReleaseAllObjects(CObjQueue::RELEASE_KEEP_MOUSE);
        queue->DeleteMarkedObjects();
        return true;
    }
    void Close()
    {
        app.SetHeadlessRun(app.GetFrameCount() + 1, STEP);
        app.Run();
    }

    // Frames as the frame loop runs them; picking needs no drawing, so none is done.
    void Step(int frames)
    {
        for (int i = 0; i < frames; i++) {
            app.FrameMove(STEP);
            CResourceManager::GetObjectQueue()->DeleteMarkedObjects();
        }
    }

    // Starts a game at the given level, as "Start" does at the stored level.
    void StartLevel(int number, int settleFrames)
    {
        app.ShowMainMenu();
        app.controller->levelLoader->last = number;
        app.StartGame();
        Step(settleFrames);
    }

    CGridView* Board() { return app.controller->gridView; }
    CGrid* Grid() { return app.controller->gameData->board; }

    // Everything on the board, to see when it has stopped changing.
    std::string BoardText()
    {
        std::string text;
        CGrid* grid = Grid();
        for (int z = 0; z < 15; z++)
            for (int y = 0; y < 6; y++)
                for (int x = 0; x < 6; x++)
                    text += (char)('A' + grid->GetStoneInfo(x, y, z).type + 10);
        return text + std::to_string(app.controller->gameData->moves);
    }

    static float Fraction(int pixel, int size) { return (float)pixel / (float)size; }

    // A pixel whose pointer the game takes as the wanted target of the move.
    // The search looks around the cell's place on the floor (found coarsely
    // first), where its stones stand above it on the screen.
    bool FindPointer(const Move& move, int* px, int* py)
    {
        CGridView* board = Board();
        long sumX = 0, sumY = 0, count = 0;
        for (int y = 0; y < HEIGHT; y += 4) {
            for (int x = 0; x < WIDTH; x += 4) {
                int column, row;
                if (board->PickCell(&column, &row, Fraction(x, WIDTH), Fraction(y, HEIGHT)) && column == move.x &&
                    row == move.y) {
                    sumX += x;
                    sumY += y;
                    count++;
                }
            }
        }
        if (count == 0)
            return false;
        int cx = (int)(sumX / count), cy = (int)(sumY / count);
        bool place = move.kind == "place";
        int step = place ? 1 : 2;
        float best = -1.0f;
        for (int y = std::max(0, cy - (place ? 30 : 110)); y < std::min(HEIGHT, cy + 30); y += step) {
            for (int x = std::max(0, cx - 50); x < std::min(WIDTH, cx + 50); x += step) {
                float fx = Fraction(x, WIDTH), fy = Fraction(y, HEIGHT);
                float score = -1.0f;
                if (place) {
                    int column, row;
                    if (!board->PickCell(&column, &row, fx, fy) || column != move.x || row != move.y)
                        continue;
                    // Deepest inside the cell.
                    D3DXVECTOR2 uv = board->GetCellFraction(column, row, fx, fy);
                    score = std::min(std::min(uv.x, 1.0f - uv.x), std::min(uv.y, 1.0f - uv.y));
                } else {
                    CStoneInfo hit = board->GetStoneUnderMouse(fx, fy);
                    if (hit.x != move.x || hit.y != move.y || hit.z != move.z)
                        continue;
                    D3DXVECTOR2 uv = board->GetCellFraction(move.x, move.y, fx, fy);
                    if (uv.x <= 0.0f || uv.x >= 1.0f || uv.y <= 0.0f || uv.y >= 1.0f)
                        continue;
                    if (move.kind == "tap") {
                        score = std::min(std::min(uv.x, 1.0f - uv.x), std::min(uv.y, 1.0f - uv.y));
                    } else {
                        // Nearest to the wanted side, by the widest margin over the others.
                        float distance[4] = { 1.0f - uv.y, uv.x, uv.y, 1.0f - uv.x };
                        float others = 2.0f;
                        for (int d = 0; d < 4; d++)
                            if (d != move.d)
                                others = std::min(others, distance[d]);
                        score = others - distance[move.d];
                        if (score < 0.05f)
                            continue;
                    }
                }
                if (score > best) {
                    best = score;
                    *px = x;
                    *py = y;
                }
            }
        }
        return best >= 0.0f;
    }

    void Mouse(UINT message, WPARAM buttons, int px, int py)
    {
        app.mouse->HandleMessage(message, buttons, MAKELPARAM(px, py), WIDTH, HEIGHT);
    }
    void Click(int px, int py)
    {
        Mouse(WM_MOUSEMOVE, 0, px, py);
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, px, py);
        Mouse(WM_LBUTTONUP, 0, px, py);
    }
    void Space()
    {
        DIDEVICEOBJECTDATA data;
        ZeroMemory(&data, sizeof(data));
        data.dwOfs = DIK_SPACE;
        CResourceManager::GetInputManager()->FireKeyPressed(CKeyEvent(nullptr, data, ' ', 0));
    }

    // Frames until the board has not changed for a while (the group passes
    // come 1.0 s apart), at most limit.
    int Settle(int quietFrames, int limit)
    {
        std::string last = BoardText();
        int quiet = 0, frames = 0;
        while (quiet < quietFrames && frames < limit) {
            Step(1);
            frames++;
            std::string now = BoardText();
            quiet = now == last ? quiet + 1 : 0;
            last = now;
        }
        return frames;
    }

    CZarulApplication app;
};

// The script's place for a pixel: its middle, so that it comes back as the same pixel.
std::string Point(int px, int py)
{
    char text[64];
    snprintf(text, sizeof(text), "%.6f %.6f", (px + 0.5) / WIDTH, (py + 0.5) / HEIGHT);
    return text;
}

TEST(WinAllLevels, EveryShippedLevelIsWonInARowThroughTheProgram)
{
    ProgramRun run("winall");
    ASSERT_TRUE(run.IsReady());
    std::vector<LevelPlan> plans;
    std::string problem;
    ASSERT_TRUE(ReadMoves(run.MediaFile("levels.xml"), plans, problem)) << problem;

    // Times of the screens, in frames of the script.
    const int menuFrame = Frames(6.5f);      // after the intro's two logos
    const int startButton = Frames(0.5f);    // the start submenu has grown
    const int startFade = Frames(0.45f);     // the fade before the game
    const int levelStart = Frames(5.0f);     // a level's stones have dropped in, its banner gone
    const int pictureClick = Frames(0.7f);   // after the level was found won
    const int nameTyped = Frames(1.3f);      // the level-finished picture has gone, the name entry is up
    const int levelFade = Frames(1.0f);      // the fade to black between levels

    std::ostringstream script;
    int frame = menuFrame;
    script << frame << " snapshot menu.png\n";
    script << frame + 1 << " click left 0.5 0.55\n";      // the start cube
    script << frame + startButton << " click left 0.5 0.49\n";   // "Start"
    frame += startButton + startFade + levelStart;               // the fade, then the first level

    // Plan every level inside this process, in its own folder.
    {
        PrivateMedia media("winall_plan");
        ASSERT_TRUE(media.IsReady());
        ASSERT_TRUE(media.Enter());
        Planner planner;
        ASSERT_TRUE(planner.Open());
        for (size_t i = 0; i < plans.size(); i++) {
            const LevelPlan& plan = plans[i];
            SCOPED_TRACE("level " + std::to_string(plan.number));
            ASSERT_EQ((int)i + 1, plan.number);   // played in file order, one after the other
            planner.StartLevel(plan.number, levelStart);
            CGameController* controller = planner.app.controller;
            ASSERT_EQ(plan.number, controller->levelLoader->current);
            for (size_t m = 0; m < plan.moves.size(); m++) {
                const Move& move = plan.moves[m];
                SCOPED_TRACE("move " + std::to_string(m + 1) + " " + move.kind);
                int wantedMode = move.kind == "place" ? CGameController::MODE_PLACE : CGameController::MODE_SLIDE;
                for (int tries = 0; controller->mode != wantedMode && tries < 3; tries++) {
                    planner.Space();
                    script << frame << " key Space\n";
                    planner.Step(2);
                    frame += 2;
                }
                ASSERT_EQ(wantedMode, controller->mode);
                int px = 0, py = 0;
                ASSERT_TRUE(planner.FindPointer(move, &px, &py));
                planner.Click(px, py);
                script << frame << " click left " << Point(px, py) << "\n";
                ASSERT_EQ((int)m + 1, controller->gameData->moves);
                // Settled: no change on the board for 1.3 s (passes come 1.0 s apart),
                // and the falling stones have landed.
                int frames = planner.Settle(Frames(1.3f), Frames(20.0f)) + Frames(0.3f);
                planner.Step(Frames(0.3f));
                frame += frames;
            }
            ASSERT_EQ(1, controller->won);
            script << frame + pictureClick << " click left 0.5 0.5\n";
            script << frame + pictureClick + nameTyped << " type " << PLAYER << "\n";
            script << frame + pictureClick + nameTyped + 1 << " key Return\n";
            // The fade to black (1 s), then the next level (or the menu after the last).
            frame += pictureClick + nameTyped + 1 + levelFade + levelStart;
            if (i == 0)
                script << frame - levelStart + Frames(1.5f) << " snapshot level2.png\n";
        }
        planner.Close();
    }

    // After the last level the results are written and the menu is back: quit.
    script << frame << " snapshot menu_end.png\n";
    script << frame + 1 << " key Escape\n";
    script << frame + Frames(0.5f) << " click left 0.5 0.57\n";
    frame += Frames(0.5f);

    // The script stays in the build folder for people who want to watch it.
    std::ofstream(std::string(ZARUL_BUILD_DIR) + "/program_winall_input.txt") << script.str();
    ASSERT_EQ(0, run.Run(script.str(), frame + Frames(5.0f), STEP)) << run.Log();
    // The program ended on the quit question, not on the frame limit.
    Image end;
    EXPECT_TRUE(run.Snapshot("menu_end.png", end));
    run.Keep("level2.png", "program_level2.png");

    // The results of every level, each a new best under the typed name.
    CHighScore scores;
    ASSERT_TRUE(FileExists(run.MediaFile("highscore.xml"))) << run.Log();
    scores.Load(run.MediaFile("highscore.xml").c_str());
    for (const LevelPlan& plan : plans) {
        CScore* entry = scores.GetScore(CScore::MODE_PUZZLE, plan.number);
        ASSERT_NE(nullptr, entry) << "level " << plan.number << "\n" << run.Log();
        EXPECT_EQ((int)plan.moves.size(), entry->score) << "level " << plan.number;
        EXPECT_EQ(PLAYER, entry->name) << "level " << plan.number;
    }
    CLevelLoader levels;
    ASSERT_TRUE(levels.Load(run.MediaFile("levels.xml").c_str()));
    EXPECT_EQ((int)plans.size(), levels.GetLevelCount());
    EXPECT_EQ((int)plans.size(), levels.completed);
}

} // namespace
