#include "FrontTestApp.h"

#include <stdio.h>
#include <unistd.h>

#include <filesystem>

#include "CInputManager.h"
#include "CMouse.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "TestFiles.h"

namespace fs = std::filesystem;

FrontTestApp::FrontTestApp(int width, int height)
    : HeadlessScene("frontend test", width, height, 0xFF000000), capture(0), open(false)
{
}

FrontTestApp::~FrontTestApp()
{
    Close();
}

HRESULT FrontTestApp::InitDeviceObjects()
{
    mouse = new CMouse(device, D3DXVECTOR3(0.0f, 0.0f, 0.0f));
    CResourceManager::GetObjectQueue()->AddObject(mouse, 4, 0);
    CResourceManager::GetInputManager()->CreateDevice(CInputManager::DEVICE_KEYBOARD);
    return S_OK;
}

HRESULT FrontTestApp::Render()
{
    HeadlessScene::Render();
    if (capture) {
        capture = 0;
        captured.Clear();
        IDirect3DSurface8* surface = NULL;
        if (SUCCEEDED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface))) {
            D3DSURFACE_DESC desc;
            surface->GetDesc(&desc);
            D3DLOCKED_RECT locked;
            if (SUCCEEDED(surface->LockRect(&locked, NULL, D3DLOCK_READONLY))) {
                captured.width = (int)desc.Width;
                captured.height = (int)desc.Height;
                captured.pixels.resize((size_t)desc.Width * desc.Height);
                for (UINT y = 0; y < desc.Height; y++) {
                    const uint32_t* row = (const uint32_t*)((const char*)locked.pBits + y * locked.Pitch);
                    for (UINT x = 0; x < desc.Width; x++)
                        captured.pixels[(size_t)y * desc.Width + x] = row[x] | 0xFF000000;
                }
                surface->UnlockRect();
            }
            surface->Release();
        }
    }
    return S_OK;
}

bool FrontTestApp::Open()
{
    SetHeadlessRun(1, 1.0f / 30.0f);
    open = Create(NULL) >= 0;
    return open;
}

void FrontTestApp::Step(int frames, float seconds)
{
    SetHeadlessRun(1, seconds);
    for (int i = 0; i < frames; i++)
        Render3DEnvironment();
}

Image FrontTestApp::Capture()
{
    capture = 1;
    Step(1);
    return captured;
}

void FrontTestApp::Close()
{
    if (open) {
        open = false;
        Shutdown();
    }
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
    CResourceManager::GetInputManager()->FireKeyPressed(CKeyEvent(NULL, data, 0, 0));
}

ScratchFolder::ScratchFolder()
{
    static int serial = 0;
    char name[96];
    snprintf(name, sizeof(name), "zarul-frontend-%d-%d", (int)getpid(), serial++);
    root = (fs::temp_directory_path() / name).string();
    fs::remove_all(root);
    fs::create_directories(fs::path(root) / "media");
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(MediaFolder(), error)) {
        std::string file = entry.path().filename().string();
        if (file == "levels.xml" || file == "highscore.xml" || file[0] == '.')
            continue;
        fs::create_symlink(fs::absolute(entry.path()), fs::path(root) / "media" / file, error);
    }
    previous = fs::absolute(BuildPath(".")).lexically_normal().string();
    startFolder = fs::current_path().string();
    fs::current_path(root);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code error;
    fs::current_path(startFolder, error);
    fs::remove_all(root, error);
}

std::string ScratchFolder::Media(const std::string& name) const
{
    return (fs::path(root) / "media" / name).string();
}

std::string ScratchFolder::Path(const std::string& name) const
{
    return (fs::path(root) / name).string();
}

std::string ScratchFolder::Kept(const std::string& name) const
{
    return (fs::path(previous) / name).string();
}

std::string LevelFileText(int count, int completed, int last)
{
    std::string text = "<levels completed=\"" + std::to_string(completed) + "\" last=\"" + std::to_string(last) + "\">\n";
    for (int i = 1; i <= count; i++) {
        text += "<level nr=\"" + std::to_string(i) + "\" name=\"L" + std::to_string(i) + "\">\n";
        text += "<grid size=\"6\">\n<field type=\"1001\">\n<position x=\"5\" y=\"2\" z=\"0\"/>\n</field>\n</grid>\n";
        text += "<placeable mode=\"0\"/>\n<stones>\n<stone type=\"0\">\n<position x=\"1\" y=\"2\" z=\"0\"/>\n</stone>\n</stones>\n";
        text += "</level>\n";
    }
    return text + "</levels>\n";
}

int CountColor(const Image& picture, int r, int g, int b, int tolerance, int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = y0; y < y1 && y < picture.height; y++) {
        for (int x = x0; x < x1 && x < picture.width; x++) {
            uint32_t p = picture.Pixel(x, y);
            int pr = (p >> 16) & 0xFF, pg = (p >> 8) & 0xFF, pb = p & 0xFF;
            if (abs(pr - r) <= tolerance && abs(pg - g) <= tolerance && abs(pb - b) <= tolerance)
                count++;
        }
    }
    return count;
}
