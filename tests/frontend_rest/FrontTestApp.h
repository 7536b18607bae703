// Support of the front-end window tests: a headless application with the
// game's mouse that the test steps frame by frame, and a scratch folder with
// its own media/ that a test makes its working folder, so that the windows'
// ".//media//" files (the level and high-score files among them) are the
// test's own.
#ifndef ZARUL_FRONTTESTAPP_H
#define ZARUL_FRONTTESTAPP_H

#include <string>

#include "HeadlessScene.h"
#include "Image.h"

class C3DObject;

class FrontTestApp : public HeadlessScene {
public:
    FrontTestApp(int width = 500, int height = 375);
    ~FrontTestApp();

    HRESULT InitDeviceObjects() override;
    HRESULT Render() override;

    // Creates window and device; false when that fails.
    bool Open();
    // Runs frames of 'seconds' each.
    void Step(int frames, float seconds = 1.0f / 30.0f);
    // Runs one frame and keeps its picture.
    Image Capture();
    // Releases the scene and the device.
    void Close();

    // True while the object is in the scene.
    static bool InScene(C3DObject* object);
    static void PressKey(int scanCode);

    int ResetPending() const { return pendingReset; }

private:
    int capture;
    Image captured;
    bool open;
};

// A folder of the test's own under the system's temporary folder, with
// media/ holding links to the built media but for the level and high-score
// files; it becomes the working folder until the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();

    // <scratch>/media/<name>
    std::string Media(const std::string& name) const;
    std::string Path(const std::string& name) const;
    // <build folder>/<name>, for pictures that people look at after the test.
    std::string Kept(const std::string& name) const;

private:
    std::string root;
    std::string previous;      // the build folder
    std::string startFolder;   // the working folder before
};

// Level file text with 'count' small levels.
std::string LevelFileText(int count, int completed, int last);

// Pixels of the picture whose colour is near (r, g, b), within 'tolerance' per channel,
// inside the rectangle x0..x1, y0..y1 (exclusive ends).
int CountColor(const Image& picture, int r, int g, int b, int tolerance, int x0, int y0, int x1, int y1);

#endif
