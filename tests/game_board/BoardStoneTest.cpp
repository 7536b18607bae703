// Stones on the board: appearing after their delay with the drop-in sounds,
// a stone that goes before its timer fires, falling into the cell below after
// a burst, and goal stones that pulse on their target field.
#include "BoardTestSupport.h"
#include "CD3DApplication.h"
#include "CGameController.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CSoundDev.h"
#include "CStone.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "TestGeometry.h"

namespace {

CObjQueue* Queue()
{
    return CResourceManager::GetObjectQueue();
}

}

TEST_F(BoardTest, StartingStonesAppearAfterTheirDelay)
{
    CSoundDev* sound = CResourceManager::GetSoundDevice();
    int soundsBefore = sound->GetSoundCount();
    int objectsBefore = Queue()->GetObjectCount();

    // A stone without delay shows at once and queues nothing.
    grid->PlaceStone(0, 0, STONE_BLUE, 0.0f);
    EXPECT_EQ(1, grid->cells[0]->stone->visible);
    EXPECT_EQ(objectsBefore, Queue()->GetObjectCount());

    controller->pendingDrops = 2;
    grid->PlaceStone(1, 0, STONE_RED, 0.4f);
    grid->PlaceStone(2, 0, STONE_RED, 0.5f);
    CStone* first = grid->cells[1]->stone;
    CStone* second = grid->cells[2]->stone;
    EXPECT_EQ(0, first->visible);
    EXPECT_EQ(objectsBefore + 2, Queue()->GetObjectCount());

    Queue()->MoveAll(0.45f);
    EXPECT_EQ(1, first->visible);
    EXPECT_EQ(0, second->visible);
    EXPECT_EQ(1, controller->pendingDrops);
    EXPECT_EQ(soundsBefore + 1, sound->GetSoundCount()) << "only the pop so far";

    // The last starting stone pops and then tells that the level is loaded.
    Queue()->MoveAll(0.1f);
    EXPECT_EQ(1, second->visible);
    EXPECT_EQ(0, controller->pendingDrops);
    ASSERT_EQ(soundsBefore + 2, sound->GetSoundCount());
    EXPECT_LT(sound->LoadSound("GAME_POP", nullptr), sound->LoadSound("GAME_LOADED", nullptr));
}

TEST_F(BoardTest, StoneClearedBeforeItsTimerIsNotCalled)
{
    controller->pendingDrops = 3;
    for (int x = 0; x < 3; x++)
        grid->PlaceStone(x, 0, STONE_RED, 0.3f + 0.1f * x);
    grid->Clear();

    // The timers still run out; none may reach a stone that is gone.
    for (int frame = 0; frame < 10; frame++)
        Queue()->MoveAll(0.1f);
    EXPECT_EQ(3, controller->pendingDrops);
}

TEST_F(BoardTest, StonesAboveABurstFallAndSnapIntoTheirCell)
{
    grid->PlaceStone(2, 3, STONE_RED, 0.0f);
    grid->PlaceStone(2, 3, STONE_BLUE, 0.0f);
    grid->PlaceStone(2, 3, STONE_GREEN, 0.0f);
    // A new stone settles on its own cell within the first frame.
    MoveBoard(0.02f);
    CStoneInfo* top = grid->cells[2 + 3 * 6 + 2 * 36];
    EXPECT_EQ(0, top->reposition);
    EXPECT_EQ(0, top->stone->gravity);
    EXPECT_FLOAT_EQ(view->CellToWorld(top).y, top->stone->position.y);

    grid->RemoveStone(2, 3, 0);
    CStoneInfo* middle = grid->cells[2 + 3 * 6];
    top = grid->cells[2 + 3 * 6 + 36];
    float start = top->stone->position.y;
    int frames = 0;
    float lowest = start;
    while ((middle->reposition || top->reposition) && frames < 500) {
        MoveBoard(0.02f);
        if (top->reposition)
            lowest = top->stone->position.y;
        frames++;
    }
    EXPECT_GT(frames, 10) << "the stones fall, they do not jump";
    EXPECT_LT(lowest, start);
    for (CStoneInfo* info : { middle, top }) {
        D3DXVECTOR3 cell = view->CellToWorld(info);
        EXPECT_FLOAT_EQ(cell.y, info->stone->position.y);
        EXPECT_EQ(0, info->stone->gravity);
        EXPECT_EQ(0.0f, info->stone->velocity.y);
    }
}

