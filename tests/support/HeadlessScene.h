// An application that runs a few frames headless and draws the object queue, for tests
// that check a whole frame by its pixels. Subclasses build their scene in
// InitDeviceObjects and may set a camera, which the scene deletes at the end.
#ifndef ZARUL_HEADLESSSCENE_H
#define ZARUL_HEADLESSSCENE_H

#include "CD3DApplication.h"
#include "Image.h"

class HeadlessScene : public CD3DApplication {
public:
    HeadlessScene(const char* title, int width, int height, D3DCOLOR clear);

    HRESULT Render() override;
    HRESULT FinalCleanup() override;

    // Creates the window and device, runs the given frames of 1/30 s and loads the
    // picture of the last one from <build folder>/<pngName>. False when any step fails.
    bool RunAndCapture(int frames, const char* pngName, Image& picture);

    D3DCOLOR clearColor;
};

#endif
