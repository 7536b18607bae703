#include "PlainGLBoard.h"

#include "ReplayGeometry.h"

#include <string.h>

namespace {

// Row-vector product a * b.
void Multiply(const D3DMATRIX& a, const D3DMATRIX& b, GLfloat* out)
{
    for (int row = 0; row < 4; row++)
        for (int column = 0; column < 4; column++) {
            float sum = 0.0f;
            for (int k = 0; k < 4; k++)
                sum += a.m[row][k] * b.m[k][column];
            out[row * 4 + column] = sum;
        }
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

    background = BackgroundVertices(record.width, record.height);
    shadowQuad = ShadowQuadVertices(record.width, record.height);
    for (const OverlayQuad& quad : OverlayQuads())
        overlayQuads.push_back(QuadStrip(quad));
    for (const OverlayText& text : OverlayTexts()) {
        overlayTexts.push_back(TextTriangles(text, true));
        overlayTexts.push_back(TextTriangles(text, false));
    }

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

void PlainGLBoard::SceneSpace(const D3DMATRIX& world)
{
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
    glMatrixMode(GL_MODELVIEW);
    GLfloat worldView[16];
    Multiply(world, record.view, worldView);
    glLoadMatrixf(worldView);
}

void PlainGLBoard::DrawScreenVertices(const std::vector<BYTE>& vertices, GLuint texture, GLenum mode)
{
    const BYTE* v = vertices.data();
    glVertexPointer(3, GL_FLOAT, REPLAY_SCREEN_STRIDE, v);
    glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, REPLAY_SCREEN_STRIDE, v + 16);
    glTexCoordPointer(2, GL_FLOAT, REPLAY_SCREEN_STRIDE, v + 20);
    if (texture) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    glDrawArrays(mode, 0, (GLsizei)(vertices.size() / REPLAY_SCREEN_STRIDE));
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
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    ScreenSpace();
    DrawScreenVertices(background, textures[REPLAY_BACKGROUND], GL_TRIANGLE_STRIP);

    // The slab with the cube map reflected on the second unit.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    SceneSpace(record.slabWorld);
    const BYTE* slab = record.slab.data();
    glVertexPointer(3, GL_FLOAT, BoardRecord::BOX_STRIDE, slab);
    glNormalPointer(GL_FLOAT, BoardRecord::BOX_STRIDE, slab + 12);
    glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, BoardRecord::BOX_STRIDE, slab + 24);
    glTexCoordPointer(2, GL_FLOAT, BoardRecord::BOX_STRIDE, slab + 28);
    glEnableClientState(GL_NORMAL_ARRAY);
    glBindTexture(GL_TEXTURE_2D, textures[REPLAY_SLAB]);
    glActiveTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_CUBE_MAP);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_GEN_R);
    glDrawArrays(GL_TRIANGLES, 0, BoardRecord::BOX_VERTICES);
    glDisable(GL_TEXTURE_CUBE_MAP);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
    glActiveTexture(GL_TEXTURE0);

    // Stones in type order.
    int lastType = -1;
    for (const BoardRecord::Stone& stone : record.stones) {
        if (stone.type != lastType) {
            glBindTexture(GL_TEXTURE_2D, textures[stone.type % REPLAY_STONE_TEXTURES]);
            lastType = stone.type;
        }
        SceneSpace(stone.world);
        const BYTE* box = stone.box.data();
        glVertexPointer(3, GL_FLOAT, BoardRecord::BOX_STRIDE, box);
        glNormalPointer(GL_FLOAT, BoardRecord::BOX_STRIDE, box + 12);
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, BoardRecord::BOX_STRIDE, box + 24);
        glTexCoordPointer(2, GL_FLOAT, BoardRecord::BOX_STRIDE, box + 28);
        glDrawArrays(GL_TRIANGLES, 0, BoardRecord::BOX_VERTICES);
    }
    glDisableClientState(GL_NORMAL_ARRAY);

    // Shadow volumes into the stencil buffer, no colour reaching the frame.
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDepthMask(GL_FALSE);
    glEnable(GL_STENCIL_TEST);
    glShadeModel(GL_FLAT);
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR_WRAP);
    glBlendFunc(GL_ZERO, GL_ONE);
    for (int pass = 0; pass < 2; pass++) {
        if (pass == 1) {
            glCullFace(GL_FRONT);
            glStencilOp(GL_KEEP, GL_KEEP, GL_DECR_WRAP);
        }
        for (const BoardRecord::Volume& volume : record.volumes) {
            SceneSpace(volume.world);
            glVertexPointer(3, GL_FLOAT, 12, volume.positions.data());
            glDrawArrays(GL_TRIANGLES, 0, (GLsizei)(volume.positions.size() / 3));
        }
    }
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
    glVertexPointer(3, GL_FLOAT, REPLAY_SHADOW_QUAD_STRIDE, shadowQuad.data());
    glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, REPLAY_SHADOW_QUAD_STRIDE, shadowQuad.data() + 16);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glDisable(GL_STENCIL_TEST);

    // The overlay: panels, frames, button faces, then the lines of text.
    glDisable(GL_CULL_FACE);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    for (const std::vector<BYTE>& quad : overlayQuads)
        DrawScreenVertices(quad, 0, GL_TRIANGLE_STRIP);
    for (const std::vector<BYTE>& text : overlayTexts)
        DrawScreenVertices(text, textures[REPLAY_FONT], GL_TRIANGLES);
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glFinish();
}
