#include "PlainGLBoard.h"

#include "ReplayGeometry.h"

#include <string.h>

namespace {

// Point p (x, y, z, 1) times the row-vector matrix m.
void TransformPoint(const float* p, const D3DMATRIX& m, float* out)
{
    for (int column = 0; column < 3; column++)
        out[column] = p[0] * m.m[0][column] + p[1] * m.m[1][column] + p[2] * m.m[2][column] + m.m[3][column];
}

// Normal n times the inverse transpose of m's upper 3 x 3 (its cofactors over
// its determinant), as OpenGL would have turned it under a world matrix:
// lighting sees the same eye-space normal, unnormalised as before.
void TransformNormal(const float* n, const D3DMATRIX& m, float* out)
{
    float cofactor[3][3];
    for (int row = 0; row < 3; row++)
        for (int column = 0; column < 3; column++) {
            int r1 = (row + 1) % 3, r2 = (row + 2) % 3;
            int c1 = (column + 1) % 3, c2 = (column + 2) % 3;
            cofactor[row][column] = m.m[r1][c1] * m.m[r2][c2] - m.m[r1][c2] * m.m[r2][c1];
        }
    float det = m.m[0][0] * cofactor[0][0] + m.m[0][1] * cofactor[0][1] + m.m[0][2] * cofactor[0][2];
    float scale = det != 0.0f ? 1.0f / det : 0.0f;
    for (int column = 0; column < 3; column++)
        out[column] = (n[0] * cofactor[0][column] + n[1] * cofactor[1][column] + n[2] * cofactor[2][column]) * scale;
}

// A box's vertices moved into world space, appended to out; colour and
// texture coordinates are copied as they are.
void AppendBox(const std::vector<BYTE>& box, const D3DMATRIX& world, std::vector<BYTE>* out)
{
    size_t at = out->size();
    out->insert(out->end(), box.begin(), box.end());
    for (size_t v = at; v < out->size(); v += BoardRecord::BOX_STRIDE) {
        float source[6];
        memcpy(source, &(*out)[v], sizeof(source));
        float moved[6];
        TransformPoint(source, world, moved);
        TransformNormal(source + 3, world, moved + 3);
        memcpy(&(*out)[v], moved, sizeof(moved));
    }
}

// A strip of four screen vertices as two triangles, so that all quads go in one draw.
void AppendStripAsTriangles(const std::vector<BYTE>& strip, std::vector<BYTE>* out)
{
    static const int order[6] = {0, 1, 2, 2, 1, 3};
    for (int i : order) {
        const BYTE* v = &strip[i * REPLAY_SCREEN_STRIDE];
        out->insert(out->end(), v, v + REPLAY_SCREEN_STRIDE);
    }
}

GLuint MakeBuffer(const std::vector<BYTE>& bytes)
{
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)bytes.size(), bytes.data(), GL_STATIC_DRAW);
    return buffer;
}

} // namespace

