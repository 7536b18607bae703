// Widgets drawn for real on a headless device and checked by their pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <unistd.h>
#include <windows.h>
#include <d3d8.h>

#include "C3DCheckBox.h"
#include "C3DFrame.h"
#include "C3DIcon.h"
#include "C3DStaticText.h"
#include "C3DTextArea.h"
#include "C3DTextBox.h"
#include "C3DTextButton.h"
#include "C3DToggleSelection.h"
#include "CResourceManager.h"
#include "CTexMgr.h"
#include "HeadlessDevice.h"
#include "Image.h"
#include "TestFiles.h"
#include "TestGeometry.h"
#include "WidgetTestHelpers.h"

static const int SCREEN_W = 500;
static const int SCREEN_H = 375;
static const char* FONT = ".//media//arial.dds";
static const DWORD TEXT_BLUE = 0xFF171AA8;

class WidgetRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(headless.Open(SCREEN_W, SCREEN_H));
        device = headless.device;
        CResourceManager::GetTextures()->SetDevice(device);
    }

    void TearDown() override { CResourceManager::GetTextures()->SetDevice(nullptr); }

    void BeginFrame(DWORD clearColor)
    {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, clearColor, 1.0f, 0);
        device->BeginScene();
    }

    // Ends the frame and reads it back through a PNG in the build folder, named
    // with the process id so parallel runs never share it, and removed once read.
    Image EndFrame(const char* name)
    {
        device->EndScene();
        Image image;
        std::string error;
        std::string own = std::to_string((long)getpid()) + "_" + name;
        std::string path = headless.SavePicture(own.c_str());
        EXPECT_NE(path, "");
        EXPECT_TRUE(LoadImageFile(path, image, error)) << error;
        remove(path.c_str());
        return image;
    }

    HeadlessDevice headless;
    IDirect3DDevice8* device = nullptr;
};

static bool IsTextBlue(uint32_t p)
{
    return Blue(p) > 90 && Blue(p) > Red(p) + 40 && Blue(p) > Green(p) + 40;
}

// Number of text-blue pixels in the pixel rectangle [x0, x1) x [y0, y1).
static int CountTextBlue(const Image& image, int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++)
            if (x >= 0 && y >= 0 && x < image.width && y < image.height && IsTextBlue(image.Pixel(x, y)))
                count++;
    return count;
}

