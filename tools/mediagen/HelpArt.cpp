// Pictures of the help pages: small isometric board scenes that show placing, sliding,
// combos, goal stones on target fields and blocks. They are shown at 4:3 on screen.
#include "Art.h"
#include "Painter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const int kSize = 256;

struct Scene {
    cairo_surface_t* surface;
    cairo_t* cr;
    double height;  // height of the 4:3 drawing space
    IsoView view;
};

const int kNoTargets[1][2] = { { -1, -1 } };

// A framed picture with a board of boardSize x boardSize cells (none for 0) seen with `view`.
Scene BeginScene(IsoView view, int boardSize, const int targets[][2] = kNoTargets, int targetCount = 0)
{
    Scene s;
    s.view = view;
    s.surface = NewCanvas(kSize, kSize);
    s.cr = cairo_create(s.surface);
    s.height = UseScreenAspect(s.cr, kSize, kSize, 4, 3);
    RoundedRect(s.cr, 3, 3, kSize - 6, s.height - 6, 16);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, s.height);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.16, 0.24, 0.55);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.03, 0.05, 0.18);
    cairo_set_source(s.cr, g);
    cairo_fill_preserve(s.cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(s.cr, 4);
    SetColour(s.cr, Palette::gold);
    cairo_stroke(s.cr);
    if (boardSize > 0)
        DrawIsoBoard(s.cr, view, boardSize, targets, targetCount);
    return s;
}

void EndScene(MediaSet& media, const char* name, Scene& s)
{
    cairo_destroy(s.cr);
    media.Save(name, s.surface);
}

// A bold gold arrow between two screen points.
void Arrow(cairo_t* cr, double x0, double y0, double x1, double y1, double width)
{
    const double dx = x1 - x0, dy = y1 - y0, len = sqrt(dx * dx + dy * dy);
    cairo_save(cr);
    cairo_translate(cr, x0, y0);
    cairo_rotate(cr, atan2(dy, dx));
    const double head = width * 2.2;
    cairo_move_to(cr, 0, -width / 2);
    cairo_line_to(cr, len - head, -width / 2);
    cairo_line_to(cr, len - head, -width * 1.2);
    cairo_line_to(cr, len, 0);
    cairo_line_to(cr, len - head, width * 1.2);
    cairo_line_to(cr, len - head, width / 2);
    cairo_line_to(cr, 0, width / 2);
    cairo_close_path(cr);
    SetColour(cr, Palette::gold);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2);
    SetColour(cr, Palette::goldDark);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Arrow between two board points (cell centres at a stone's half height).
void IsoArrow(cairo_t* cr, const IsoView& v, double gx0, double gy0, double gz0, double gx1, double gy1,
              double gz1)
{
    double x0, y0, x1, y1;
    IsoPoint(v, gx0 + 0.5, gy0 + 0.5, gz0 * 0.5 + 0.25, &x0, &y0);
    IsoPoint(v, gx1 + 0.5, gy1 + 0.5, gz1 * 0.5 + 0.25, &x1, &y1);
    Arrow(cr, x0, y0, x1, y1, v.unit * 0.22);
}

void Burst(cairo_t* cr, double cx, double cy, double r)
{
    StarPath(cr, cx, cy, r, r * 0.45, 10);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 2, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 0.9, 1);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.5, 0.1, 0.8);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void Cross(cairo_t* cr, double cx, double cy, double r)
{
    cairo_move_to(cr, cx - r, cy - r); cairo_line_to(cr, cx + r, cy + r);
    cairo_move_to(cr, cx + r, cy - r); cairo_line_to(cr, cx - r, cy + r);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, r * 0.45);
    SetColour(cr, { 0.3, 0, 0 });
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, r * 0.3);
    SetColour(cr, { 0.95, 0.15, 0.1 });
    cairo_stroke(cr);
}

} // namespace

