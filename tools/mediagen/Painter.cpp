#include "Painter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

Colour Mix(Colour a, Colour b, double t)
{
    return { a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t };
}

Colour Lighter(Colour c, double t)
{
    return Mix(c, { 1, 1, 1 }, t);
}

Colour Darker(Colour c, double t)
{
    return Mix(c, { 0, 0, 0 }, t);
}

cairo_surface_t* NewCanvas(int width, int height)
{
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
}

void SetColour(cairo_t* cr, Colour c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    const double r = radius;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void PaintRadial(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1, double r1,
                 Colour inner, double innerAlpha, Colour outer, double outerAlpha)
{
    cairo_pattern_t* g = cairo_pattern_create_radial(cx0, cy0, r0, cx1, cy1, r1);
    cairo_pattern_add_color_stop_rgba(g, 0, inner.r, inner.g, inner.b, innerAlpha);
    cairo_pattern_add_color_stop_rgba(g, 1, outer.r, outer.g, outer.b, outerAlpha);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
}

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points)
{
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; i++) {
        const double a = -M_PI / 2 + i * M_PI / points;
        const double r = (i % 2 == 0) ? outer : inner;
        cairo_line_to(cr, cx + r * cos(a), cy + r * sin(a));
    }
    cairo_close_path(cr);
}

double UseScreenAspect(cairo_t* cr, int texW, int texH, double screenW, double screenH)
{
    const double drawH = texW * screenH / screenW;
    cairo_scale(cr, 1.0, texH / drawH);
    return drawH;
}

void SetFont(cairo_t* cr, double size, bool bold)
{
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, const std::string& utf8)
{
    cairo_text_extents_t ext;
    cairo_text_extents(cr, utf8.c_str(), &ext);
    return ext.x_advance;
}

double FitFontSize(cairo_t* cr, const std::string& utf8, double maxWidth, double maxSize, bool bold)
{
    SetFont(cr, maxSize, bold);
    const double w = TextWidth(cr, utf8);
    if (w <= maxWidth)
        return maxSize;
    return maxSize * maxWidth / w;
}

void DrawTitleText(cairo_t* cr, const std::string& utf8, double cx, double baseline, double size)
{
    cairo_save(cr);
    SetFont(cr, size, true);
    const double x = cx - TextWidth(cr, utf8) / 2;

    // soft shadow
    cairo_move_to(cr, x + size * 0.05, baseline + size * 0.06);
    cairo_text_path(cr, utf8.c_str());
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_fill(cr);

    // outline, then a vertical gold gradient over it
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, utf8.c_str());
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, size * 0.10);
    SetColour(cr, Palette::goldDark);
    cairo_stroke_preserve(cr);
    SetGoldGradient(cr, baseline - size * 0.8, baseline);
    cairo_fill(cr);
    cairo_restore(cr);
}

void SetGoldGradient(cairo_t* cr, double top, double bottom)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgb(g, 0.0, 1.0, 0.96, 0.72);
    cairo_pattern_add_color_stop_rgb(g, 0.5, Palette::gold.r, Palette::gold.g, Palette::gold.b);
    cairo_pattern_add_color_stop_rgb(g, 1.0, 0.82, 0.48, 0.09);
    cairo_set_source(cr, g);
    cairo_pattern_destroy(g);   // the context keeps its own reference
}

void FillGold(cairo_t* cr, double top, double bottom, double outline)
{
    SetGoldGradient(cr, top, bottom);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, outline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, Palette::goldDark);
    cairo_stroke(cr);
}

void DrawCentredText(cairo_t* cr, const std::string& utf8, double cx, double baseline, double size,
                     bool bold, Colour c, double alpha)
{
    cairo_save(cr);
    SetFont(cr, size, bold);
    cairo_move_to(cr, cx - TextWidth(cr, utf8) / 2, baseline);
    SetColour(cr, c, alpha);
    cairo_show_text(cr, utf8.c_str());
    cairo_restore(cr);
}

// Integer hash to 0..1, the same on every machine.
static double Hash(int x, int y, unsigned seed)
{
    uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / double(0xffffff);
}

static double Smooth(double t)
{
    return t * t * (3 - 2 * t);
}

