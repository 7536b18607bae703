#include "MediaSet.h"

#include "ImageFiles.h"
#include "Painter.h"

#include <cstdio>

static const int kThumb = 128;

MediaSet::MediaSet(const std::string& folder_) : folder(folder_), failures(0)
{
}

MediaSet::~MediaSet()
{
    for (Thumb& t : thumbs)
        cairo_surface_destroy(t.image);
}

std::string MediaSet::Path(const std::string& name) const
{
    return folder + "/" + name;
}

static bool EndsWith(const std::string& s, const char* suffix)
{
    const std::string suf(suffix);
    return s.size() >= suf.size() && s.compare(s.size() - suf.size(), suf.size(), suf) == 0;
}

void MediaSet::Save(const std::string& name, cairo_surface_t* surface)
{
    cairo_surface_flush(surface);
    bool ok = false;
    if (EndsWith(name, ".jpg"))
        ok = WriteJpeg(surface, Path(name), 92);
    else if (EndsWith(name, ".dds"))
        ok = WriteDds(surface, Path(name));
    else if (EndsWith(name, ".bmp"))
        ok = WriteBmp(surface, Path(name));
    if (!ok) {
        fprintf(stderr, "mediagen: cannot write %s\n", Path(name).c_str());
        failures++;
    }

    Thumb t;
    t.name = name;
    t.width = cairo_image_surface_get_width(surface);
    t.height = cairo_image_surface_get_height(surface);
    t.image = NewCanvas(kThumb, kThumb);
    cairo_t* cr = cairo_create(t.image);
    const double s = (double)kThumb / (t.width > t.height ? t.width : t.height);
    cairo_scale(cr, s, s);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    thumbs.push_back(t);

    cairo_surface_destroy(surface);
}

void MediaSet::SaveText(const std::string& name, const std::string& text)
{
    FILE* f = fopen(Path(name).c_str(), "wb");
    bool ok = f && fwrite(text.data(), 1, text.size(), f) == text.size();
    if (f && fclose(f) != 0)
        ok = false;
    if (!ok) {
        fprintf(stderr, "mediagen: cannot write %s\n", Path(name).c_str());
        failures++;
    }
}

bool MediaSet::WriteContactSheet(const std::string& path) const
{
    const int columns = 8;
    const int cellW = kThumb + 16, cellH = kThumb + 40;
    const int rows = ((int)thumbs.size() + columns - 1) / columns;
    cairo_surface_t* sheet = NewCanvas(columns * cellW, rows * cellH);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.25, 0.25, 0.28);
    cairo_paint(cr);

    for (size_t i = 0; i < thumbs.size(); i++) {
        const Thumb& t = thumbs[i];
        const double x = (i % columns) * cellW + 8, y = (i / columns) * cellH + 8;
        // a checkerboard behind the picture shows its transparency
        for (int cy = 0; cy < kThumb / 16; cy++)
            for (int cx = 0; cx < kThumb / 16; cx++) {
                const double v = ((cx + cy) % 2) ? 0.55 : 0.75;
                cairo_set_source_rgb(cr, v, v, v);
                cairo_rectangle(cr, x + cx * 16, y + cy * 16, 16, 16);
                cairo_fill(cr);
            }
        cairo_set_source_surface(cr, t.image, x, y);
        cairo_paint(cr);
        char size[32];
        snprintf(size, sizeof(size), "%d x %d", t.width, t.height);
        SetFont(cr, 10, false);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_move_to(cr, x, y + kThumb + 13);
        cairo_show_text(cr, t.name.c_str());
        cairo_move_to(cr, x, y + kThumb + 26);
        cairo_show_text(cr, size);
    }
    cairo_destroy(cr);
    const bool ok = WritePng(sheet, path);
    cairo_surface_destroy(sheet);
    return ok;
}