PlainGLBoard::PlainGLBoard(const BoardRecord& record_) : record(record_)
{
    if (!headless.Open((UINT)record.width, (UINT)record.height))
        return;
    glWindow = SDL_GL_GetCurrentWindow();
    glContext = SDL_GL_GetCurrentContext();

    // A target like the device's: a colour texture with depth and stencil.
    glGenTextures(1, &colorTexture);
    glBindTexture(GL_TEXTURE_2D, colorTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, record.width, record.height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glGenRenderbuffers(1, &depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, depthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, record.width, record.height);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTexture, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthStencil);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        return;

    std::vector<DWORD> texels(REPLAY_TEXTURE_SIZE * REPLAY_TEXTURE_SIZE);
    glGenTextures(REPLAY_TEXTURES, textures);
    for (int t = 0; t < REPLAY_TEXTURES; t++) {
        for (int y = 0; y < REPLAY_TEXTURE_SIZE; y++)
            for (int x = 0; x < REPLAY_TEXTURE_SIZE; x++)
                texels[y * REPLAY_TEXTURE_SIZE + x] = ReplayTexel(t, x, y);
        glBindTexture(GL_TEXTURE_2D, textures[t]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, REPLAY_TEXTURE_SIZE, REPLAY_TEXTURE_SIZE, 0, GL_BGRA,
                     GL_UNSIGNED_BYTE, texels.data());
    }
    texels.resize(REPLAY_CUBE_SIZE * REPLAY_CUBE_SIZE);
    glGenTextures(1, &cube);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    for (int face = 0; face < 6; face++) {
        for (int y = 0; y < REPLAY_CUBE_SIZE; y++)
            for (int x = 0; x < REPLAY_CUBE_SIZE; x++)
                texels[y * REPLAY_CUBE_SIZE + x] = ReplayCubeTexel(face, x, y);
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_RGBA8, REPLAY_CUBE_SIZE, REPLAY_CUBE_SIZE, 0,
                     GL_BGRA, GL_UNSIGNED_BYTE, texels.data());
    }

    // Direct3D's projection turned into OpenGL's clip space once: z from
    // 0..w to -w..w, and y turned over as the device stores images.
    D3DMATRIX p = record.projection;
    for (int row = 0; row < 4; row++) {
        p.m[row][2] = 2.0f * p.m[row][2] - p.m[row][3];
        p.m[row][1] = -p.m[row][1];
    }
    memcpy(projection, &p._11, sizeof(projection));

    // The scene in world space: the slab, then the stones gathered by texture
    // in the order the textures first appear, each group one draw.
    std::vector<BYTE> scene;
    AppendBox(record.slab, record.slabWorld, &scene);
    slab = {0, BoardRecord::BOX_VERTICES};
    for (size_t first = 0; first < record.stones.size(); first++) {
        int texture = record.stones[first].type % REPLAY_STONE_TEXTURES;
        bool seen = false;
        for (const StoneGroup& group : stoneGroups)
            seen = seen || group.texture == texture;
        if (seen)
            continue;
        StoneGroup group = {texture, {(GLint)(scene.size() / BoardRecord::BOX_STRIDE), 0}};
        for (size_t s = first; s < record.stones.size(); s++) {
            const BoardRecord::Stone& stone = record.stones[s];
            if (stone.type % REPLAY_STONE_TEXTURES != texture)
                continue;
            AppendBox(stone.box, stone.world, &scene);
            group.span.count += BoardRecord::BOX_VERTICES;
        }
        stoneGroups.push_back(group);
    }
    sceneBuffer = MakeBuffer(scene);

    std::vector<BYTE> volumeBytes;
    for (const BoardRecord::Volume& volume : record.volumes)
        for (size_t v = 0; v + 3 <= volume.positions.size(); v += 3) {
            float moved[3];
            TransformPoint(&volume.positions[v], volume.world, moved);
            const BYTE* bytes = (const BYTE*)moved;
            volumeBytes.insert(volumeBytes.end(), bytes, bytes + sizeof(moved));
        }
    volumes = {0, (GLsizei)(volumeBytes.size() / 12)};
    volumeBuffer = MakeBuffer(volumeBytes);

    // The screen pieces; the darkening quad has its own, shorter vertices at the end.
    std::vector<BYTE> screen = BackgroundVertices(record.width, record.height);
    background = {0, (GLsizei)(screen.size() / REPLAY_SCREEN_STRIDE)};
    overlayQuads.first = (GLint)(screen.size() / REPLAY_SCREEN_STRIDE);
    for (const OverlayQuad& quad : OverlayQuads())
        AppendStripAsTriangles(QuadStrip(quad), &screen);
    overlayQuads.count = (GLsizei)(screen.size() / REPLAY_SCREEN_STRIDE) - overlayQuads.first;
    overlayText.first = (GLint)(screen.size() / REPLAY_SCREEN_STRIDE);
    for (const OverlayText& text : OverlayTexts()) {
        std::vector<BYTE> shadow = TextTriangles(text, true);
        std::vector<BYTE> letters = TextTriangles(text, false);
        screen.insert(screen.end(), shadow.begin(), shadow.end());
        screen.insert(screen.end(), letters.begin(), letters.end());
    }
    overlayText.count = (GLsizei)(screen.size() / REPLAY_SCREEN_STRIDE) - overlayText.first;
    shadowQuadOffset = (GLintptr)screen.size();
    std::vector<BYTE> shadowQuad = ShadowQuadVertices(record.width, record.height);
    screen.insert(screen.end(), shadowQuad.begin(), shadowQuad.end());
    screenBuffer = MakeBuffer(screen);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    // What never changes: the light (placed under the view), the material
    // and how the vertex colour feeds it, the texture stages' combiners.
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(&record.view._11);
    const D3DLIGHT8& light = record.light;
    GLfloat toLight[4] = {-light.Direction.x, -light.Direction.y, -light.Direction.z, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, toLight);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, &light.Diffuse.r);
    glLightfv(GL_LIGHT0, GL_SPECULAR, &light.Specular.r);
    glLightfv(GL_LIGHT0, GL_AMBIENT, &light.Ambient.r);
    glEnable(GL_LIGHT0);
    GLfloat ambient[4] = {((record.ambient >> 16) & 0xFF) / 255.0f, ((record.ambient >> 8) & 0xFF) / 255.0f,
                          (record.ambient & 0xFF) / 255.0f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, &record.material.Ambient.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, &record.material.Emissive.r);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glActiveTexture(GL_TEXTURE1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
    glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
    glActiveTexture(GL_TEXTURE0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glDepthFunc(GL_LEQUAL);
    glStencilMask(0xFF);
    glViewport(0, 0, record.width, record.height);
    ready = true;
}

PlainGLBoard::~PlainGLBoard()
{
    if (!framebuffer)
        return;
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteBuffers(1, &sceneBuffer);
    glDeleteBuffers(1, &volumeBuffer);
    glDeleteBuffers(1, &screenBuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &depthStencil);
    glDeleteTextures(1, &colorTexture);
    glDeleteTextures(REPLAY_TEXTURES, textures);
    glDeleteTextures(1, &cube);
}

// Pixels with their centres on whole coordinates, top row first.
void PlainGLBoard::ScreenSpace()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-0.5, record.width - 0.5, -0.5, record.height - 0.5, 0.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// The scene's vertices are in world space already: only the view is left.
void PlainGLBoard::SceneSpace()
{
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(&record.view._11);
}

void PlainGLBoard::PointAtSceneVertices()
{
    glBindBuffer(GL_ARRAY_BUFFER, sceneBuffer);
    glVertexPointer(3, GL_FLOAT, BoardRecord::BOX_STRIDE, (const void*)nullptr);
    glNormalPointer(GL_FLOAT, BoardRecord::BOX_STRIDE, (const void*)12);
    glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, BoardRecord::BOX_STRIDE, (const void*)24);
    glTexCoordPointer(2, GL_FLOAT, BoardRecord::BOX_STRIDE, (const void*)28);
}

