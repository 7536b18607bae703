#include "HeadlessScene.h"

#include "CCamera.h"
#include "TestFiles.h"

#include <stdio.h>

HeadlessScene::HeadlessScene(const char* title, int width, int height, D3DCOLOR clear) : clearColor(clear)
{
    windowTitle = title;
    creationWidth = width;
    creationHeight = height;
    useDepthBuffer = 1;
    useStencilBuffer = 1;
    settingsFile = "";
}

HRESULT HeadlessScene::Render()
{
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, clearColor, 1.0f, 0);
    if (FAILED(device->BeginScene()))
        return S_OK;
    CD3DApplication::Render();
    device->EndScene();
    return S_OK;
}

HRESULT HeadlessScene::FinalCleanup()
{
    delete camera;
    camera = nullptr;
    return S_OK;
}

bool HeadlessScene::RunAndCapture(int frames, const char* pngName, Image& picture)
{
    std::string png = BuildPath(pngName);
    remove(png.c_str());
    SetHeadlessRun(frames, 1.0f / 30.0f);
    AddSnapshot(frames, png.c_str());
    if (Create(nullptr) < 0)
        return false;
    Run();
    std::string error;
    return LoadImageFile(png, picture, error);
}