TEST_F(WidgetRender, SamplePanelShowsFrameTextUmlautsAndControls)
{
    FILE* font = fopen(FONT, "rb");
    if (!font)
        GTEST_SKIP() << "no font atlas: the media folder is not built (target media)";
    fclose(font);

    CMouse mouse(device, D3DXVECTOR3(0, 0, 0));
    C3DWindow* panel = new C3DWindow(device, CRECTVirtual(0.1f, 0.1f, 0.8f, 0.8f));
    panel->SetColor(D3DXCOLOR(0, 0, 0, 0.5f), D3DXCOLOR(0, 0, 0, 0.7f));
    C3DFrame* frame = new C3DFrame(device, CRECTVirtual(0, 0, 1, 1), (DWORD)D3DXCOLOR(1.0f, 1.0f, 0.2f, 0.7f));
    frame->SetBorderSize(4);
    panel->AddWindow(frame);

    C3DStaticText* label = new C3DStaticText(device, CRECTVirtual(0.05f, 0.05f, 0.6f, 0.12f), "zur\xC3\xBC" "ck", FONT);
    label->GetTextRenderer()->color = TEXT_BLUE;
    label->GetTextRenderer()->effects |= C3DText::EFFECT_SHADDOW;
    panel->AddWindow(label);

    C3DTextButton* button = new C3DTextButton(device, CRECTVirtual(0.4f, 0.85f, 0.2f, 0.1f), "OK", FONT,
                                              D3DXCOLOR(1.0f, 1.0f, 0.2f, 0.4f));
    button->GetTextRenderer()->color = TEXT_BLUE;
    panel->AddWindow(button);

    C3DCheckBox* box = new C3DCheckBox(device, CRECTVirtual(0.705f, 0.4f, 0.06f, 0.06f), &mouse);
    box->SetQuadratic(1);
    box->SetChecked(1);
    C3DFrame* boxFrame = new C3DFrame(device, CRECTVirtual(0, 0, 1, 1), TEXT_BLUE);
    boxFrame->SetBorderSize(2);
    box->AddWindow(boxFrame);
    panel->AddWindow(box);

    const char* pages[] = { "1/7", "2/7", "3/7", "4/7", "5/7", "6/7", "7/7" };
    C3DToggleSelection* toggle = new C3DToggleSelection(device, CRECTVirtual(0.4f, 0.6f, 0.3f, 0.1f),
                                                        ".//media//next.dds", ".//media//prev.dds", pages, 7,
                                                        &mouse, 0.2f);
    toggle->labelButton->GetTextRenderer()->color = TEXT_BLUE;
    toggle->SetSelection(2);
    panel->AddWindow(toggle);

    C3DTextBox* name = new C3DTextBox(device, CRECTVirtual(0.05f, 0.75f, 0.3f, 0.08f));
    name->SetText("J\xC3\xBCrgen");
    panel->AddWindow(name);

    BeginFrame(0xFF303030);
    panel->Render();
    Image image = EndFrame("widgets_sample_panel.png");
    ASSERT_EQ(image.width, SCREEN_W);
    ASSERT_EQ(image.height, SCREEN_H);

    // Frame: the panel spans x 50..450, y 37.5..337.5; its 4-pixel yellow edge.
    uint32_t edge = image.Pixel(52, 200);
    EXPECT_GT(Red(edge), 150);
    EXPECT_GT(Green(edge), 150);
    EXPECT_LT(Blue(edge), 120);
    // Inside: the half-dark panel over the grey clear colour.
    uint32_t inside = image.Pixel(250, 150);
    EXPECT_LT(Red(inside), 0x30);
    EXPECT_NEAR(Red(inside), Blue(inside), 2);
    // Outside the panel: the clear colour.
    EXPECT_EQ(image.Pixel(10, 10) & 0xFFFFFF, 0x303030u);

    // "zurück": text-blue ink in the label, and the dots of the ü above the
    // x-height, where the plain u has nothing.
    PixelRect r = label->GetPixelRect();
    C3DText* text = label->GetTextRenderer();
    float cell = r.height;
    int uLeft = (int)(r.x + text->GetTextWidthPixels("zu", cell) - text->GetTextWidthPixels("u", cell) * 0.9f);
    int uRight = (int)(r.x + text->GetTextWidthPixels("zu", cell));
    int umlautLeft = (int)(r.x + text->GetTextWidthPixels("zur", cell));
    int umlautRight = (int)(r.x + text->GetTextWidthPixels("zur\xC3\xBC", cell));
    int dotsTop = (int)(r.y + cell * 0.2f);
    int dotsBottom = (int)(r.y + cell * 0.37f);
    EXPECT_GT(CountTextBlue(image, (int)r.x, (int)r.y, (int)(r.x + r.width), (int)(r.y + r.height)), 100);
    EXPECT_GT(CountTextBlue(image, umlautLeft, dotsTop, umlautRight, dotsBottom), 4);
    EXPECT_EQ(CountTextBlue(image, uLeft, dotsTop, uRight, dotsBottom), 0);

    // The check box shows its white mark in the middle.
    PixelRect b = box->GetPixelRect();
    uint32_t mark = image.Pixel((int)(b.x + b.width / 2), (int)(b.y + b.height / 2));
    EXPECT_GT(Red(mark), 200);
    EXPECT_GT(Blue(mark), 200);

    // The button's yellow background, its text, and the toggle's label.
    PixelRect k = button->GetPixelRect();
    uint32_t buttonBack = image.Pixel((int)k.x + 2, (int)k.y + 2);
    EXPECT_GT(Red(buttonBack), Blue(buttonBack) + 40);
    EXPECT_GT(CountTextBlue(image, (int)k.x, (int)k.y, (int)(k.x + k.width), (int)(k.y + k.height)), 10);
    PixelRect t = toggle->labelButton->GetPixelRect();
    EXPECT_GT(CountTextBlue(image, (int)t.x, (int)t.y, (int)(t.x + t.width), (int)(t.y + t.height)), 10);

    // The text box is a light field with dark blue text.
    PixelRect n = name->GetPixelRect();
    uint32_t field = image.Pixel((int)(n.x + n.width - 3), (int)(n.y + 2));
    EXPECT_GT(Red(field), 150);
    EXPECT_GT(CountTextBlue(image, (int)n.x, (int)n.y, (int)(n.x + n.width), (int)(n.y + n.height)), 10);

    delete panel;
}

