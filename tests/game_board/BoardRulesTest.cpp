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
