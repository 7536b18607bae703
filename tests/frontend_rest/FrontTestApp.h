// Support of the front-end window tests: the game's application run headless
// and stepped frame by frame, with the intro dropped so that a test puts its
// own window into an otherwise empty scene.
#ifndef ZARUL_FRONTTESTAPP_H
#define ZARUL_FRONTTESTAPP_H

#include <string>

#include <gtest/gtest.h>

#include "CZarulApplication.h"
#include "Image.h"
#include "PrivateMedia.h"

class C3DObject;

class FrontTestApp : public CZarulApplication {
public:
    FrontTestApp();
    ~FrontTestApp();

    // Window, device and scene set-up; then the scene is emptied but for the pointer.
    bool Open();
    void Step(int frames, float seconds = 1.0f / 30.0f);
    // The picture of the next frame, kept in 'png'.
    Image Capture(const std::string& png);
    int ResetPending() const { return pendingReset; }

    static void Show(C3DObject* window, int position);
    static bool InScene(C3DObject* object);
    static void PressKey(int scanCode);
};

// A test in a media folder of its own (copies of the XML files, links to the
// rest), which is the working folder while the application runs.
class FrontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(media.IsReady() && media.Enter());
        ASSERT_TRUE(app.Open());
    }

    PrivateMedia media{ "frontend" };
    FrontTestApp app;
};

// Level file text of 'count' small levels, each with one stone at column 1, row 2.
std::string LevelFileText(int count, int completed, int last);
// <build folder>/<name>: pictures kept for people to look at.
std::string Kept(const std::string& name);
// Pixels in x0..x1, y0..y1 (ends excluded) within 'tolerance' of (r, g, b) in every channel.
int CountColor(const Image& picture, int r, int g, int b, int tolerance, int x0, int y0, int x1, int y1);

#endif
