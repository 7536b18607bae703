// Stones, the target-field and board tiles, the game and menu backgrounds and the sky
// textures of the skybox.
#include "Art.h"
#include "Painter.h"

#include <cmath>

enum Emblem { EMBLEM_CIRCLE, EMBLEM_TRIANGLE, EMBLEM_DIAMOND, EMBLEM_STAR, EMBLEM_HEXAGON };

static void EmblemPath(cairo_t* cr, Emblem emblem, double cx, double cy, double r)
{
    switch (emblem) {
    case EMBLEM_CIRCLE:
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, r * 0.85, 0, 2 * M_PI);
        break;
    case EMBLEM_TRIANGLE:
        cairo_move_to(cr, cx, cy - r);
        cairo_line_to(cr, cx + r * 0.95, cy + r * 0.7);
        cairo_line_to(cr, cx - r * 0.95, cy + r * 0.7);
        cairo_close_path(cr);
        break;
    case EMBLEM_DIAMOND:
        cairo_move_to(cr, cx, cy - r);
        cairo_line_to(cr, cx + r * 0.8, cy);
        cairo_line_to(cr, cx, cy + r);
        cairo_line_to(cr, cx - r * 0.8, cy);
        cairo_close_path(cr);
        break;
    case EMBLEM_STAR:
        StarPath(cr, cx, cy + r * 0.08, r, r * 0.45, 5);
        break;
    case EMBLEM_HEXAGON:
        cairo_new_sub_path(cr);
        for (int i = 0; i < 6; i++)
            cairo_line_to(cr, cx + r * 0.9 * cos(i * M_PI / 3), cy + r * 0.9 * sin(i * M_PI / 3));
        cairo_close_path(cr);
        break;
    }
}

// Fine grain over the whole picture, so flat areas do not look like plastic.
static void AddGrain(cairo_surface_t* s, unsigned seed, double strength)
{
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const double n = (TileFractal(x / 8.0, y / 8.0, w / 8, seed, 3) - 0.5) * strength;
            unsigned char* p = data + y * stride + x * 4;
            for (int c = 0; c < 3; c++) {
                int v = p[c] + (int)(n * 255);
                p[c] = (unsigned char)(v < 0 ? 0 : (v > p[3] ? p[3] : v));
            }
        }
    cairo_surface_mark_dirty(s);
}

// A square stone face: bevelled frame, a softly lit face and an emblem in the middle.
static cairo_surface_t* StoneFace(Colour base, unsigned seed)
{
    const int S = 256;
    const double bevel = 22;
    cairo_surface_t* s = NewCanvas(S, S);
    cairo_t* cr = cairo_create(s);

    SetColour(cr, base);
    cairo_paint(cr);

    // bevel: light from the top left
    cairo_move_to(cr, 0, 0); cairo_line_to(cr, S, 0); cairo_line_to(cr, S - bevel, bevel);
    cairo_line_to(cr, bevel, bevel); cairo_close_path(cr);
    SetColour(cr, Lighter(base, 0.45)); cairo_fill(cr);
    cairo_move_to(cr, 0, 0); cairo_line_to(cr, bevel, bevel); cairo_line_to(cr, bevel, S - bevel);
    cairo_line_to(cr, 0, S); cairo_close_path(cr);
    SetColour(cr, Lighter(base, 0.25)); cairo_fill(cr);
    cairo_move_to(cr, S, 0); cairo_line_to(cr, S, S); cairo_line_to(cr, S - bevel, S - bevel);
    cairo_line_to(cr, S - bevel, bevel); cairo_close_path(cr);
    SetColour(cr, Darker(base, 0.30)); cairo_fill(cr);
    cairo_move_to(cr, 0, S); cairo_line_to(cr, bevel, S - bevel); cairo_line_to(cr, S - bevel, S - bevel);
    cairo_line_to(cr, S, S); cairo_close_path(cr);
    SetColour(cr, Darker(base, 0.50)); cairo_fill(cr);

    // the face: a diagonal sheen
    cairo_pattern_t* face = cairo_pattern_create_linear(bevel, bevel, S - bevel, S - bevel);
    const Colour hi = Lighter(base, 0.30), lo = Darker(base, 0.15);
    cairo_pattern_add_color_stop_rgb(face, 0.0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(face, 0.55, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(face, 1.0, lo.r, lo.g, lo.b);
    cairo_rectangle(cr, bevel, bevel, S - 2 * bevel, S - 2 * bevel);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);

    cairo_destroy(cr);
    AddGrain(s, seed, 0.10);
    return s;
}

static void DrawEmblem(cairo_surface_t* s, Emblem emblem, Colour base)
{
    cairo_t* cr = cairo_create(s);
    const double c = 128, r = 62;
    // sunken shadow, then the raised emblem
    EmblemPath(cr, emblem, c + 4, c + 5, r);
    SetColour(cr, Darker(base, 0.55), 0.7);
    cairo_fill(cr);
    EmblemPath(cr, emblem, c, c, r);
    cairo_pattern_t* g = cairo_pattern_create_radial(c - 20, c - 25, 5, c, c, r * 1.2);
    const Colour a = Lighter(base, 0.75), b = Lighter(base, 0.25);
    cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 5);
    SetColour(cr, Darker(base, 0.45));
    cairo_stroke(cr);
    cairo_destroy(cr);
}

