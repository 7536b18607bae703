// The windowed path on a real X display: Present copies the back buffer,
// the right way up, to the double-buffered window.
#include "GdiTextCheck.h"
#include "RenderFixture.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

TEST_F(RenderFixture, PresentShowsTheBackBufferInTheWindowUpright)
{
    CreateDevice(64, 48);
    ShowWindow(window, SW_SHOWNORMAL);
    // Let the X server map the window before drawing to it.
    MSG msg;
    for (int i = 0; i < 20; i++) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_XRGB(0, 0, 255), 1.0f, 0);
    D3DRECT top = {0, 0, 64, 8};
    device->Clear(1, &top, D3DCLEAR_TARGET, D3DCOLOR_XRGB(255, 0, 0), 1.0f, 0);
    ASSERT_EQ(D3D_OK, device->Present(nullptr, nullptr, nullptr, nullptr));

    // The window's buffer holds the picture, bottom row first. Mesa's
    // software driver on Xvfb swaps by copying, so the back buffer still
    // holds what was shown (its front buffer cannot be read back).
    BYTE pixels[64 * 48 * 4];
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 64, 48, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    const BYTE* topRow = pixels + 47 * 64 * 4;
    const BYTE* bottomRow = pixels;
    EXPECT_EQ(255, topRow[0]);
    EXPECT_EQ(0, topRow[2]);
    EXPECT_EQ(0, bottomRow[0]);
    EXPECT_EQ(255, bottomRow[2]);
    EXPECT_EQ(0xFF0000u, Pixel(10, 2)) << "the back buffer keeps its picture";
}

// On a real display the text reaches the screen: the X server shows it.
TEST(GdiOnX, CentredTextReachesTheScreen)
{
    HWND window = gdicheck::OpenWindow(320, 90);
    ASSERT_TRUE(window != nullptr);
    gdicheck::CheckCentredText(window);
    DestroyWindow(window);
}
