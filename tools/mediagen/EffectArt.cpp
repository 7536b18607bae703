// Effect pictures: the explosion sprite sheet (36 frames in a 6 x 6 grid, read left to right
// and top to bottom, on black because it has no alpha), the sparkle particle and the streaks
// of the light rays above goal stones.
#include "Art.h"
#include "Painter.h"

#include <algorithm>
#include <cmath>
#include <vector>

static double Clamp01(double v)
{
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

// Heat 0..1 to the colour of fire: smoke red, orange, yellow, white.
static Colour FireColour(double heat)
{
    if (heat < 0.35)
        return Mix({ 0, 0, 0 }, { 0.65, 0.12, 0.02 }, heat / 0.35);
    if (heat < 0.65)
        return Mix({ 0.65, 0.12, 0.02 }, { 1.0, 0.55, 0.08 }, (heat - 0.35) / 0.3);
    if (heat < 0.85)
        return Mix({ 1.0, 0.55, 0.08 }, { 1.0, 0.92, 0.45 }, (heat - 0.65) / 0.2);
    return Mix({ 1.0, 0.92, 0.45 }, { 1, 1, 1 }, (heat - 0.85) / 0.15);
}

static void MakeExplosion(MediaSet& media)
{
    // A burst is seen at about a stone's size, well under 128 pixels even in
    // the largest window; the game names 256-pixel frames, and the billboard
    // takes its frames as fractions of the sheet, so smaller frames only save
    // memory. The fire is designed on a 256-pixel frame and sampled from it.
    const int frame = 128, grid = 6, frames = grid * grid;
    const double design = 256.0, scale = design / frame;
    cairo_surface_t* s = NewCanvas(frame * grid, frame * grid);
    cairo_surface_flush(s);
    for (int k = 0; k < frames; k++) {
        const double t = k / (double)(frames - 1);
        const double radius = 36 + 84 * (1 - (1 - t) * (1 - t));
        const double fade = t < 0.4 ? 1.0 : pow((1 - t) / 0.6, 1.5);
        const double grow = 0.6 + t;   // the turbulence grows with the ball
        const int ox = (k % grid) * frame, oy = (k / grid) * frame;
        for (int y = 0; y < frame; y++)
            for (int x = 0; x < frame; x++) {
                const double dx = (x + 0.5) * scale - design / 2.0, dy = (y + 0.5) * scale - design / 2.0;
                const double d = sqrt(dx * dx + dy * dy) / radius;
                const double n = TileFractal(dx / (14.0 * grow) + 64, dy / (14.0 * grow) + 64 + t * 2, 128, 91, 5);
                const double density = Clamp01((1.0 - d) * 2.4 + (n - 0.5) * 2.4 - t * 0.5);
                const double heat = Clamp01(density * (1.25 - 0.9 * t) * (1.15 - 0.5 * d) + (n - 0.5) * 0.3);
                const Colour c = FireColour(heat);
                // nothing reaches the frame's edge, so frames never bleed into each other
                const double edge = Clamp01((design / 2.0 - 3 * scale - sqrt(dx * dx + dy * dy)) / 16.0);
                const double v = density * fade * edge;
                PutPixel(s, ox + x, oy + y, c.r * v, c.g * v, c.b * v, 1);
            }
    }
    cairo_surface_mark_dirty(s);
    media.Save("expla.bmp", s);
}

static void MakeSparkle(MediaSet& media)
{
    const int S = 64;
    cairo_surface_t* s = NewCanvas(S, S);
    cairo_surface_flush(s);
    for (int y = 0; y < S; y++)
        for (int x = 0; x < S; x++) {
            const double dx = (x + 0.5 - S / 2.0) / (S / 2.0), dy = (y + 0.5 - S / 2.0) / (S / 2.0);
            const double r = sqrt(dx * dx + dy * dy);
            double v = exp(-r * r * 9.0);                                 // glow
            v += 0.6 * exp(-fabs(dx) * 30) * Clamp01(1 - fabs(dy));       // vertical ray
            v += 0.6 * exp(-fabs(dy) * 30) * Clamp01(1 - fabs(dx));       // horizontal ray
            v *= Clamp01((1 - r) * 4);                                    // black at the border
            v = Clamp01(v);
            PutPixel(s, x, y, v, v, v * 0.92, 1);
        }
    cairo_surface_mark_dirty(s);
    media.Save("sun.jpg", s);
}

// Light rays: streaks along v that repeat in v (the texture scrolls along the rays),
// softened towards u = 0 and u = 1, the two long edges of each ray.
static void MakeRays(MediaSet& media)
{
    const int S = 128;
    std::vector<double> alpha(S * S);
    double top = 1e-9;
    for (int y = 0; y < S; y++)
        for (int x = 0; x < S; x++) {
            const double u = (x + 0.5) / S;
            const double streak = TileFractal(x / 4.0, y / 64.0, S / 4, 97, 3, S / 64);
            const double pulse = TileFractal(x / 32.0, y / 16.0, S / 32, 101, 2, S / 16);
            alpha[y * S + x] = Clamp01((streak - 0.35) * 2.0) * (0.5 + 0.5 * pulse) * sin(M_PI * u);
            top = std::max(top, alpha[y * S + x]);
        }
    // the brightest streak is fully opaque; the vertex alpha fades the rays anyway
    cairo_surface_t* s = NewCanvas(S, S);
    cairo_surface_flush(s);
    for (int y = 0; y < S; y++)
        for (int x = 0; x < S; x++)
            PutPixel(s, x, y, 1.0, 0.95, 0.8, alpha[y * S + x] / top);
    cairo_surface_mark_dirty(s);
    media.Save("tex004.dds", s);
}

void MakeEffectArt(MediaSet& media)
{
    MakeExplosion(media);
    MakeSparkle(media);
    MakeRays(media);
}
