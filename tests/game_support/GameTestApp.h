// GameTestApp: a game frame for tests. It sets up the frame the way the game's
// application does (a mouse in the queue, the keyboard, a fresh game controller
// with this frame as its action listener, the game camera, projection, light
// and material), without intro or menus, and lets a test step it frame by
// frame at a fixed time step. Input goes into the engine's own mouse and input
// manager, so it reaches the listeners exactly as window messages would.
#ifndef ZARUL_GAMETESTAPP_H
#define ZARUL_GAMETESTAPP_H

#include <functional>
#include <string>
#include <vector>

#include <d3dx8.h>

#include "CD3DApplication.h"
#include "IActionListener.h"
#include "Image.h"

class CCameraView;
class CGameController;
class CGridView;

class GameTestApp : public CD3DApplication, public IActionListener {
public:
    GameTestApp(int width = 500, int height = 375, float timeStep = 1.0f / 50.0f);
    virtual ~GameTestApp();

    // Opens the window and device and runs the set-up hooks; false on failure.
    bool Open();
    // Runs the clean-up hooks (the controller is destroyed) and drops the device.
    void Close();

    // Frames at the fixed time step.
    void Step(int frames = 1);
    // As many frames as cover the given time (rounded up).
    void StepSeconds(float seconds);
    // Frames until the condition holds or maxSeconds have passed; true when it held.
    bool StepUntil(const std::function<bool()>& condition, float maxSeconds);
    float GetTimeStep() const { return timeStep; }
    // Game time since Open.
    float GetTime() const { return elapsed; }

    // Runs one frame and saves its picture as a PNG at pngPath (an absolute path
    // or one relative to the working folder), then reads it back.
    bool Capture(const std::string& pngPath, Image& picture);

    // Starts a game and the level list's current level, as the application does.
    void StartGameAtCurrentLevel();

    // Pointer input, in window fractions (0..1 from the top left corner).
    void MoveMouse(float x, float y);
    // Left (0) or right (1) button down and up at the point, after a move there.
    void Click(float x, float y, int button = 0);
    void PressKey(int dikCode);
    // Typed characters, each as a key press that carries the character.
    void TypeText(const char* text);

    // Projection through the game camera and the board view's turn: the window
    // fractions of a point in board coordinates; false when it lies behind the eye.
    bool BoardPointToWindow(D3DXVECTOR3 boardPoint, float* x, float* y);
    // The middle of a floor cell on the slab's top face.
    bool FloorCellToWindow(int column, int row, float* x, float* y);
    // The middle of the top face of the stone at the cell.
    bool StoneTopToWindow(int column, int row, int layer, float* x, float* y);
    // Searches the window for a pointer position that the board view picks as the
    // floor cell (column, row); prefers the cell's middle.
    bool FindCellPointer(int column, int row, float* x, float* y);
    // Searches the window for a pointer position over the top stone of the column
    // whose place within the cell is nearest to the side of the slide direction
    // (0 row + 1, 1 column - 1, 2 row - 1, 3 column + 1), so the slide tool picks
    // that direction when it is free.
    bool FindSlidePointer(int column, int row, int direction, float* x, float* y);

    // Action ids the controller sent to the frame, in order.
    std::vector<int> actions;
    // Called for each action after it was recorded (may be empty).
    std::function<void(int)> onAction;

    CCameraView* cameraView;
    CGameController* controller;

    // Frame hooks.
    virtual HRESULT InitDeviceObjects();
    virtual HRESULT RestoreDeviceObjects();
    virtual HRESULT Render();
    virtual HRESULT DeleteDeviceObjects();
    virtual HRESULT FinalCleanup();
    virtual void actionPerformed(CActionEvent event);

private:
    void SendMouse(unsigned int message, float x, float y);
    CGridView* BoardView();

    float timeStep;
    float elapsed;
    int opened;
};

// Key codes the game listens to.
enum { TEST_DIK_ESCAPE = 1, TEST_DIK_RETURN = 28, TEST_DIK_SPACE = 57 };

#endif