double TileNoise(double x, double y, int period, unsigned seed, int periodY)
{
    if (periodY <= 0)
        periodY = period;
    const double fx = floor(x), fy = floor(y);
    const int ix = (int)fx, iy = (int)fy;
    const double tx = Smooth(x - fx), ty = Smooth(y - fy);
    auto corner = [&](int cx, int cy) {
        return Hash(((cx % period) + period) % period, ((cy % periodY) + periodY) % periodY, seed);
    };
    const double a = corner(ix, iy), b = corner(ix + 1, iy);
    const double c = corner(ix, iy + 1), d = corner(ix + 1, iy + 1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double TileFractal(double x, double y, int period, unsigned seed, int octaves, int periodY)
{
    if (periodY <= 0)
        periodY = period;
    double sum = 0, weight = 0, amp = 1;
    for (int o = 0; o < octaves; o++) {
        sum += amp * TileNoise(x, y, period, seed + o * 101, periodY);
        weight += amp;
        amp *= 0.5;
        x *= 2;
        y *= 2;
        period *= 2;
        periodY *= 2;
    }
    return sum / weight;
}

static int Channel(double v)
{
    if (v <= 0)
        return 0;
    if (v >= 1)
        return 255;
    return (int)(v * 255 + 0.5);
}

void PutPixel(cairo_surface_t* surface, int x, int y, double r, double g, double b, double a)
{
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const int A = Channel(a);
    const uint32_t px = (uint32_t)A << 24 | (uint32_t)(Channel(r) * A / 255) << 16 |
                        (uint32_t)(Channel(g) * A / 255) << 8 | (uint32_t)(Channel(b) * A / 255);
    *reinterpret_cast<uint32_t*>(data + y * stride + x * 4) = px;
}

void IsoPoint(const IsoView& v, double gx, double gy, double gz, double* sx, double* sy)
{
    *sx = v.ox + (gx - gy) * v.unit;
    *sy = v.oy + (gx + gy) * v.unit * 0.5 - gz * v.unit;
}

static void IsoQuad(cairo_t* cr, const IsoView& v, const double p[4][3])
{
    for (int i = 0; i < 4; i++) {
        double x, y;
        IsoPoint(v, p[i][0], p[i][1], p[i][2], &x, &y);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

void DrawIsoTile(cairo_t* cr, const IsoView& v, int gx, int gy, Colour c)
{
    const double q[4][3] = { { (double)gx, (double)gy, 0 }, { gx + 1.0, (double)gy, 0 },
                             { gx + 1.0, gy + 1.0, 0 }, { (double)gx, gy + 1.0, 0 } };
    IsoQuad(cr, v, q);
    SetColour(cr, c);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, v.unit * 0.04);
    SetColour(cr, Darker(c, 0.4));
    cairo_stroke(cr);
}

void DrawIsoStone(cairo_t* cr, const IsoView& v, double gx, double gy, double gz, Colour c)
{
    const double z0 = gz * 0.5, z1 = z0 + 0.5;
    const double top[4][3] = { { gx, gy, z1 }, { gx + 1, gy, z1 }, { gx + 1, gy + 1, z1 }, { gx, gy + 1, z1 } };
    const double right[4][3] = { { gx + 1, gy, z1 }, { gx + 1, gy + 1, z1 }, { gx + 1, gy + 1, z0 }, { gx + 1, gy, z0 } };
    const double left[4][3] = { { gx, gy + 1, z1 }, { gx + 1, gy + 1, z1 }, { gx + 1, gy + 1, z0 }, { gx, gy + 1, z0 } };
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, v.unit * 0.05);
    const Colour faces[3] = { Lighter(c, 0.25), Darker(c, 0.15), Darker(c, 0.40) };
    const double (*quads[3])[3] = { top, right, left };
    for (int i = 0; i < 3; i++) {
        IsoQuad(cr, v, quads[i]);
        SetColour(cr, faces[i]);
        cairo_fill_preserve(cr);
        SetColour(cr, Darker(c, 0.65));
        cairo_stroke(cr);
    }
}

void DrawIsoStones(cairo_t* cr, const IsoView& v, std::vector<IsoStone> stones)
{
    std::stable_sort(stones.begin(), stones.end(), [](const IsoStone& a, const IsoStone& b) {
        if (a.x + a.y != b.x + b.y)
            return a.x + a.y < b.x + b.y;
        return a.z < b.z;
    });
    for (const IsoStone& st : stones)
        DrawIsoStone(cr, v, st.x, st.y, st.z, st.c);
}

void DrawIsoBoard(cairo_t* cr, const IsoView& v, int n, const int targets[][2], int targetCount)
{
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++) {
            bool target = false;
            for (int t = 0; t < targetCount; t++)
                target = target || (targets[t][0] == x && targets[t][1] == y);
            DrawIsoTile(cr, v, x, y, target ? Palette::gold : Mix({ 0.16, 0.19, 0.28 }, { 0.30, 0.34, 0.46 }, ((x + y) % 2) * 0.5));
        }
}