static void MakeColourStone(MediaSet& media, const char* name, Colour base, Emblem emblem, unsigned seed)
{
    cairo_surface_t* s = StoneFace(base, seed);
    DrawEmblem(s, emblem, base);
    media.Save(name, s);
}

// The goal stone: pearl white with a gold star, the sign that also marks its target field.
static void MakeSpecialStone(MediaSet& media)
{
    cairo_surface_t* s = StoneFace(Palette::special, 11);
    cairo_t* cr = cairo_create(s);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 128, 128, 78, 0, 2 * M_PI);
    SetColour(cr, Palette::goldDark, 0.9);
    cairo_set_line_width(cr, 8);
    cairo_stroke(cr);
    StarPath(cr, 132, 134, 66, 28, 8);
    SetColour(cr, { 0, 0, 0 }, 0.35);
    cairo_fill(cr);
    StarPath(cr, 128, 128, 66, 28, 8);
    cairo_pattern_t* g = cairo_pattern_create_radial(110, 105, 4, 128, 128, 70);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.98, 0.8);
    cairo_pattern_add_color_stop_rgb(g, 1, Palette::gold.r, Palette::gold.g * 0.9, Palette::gold.b * 0.6);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, Palette::goldDark);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    cairo_destroy(cr);
    media.Save("stone_special.jpg", s);
}

// The block: dark granite crossed by riveted iron bands; it looks like it cannot be moved.
static void MakeBlockStone(MediaSet& media)
{
    cairo_surface_t* s = StoneFace(Palette::block, 23);
    AddGrain(s, 29, 0.30);
    cairo_t* cr = cairo_create(s);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    for (int pass = 0; pass < 2; pass++) {
        const double off = pass == 0 ? 4 : 0;
        cairo_move_to(cr, 40 + off, 40 + off); cairo_line_to(cr, 216 + off, 216 + off);
        cairo_move_to(cr, 216 + off, 40 + off); cairo_line_to(cr, 40 + off, 216 + off);
        cairo_set_line_width(cr, 30);
        if (pass == 0)
            SetColour(cr, { 0, 0, 0 }, 0.5);
        else
            SetColour(cr, { 0.22, 0.22, 0.25 });
        cairo_stroke(cr);
    }
    const double rivets[5][2] = { { 128, 128 }, { 56, 56 }, { 200, 56 }, { 56, 200 }, { 200, 200 } };
    for (const auto& r : rivets) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, r[0], r[1], 9, 0, 2 * M_PI);
        cairo_pattern_t* g = cairo_pattern_create_radial(r[0] - 3, r[1] - 3, 1, r[0], r[1], 10);
        cairo_pattern_add_color_stop_rgb(g, 0, 0.85, 0.85, 0.9);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.25, 0.25, 0.3);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    cairo_destroy(cr);
    media.Save("stone_block.jpg", s);
}

