// BenchGameApp: the headless game frame of the game's tests, completed with
// what the game's application adds to every frame: the environment cube map
// that the slab reflects, and after the scene the stencil shadow pass of the
// board with the darkening quad over the shadowed pixels. It can set up the
// shipped level 22 or a full board, and waits for the board to settle.
#ifndef ZARUL_BENCHGAMEAPP_H
#define ZARUL_BENCHGAMEAPP_H

#include "BoardRecord.h"
#include "GameTestApp.h"

class BenchGameApp : public GameTestApp {
public:
    BenchGameApp();

    // Starts a game at the level of that number and runs frames until every
    // stone has dropped in and its banner is gone; false when it cannot.
    bool StartLevel(int number);
    // Fills every column of a started game up to the top: 6 x 6 x 15 stones of
    // seven types, no two alike side by side, so nothing bursts. No level end is checked.
    bool FillBoard();
    // Stones on the board and stones that its last frame drew.
    int StoneCount();
    int DrawnStoneCount();

    // The board scene of the last frame as data; false without a game. With
    // everything, every stone and every stone's volume is taken, also those
    // the game skips because they are hidden or have no side exposed.
    bool CaptureBoard(BoardRecord* record, bool everything);

    // One frame, finished by the renderer before it returns.
    void DrawFrame();

    virtual HRESULT RestoreDeviceObjects();
    virtual HRESULT InvalidateDeviceObjects();
    virtual void RenderAfterScene();

private:
    void RenderShadowQuad();

    IDirect3DVertexBuffer8* quadVB;
};

#endif
