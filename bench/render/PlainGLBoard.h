// PlainGLBoard: draws a recorded board frame straight in OpenGL's fixed
// function, as a careful hand-written renderer of the same picture would:
// the geometry never changes, so it is put into world space and into vertex
// buffers once, and a frame is a handful of draws (the slab, one per stone
// texture, the two shadow passes, the screen pieces), with state changed only
// between them. It is the reference the layer's cost is measured against.
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
    // The last frame's pixels, top row first, as 0xAARRGGBB.
    std::vector<DWORD> Pixels();

    // The window and its OpenGL context; its Direct3D device stays unused.
    HeadlessDevice headless;

private:
    PlainGLBoard(const PlainGLBoard&);
    PlainGLBoard& operator=(const PlainGLBoard&);

    // A run of vertices in one of the buffers: its first vertex and count.
    struct Span {
        GLint first;
        GLsizei count;
    };
    struct StoneGroup {
        int texture;
        Span span;
    };

    void ScreenSpace();
    void SceneSpace();
    void PointAtSceneVertices();
    void PointAtScreenVertices(GLsizei stride, GLintptr offset);

    const BoardRecord& record;
    SDL_Window* glWindow = nullptr;
    SDL_GLContext glContext = nullptr;
    GLuint framebuffer = 0;
    GLuint colorTexture = 0;
    GLuint depthStencil = 0;
    GLuint textures[REPLAY_TEXTURES] = {};
    GLuint cube = 0;
    GLfloat projection[16];
    GLuint sceneBuffer = 0;  // the slab, then the stones by texture, in world space
    GLuint volumeBuffer = 0; // every shadow volume in world space
    GLuint screenBuffer = 0; // background, overlay quads and text; then the darkening quad
    Span slab = {};
    std::vector<StoneGroup> stoneGroups;
    Span volumes = {};
    Span background = {};
    Span overlayQuads = {};
    Span overlayText = {};
    GLintptr shadowQuadOffset = 0;
    bool ready = false;
};

#endif
