// The pictures of the user interface: mouse cursor, arrow and exit buttons, the level
// banner word and digits, the level-end pictures, the five menu cube faces and the logos.
// Where a picture is stretched onto a screen rectangle of another aspect, it is drawn in
// that rectangle's proportions (UseScreenAspect), so letters keep their shape.
#include "Art.h"
#include "Painter.h"

#include <cmath>
#include <string>

// Screen sizes in pixels of a 500 x 375 window, for the aspect of each picture.
static const double kScreenW = 500, kScreenH = 375;

static void MakeCursor(MediaSet& media)
{
    cairo_surface_t* s = NewCanvas(32, 32);
    cairo_t* cr = cairo_create(s);
    cairo_move_to(cr, 2, 1);
    cairo_line_to(cr, 2, 25);
    cairo_line_to(cr, 8, 19);
    cairo_line_to(cr, 12.5, 29);
    cairo_line_to(cr, 16.5, 27);
    cairo_line_to(cr, 12, 18);
    cairo_line_to(cr, 20, 18);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 20, 28);
    cairo_pattern_add_color_stop_rgb(g, 0, 1, 1, 0.95);
    cairo_pattern_add_color_stop_rgb(g, 1, Palette::gold.r, Palette::gold.g, Palette::gold.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, { 0.05, 0.05, 0.1 });
    cairo_stroke(cr);
    cairo_destroy(cr);
    media.Save("arrow.dds", s);
}

// A gold arrow pointing right (or left when mirrored) inside a w x h drawing space.
static void ArrowPath(cairo_t* cr, double w, double h, bool left)
{
    cairo_save(cr);
    if (left) {
        cairo_translate(cr, w, 0);
        cairo_scale(cr, -1, 1);
    }
    const double m = h * 0.12;
    cairo_move_to(cr, m, h * 0.32);
    cairo_line_to(cr, w * 0.58, h * 0.32);
    cairo_line_to(cr, w * 0.58, m);
    cairo_line_to(cr, w - m, h * 0.5);
    cairo_line_to(cr, w * 0.58, h - m);
    cairo_line_to(cr, w * 0.58, h * 0.68);
    cairo_line_to(cr, m, h * 0.68);
    cairo_close_path(cr);
    cairo_restore(cr);
}

static void MakeArrowButton(MediaSet& media, const char* name, int w, int h, double screenW,
                            double screenH, bool left)
{
    cairo_surface_t* s = NewCanvas(w, h);
    cairo_t* cr = cairo_create(s);
    const double dh = UseScreenAspect(cr, w, h, screenW, screenH);
    ArrowPath(cr, w, dh, left);
    FillGold(cr, 0, dh, dh * 0.06);
    cairo_destroy(cr);
    media.Save(name, s);
}

static void MakeExitButton(MediaSet& media)
{
    cairo_surface_t* s = NewCanvas(64, 64);
    cairo_t* cr = cairo_create(s);
    cairo_arc(cr, 32, 32, 29, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(24, 22, 3, 32, 32, 32);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.55, 0.5);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.6, 0.05, 0.05);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 3);
    SetColour(cr, Palette::gold);
    cairo_stroke(cr);
    cairo_move_to(cr, 21, 21); cairo_line_to(cr, 43, 43);
    cairo_move_to(cr, 43, 21); cairo_line_to(cr, 21, 43);
    cairo_set_line_width(cr, 7);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_stroke(cr);
    cairo_destroy(cr);
    media.Save("exit2.dds", s);
}

// A word in gold lettering on a transparent picture shown on a screenW x screenH rectangle.
static void MakeWord(MediaSet& media, const char* name, const std::string& word, int w, int h,
                     double screenW, double screenH)
{
    cairo_surface_t* s = NewCanvas(w, h);
    cairo_t* cr = cairo_create(s);
    const double dh = UseScreenAspect(cr, w, h, screenW, screenH);
    const double size = std::min(dh * 0.85, FitFontSize(cr, word, w * 0.92, dh * 0.85, true));
    DrawTitleText(cr, word, w / 2.0, dh * 0.5 + size * 0.36, size);
    cairo_destroy(cr);
    media.Save(name, s);
}

// A rounded night-blue panel with a gold rim, the look of the game's messages.
static void Panel(cairo_t* cr, double w, double h)
{
    RoundedRect(cr, 4, 4, w - 8, h - 8, h * 0.18);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.16, 0.24, 0.55, 0.92);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.03, 0.05, 0.18, 0.92);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 5);
    SetColour(cr, Palette::gold);
    cairo_stroke(cr);
}

