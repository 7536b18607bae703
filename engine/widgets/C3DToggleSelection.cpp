#include "C3DToggleSelection.h"

#include "CMouse.h"

static const char* const LABEL_FONT = ".//media//arial.dds";

C3DToggleSelection::C3DToggleSelection(IDirect3DDevice8* device_, CRECTVirtual rect_, const char* nextTexture,
                                       const char* prevTexture, const char* const* entries_, int count,
                                       CMouse* mouse, float arrowWidth)
    : C3DAbstractButton(device_, rect_),
      selection(0),
      labelButton(nullptr),
      prevButton(nullptr),
      nextButton(nullptr),
      prevListener(this, 0),
      nextListener(this, 1)
{
    // The toggle itself is only the frame of its three parts.
    takesPointer = 0;
    for (int i = 0; entries_ && i < count; i++)
        entries.push_back(entries_[i] ? entries_[i] : "");

    // Two arrows must leave room for the label.
    float a = arrowWidth;
    if (a <= 0.0f || a > 0.5f)
        a = 0.2f;
    prevButton = new C3DAlphaButton(device_, CRECTVirtual(0.0f, 0.0f, a, 1.0f), prevTexture, 1);
    labelButton = new C3DTextButton(device_, CRECTVirtual(a, 0.0f, 1.0f - 2.0f * a, 1.0f),
                                    entries.empty() ? "" : entries[0].c_str(), LABEL_FONT,
                                    D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f));
    // The label only shows the entry: the pointer goes through it to the arrows,
    // whose hit areas reach over its ends when the toggle is small.
    labelButton->SetTakesPointer(0);
    nextButton = new C3DAlphaButton(device_, CRECTVirtual(1.0f - a, 0.0f, a, 1.0f), nextTexture, 1);
    prevButton->AddActionListener(&prevListener);
    nextButton->AddActionListener(&nextListener);
    AddWindow(prevButton);
    AddWindow(labelButton);
    AddWindow(nextButton);
    if (mouse) {
        mouse->AddMouseEventListener(prevButton);
        mouse->AddMouseMotionEventListener(prevButton);
        mouse->AddMouseEventListener(nextButton);
        mouse->AddMouseMotionEventListener(nextButton);
    }
}

C3DToggleSelection::~C3DToggleSelection()
{
    // The arrows hold the listeners that are members here: they go first.
    DeleteAllSubWindows();
}

void C3DToggleSelection::prev_ActionPerformed(CActionEvent)
{
    Step(-1);
}

void C3DToggleSelection::next_ActionPerformed(CActionEvent)
{
    Step(1);
}

void C3DToggleSelection::SetSelection(int index)
{
    if (index < 0 || index >= (int)entries.size())
        return;
    selection = index;
    labelButton->SetText(entries[index].c_str());
}

void C3DToggleSelection::Step(int delta)
{
    int count = (int)entries.size();
    if (count == 0)
        return;
    selection = ((selection + delta) % count + count) % count;
    labelButton->SetText(entries[selection].c_str());
    fireActionPerformed(CActionEvent(this, CActionEvent::ACTION_DEFAULT));
}

void C3DToggleSelection::CArrowListener::actionPerformed(CActionEvent event)
{
    if (next)
        toggle->next_ActionPerformed(event);
    else
        toggle->prev_ActionPerformed(event);
}
