// GameTestApp: the game's own application, run headless for tests. Every
// device and scene step (pointer, keyboard, controller, camera, light,
// environment map, shadow pass, screen changes) is the application's; this
// class only opens it at a fixed time step, steps it frame by frame, records
// the actions the controller sends and feeds pointer and key input into the
// engine's own mouse and input manager, so that it reaches the listeners
// exactly as window messages would.
#ifndef ZARUL_GAMETESTAPP_H
#define ZARUL_GAMETESTAPP_H

#include <functional>
#include <string>
#include <vector>

#include <d3dx8.h>

#include "CZarulApplication.h"
#include "Image.h"

class CGridView;

class GameTestApp : public CZarulApplication {
public:
    GameTestApp(int width = GAME_WIDTH, int height = GAME_HEIGHT, float timeStep = 1.0f / 50.0f);
    virtual ~GameTestApp();

    // Opens the window and device and runs the application's set-up hooks,
    // then empties the scene of the intro; false on failure.
    bool Open();
    // Runs the application's clean-up hooks (the controller is destroyed) and
    // drops the device.
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

    // The application's start of a game: the scene emptied, the level list's
    // current level started, the screen faded in.
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
    // Called for each action after it was recorded (may be empty). The
    // application does not answer the actions: a test decides what follows.
    std::function<void(int)> onAction;

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
