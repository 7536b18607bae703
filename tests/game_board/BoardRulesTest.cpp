// The board scene's rules that need no picture: cell and marker positions, the
// target tiles, the turn and the camera tilt with their limits, shadow-volume
// edges, and the failure of a vertex buffer.
#include <cstdlib>

#include "BoardTestSupport.h"
#include "CCameraView.h"
#include "CField.h"
#include "CGameController.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CShadowVolume.h"
#include "CStone.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "FakeDevice.h"

namespace {

void ExpectNear(D3DXVECTOR3 expected, D3DXVECTOR3 actual, float tolerance, const char* what)
{
    EXPECT_NEAR(expected.x, actual.x, tolerance) << what;
    EXPECT_NEAR(expected.y, actual.y, tolerance) << what;
    EXPECT_NEAR(expected.z, actual.z, tolerance) << what;
}

CMouseEvent Drag(int kind, float prevX, float prevY, float x, float y)
{
    CMouseEvent event;
    event.kind = kind;
    event.prevX = prevX;
    event.prevY = prevY;
    event.x = x;
    event.y = y;
    return event;
}

}

TEST_F(BoardTest, CellsMarkersAndTargetTiles)
{
    CStoneInfo corner(0, 0, 0, STONE_RED, "a"), high(5, 5, 2, STONE_RED, "b");
    ExpectNear(D3DXVECTOR3(-10.0f, 1.5f, -10.0f), view->CellToWorld(&corner), 1e-5f, "cell 0,0,0");
    ExpectNear(D3DXVECTOR3(10.0f, 5.5f, 10.0f), view->CellToWorld(&high), 1e-5f, "cell 5,5,2");

    // A marker sits sunk into the free cell; a negative column leaves it alone.
    CStone marker(device, D3DXVECTOR3(7, 7, 7), STONE_RED, 4.0f, nullptr, nullptr, 0);
    view->PlaceMarkerAt(&marker, 2, 1, 1);
    ExpectNear(D3DXVECTOR3(-2.0f, 3.1f, -6.0f), marker.position, 1e-5f, "marker");
    view->PlaceMarkerAt(&marker, -1, 3, 0);
    ExpectNear(D3DXVECTOR3(-2.0f, 3.1f, -6.0f), marker.position, 1e-5f, "marker after a miss");

    // One tile per non-zero field, however often rebuilt; the last made comes first.
    grid->SetField(3, 2, FIELD_SPECIAL_TARGET);
    grid->SetField(0, 5, FIELD_SPECIAL_TARGET);
    view->UpdateFields();
    view->UpdateFields();
    ASSERT_EQ(2u, view->fieldTiles.size());
    ExpectNear(D3DXVECTOR3(-10.0f, 0.525f, 10.0f), view->fieldTiles.front()->position, 1e-5f, "tile 0,5");
    grid->SetField(0, 5, 0);
    view->UpdateFields();
    ASSERT_EQ(1u, view->fieldTiles.size());
    ExpectNear(D3DXVECTOR3(2.0f, 0.525f, -2.0f), view->fieldTiles.front()->position, 1e-5f, "tile 3,2");
}

TEST_F(BoardTest, RightDragTurnsTheBoardWithinOneTurn)
{
    struct Case { float yaw, prevX, x, expected; } cases[] = {
        { 6.2f, 0.52f, 0.50f, 0.1168f },    // past 2 pi: one turn back
        { 0.1f, 0.47f, 0.50f, 6.0832f },    // below 0: one turn on
        { 1.0f, 0.50f, 0.45f, 1.5f },
    };
    for (const Case& c : cases) {
        view->yaw = c.yaw;
        view->MouseDragged(Drag(CMouseEvent::MOUSE_DRAG_2, c.prevX, 0.5f, c.x, 0.5f));
        EXPECT_NEAR(c.expected, view->yaw, 1e-4f) << c.yaw;
    }

    // Other drags, and any drag while input is shut, change nothing.
    view->yaw = 1.0f;
    view->MouseDragged(Drag(CMouseEvent::MOUSE_DRAG_1, 0.6f, 0.5f, 0.5f, 0.5f));
    EXPECT_FLOAT_EQ(1.0f, view->yaw);
    controller->running = 0;
    view->MouseDragged(Drag(CMouseEvent::MOUSE_DRAG_2, 0.6f, 0.5f, 0.5f, 0.5f));
    EXPECT_FLOAT_EQ(1.0f, view->yaw);
}

