// Vertices and texels that both replays of a board frame draw from, so that
// the Direct3D layer and plain OpenGL get the very same bytes.
#ifndef ZARUL_REPLAYGEOMETRY_H
#define ZARUL_REPLAYGEOMETRY_H

#include "BoardRecord.h"

#include <vector>

// Screen vertices: x, y, z, rhw, colour, u, v (28 bytes).
enum { REPLAY_SCREEN_FORMAT = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1, REPLAY_SCREEN_STRIDE = 28 };
// The darkening quad: x, y, z, rhw, colour (20 bytes).
enum { REPLAY_SHADOW_QUAD_FORMAT = D3DFVF_XYZRHW | D3DFVF_DIFFUSE, REPLAY_SHADOW_QUAD_STRIDE = 20 };
enum { REPLAY_CUBE_SIZE = 256 };

DWORD ReplayCubeTexel(int face, int x, int y);

// A strip of four over the whole frame, black at alpha 127.
std::vector<BYTE> ShadowQuadVertices(int width, int height);
// A strip of four over the whole frame showing the whole background texture.
std::vector<BYTE> BackgroundVertices(int width, int height);
// A strip of four screen vertices for one overlay quad.
std::vector<BYTE> QuadStrip(const OverlayQuad& quad);
// Two triangles per character of the line; the shadow is dark and two pixels
// to the lower right.
std::vector<BYTE> TextTriangles(const OverlayText& text, bool shadow);

#endif