// Screen vertices: position (the fourth float, rhw, is not read), colour, texture coordinates.
void PlainGLBoard::PointAtScreenVertices(GLsizei stride, GLintptr offset)
{
    glBindBuffer(GL_ARRAY_BUFFER, screenBuffer);
    glVertexPointer(3, GL_FLOAT, stride, (const void*)offset);
    glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, (const void*)(offset + 16));
    glTexCoordPointer(2, GL_FLOAT, stride, (const void*)(offset + 20));
}

void PlainGLBoard::DrawFrame()
{
    if (SDL_GL_GetCurrentContext() != glContext)
        SDL_GL_MakeCurrent(glWindow, glContext);
    glDepthMask(GL_TRUE);
    glClearColor(0.125f, 0.188f, 0.25f, 1.0f);
    glClearDepth(1.0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    // The background picture; blending stays on from the last frame's overlay,
    // as it does in the game.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    ScreenSpace();
    PointAtScreenVertices(REPLAY_SCREEN_STRIDE, 0);
    glBindTexture(GL_TEXTURE_2D, textures[REPLAY_BACKGROUND]);
    glDrawArrays(GL_TRIANGLE_STRIP, background.first, background.count);

    // The slab with the cube map reflected on the second unit.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    SceneSpace();
    PointAtSceneVertices();
    glEnableClientState(GL_NORMAL_ARRAY);
    glBindTexture(GL_TEXTURE_2D, textures[REPLAY_SLAB]);
    glActiveTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_CUBE_MAP);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_GEN_R);
    glDrawArrays(GL_TRIANGLES, slab.first, slab.count);
    glDisable(GL_TEXTURE_CUBE_MAP);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
    glActiveTexture(GL_TEXTURE0);

    // The stones, one draw per texture.
    for (const StoneGroup& group : stoneGroups) {
        glBindTexture(GL_TEXTURE_2D, textures[group.texture]);
        glDrawArrays(GL_TRIANGLES, group.span.first, group.span.count);
    }
    glDisableClientState(GL_NORMAL_ARRAY);

    // Shadow volumes into the stencil buffer, no colour reaching the frame:
    // front faces count up, back faces count down.
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDepthMask(GL_FALSE);
    glEnable(GL_STENCIL_TEST);
    glShadeModel(GL_FLAT);
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    glBlendFunc(GL_ZERO, GL_ONE);
    glBindBuffer(GL_ARRAY_BUFFER, volumeBuffer);
    glVertexPointer(3, GL_FLOAT, 12, (const void*)nullptr);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR_WRAP);
    glDrawArrays(GL_TRIANGLES, volumes.first, volumes.count);
    glCullFace(GL_FRONT);
    glStencilOp(GL_KEEP, GL_KEEP, GL_DECR_WRAP);
    glDrawArrays(GL_TRIANGLES, volumes.first, volumes.count);
    glShadeModel(GL_SMOOTH);
    glCullFace(GL_BACK);
    glDepthMask(GL_TRUE);

    // The darkening quad where the stencil count is 1 or more.
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glStencilFunc(GL_LEQUAL, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    ScreenSpace();
    glEnableClientState(GL_COLOR_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, screenBuffer);
    glVertexPointer(3, GL_FLOAT, REPLAY_SHADOW_QUAD_STRIDE, (const void*)shadowQuadOffset);
    glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, REPLAY_SHADOW_QUAD_STRIDE, (const void*)(shadowQuadOffset + 16));
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glDisable(GL_STENCIL_TEST);

    // The overlay: panels, frames and button faces in one draw, then every
    // line of text (its shadow, then itself) in another.
    glDisable(GL_CULL_FACE);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    PointAtScreenVertices(REPLAY_SCREEN_STRIDE, 0);
    glDrawArrays(GL_TRIANGLES, overlayQuads.first, overlayQuads.count);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textures[REPLAY_FONT]);
    glDrawArrays(GL_TRIANGLES, overlayText.first, overlayText.count);
    glEnable(GL_CULL_FACE);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glFinish();
}

std::vector<DWORD> PlainGLBoard::Pixels()
{
    if (SDL_GL_GetCurrentContext() != glContext)
        SDL_GL_MakeCurrent(glWindow, glContext);
    std::vector<DWORD> pixels((size_t)record.width * record.height);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, record.width, record.height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
