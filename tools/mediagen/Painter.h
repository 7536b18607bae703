// Drawing helpers shared by every picture of the generator: canvases, the house colours,
// rounded shapes, DejaVu text with the game's gold title style, and tileable noise.
#pragma once

#include <cairo.h>
#include <string>
#include <vector>

struct Colour {
    double r, g, b;
};

// The look every picture shares: deep night blue, gold accents, glassy stones.
namespace Palette {
const Colour night     = { 0.04, 0.06, 0.16 };
const Colour nightBlue = { 0.10, 0.16, 0.38 };
const Colour gold      = { 1.00, 0.80, 0.30 };
const Colour goldDark  = { 0.55, 0.35, 0.05 };
const Colour ink       = { 0.09, 0.10, 0.66 };
const Colour blue      = { 0.15, 0.40, 0.95 };
const Colour green     = { 0.15, 0.75, 0.25 };
const Colour red       = { 0.90, 0.15, 0.15 };
const Colour yellow    = { 0.98, 0.88, 0.15 };
const Colour orange    = { 1.00, 0.50, 0.05 };
const Colour special   = { 0.95, 0.93, 0.85 };
const Colour block     = { 0.36, 0.36, 0.40 };
}

Colour Mix(Colour a, Colour b, double t);
Colour Lighter(Colour c, double t);   // towards white
Colour Darker(Colour c, double t);    // towards black

cairo_surface_t* NewCanvas(int width, int height);

void SetColour(cairo_t* cr, Colour c, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
// Paints the whole clip with a radial gradient from `inner` (at radius r0 around the
// first centre) to `outer` (at radius r1 around the second).
void PaintRadial(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1, double r1,
                 Colour inner, double innerAlpha, Colour outer, double outerAlpha);
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points);

// Makes the drawing space of a texture shown on screen with another aspect: afterwards
// the texture spans width texW and height texW * screenH / screenW, so shapes drawn in it
// look undistorted once the texture is stretched onto its screen rectangle.
// Returns the height of that drawing space.
double UseScreenAspect(cairo_t* cr, int texW, int texH, double screenW, double screenH);

void SetFont(cairo_t* cr, double size, bool bold);
double TextWidth(cairo_t* cr, const std::string& utf8);
// Largest font size not above maxSize at which the text fits into maxWidth.
double FitFontSize(cairo_t* cr, const std::string& utf8, double maxWidth, double maxSize, bool bold);

// Gold lettering with a dark outline and a soft shadow, centred on (cx, baseline).
void DrawTitleText(cairo_t* cr, const std::string& utf8, double cx, double baseline, double size);
// A vertical gold gradient from top to bottom as the source of the context.
void SetGoldGradient(cairo_t* cr, double top, double bottom);
// Fills the current path with gold and outlines it in dark gold.
void FillGold(cairo_t* cr, double top, double bottom, double outline);
// Plain filled text centred on (cx, baseline).
void DrawCentredText(cairo_t* cr, const std::string& utf8, double cx, double baseline, double size,
                     bool bold, Colour c, double alpha = 1.0);

// Smooth value noise in 0..1 that repeats every `period` units in x, and every `periodY`
// units in y (the same period when periodY is 0).
double TileNoise(double x, double y, int period, unsigned seed, int periodY = 0);
// Several octaves of TileNoise, still repeating with the same periods.
double TileFractal(double x, double y, int period, unsigned seed, int octaves, int periodY = 0);

// Straight-alpha write of one pixel into an ARGB32 surface (values 0..1, clamped).
void PutPixel(cairo_surface_t* surface, int x, int y, double r, double g, double b, double a);

// Isometric view of the board, used by the logo and the help pictures. A cell is 1 x 1,
// a stone half as high; `unit` is the screen length of one cell edge.
struct IsoView {
    double ox, oy, unit;
};
void IsoPoint(const IsoView& v, double gx, double gy, double gz, double* sx, double* sy);
void DrawIsoTile(cairo_t* cr, const IsoView& v, int gx, int gy, Colour c);
void DrawIsoStone(cairo_t* cr, const IsoView& v, double gx, double gy, double gz, Colour c);
struct IsoStone {
    double x, y, z;
    Colour c;
};
// Stones drawn back to front: by row plus column, then from the floor up.
void DrawIsoStones(cairo_t* cr, const IsoView& v, std::vector<IsoStone> stones);
// A board of n x n tiles; the goal cells given as (x, y) pairs are drawn as target fields.
void DrawIsoBoard(cairo_t* cr, const IsoView& v, int n, const int targets[][2], int targetCount);
