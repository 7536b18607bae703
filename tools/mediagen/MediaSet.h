// The folder the generator fills. Save() picks the file format from the name's extension,
// and keeps a thumbnail of every picture for the contact sheet.
#pragma once

#include <cairo.h>
#include <string>
#include <vector>

class MediaSet {
public:
    explicit MediaSet(const std::string& folder);
    ~MediaSet();

    // Writes the surface as folder/name (.jpg, .dds or .bmp) and destroys the surface.
    void Save(const std::string& name, cairo_surface_t* surface);
    // Writes a text file (the meshes).
    void SaveText(const std::string& name, const std::string& text);

    std::string Path(const std::string& name) const;
    int Failures() const { return failures; }

    // A PNG of all pictures side by side, with their names, for people to look at.
    bool WriteContactSheet(const std::string& path) const;

private:
    struct Thumb {
        std::string name;
        int width, height;
        cairo_surface_t* image;
    };
    std::string folder;
    std::vector<Thumb> thumbs;
    int failures;
};