// The target field: a dark tile with a glowing gold ring and the goal stone's star outline.
static void MakeTargetField(MediaSet& media)
{
    const int S = 256;
    cairo_surface_t* s = NewCanvas(S, S);
    cairo_t* cr = cairo_create(s);
    cairo_pattern_t* bg = cairo_pattern_create_radial(128, 128, 10, 128, 128, 180);
    cairo_pattern_add_color_stop_rgb(bg, 0, 0.55, 0.42, 0.12);
    cairo_pattern_add_color_stop_rgb(bg, 0.6, 0.18, 0.14, 0.10);
    cairo_pattern_add_color_stop_rgb(bg, 1, 0.08, 0.07, 0.10);
    cairo_set_source(cr, bg);
    cairo_paint(cr);
    cairo_pattern_destroy(bg);

    for (int i = 0; i < 3; i++) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 128, 128, 100 - i * 4, 0, 2 * M_PI);
        SetColour(cr, Palette::gold, 0.25 + i * 0.3);
        cairo_set_line_width(cr, 10 - i * 3);
        cairo_stroke(cr);
    }
    StarPath(cr, 128, 128, 66, 28, 8);
    cairo_set_line_width(cr, 6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, Palette::gold);
    cairo_stroke(cr);
    RoundedRect(cr, 6, 6, S - 12, S - 12, 18);
    cairo_set_line_width(cr, 8);
    SetColour(cr, Palette::gold, 0.8);
    cairo_stroke(cr);
    cairo_destroy(cr);
    AddGrain(s, 37, 0.08);
    media.Save("field_special.jpg", s);
}

// One board cell: dark blue slate with a bevelled rim; repeats seamlessly.
static void MakeGridTile(MediaSet& media)
{
    const int S = 256;
    cairo_surface_t* s = NewCanvas(S, S);
    cairo_surface_flush(s);
    for (int y = 0; y < S; y++)
        for (int x = 0; x < S; x++) {
            const double n = TileFractal(x / 32.0, y / 32.0, S / 32, 41, 4);
            const Colour c = Mix({ 0.16, 0.19, 0.28 }, { 0.30, 0.34, 0.46 }, n);
            PutPixel(s, x, y, c.r, c.g, c.b, 1);
        }
    cairo_surface_mark_dirty(s);
    cairo_t* cr = cairo_create(s);
    const double e = 8;
    cairo_rectangle(cr, 0, 0, S, e);
    cairo_rectangle(cr, 0, 0, e, S);
    SetColour(cr, { 1, 1, 1 }, 0.18);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, S - e, S, e);
    cairo_rectangle(cr, S - e, 0, e, S);
    SetColour(cr, { 0, 0, 0 }, 0.35);
    cairo_fill(cr);
    cairo_destroy(cr);
    media.Save("gridtile.jpg", s);
}

// A starry night sky with a faint nebula; `period` makes it repeat when wrapped.
// The smallest window the game opens, its default size.
static const int GAME_BACK_WIDTH = 500;
static const int GAME_BACK_HEIGHT = 375;

static cairo_surface_t* NightSky(int S, unsigned seed, double nebula)
{
    cairo_surface_t* s = NewCanvas(S, S);
    cairo_surface_flush(s);
    for (int y = 0; y < S; y++)
        for (int x = 0; x < S; x++) {
            const double n = TileFractal(x / 64.0, y / 64.0, S / 64, seed, 5);
            const double m = TileFractal(x / 128.0, y / 128.0, S / 128, seed + 7, 4);
            Colour c = Mix(Palette::night, Palette::nightBlue, n * 0.9);
            c = Mix(c, { 0.45, 0.20, 0.55 }, std::max(0.0, m - 0.5) * nebula);
            c = Mix(c, { 0.20, 0.45, 0.70 }, std::max(0.0, n - 0.6) * nebula);
            // stars: rare bright pixels from a fine hash
            const double star = TileNoise(x * 0.9, y * 0.9, (int)(S * 0.9), seed + 13);
            if (star > 0.985)
                c = Mix(c, { 1, 1, 0.9 }, (star - 0.985) / 0.015);
            PutPixel(s, x, y, c.r, c.g, c.b, 1);
        }
    cairo_surface_mark_dirty(s);
    return s;
}

