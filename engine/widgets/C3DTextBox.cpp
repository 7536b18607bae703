#include "C3DTextBox.h"

#include <cmath>

#include "CInputManager.h"
#include "CResourceManager.h"
#include "TextEntry.h"

// The field's own look: a light box with dark blue text.
static const float FIELD_ALPHA = 0.7f;
static const DWORD FIELD_TEXT_COLOR = 0xFF171AA8;
// Left margin of the text, as a fraction of the box height.
static const float TEXT_MARGIN = 0.15f;
// The caret blinks with this period, in seconds.
static const float CARET_PERIOD = 1.0f;

C3DTextBox::C3DTextBox(IDirect3DDevice8* device_, CRECTVirtual rect_)
    : C3DWindow(device_, rect_), renderer(new C3DText(device_)), keySide(this), shiftDown(0), caretTime(0.0f)
{
    state = STATE_INACTIVE;
    takesPointer = 1;
    SetColor(D3DXCOLOR(1.0f, 1.0f, 1.0f, FIELD_ALPHA), D3DXCOLOR(1.0f, 1.0f, 1.0f, FIELD_ALPHA));
    renderer->color = FIELD_TEXT_COLOR;
}

C3DTextBox::~C3DTextBox()
{
    CResourceManager::GetInputManager()->RemoveKeyListener(&keySide);
    delete renderer;
}

void C3DTextBox::Render()
{
    RenderBackground();
    PixelRect r = GetPixelRect();
    std::string shown = text;
    if (state == STATE_ACTIVE && std::fmod(caretTime, CARET_PERIOD) < CARET_PERIOD * 0.5f)
        shown += '_';
    // A name longer than the field shows its end, where the typing goes on;
    // the rest is cut off at the field's left edge.
    float cell = C3DText::ReadableCell(r.height);
    float margin = r.height * TEXT_MARGIN;
    float width = renderer->GetTextWidthPixels(shown.c_str(), cell);
    float x = r.x + margin;
    if (width > r.width - 2.0f * margin)
        x = r.x + r.width - margin - width;
    PixelRect field = r;
    if (cell > r.height) {
        field.y = r.y + (r.height - cell) * 0.5f;
        field.height = cell;
    }
    renderer->SetClipPixels(field);
    renderer->DrawTextPixels(shown.c_str(), x, field.y + (field.height - cell) * 0.5f, cell);
    renderer->ClearClip();
    RenderChildren();
}

void C3DTextBox::Move(float seconds)
{
    std::shared_ptr<bool> token = alive;
    C3DWindow::Move(seconds);
    if (*token)
        caretTime += seconds;
}

void C3DTextBox::GetFocus()
{
    Begin();
}

void C3DTextBox::LoseFocus()
{
    C3DWindow::LoseFocus();
    Finish();
}

void C3DTextBox::MouseClicked(CMouseEvent event)
{
    if (event.getMouseButtonState(0) != CMouseEvent::MOUSE_BUTTON_PRESS)
        return;
    if (IsUnderPointer(event.x, event.y))
        Begin();
    else if (state == STATE_ACTIVE)
        LoseFocus();
}

void C3DTextBox::setSelected(int on)
{
    if (on)
        Begin();
    else
        Finish();
}

void C3DTextBox::SetText(const char* newText)
{
    text = newText ? newText : "";
}

void C3DTextBox::KeyPressed(const CKeyEvent& event)
{
    if (state != STATE_ACTIVE)
        return;
    int code = (int)event.GetKeyCode();
    if (code == ENTRY_KEY_LSHIFT || code == ENTRY_KEY_RSHIFT) {
        shiftDown = 1;
        return;
    }
    if (ApplyKeyToText(text, code, event.GetCharacter(), shiftDown != 0, MAX_CHARACTERS) == ENTRY_FINISHED)
        Finish();
}

void C3DTextBox::KeyReleased(const CKeyEvent& event)
{
    int code = (int)event.GetKeyCode();
    if (code == ENTRY_KEY_LSHIFT || code == ENTRY_KEY_RSHIFT)
        shiftDown = 0;
}

void C3DTextBox::Begin()
{
    if (state == STATE_ACTIVE)
        return;
    state = STATE_ACTIVE;
    shiftDown = 0;
    caretTime = 0.0f;
    CResourceManager::GetInputManager()->AddKeyListener(&keySide);
    C3DWindow::GetFocus();
    FireChangeEvent(CChangeEvent(this, CChangeEvent::STATE_CHANGED));
}

void C3DTextBox::Finish()
{
    if (state != STATE_ACTIVE)
        return;
    state = STATE_INACTIVE;
    CResourceManager::GetInputManager()->RemoveKeyListener(&keySide);
    if (HasFocus())
        C3DWindow::LoseFocus();
    FireChangeEvent(CChangeEvent(this, CChangeEvent::STATE_CHANGED));
}