static void MakeMessage(MediaSet& media, const char* name, const std::string& title,
                        const std::string& line)
{
    const int w = 256, h = 128;
    cairo_surface_t* s = NewCanvas(w, h);
    cairo_t* cr = cairo_create(s);
    const double dh = UseScreenAspect(cr, w, h, 150, 75);
    Panel(cr, w, dh);
    const double size = FitFontSize(cr, title, w * 0.84, 34, true);
    DrawTitleText(cr, title, w / 2.0, dh * 0.47, size);
    DrawCentredText(cr, line, w / 2.0, dh * 0.80, 17, false, { 0.9, 0.92, 1.0 });
    // a row of small stars under the title
    for (int i = 0; i < 5; i++) {
        StarPath(cr, w / 2.0 + (i - 2) * 22, dh * 0.60, 6, 2.6, 5);
        SetColour(cr, Palette::gold, 0.9);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    media.Save(name, s);
}

// ---- menu cubes: every face shows the whole picture ----

static void IconPlay(cairo_t* cr, double cx, double cy, double r)
{
    cairo_move_to(cr, cx - r * 0.6, cy - r);
    cairo_line_to(cr, cx + r, cy);
    cairo_line_to(cr, cx - r * 0.6, cy + r);
    cairo_close_path(cr);
}

static void IconGear(cairo_t* cr, double cx, double cy, double r)
{
    const int teeth = 8;
    cairo_new_sub_path(cr);
    for (int i = 0; i < teeth * 4; i++) {
        const double a = i * 2 * M_PI / (teeth * 4);
        const double rr = ((i / 2) % 2 == 0) ? r : r * 0.78;
        cairo_line_to(cr, cx + rr * cos(a), cy + rr * sin(a));
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, cx, cy, r * 0.35, 2 * M_PI, 0);
    cairo_close_path(cr);
}

static void IconCup(cairo_t* cr, double cx, double cy, double r)
{
    cairo_move_to(cr, cx - r * 0.75, cy - r);
    cairo_line_to(cr, cx + r * 0.75, cy - r);
    cairo_curve_to(cr, cx + r * 0.75, cy, cx + r * 0.3, cy + r * 0.3, cx + r * 0.12, cy + r * 0.35);
    cairo_line_to(cr, cx + r * 0.12, cy + r * 0.7);
    cairo_line_to(cr, cx + r * 0.5, cy + r * 0.85);
    cairo_line_to(cr, cx + r * 0.5, cy + r);
    cairo_line_to(cr, cx - r * 0.5, cy + r);
    cairo_line_to(cr, cx - r * 0.5, cy + r * 0.85);
    cairo_line_to(cr, cx - r * 0.12, cy + r * 0.7);
    cairo_line_to(cr, cx - r * 0.12, cy + r * 0.35);
    cairo_curve_to(cr, cx - r * 0.3, cy + r * 0.3, cx - r * 0.75, cy, cx - r * 0.75, cy - r);
    cairo_close_path(cr);
    // handles
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx - r * 0.75, cy - r * 0.55, r * 0.3, M_PI / 2, 3 * M_PI / 2);
    cairo_arc_negative(cr, cx - r * 0.75, cy - r * 0.55, r * 0.15, 3 * M_PI / 2, M_PI / 2);
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, cx + r * 0.75, cy - r * 0.55, r * 0.3, M_PI / 2, -M_PI / 2);
    cairo_arc(cr, cx + r * 0.75, cy - r * 0.55, r * 0.15, -M_PI / 2, M_PI / 2);
    cairo_close_path(cr);
}

static void IconPeople(cairo_t* cr, double cx, double cy, double r)
{
    const double offs[2] = { -0.45, 0.45 };
    for (double o : offs) {
        const double x = cx + o * r;
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, cy - r * 0.45, r * 0.3, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, cy + r * 0.6, r * 0.5, M_PI, 2 * M_PI);
        cairo_close_path(cr);
    }
}

static void IconQuestion(cairo_t* cr, double cx, double cy, double r)
{
    SetFont(cr, r * 2.4, true);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, "?", &ext);
    cairo_move_to(cr, cx - ext.x_bearing - ext.width / 2, cy - ext.y_bearing - ext.height / 2);
    cairo_text_path(cr, "?");
}

typedef void (*IconFn)(cairo_t*, double, double, double);

static void MakeMenuCube(MediaSet& media, const char* name, const std::string& label, IconFn icon,
                         Colour tint)
{
    const int S = 256;
    cairo_surface_t* s = NewCanvas(S, S);
    cairo_t* cr = cairo_create(s);
    const Colour inner = Lighter(Mix(Palette::nightBlue, tint, 0.35), 0.1);
    PaintRadial(cr, 128, 100, 10, 128, 128, 190, inner, 1, Palette::night, 1);

    RoundedRect(cr, 8, 8, S - 16, S - 16, 22);
    cairo_set_line_width(cr, 8);
    SetColour(cr, Palette::gold);
    cairo_stroke(cr);

    icon(cr, 128 + 4, 100 + 5, 58);
    SetColour(cr, { 0, 0, 0 }, 0.45);
    cairo_fill(cr);
    icon(cr, 128, 100, 58);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    FillGold(cr, 40, 160, 3);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

    const double size = FitFontSize(cr, label, S - 40, 40, true);
    DrawTitleText(cr, label, 128, 218, size);
    cairo_destroy(cr);
    media.Save(name, s);
}

