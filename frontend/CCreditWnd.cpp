#include "CCreditWnd.h"

#include <string.h>

#include "C3DIcon.h"
#include "C3DText.h"
#include "CD3DApplication.h"
#include "CInputManager.h"
#include "CMouse.h"
#include "CResourceManager.h"

namespace {

struct CreditPair {
    const char* heading;
    const char* line;
};

const CreditPair kCredits[] = {
    { "Idee & Design", "Mirel Oskarsson" },
    { "Implementierung", "Mirel Oskarsson" },
    { "Kestrune Engine", "Mirel Oskarsson" },
    { "Graphic & Special Effects", "Mirel Oskarsson" },
    { "Contact & Feedback", "kontakt@zarul.example" },
    { "www.zarul.example", "" },
    { ":-)", "Erst denken, dann schieben!" },
};

const float kHeadingSize = 0.07f;
const float kLineSize = 0.05f;


}

CCreditWnd::CCreditWnd(IDirect3DDevice8* device)
    : C3DWindow(device, CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f)),
      textRenderer(nullptr), scrollSpeed(0.07f), lineCount(0), textLength(0)
{
    memset(lines, 0, sizeof(lines));
    memset(textBuffer, 0, sizeof(textBuffer));

    if (CMouse* mouse = CD3DApplication::LiveMouse())
        mouse->SetMouseMask(1, CRECTScreen(), 1);

    SetColor(D3DXCOLOR(0.0f, 0.0f, 0.0f, 1.0f), D3DXCOLOR(0.0f, 0.0f, 0.0f, 1.0f));

    textRenderer = new C3DText(device);
    textRenderer->SetFontTexture(".//media//arial.dds");
    textRenderer->color = (DWORD)D3DXCOLOR(0.09f, 0.1f, 0.66f, 1.0f);
    textRenderer->effects |= C3DText::EFFECT_SHADDOW;

    scrollSpeed = 0.07f;

    CInputManager* input = CResourceManager::GetInputManager();
    input->SetExclusivListener(this);
    input->AddKeyListener(this);

    C3DIcon* logo = new C3DIcon(device, CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f), ".//media//qm_logo.jpg");
    logo->SetColor(D3DXCOLOR(0.5f, 0.5f, 0.5f, 0.5f), D3DXCOLOR(0.5f, 0.5f, 0.5f, 0.5f));
    AddWindow(logo);

    lineCount = 0;
    textLength = 0;
    for (const CreditPair& pair : kCredits)
        AddEntry(pair.heading, pair.line);

    // Centre every line on the screen by its measured width.
    for (int i = 0; i < lineCount; i++) {
        textRenderer->SetTextSizeVirtual(lines[i].size, 0.0f);
        CRECTVirtual extent = textRenderer->GetTextExtendsVirtual(textBuffer + lines[i].offset, CPOINTVirtual(0.0f, 0.0f));
        lines[i].x = 0.5f - extent.width / 2.0f;
    }
}

CCreditWnd::~CCreditWnd()
{
    delete textRenderer;
    textRenderer = nullptr;
    CInputManager* input = CResourceManager::GetInputManager();
    input->RemoveKeyListener(this);
    // Only give the keys back when they are still ours: another window may have
    // taken them since.
    if (input->GetExclusivListener() == this)
        input->SetExclusivListener(nullptr);
}

bool CCreditWnd::AddLine(const char* text, float size, float y)
{
    size_t length = strlen(text) + 1;
    if (lineCount >= MAX_LINES || textLength + length > (size_t)TEXT_BUFFER_SIZE)
        return false;
    Line& entry = lines[lineCount];
    entry.offset = textLength;
    entry.size = size;
    entry.x = 0.5f;
    entry.y = y;
    memcpy(textBuffer + textLength, text, length);
    textLength += (int)length;
    lineCount++;
    return true;
}

void CCreditWnd::AddEntry(const char* heading, const char* line)
{
    float y = lineCount * 0.1f + 1.0f;
    if (AddLine(heading, kHeadingSize, y))
        AddLine(line, kLineSize, y + 0.08f);
}

void CCreditWnd::Move(float seconds)
{
    // The window itself stays put; only the lines scroll.
    for (int i = 0; i < lineCount; i++)
        lines[i].y -= seconds * scrollSpeed;
}

void CCreditWnd::Render()
{
    C3DWindow::Render();

    int drawn = 0;
    for (int i = 0; i < lineCount; i++) {
        if (lines[i].y <= 0.0f || lines[i].y > 1.0f)
            continue;
        textRenderer->SetTextSizeVirtual(lines[i].size, 0.0f);
        textRenderer->DrawTextA(textBuffer + lines[i].offset, CPOINTVirtual(lines[i].x, lines[i].y));
        drawn++;
    }
    if (drawn == 0 && !markedForDeletion)
        CloseWindow();
}

void CCreditWnd::CloseWindow()
{
    if (CMouse* mouse = CD3DApplication::LiveMouse())
        mouse->SetMouseMask(0, CRECTScreen(), 1);
    MarkForDeletion();
}

void CCreditWnd::keyPressed(CKeyEvent)
{
    CloseWindow();
}

void CCreditWnd::keyReleased(CKeyEvent)
{
}