TEST_F(BoardTest, CameraTiltStaysAboveAndInFront)
{
    CCameraView camera(GAME_EYE, controller, D3DXVECTOR3(0, 0, 1), device, D3DXVECTOR3(0, 1, 0));

    // Angle +0.1 is taken; -0.5 would bring the eye too flat and is refused
    // whole; a smaller step after a refusal is still taken.
    camera.MouseDragged(Drag(CMouseEvent::MOUSE_DRAG_2, 0.5f, 0.50f, 0.5f, 0.51f));
    ExpectNear(D3DXVECTOR3(3.2f, 26.576f, -24.469f), camera.position, 2e-3f, "tilted up");
    camera.SetPosition(GAME_EYE);
    camera.MouseDragged(Drag(CMouseEvent::MOUSE_DRAG_2, 0.5f, 0.55f, 0.5f, 0.50f));
    ExpectNear(GAME_EYE, camera.position, 1e-5f, "refused");
    camera.MouseDragged(Drag(CMouseEvent::MOUSE_DRAG_2, 0.5f, 0.52f, 0.5f, 0.50f));
    EXPECT_LT(camera.position.y, GAME_EYE.y - 1.0f);

    // Straight overhead is refused as well, and nothing moves while input is shut.
    D3DXVECTOR3 before = camera.position;
    camera.MouseDragged(Drag(CMouseEvent::MOUSE_DRAG_2, 0.5f, 0.40f, 0.5f, 0.55f));
    ExpectNear(before, camera.position, 1e-5f, "overhead");
    controller->running = 0;
    camera.MouseDragged(Drag(CMouseEvent::MOUSE_DRAG_2, 0.5f, 0.50f, 0.5f, 0.51f));
    ExpectNear(before, camera.position, 1e-5f, "not running");
}

TEST_F(BoardTest, ShadowVolumesKeepEveryLitEdge)
{
    // Adding an edge twice, in either direction, takes it out again.
    WORD edges[8];
    DWORD count = 0;
    CShadowVolume::AddEdge(edges, &count, 3, 4);
    CShadowVolume::AddEdge(edges, &count, 4, 3);
    EXPECT_EQ(0u, count);
    CShadowVolume::AddEdge(edges, &count, 1, 2);
    CShadowVolume::AddEdge(edges, &count, 3, 4);
    CShadowVolume::AddEdge(edges, &count, 2, 1);
    ASSERT_EQ(1u, count);
    EXPECT_EQ(3, edges[0]);
    EXPECT_EQ(4, edges[1]);

    // The box's triangles share no vertices: every triangle facing the light
    // (or edge-on to it) gives three edges, six vertices each.
    CStone stone(device, D3DXVECTOR3(0, 0, 0), STONE_RED, 4.0f, nullptr, nullptr, 0);
    struct Case { D3DXVECTOR3 light; DWORD vertices; } cases[] = {
        { D3DXVECTOR3(0, 1, 0), 180 },      // top and the four sides edge-on
        { D3DXVECTOR3(1, 2, -3), 108 },     // three faces
    };
    for (const Case& c : cases) {
        CShadowVolume volume;
        volume.BuildFromCube(stone.vertexBuffer, c.light);
        EXPECT_EQ(c.vertices, volume.count);
        // Each quad starts on the box and reaches out away from the light.
        D3DXVECTOR3 out = volume.vertices[0] - volume.vertices[2];
        EXPECT_NEAR(10.0f * D3DXVec3Length(&c.light), D3DXVec3Length(&out), 1e-3f);
    }

    // The stone rebuilds its volume each frame, only while it throws a shadow
    // and is shown; the sun stands above a corner.
    struct Flags { int shadow, visible; DWORD vertices; } flags[] = { { 1, 1, 108 }, { 0, 1, 0 }, { 1, 0, 0 } };
    for (const Flags& f : flags) {
        stone.shadow = f.shadow;
        stone.visible = f.visible;
        stone.Move(0.0f);
        EXPECT_EQ(f.vertices, stone.shadowVolume->count) << f.shadow << f.visible;
    }
}

namespace {

class NoBufferDevice : public FakeDevice {
public:
    HRESULT CreateVertexBuffer(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer8** buffer) override
    {
        *buffer = nullptr;
        return E_OUTOFMEMORY;
    }
};

}

// A board that cannot get its geometry ends the program with a message and a
// failure code, never with the code of a clean exit.
TEST(BoardBufferFailure, EndsWithAMessageAndAFailureCode)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    NoBufferDevice device;
    EXPECT_EXIT(new CStone(&device, D3DXVECTOR3(0, 0, 0), STONE_RED, 4.0f, nullptr, nullptr, 1),
                ::testing::ExitedWithCode(EXIT_FAILURE), "Vertexbuffers für CStone");
    EXPECT_EXIT(new CField(&device, D3DXVECTOR3(0, 0, 0), FIELD_SPECIAL_TARGET, 4.0f),
                ::testing::ExitedWithCode(EXIT_FAILURE), "Vertexbuffers für CField");
    EXPECT_EXIT(new CGridView(nullptr, &device, 6),
                ::testing::ExitedWithCode(EXIT_FAILURE), "Vertexbuffers für CGridView");
}
