#include "FrontTestApp.h"

#include <stdio.h>
#include <stdlib.h>

#include "CInputManager.h"
#include "CObjQueue.h"
#include "CResourceManager.h"

FrontTestApp::FrontTestApp() : CZarulApplication("zarul")
{
    settingsFile = "";
}

FrontTestApp::~FrontTestApp()
{
    if (device)
        Shutdown();
}

bool FrontTestApp::Open()
{
    SetHeadlessRun(1, 1.0f / 30.0f);
    if (Create(nullptr) < 0)
        return false;
    CResourceManager::GetObjectQueue()->ReleaseAllObjects(CObjQueue::RELEASE_KEEP_MOUSE);
    return true;
}

void FrontTestApp::Step(int frames, float seconds)
{
    SetHeadlessRun(1, seconds);
    for (int i = 0; i < frames; i++)
        Render3DEnvironment();
}

Image FrontTestApp::Capture(const std::string& png)
{
    remove(png.c_str());
    AddSnapshot(GetFrameCount() + 1, png.c_str());
    Step(1);
    Image picture;
    std::string error;
    LoadImageFile(png, picture, error);
    return picture;
}

void FrontTestApp::Show(C3DObject* window, int position)
{
    CResourceManager::GetObjectQueue()->AddObject(window, position, 0);
}

bool FrontTestApp::InScene(C3DObject* object)
{
    return CResourceManager::GetObjectQueue()->Contains(object);
}

void FrontTestApp::PressKey(int scanCode)
{
    DIDEVICEOBJECTDATA data;
    ZeroMemory(&data, sizeof(data));
    data.dwOfs = (DWORD)scanCode;
    CResourceManager::GetInputManager()->FireKeyPressed(CKeyEvent(nullptr, data, 0, 0));
}

std::string LevelFileText(int count, int completed, int last)
{
    char head[80];
    snprintf(head, sizeof(head), "<levels completed=\"%d\" last=\"%d\">\n", completed, last);
    std::string text = head;
    for (int i = 1; i <= count; i++) {
        text += "<level nr=\"" + std::to_string(i) + "\" name=\"L" + std::to_string(i) + "\"><grid size=\"6\">"
                "<field type=\"1001\"><position x=\"5\" y=\"2\" z=\"0\"/></field></grid><placeable mode=\"0\"/>"
                "<stones><stone type=\"0\"><position x=\"1\" y=\"2\" z=\"0\"/></stone></stones></level>\n";
    }
    return text + "</levels>\n";
}

std::string Kept(const std::string& name)
{
    return std::string(ZARUL_BUILD_DIR) + "/" + name;
}

int CountColor(const Image& picture, int r, int g, int b, int tolerance, int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = y0; y < y1 && y < picture.height; y++) {
        for (int x = x0; x < x1 && x < picture.width; x++) {
            uint32_t p = picture.Pixel(x, y);
            if (abs((int)((p >> 16) & 0xFF) - r) <= tolerance && abs((int)((p >> 8) & 0xFF) - g) <= tolerance &&
                abs((int)(p & 0xFF) - b) <= tolerance)
                count++;
        }
    }
    return count;
}
