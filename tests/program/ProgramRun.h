// Runs the real zarul program headless in a folder of its own: media/ there
// links to the build's media, but for the two XML files, which are copies, so
// that what the program saves stays private to the run. The folder goes when
// the run object does.
#ifndef ZARUL_PROGRAMRUN_H
#define ZARUL_PROGRAMRUN_H

#include <string>
#include <vector>

#include <sys/types.h>

#include "Image.h"
#include "PrivateMedia.h"

// Starts zarul in the folder (its stderr goes to stderr.txt there) with this
// process's environment, but for the SDL video driver and the ZARUL_ settings
// ("ZARUL_FRAMES=10", ...) given. The process id, or 0 when it cannot start.
pid_t StartProgram(const std::string& folder, const char* videoDriver, const std::vector<std::string>& settings,
                   const char* argument = nullptr);

class ProgramRun {
public:
    // name: part of the folder's name, for people who look.
    explicit ProgramRun(const char* name);
    ~ProgramRun();

    bool IsReady() const { return media.IsReady(); }
    const std::string& Folder() const { return media.Folder(); }
    std::string MediaFile(const char* name) const { return media.MediaFile(name); }
    std::string File(const char* name) const { return media.File(name); }

    // Runs zarul with the input script (text of the script; may name
    // snapshots by bare file names, which land in the folder) for at most
    // frames frames of step seconds. Returns the exit status, -1 when the
    // program could not be run or did not end normally.
    int Run(const std::string& script, int frames, float step = 1.0f / 30.0f, const char* argument = nullptr);

    // A snapshot of the run; false when the file is missing or damaged.
    bool Snapshot(const char* name, Image& picture) const;
    // What the program wrote to stderr (the message log).
    const std::string& Log() const { return log; }

    // Keeps a copy of a snapshot in the build folder for people to look at.
    void Keep(const char* name, const char* keptName) const;

private:
    PrivateMedia media;
    std::string log;
};

// Red, green and blue of a 0xAARRGGBB pixel.
inline int R(uint32_t p) { return (int)((p >> 16) & 0xFF); }
inline int G(uint32_t p) { return (int)((p >> 8) & 0xFF); }
inline int B(uint32_t p) { return (int)(p & 0xFF); }

// Mean colour of a rectangle of pixels (x, y, width, height).
struct MeanColour {
    double r, g, b;
};
MeanColour Mean(const Image& picture, int x, int y, int width, int height);
// Pixels of a rectangle of the golden rim the menu cubes' pictures have (and
// the special stone's emblem).
int GoldPixels(const Image& picture, int x, int y, int width, int height);
// Pixels of a rectangle of the olive buttons of the game's overlay.
int OlivePixels(const Image& picture, int x, int y, int width, int height);
// True when a strip of pixels shows the yellow frame of a submenu.
bool YellowFrame(const Image& picture, int x, int y, int width, int height);
// The main menu: its dark blue background (the logos have black around them)
// and the start cube in front of the ring.
bool MenuShows(const Image& picture);
// Pixels of the yellow frame on the left edge of a question window at 500 x 375.
bool QuestionFrameShows(const Image& picture);

// How many pixels of a rectangle differ between two pictures by more than tolerance
// in any channel.
int DifferentPixels(const Image& a, const Image& b, int x, int y, int width, int height, int tolerance);

#endif
