// arial.dds: the bitmap font every text widget reads. 512 x 512, 16 x 16 cells of 32 x 32;
// Latin-1 character c sits in column c % 16, row c / 16 (row 0 at the top). Glyphs are
// white with the coverage as alpha, DejaVu Sans at 22 px, pen at x = 2 and the baseline
// at y = 25 inside the cell. Control codes (0-31, 127-159) stay empty.
#include "Art.h"
#include "Painter.h"

#include <string>

static std::string Latin1ToUtf8(int c)
{
    std::string s;
    if (c < 0x80) {
        s += (char)c;
    } else {
        s += (char)(0xC0 | (c >> 6));
        s += (char)(0x80 | (c & 0x3F));
    }
    return s;
}

void MakeFontAtlas(MediaSet& media)
{
    const int cell = 32;
    cairo_surface_t* s = NewCanvas(16 * cell, 16 * cell);
    cairo_t* cr = cairo_create(s);

    // grey antialiasing only: the alpha is the coverage, so sub-pixel colour has no place
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    SetFont(cr, 22, false);
    cairo_set_source_rgb(cr, 1, 1, 1);

    for (int c = 32; c < 256; c++) {
        if (c >= 127 && c < 160)
            continue;
        const int x = (c % 16) * cell, y = (c / 16) * cell;
        cairo_save(cr);
        cairo_rectangle(cr, x, y, cell, cell);
        cairo_clip(cr);
        cairo_move_to(cr, x + 2, y + 25);
        cairo_show_text(cr, Latin1ToUtf8(c).c_str());
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    media.Save("arial.dds", s);
}
