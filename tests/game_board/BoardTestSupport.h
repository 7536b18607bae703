// What the board scene tests share: a headless device seen through the game
// camera, a controller with a board and a board view of six cells, and the
// projection of board points into window fractions.
#ifndef BOARDTESTSUPPORT_H
#define BOARDTESTSUPPORT_H

#include <d3dx8.h>

#include <gtest/gtest.h>

#include "HeadlessDevice.h"

class CGameController;
class CGrid;
class CGridView;

// The eye and target the game camera takes at each game start.
const D3DXVECTOR3 GAME_EYE(3.2f, 24.0f, -27.0f);
const D3DXVECTOR3 GAME_TARGET(3.2f, 0.0f, -2.0f);

class BoardTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Puts the view on the device from the eye to the game camera's target.
    void LookFrom(D3DXVECTOR3 eye);
    // Turns the board and brings the world matrices of everything on it up to
    // date, as a frame's Move does.
    void Turn(float yaw);
    // One Move of the board view (the controller's running flag is 1).
    void MoveBoard(float seconds);

    // Window fractions of a point in board coordinates; false behind the eye.
    bool ToWindow(D3DXVECTOR3 boardPoint, float* x, float* y);
    // The ray from the eye through a window point, in board coordinates.
    void BoardRay(float x, float y, D3DXVECTOR3* origin, D3DXVECTOR3* direction);

    static const int kWidth = 500;
    static const int kHeight = 375;
    HeadlessDevice headless;
    IDirect3DDevice8* device = nullptr;
    CGameController* controller = nullptr;
    CGrid* grid = nullptr;
    CGridView* view = nullptr;
    D3DXVECTOR3 eye;
};

#endif