TEST_F(WidgetRender, TwoDimensionalWindowsNeverHideTheSceneDrawnAfterThem)
{
    C3DWindow background(device, CRECTVirtual(0, 0, 1, 1));
    background.SetColor(D3DXCOLOR(1, 0, 0, 1), D3DXCOLOR(1, 0, 0, 1));
    // A transparent icon shows nothing.
    C3DIcon hidden(device, CRECTVirtual(0.0f, 0.0f, 0.5f, 0.5f), ".//media//no_such_picture.dds");
    hidden.SetColor(D3DXCOLOR(1, 1, 1, 0), D3DXCOLOR(1, 1, 1, 0));

    BeginFrame(0xFF000000);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    background.Render();
    hidden.Render();

    // The window put the states back as they were.
    DWORD value = 0;
    device->GetRenderState(D3DRS_ZENABLE, &value);
    EXPECT_EQ(value, (DWORD)TRUE);
    device->GetRenderState(D3DRS_ALPHABLENDENABLE, &value);
    EXPECT_EQ(value, (DWORD)FALSE);

    // A depth-tested green triangle drawn later, half way into the depth range.
    ScreenVertex triangle[3] = {
        { 150.0f, 300.0f, 0.5f, 1.0f, 0xFF00FF00 },
        { 250.0f, 80.0f, 0.5f, 1.0f, 0xFF00FF00 },
        { 350.0f, 300.0f, 0.5f, 1.0f, 0xFF00FF00 }
    };
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetTexture(0, nullptr);
    device->SetVertexShader(FVF_SCREEN);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, triangle, sizeof(ScreenVertex));
    Image image = EndFrame("widgets_depth.png");

    EXPECT_EQ(image.Pixel(250, 250) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(image.Pixel(20, 20) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.Pixel(480, 360) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(WidgetRender, TextButtonsLightUpUnderThePointer)
{
    CMouse mouse(device, D3DXVECTOR3(0, 0, 0));
    C3DTextButton back(device, CRECTVirtual(0.4f, 0.8f, 0.2f, 0.1f), "zur\xC3\xBC" "ck", FONT,
                       D3DXCOLOR(0, 0, 0, 0));
    Register(mouse, &back);
    PixelRect r = back.GetPixelRect();
    int cornerX = (int)r.x + 1, cornerY = (int)r.y + 1;

    BeginFrame(0xFF000000);
    back.Render();
    Image resting = EndFrame("widgets_button.png");
    EXPECT_EQ(resting.Pixel(cornerX, cornerY) & 0xFFFFFF, 0u);

    mouse.HandleMessage(WM_MOUSEMOVE, 0, MAKELPARAM((int)(r.x + r.width / 2), (int)(r.y + r.height / 2)),
                        SCREEN_W, SCREEN_H);
    EXPECT_EQ(back.GetState(), (int)C3DWindow::STATE_MOUSEOVER);
    BeginFrame(0xFF000000);
    back.Render();
    Image lit = EndFrame("widgets_button.png");
    EXPECT_GT(Red(lit.Pixel(cornerX, cornerY)), 30);
    EXPECT_EQ(Red(lit.Pixel(cornerX - 3, cornerY)), 0);
}

// Rewrites its quad's colours and texture coordinates, as an animated background does.
struct StripedIcon : public C3DIcon
{
    StripedIcon(IDirect3DDevice8* device, const char* texture)
        : C3DIcon(device, CRECTVirtual(0, 0, 1, 1), texture) {}

    void Rewrite(DWORD color, float repeat)
    {
        BYTE* data = nullptr;
        ASSERT_EQ(quad->Lock(0, 0, &data, 0), D3D_OK);
        WindowVertex* v = (WindowVertex*)data;
        // Bottom-left, top-left, bottom-right, top-right.
        const float u[4] = { 0.0f, 0.0f, repeat, repeat };
        const float w[4] = { 1.0f, 0.0f, 1.0f, 0.0f };
        for (int i = 0; i < 4; i++) {
            v[i].color = color;
            v[i].u = u[i];
            v[i].v = w[i];
        }
        quad->Unlock();
    }
};

TEST_F(WidgetRender, IconSubclassesMayRewriteTheQuadAndCoordinatesWrap)
{
    // A 4 x 4 picture: left half red, right half green.
    std::vector<uint32_t> pixels(16);
    for (int i = 0; i < 16; i++)
        pixels[i] = (i % 4) < 2 ? 0xFFFF0000 : 0xFF00FF00;
    std::string path = BuildPath("widgets_stripes_" + std::to_string((long)getpid()) + ".dds");
    ASSERT_TRUE(WriteDds(path, 4, 4, pixels));

    StripedIcon icon(device, path.c_str());
    icon.Rewrite(0xFF808080, 2.0f);
    BeginFrame(0xFF000000);
    icon.Render();
    icon.Render();   // a second drawing keeps what the subclass wrote
    Image image = EndFrame("widgets_icon_stripes.png");

    // Twice across: red, green, red, green, each at half brightness.
    const int centres[4] = { 62, 187, 312, 437 };
    for (int i = 0; i < 4; i++) {
        uint32_t p = image.Pixel(centres[i], 187);
        int lit = i % 2 == 0 ? Red(p) : Green(p);
        int dark = i % 2 == 0 ? Green(p) : Red(p);
        EXPECT_NEAR(lit, 128, 6) << "quarter " << i;
        EXPECT_LT(dark, 10) << "quarter " << i;
    }

    // A new window colour goes to the quad again.
    icon.SetColor(D3DXCOLOR(1, 0.5f, 1, 1), D3DXCOLOR(1, 0.5f, 1, 1));
    BeginFrame(0xFF000000);
    icon.Render();
    image = EndFrame("widgets_icon_stripes.png");
    EXPECT_GT(Red(image.Pixel(62, 187)), 240);
    EXPECT_NEAR(Green(image.Pixel(187, 187)), 128, 6);
    remove(path.c_str());
}

// Pixels of the picture that differ from the clear colour outside 'allowed' (grown by a pixel for rounding).
static int DrawnOutside(const Image& image, PixelRect allowed, uint32_t clear)
{
    int count = 0;
    for (int y = 0; y < image.height; y++)
        for (int x = 0; x < image.width; x++) {
            bool inside = x >= allowed.x - 1 && x < allowed.x + allowed.width + 1 && y >= allowed.y - 1 &&
                          y < allowed.y + allowed.height + 1;
            if (!inside && (image.Pixel(x, y) & 0xFFFFFF) != clear)
                count++;
        }
    return count;
}

TEST_F(WidgetRender, TooLongTextsStayInsideTheirWidgets)
{
    FILE* font = fopen(FONT, "rb");
    if (!font)
        GTEST_SKIP() << "no font atlas: the media folder is not built (target media)";
    fclose(font);

    const char* longName = "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    // A label may use the free room of the window holding it; every other
    // widget keeps to its own rectangle (a box lower than the smallest
    // readable text grows about its middle to that height).
    C3DWindow holder(device, CRECTVirtual(0.2f, 0.2f, 0.4f, 0.4f));
    C3DStaticText* label = new C3DStaticText(device, CRECTVirtual(0.1f, 0.4f, 0.3f, 0.1f), "Level 1000000000", FONT);
    C3DTextButton* button = new C3DTextButton(device, CRECTVirtual(0.1f, 0.1f, 0.3f, 0.04f), longName, FONT,
                                              D3DXCOLOR(0, 0, 0, 0));
    C3DTextBox* box = new C3DTextBox(device, CRECTVirtual(0.1f, 0.7f, 0.5f, 0.15f));
    box->SetText(longName);
    box->setSelected(1);
    C3DTextArea* area = new C3DTextArea(device, CRECTVirtual(0.5f, 0.1f, 0.4f, 0.3f), 0.2f, TEXT_BLUE);
    area->AddText("Ein Text, viel breiter als sein Feld,\nund mit Zeilen,\ndie unten\nhinausgingen", CPOINTVirtual(0.1f, 0.3f),
                  0.0f, D3DXCOLOR(0, 0, 0, 0));
    C3DWindow* widgets[] = { label, button, box, area };
    for (C3DWindow* w : widgets)
        holder.AddWindow(w);
    PixelRect grownButton = GrowPixelRect(button->GetPixelRect(), 0.0f, (float)C3DText::MIN_CELL_PIXELS);
    struct Case {
        C3DWindow* widget;
        PixelRect allowed;
    } cases[] = {
        { label, holder.GetPixelRect() },
        { button, grownButton },
        { box, box->GetPixelRect() },
        { area, area->GetPixelRect() },
    };
    for (const Case& c : cases) {
        C3DText* text = c.widget == label ? label->GetTextRenderer()
                      : c.widget == button ? button->GetTextRenderer() : nullptr;
        if (text) {
            text->color = TEXT_BLUE;
            text->effects |= C3DText::EFFECT_SHADDOW;
        }
        BeginFrame(0xFF303030);
        c.widget->Render();
        Image image = EndFrame("widgets_long_text.png");
        EXPECT_GT(CountTextBlue(image, 0, 0, SCREEN_W, SCREEN_H), 20);
        EXPECT_EQ(DrawnOutside(image, c.allowed, 0x303030u), 0)
            << "widget " << (&c - cases) << " drew outside its rectangle";
    }
    box->setSelected(0);
}