static void MakeBackgrounds(MediaSet& media)
{
    cairo_surface_t* sky = NightSky(512, 51, 0.8);
    cairo_t* cr = cairo_create(sky);
    PaintRadial(cr, 256, 230, 80, 256, 256, 380, { 0.3, 0.4, 0.8 }, 0.25, { 0, 0, 0 }, 0.6);
    cairo_destroy(cr);

    // The game's background fills the window. Shrunk here to the smallest
    // window's size, it is never shrunk when drawn, so it needs no filtering
    // between mip levels there, and larger windows only stretch it.
    cairo_surface_t* game = NewCanvas(GAME_BACK_WIDTH, GAME_BACK_HEIGHT);
    cr = cairo_create(game);
    cairo_scale(cr, GAME_BACK_WIDTH / 512.0, GAME_BACK_HEIGHT / 512.0);
    cairo_set_source_surface(cr, sky, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(sky);
    media.Save("game_back.jpg", game);

    media.Save("menu_back.jpg", NightSky(512, 61, 1.6));
}

// The skybox is only seen as reflections on stones and board, added to their colour:
// dark overall, with a soft light above and a bright band around the horizon.
static void MakeSky(MediaSet& media)
{
    const int S = 256;
    cairo_surface_t* top = NewCanvas(S, S);
    cairo_t* cr = cairo_create(top);
    SetColour(cr, { 0.05, 0.06, 0.12 });
    cairo_paint(cr);
    PaintRadial(cr, 128, 128, 10, 128, 128, 150, { 0.75, 0.78, 0.9 }, 1, { 0.05, 0.06, 0.12 }, 0);
    cairo_destroy(cr);
    media.Save("env_top.jpg", top);

    cairo_surface_t* side = NewCanvas(S, S);
    cairo_surface_flush(side);
    for (int y = 0; y < S; y++)
        for (int x = 0; x < S; x++) {
            const double v = (double)y / S;  // 0 at the top, 1 at the bottom
            const double cloud = TileFractal(x / 32.0, y / 32.0, S / 32, 71, 4);
            const double band = exp(-pow((v - 0.45) / 0.12, 2)) * (0.5 + 0.5 * cloud);
            Colour c = Mix({ 0.08, 0.10, 0.22 }, { 0.02, 0.02, 0.04 }, v);
            c = Mix(c, { 0.55, 0.62, 0.80 }, band);
            PutPixel(side, x, y, c.r, c.g, c.b, 1);
        }
    cairo_surface_mark_dirty(side);
    media.Save("env_side.jpg", side);

    cairo_surface_t* bottom = NewCanvas(S, S);
    cr = cairo_create(bottom);
    SetColour(cr, { 0.02, 0.02, 0.04 });
    cairo_paint(cr);
    cairo_destroy(cr);
    media.Save("env_bottom.jpg", bottom);
}

void MakeStoneArt(MediaSet& media)
{
    MakeSpecialStone(media);
    MakeBlockStone(media);
    MakeColourStone(media, "stone_blue.jpg", Palette::blue, EMBLEM_CIRCLE, 3);
    MakeColourStone(media, "stone_green.jpg", Palette::green, EMBLEM_TRIANGLE, 5);
    MakeColourStone(media, "stone_red.jpg", Palette::red, EMBLEM_DIAMOND, 7);
    MakeColourStone(media, "stone_yellow.jpg", Palette::yellow, EMBLEM_STAR, 9);
    MakeColourStone(media, "stone_orange.jpg", Palette::orange, EMBLEM_HEXAGON, 13);
    MakeTargetField(media);
    MakeGridTile(media);
    MakeBackgrounds(media);
    MakeSky(media);
}
