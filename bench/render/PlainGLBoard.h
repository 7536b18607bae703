// PlainGLBoard: draws a recorded board frame straight in OpenGL's fixed
// function, as a hand-written renderer of the same scene would: the same
// vertices, textures, passes and states as the game's calls through the
// Direct3D layer, with OpenGL state set where the scene changes it. It is
// the reference the layer's cost is measured against.
#ifndef ZARUL_PLAINGLBOARD_H
#define ZARUL_PLAINGLBOARD_H

#include "BoardRecord.h"
#include "HeadlessDevice.h"

#include <SDL.h>

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>

#include <vector>

class PlainGLBoard {
public:
    explicit PlainGLBoard(const BoardRecord& record);
    ~PlainGLBoard();

    bool Ready() const { return ready; }
    // One frame, finished by the renderer before it returns. Its own OpenGL
    // context is made current first, so that it can take turns with a layer board.
    void DrawFrame();

    // The window and its OpenGL context; its Direct3D device stays unused.
    HeadlessDevice headless;

private:
    PlainGLBoard(const PlainGLBoard&);
    PlainGLBoard& operator=(const PlainGLBoard&);

    void ScreenSpace();
    void SceneSpace(const D3DMATRIX& world);
    void DrawScreenVertices(const std::vector<BYTE>& vertices, GLuint texture, GLenum mode);

    const BoardRecord& record;
    SDL_Window* glWindow = nullptr;
    SDL_GLContext glContext = nullptr;
    GLuint framebuffer = 0;
    GLuint colorTexture = 0;
    GLuint depthStencil = 0;
    GLuint textures[REPLAY_TEXTURES] = {};
    GLuint cube = 0;
    GLfloat projection[16];
    std::vector<BYTE> background;
    std::vector<BYTE> shadowQuad;
    std::vector<std::vector<BYTE>> overlayQuads;
    std::vector<std::vector<BYTE>> overlayTexts; // shadow, then text, for each line
    bool ready = false;
};

#endif