TEST_F(BoardTest, GoalStoneOnItsTargetFieldPulses)
{
    grid->SetField(1, 1, FIELD_SPECIAL_TARGET);
    grid->SetField(4, 4, FIELD_SPECIAL_TARGET);
    grid->PlaceStone(1, 1, STONE_SPECIAL, 0.0f);    // on its field, layer 0
    grid->PlaceStone(4, 4, STONE_RED, 0.0f);
    grid->PlaceStone(4, 4, STONE_SPECIAL, 0.0f);    // on its field, but layer 1
    grid->PlaceStone(2, 2, STONE_SPECIAL, 0.0f);    // no field

    for (int frame = 0; frame < 20; frame++)
        MoveBoard(0.05f);
    EXPECT_EQ(1, grid->cells[1 + 6]->targetState);
    EXPECT_EQ(0, grid->cells[4 + 24 + 36]->targetState);
    EXPECT_EQ(0, grid->cells[2 + 12]->targetState);
    // The pulse has left full white; the others are reset to it.
    EXPECT_LT(grid->cells[1 + 6]->stone->color.r, 1.0f);
    EXPECT_FLOAT_EQ(1.0f, grid->cells[2 + 12]->stone->color.r);

    // Nothing moves while input is shut.
    D3DXCOLOR held = grid->cells[1 + 6]->stone->color;
    controller->running = 0;
    MoveBoard(0.3f);
    EXPECT_FLOAT_EQ(held.r, grid->cells[1 + 6]->stone->color.r);
}

TEST_F(BoardTest, RenderEffectsDecideShadowsAndBurstParticles)
{
    CD3DApplication app;    // the render-effect switches live in the application

    // A stone throws a shadow only with the shadow effect on and a board view shown.
    struct Case { BYTE effects; bool boardShown; int shadow; } cases[] = {
        { CD3DApplication::R_EFFECT_SHADOW, true, 1 },
        { CD3DApplication::R_EFFECT_SHADOW, false, 0 },
        { CD3DApplication::R_EFFECT_PARTICLES, true, 0 },
    };
    for (const Case& c : cases) {
        app.renderEffects = c.effects;
        controller->gridView = c.boardShown ? view : nullptr;
        CStone stone(device, D3DXVECTOR3(0, 0, 0), STONE_RED, 4.0f, nullptr, nullptr, 1);
        EXPECT_EQ(c.shadow, stone.shadow) << (int)c.effects << c.boardShown;
    }
    controller->gridView = view;

    // A burst throws sparkles and debris only with particle effects on.
    grid->PlaceStone(0, 0, STONE_RED, 0.0f);
    grid->PlaceStone(1, 0, STONE_RED, 0.0f);
    int before = Queue()->GetObjectCount();
    app.renderEffects = 0;
    grid->RemoveStone(0, 0, 0);
    EXPECT_EQ(before, Queue()->GetObjectCount());
    app.renderEffects = CD3DApplication::R_EFFECT_PARTICLES;
    grid->RemoveStone(1, 0, 0);
    EXPECT_EQ(before + 2, Queue()->GetObjectCount());
}

TEST_F(BoardTest, HiddenStonesAreCulledOnlyOnceAllStartingStonesAreIn)
{
    D3DLIGHT8 light = WhiteLight(-0.5f, -1.0f, 0.5f);
    D3DMATERIAL8 material = WhiteMaterial();
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    device->SetMaterial(&material);

    grid->PlaceStone(2, 2, STONE_RED, 0.0f);
    CStoneInfo* info = grid->cells[2 + 12];
    MoveBoard(0.02f);
    float fx, fy;
    ASSERT_TRUE(ToWindow(view->CellToWorld(info) + D3DXVECTOR3(0, 1, 0), &fx, &fy));
    auto centre = [&]() {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        device->BeginScene();
        view->Render();
        device->EndScene();
        return headless.Pixel((int)(fx * kWidth), (int)(fy * kHeight));
    };

    DWORD drawn = centre();
    info->stone->visible = 0;
    DWORD empty = centre();
    info->stone->visible = 1;
    ASSERT_NE(drawn, empty);

    // Marked hidden (as behind its neighbours): still drawn while a starting
    // stone is pending, left out once all are in.
    info->drawn = 0;
    controller->pendingDrops = 1;
    EXPECT_EQ(drawn, centre());
    controller->pendingDrops = 0;
    EXPECT_EQ(empty, centre());
}