void MakeHelpArt(MediaSet& media)
{
    // the whole game: a board, stones and goal stones heading for their fields
    {
        const int targets[2][2] = { { 4, 0 }, { 0, 4 } };
        Scene s = BeginScene({ kSize / 2.0, 30, 24 }, 5, targets, 2);
        const IsoView& v = s.view;
        DrawIsoStones(s.cr, v, { { 0, 0, 0, Palette::blue }, { 1, 0, 0, Palette::blue },
                              { 1, 0, 1, Palette::special }, { 2, 2, 0, Palette::red },
                              { 2, 3, 0, Palette::green }, { 3, 1, 0, Palette::yellow },
                              { 4, 4, 0, Palette::special }, { 3, 3, 0, Palette::block } });
        EndScene(media, "help_all.dds", s);
    }
    // the colour stones
    {
        Scene s = BeginScene({ kSize / 2.0, 40, 34 }, 0);
        const IsoView& v = s.view;
        DrawIsoStones(s.cr, v, { { 0, 0, 0, Palette::blue }, { 1, 0, 0, Palette::green },
                              { 2, 0, 0, Palette::red }, { 0, 1, 0, Palette::yellow },
                              { 1, 1, 0, Palette::orange }, { 0, 0, 1, Palette::red },
                              { 2, 1, 0, Palette::blue } });
        EndScene(media, "help_play_stone.dds", s);
    }
    // a goal stone and its target field
    {
        const int targets[1][2] = { { 2, 0 } };
        Scene s = BeginScene({ kSize / 2.0, 40, 36 }, 3, targets, 1);
        const IsoView& v = s.view;
        DrawIsoStones(s.cr, v, { { 0, 0, 0, Palette::special } });
        IsoArrow(s.cr, v, 0.45, 0, 0, 1.9, 0, 0);
        EndScene(media, "help_spezial.dds", s);
    }
    // sliding: before and after
    {
        Scene s = BeginScene({ kSize / 2.0, 36, 28 }, 4);
        const IsoView& v = s.view;
        DrawIsoStones(s.cr, v, { { 0, 1, 0, Palette::green }, { 3, 1, 0, Palette::red } });
        IsoArrow(s.cr, v, 0.4, 1, 0, 2.2, 1, 0);
        EndScene(media, "help_ziehen1.dds", s);
    }
    {
        Scene s = BeginScene({ kSize / 2.0, 36, 28 }, 4);
        const IsoView& v = s.view;
        DrawIsoStones(s.cr, v, { { 2, 1, 0, Palette::green }, { 3, 1, 0, Palette::red } });
        EndScene(media, "help_ziehen2.dds", s);
    }
    // placing: a stone comes down on top of a column
    {
        Scene s = BeginScene({ kSize / 2.0, 60, 30 }, 3);
        const IsoView& v = s.view;
        DrawIsoStones(s.cr, v, { { 1, 1, 0, Palette::blue }, { 1, 1, 3.2, Palette::yellow } });
        IsoArrow(s.cr, v, 1, 1, 3.0, 1, 1, 1.3);
        EndScene(media, "help_setzen.dds", s);
    }
    // combos: four of a colour touch and burst, the stone above falls
    {
        const int landing[1][2] = { { 1, 2 } };   // where the fourth stone lands, lit up
        Scene s = BeginScene({ kSize / 2.0, 80, 30 }, 3, landing, 1);
        const IsoView& v = s.view;
        DrawIsoStones(s.cr, v, { { 0, 1, 0, Palette::red }, { 1, 1, 0, Palette::red },
                                 { 2, 1, 0, Palette::red }, { 1, 1, 1, Palette::blue },
                                 { 1, 2, 3.4, Palette::red } });
        IsoArrow(s.cr, v, 1, 2, 3.1, 1, 2, 0.2);
        EndScene(media, "help_combo1.dds", s);
    }
    {
        Scene s = BeginScene({ kSize / 2.0, 50, 30 }, 3);
        const IsoView& v = s.view;
        DrawIsoStones(s.cr, v, { { 1, 1, 0.6, Palette::blue } });
        const double cells[4][2] = { { 0, 1 }, { 1, 1 }, { 2, 1 }, { 1, 2 } };
        for (const auto& c : cells) {
            double x, y;
            IsoPoint(v, c[0] + 0.5, c[1] + 0.5, 0.25, &x, &y);
            Burst(s.cr, x, y, v.unit * 0.55);
        }
        IsoArrow(s.cr, v, 1, 1, 3.2, 1, 1, 1.7);
        EndScene(media, "help_combo2.dds", s);
    }
    // blocks cannot be slid, but fall when the stones below them burst
    {
        Scene s = BeginScene({ kSize / 2.0, 55, 32 }, 3);
        const IsoView& v = s.view;
        DrawIsoStones(s.cr, v, { { 1, 1, 0, Palette::green }, { 1, 1, 1, Palette::block } });
        double x, y;
        IsoPoint(v, 1.5, 1.5, 1.0, &x, &y);
        Cross(s.cr, x, y - v.unit * 0.9, v.unit * 0.4);
        EndScene(media, "help_stone_spezial.dds", s);
    }
}