// ---- logos ----

static void MakeStudioLogo(MediaSet& media)
{
    const int W = 520, H = 480;
    cairo_surface_t* s = NewCanvas(W, H);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);

    // The intro shows the picture at 520 x 480 whatever the window, centred: on
    // the smallest window (500 x 375) only its middle shows, so everything is
    // drawn well inside x 10..510, y 52..428.
    // a cube of nine stones, the studio's mark
    const IsoView v = { W / 2.0, 185, 44 };
    const Colour colours[3] = { Palette::blue, Palette::gold, Palette::red };
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 2; x++)
            for (int z = 0; z < 3; z++)
                DrawIsoStone(cr, v, x - 1, y - 1, z, colours[(x + y + z) % 3]);

    DrawTitleText(cr, "QM", W / 2.0, 318, 76);
    DrawCentredText(cr, "Q U A D E R M E I S T E R", W / 2.0, 360, 20, true, { 0.85, 0.88, 1.0 });
    DrawCentredText(cr, "präsentiert", W / 2.0, 396, 17, false, { 0.6, 0.65, 0.8 });
    cairo_destroy(cr);
    media.Save("qm_logo.jpg", s);
}

static void MakeGameLogo(MediaSet& media)
{
    const int S = 512;
    cairo_surface_t* s = NewCanvas(S, S);
    cairo_t* cr = cairo_create(s);
    const double dh = UseScreenAspect(cr, S, S, 400, 300);
    PaintRadial(cr, S / 2.0, dh * 0.55, 20, S / 2.0, dh / 2, S * 0.6, { 0.16, 0.24, 0.55 }, 1, { 0, 0, 0 }, 1);

    // a small board with stones and a goal stone on its target field
    const IsoView v = { S / 2.0, dh * 0.42, 34 };
    const int targets[1][2] = { { 3, 1 } };
    DrawIsoBoard(cr, v, 5, targets, 1);
    DrawIsoStones(cr, v, { { 0, 0, 0, Palette::blue }, { 0, 0, 1, Palette::blue }, { 1, 0, 0, Palette::green },
                           { 0, 2, 0, Palette::red }, { 0, 3, 0, Palette::red }, { 2, 2, 0, Palette::yellow },
                           { 3, 1, 0, Palette::special }, { 4, 3, 0, Palette::orange }, { 4, 3, 1, Palette::green },
                           { 2, 4, 0, Palette::blue }, { 1, 3, 0, Palette::block } });

    DrawTitleText(cr, "ZARUL", S / 2.0, dh * 0.36, 128);
    cairo_destroy(cr);
    media.Save("zarul_logo.jpg", s);
}

void MakeInterfaceArt(MediaSet& media)
{
    MakeCursor(media);
    MakeArrowButton(media, "right.dds", 128, 64, 45, 22.5, false);
    MakeArrowButton(media, "left.dds", 128, 64, 45, 22.5, true);
    MakeArrowButton(media, "next.dds", 64, 64, 1, 1, false);
    MakeArrowButton(media, "prev.dds", 64, 64, 1, 1, true);
    MakeExitButton(media);

    MakeWord(media, "level.dds", "Level", 256, 64, 0.25 * kScreenW, 0.06 * kScreenH);
    for (int d = 0; d <= 9; d++) {
        const std::string name = "num_" + std::to_string(d) + ".dds";
        MakeWord(media, name.c_str(), std::to_string(d), 64, 64, 0.05 * kScreenW, 0.06 * kScreenH);
    }
    MakeMessage(media, "level_finished.dds", "Geschafft!", "Level gelöst");
    MakeMessage(media, "highscore.dds", "Neuer Rekord!", "Bitte Namen eingeben");

    MakeMenuCube(media, "start.jpg", "Start", IconPlay, Palette::green);
    MakeMenuCube(media, "options.jpg", "Optionen", IconGear, Palette::blue);
    MakeMenuCube(media, "score.jpg", "Rekorde", IconCup, Palette::gold);
    MakeMenuCube(media, "credits.jpg", "Mitwirkende", IconPeople, Palette::red);
    MakeMenuCube(media, "help.jpg", "Hilfe", IconQuestion, Palette::orange);

    MakeStudioLogo(media);
    MakeGameLogo(media);
}
