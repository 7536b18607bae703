// Pointer and key input of the widgets, without a device: windows lay out on a
// 640 x 480 screen and are "drawn" only to record their stacking order.
#include <gtest/gtest.h>

#include <memory>

#include "C3DCheckBox.h"
#include "C3DTextArea.h"
#include "C3DTextBox.h"
#include "C3DTextButton.h"
#include "C3DIcon.h"
#include "C3DToggleSelection.h"
#include "CInputManager.h"
#include "CResourceManager.h"
#include "CWindowScaleModifier.h"
#include "WidgetTestHelpers.h"

static const char* FONT = ".//media//arial.dds";

static C3DTextButton* MakeButton(float x, float y, float w, float h)
{
    return new C3DTextButton(nullptr, CRECTVirtual(x, y, w, h), "OK", FONT, D3DXCOLOR(0, 0, 0, 0));
}

// Records pointer clicks that get past the widgets.
struct ClickCounter : public IMouseListener
{
    int clicks = 0;
    virtual void MouseClicked(CMouseEvent event)
    {
        if (event.getMouseButtonState(0) == CMouseEvent::MOUSE_BUTTON_RELEASE)
            clicks++;
    }
    virtual void MouseEntered(CMouseEvent) {}
    virtual void MouseExited(CMouseEvent) {}
    virtual void MousePressed(CMouseEvent) {}
    virtual void MouseReleased(CMouseEvent) {}
};

TEST(WindowPointer, OnlyTheTopmostButtonUnderThePointerTakesTheClick)
{
    CMouse mouse(nullptr, D3DXVECTOR3(0, 0, 0));
    std::unique_ptr<C3DTextButton> lower(MakeButton(0.1f, 0.1f, 0.4f, 0.4f));   // 64..320, 48..240
    std::unique_ptr<C3DTextButton> upper(MakeButton(0.3f, 0.3f, 0.4f, 0.4f));   // 192..448, 144..336
    // A text area over both takes no pointer and hides nothing.
    std::unique_ptr<C3DTextArea> area(new C3DTextArea(nullptr, CRECTVirtual(0, 0, 1, 1), 0.1f, D3DXCOLOR(1, 1, 1, 1)));
    ActionRecorder lowerHits, upperHits;
    lower->AddActionListener(&lowerHits);
    upper->AddActionListener(&upperHits);
    Register(mouse, lower.get());
    Register(mouse, upper.get());
    lower->Render();
    upper->Render();
    area->Render();

    ClickAt(mouse, 250, 200);   // in both
    EXPECT_EQ(lowerHits.events.size(), 0u);
    ASSERT_EQ(upperHits.events.size(), 1u);
    EXPECT_EQ(upperHits.events[0].GetSource(), upper.get());
    EXPECT_EQ(upperHits.events[0].GetID(), (int)CActionEvent::ACTION_DEFAULT);

    ClickAt(mouse, 100, 60);    // in the lower one only
    EXPECT_EQ(lowerHits.events.size(), 1u);
    ClickAt(mouse, 600, 400);   // in neither
    EXPECT_EQ(lowerHits.events.size() + upperHits.events.size(), 2u);

    // Drawn the other way round, the lower button is on top.
    upper->Render();
    lower->Render();
    ClickAt(mouse, 250, 200);
    EXPECT_EQ(lowerHits.events.size(), 2u);
    EXPECT_EQ(upperHits.events.size(), 1u);
}

TEST(WindowPointer, ChildRectanglesNestAndQuadraticWindowsStaySquare)
{
    C3DWindow panel(nullptr, CRECTVirtual(0.82f, 0.02f, 0.16f, 0.8f));
    C3DTextButton* exit = MakeButton(0.1f, 0.9f, 0.8f, 0.042f);
    panel.AddWindow(exit);
    CRECTScreen r = exit->GetWindowSize();
    EXPECT_EQ(r.x, 535);   // 524.8 + 0.1 * 102.4
    EXPECT_EQ(r.y, 355);   // 9.6 + 0.9 * 384
    EXPECT_EQ(r.width, 82);
    EXPECT_EQ(r.height, 16);
    EXPECT_EQ(exit->GetParent(), &panel);

    exit->SetQuadratic(1);
    r = exit->GetWindowSize();
    EXPECT_EQ(r.width, r.height);

    // Hit tests follow the parent: the button moves with the panel.
    panel.SetRect(CRECTVirtual(0.0f, 0.02f, 0.16f, 0.8f));
    EXPECT_TRUE(exit->IsUnderPointer(0.03f, 0.76f));
    EXPECT_FALSE(exit->IsUnderPointer(0.85f, 0.76f));
}

TEST(ButtonClick, FiresOnceOnPressAndReleaseOnTheButtonAndStopsThere)
{
    CMouse mouse(nullptr, D3DXVECTOR3(0, 0, 0));
    std::unique_ptr<C3DTextButton> button(MakeButton(0.0f, 0.0f, 0.5f, 0.5f));
    ActionRecorder hits;
    button->AddActionListener(&hits);
    button->AddActionListener(nullptr);
    Register(mouse, button.get());
    ClickCounter below;   // a listener after the button, as the board is
    mouse.AddMouseEventListener(&below);

    ClickAt(mouse, 10, 10);
    EXPECT_EQ(hits.events.size(), 1u);
    EXPECT_EQ(below.clicks, 0);

    // Pressed elsewhere and released on the button: no click.
    SendMouse(mouse, WM_LBUTTONDOWN, 500, 400);
    SendMouse(mouse, WM_LBUTTONUP, 10, 10);
    // Pressed on the button and released elsewhere: no click either.
    SendMouse(mouse, WM_LBUTTONDOWN, 10, 10);
    SendMouse(mouse, WM_LBUTTONUP, 500, 400);
    EXPECT_EQ(hits.events.size(), 1u);
    EXPECT_EQ(below.clicks, 2);
    EXPECT_EQ(button->GetState(), (int)C3DWindow::STATE_ACTIVE);

    SendMouse(mouse, WM_MOUSEMOVE, 10, 10);
    EXPECT_EQ(button->GetState(), (int)C3DWindow::STATE_MOUSEOVER);
    EXPECT_TRUE(button->IsMouseOver());

    // A listener added twice hears the click twice.
    button->AddActionListener(&hits);
    ClickAt(mouse, 10, 10);
    EXPECT_EQ(hits.events.size(), 3u);
    button->RemoveActionListener(&hits);
    ClickAt(mouse, 10, 10);
    EXPECT_EQ(hits.events.size(), 3u);
    mouse.RemoveMouseEventListener(&below);
}

// Deletes the button it listens to, as a closing screen does.
struct Deleter : public IActionListener
{
    C3DWindow* victim = nullptr;
    int calls = 0;
    virtual void actionPerformed(CActionEvent)
    {
        calls++;
        delete victim;
        victim = nullptr;
    }
};

TEST(ButtonClick, AListenerMayDeleteTheButton)
{
    CMouse mouse(nullptr, D3DXVECTOR3(0, 0, 0));
    C3DTextButton* button = MakeButton(0.0f, 0.0f, 0.5f, 0.5f);
    Deleter deleter;
    deleter.victim = button;
    ActionRecorder after;
    button->AddActionListener(&deleter);
    button->AddActionListener(&after);
    Register(mouse, button);
    ClickCounter below;
    mouse.AddMouseEventListener(&below);

    ClickAt(mouse, 10, 10);
    EXPECT_EQ(deleter.calls, 1);
    // A deleted button sends nothing more and has left the mouse.
    EXPECT_EQ(after.events.size(), 0u);
    ClickAt(mouse, 10, 10);
    EXPECT_EQ(deleter.calls, 1);
    EXPECT_EQ(below.clicks, 1);
    mouse.RemoveMouseEventListener(&below);
}

TEST(WindowLifetime, DeletedWindowsLeaveEveryMouseAndTheirParent)
{
    CMouse first(nullptr, D3DXVECTOR3(0, 0, 0));
    CMouse second(nullptr, D3DXVECTOR3(0, 0, 0));
    C3DWindow* panel = new C3DWindow(nullptr, CRECTVirtual(0, 0, 1, 1));
    C3DTextButton* child = MakeButton(0.0f, 0.0f, 0.5f, 0.5f);
    C3DTextButton* other = MakeButton(0.5f, 0.5f, 0.5f, 0.5f);
    panel->AddWindow(child);
    panel->AddWindow(other);
    Register(first, child);
    Register(second, child);
    Register(first, other);

    delete other;   // deleted directly: the parent forgets it
    EXPECT_EQ(panel->GetSubWindowCount(), 1);
    delete panel;   // takes the child with it
    ClickAt(first, 10, 10);
    ClickAt(second, 10, 10);
    SendMouse(first, WM_MOUSEMOVE, 400, 400);
}

TEST(WindowLifetime, ChildrenMarkedForDeletionGoAtTheNextMoveWithTheirEvent)
{
    C3DWindow panel(nullptr, CRECTVirtual(0, 0, 1, 1));
    C3DTextButton* label = MakeButton(0.0f, 0.0f, 0.5f, 0.5f);
    C3DTextButton* keep = MakeButton(0.5f, 0.0f, 0.5f, 0.5f);
    ChangeRecorder changes;
    label->AddChangeEventListener(&changes);
    panel.AddWindow(label);
    panel.AddWindow(keep);
    label->MarkForDeletion();
    panel.Render();
    EXPECT_EQ(panel.GetSubWindowCount(), 2);
    panel.Move(0.016f);
    ASSERT_EQ(panel.GetSubWindowCount(), 1);
    EXPECT_EQ(panel.GetSubWindow(0), keep);
    ASSERT_EQ(changes.events.size(), 1u);
    EXPECT_EQ(changes.events[0].GetState(), (int)CChangeEvent::PRE_OBJECT_DELETION);

    panel.AddWindow(new C3DIcon(nullptr, CRECTVirtual(0, 0, 1, 1), "x.dds"));
    panel.DeleteAllSubWindows();
    EXPECT_EQ(panel.GetSubWindowCount(), 0);
}

TEST(CheckBox, ClickTogglesAndFiresUnlessLocked)
{
    CMouse mouse(nullptr, D3DXVECTOR3(0, 0, 0));
    std::unique_ptr<C3DCheckBox> box(new C3DCheckBox(nullptr, CRECTVirtual(0.5f, 0.5f, 0.1f, 0.1f), &mouse));
    ActionRecorder hits;
    box->AddActionListener(&hits);
    box->SetChecked(1);
    EXPECT_EQ(box->checked, 1);
    EXPECT_EQ(hits.events.size(), 0u);

    ClickAt(mouse, 330, 250);
    EXPECT_EQ(box->checked, 0);
    ClickAt(mouse, 330, 250);
    EXPECT_EQ(box->checked, 1);
    ASSERT_EQ(hits.events.size(), 2u);
    EXPECT_EQ(hits.events[1].GetSource(), box.get());

    box->SetLocked(1);
    ClickAt(mouse, 330, 250);
    EXPECT_EQ(box->checked, 1);
    EXPECT_EQ(hits.events.size(), 2u);
}

// Keeps what a check box's state was when each of its actions reached it.
struct StateReader : public IActionListener
{
    const int* state = nullptr;
    std::vector<int> seen;
    void actionPerformed(CActionEvent) override { seen.push_back(*state); }
};

// The options' handlers read the box when its click reaches them.
TEST(CheckBox, ListenersReadTheNewState)
{
    CMouse mouse(nullptr, D3DXVECTOR3(0, 0, 0));
    std::unique_ptr<C3DCheckBox> box(new C3DCheckBox(nullptr, CRECTVirtual(0.5f, 0.5f, 0.1f, 0.1f), &mouse));
    StateReader reader;
    reader.state = &box->checked;
    box->AddActionListener(&reader);
    ClickAt(mouse, 330, 250);
    ClickAt(mouse, 330, 250);
    EXPECT_EQ(reader.seen, std::vector<int>({ 1, 0 }));
}

// Counts its own arrow slots and keeps its own number, as a level chooser does.
struct CountingToggle : public C3DToggleSelection
{
    CountingToggle(CMouse* mouse)
        : C3DToggleSelection(nullptr, CRECTVirtual(0.0f, 0.0f, 0.5f, 0.1f), "next.dds", "prev.dds", nullptr, 0,
                             mouse, 0.2f) {}
    int nexts = 0;
    int prevs = 0;
    virtual void next_ActionPerformed(CActionEvent) { nexts++; selection += 10; }
    virtual void prev_ActionPerformed(CActionEvent) { prevs++; }
};

TEST(ToggleSelection, ArrowsStepThroughCopiedEntriesAndWrap)
{
    CMouse mouse(nullptr, D3DXVECTOR3(0, 0, 0));
    char names[3][8] = { "1/3", "2/3", "3/3" };
    char* entries[3] = { names[0], names[1], names[2] };
    std::unique_ptr<C3DToggleSelection> toggle(new C3DToggleSelection(
        nullptr, CRECTVirtual(0.0f, 0.0f, 0.5f, 0.1f), "next.dds", "prev.dds", entries, 3, &mouse, 0.2f));
    names[0][0] = 'X';   // the toggle keeps its own copies
    ActionRecorder hits;
    toggle->AddActionListener(&hits);
    EXPECT_STREQ(toggle->labelButton->GetText(), "1/3");

    // Arrows: prev over x 0..64, next over x 256..320, 48 pixels high.
    ClickAt(mouse, 30, 20);
    EXPECT_EQ(toggle->selection, 2);
    EXPECT_STREQ(toggle->labelButton->GetText(), "3/3");
    ClickAt(mouse, 300, 20);
    ClickAt(mouse, 300, 20);
    EXPECT_EQ(toggle->selection, 1);
    EXPECT_STREQ(toggle->labelButton->GetText(), "2/3");
    ASSERT_EQ(hits.events.size(), 3u);
    EXPECT_EQ(hits.events[0].GetSource(), toggle.get());

    // The label between the arrows is no arrow.
    ClickAt(mouse, 160, 20);
    EXPECT_EQ(toggle->selection, 1);

    toggle->SetSelection(0);
    EXPECT_STREQ(toggle->labelButton->GetText(), "1/3");
    toggle->SetSelection(7);
    toggle->SetSelection(-1);
    EXPECT_EQ(toggle->selection, 0);
    EXPECT_EQ(hits.events.size(), 3u);
}

TEST(ToggleSelection, SubclassSlotsRunAndMissingMouseOrEntriesLeaveTheArrowsDead)
{
    CMouse mouse(nullptr, D3DXVECTOR3(0, 0, 0));
    std::unique_ptr<CountingToggle> toggle(new CountingToggle(&mouse));
    toggle->selection = 3;
    ClickAt(mouse, 300, 20);
    ClickAt(mouse, 30, 20);
    EXPECT_EQ(toggle->nexts, 1);
    EXPECT_EQ(toggle->prevs, 1);
    EXPECT_EQ(toggle->selection, 13);

    std::unique_ptr<CountingToggle> deaf(new CountingToggle(nullptr));
    CMouse other(nullptr, D3DXVECTOR3(0, 0, 0));
    ClickAt(other, 300, 20);
    EXPECT_EQ(deaf->nexts, 0);

    // Without entries the arrows change nothing.
    std::unique_ptr<C3DToggleSelection> empty(new C3DToggleSelection(
        nullptr, CRECTVirtual(0.0f, 0.0f, 0.5f, 0.1f), "next.dds", "prev.dds", nullptr, 0, &other, 0.2f));
    ActionRecorder hits;
    empty->AddActionListener(&hits);
    ClickAt(other, 300, 20);
    ClickAt(other, 30, 20);
    empty->SetSelection(0);
    EXPECT_EQ(empty->selection, 0);
    EXPECT_STREQ(empty->labelButton->GetText(), "");
    EXPECT_EQ(hits.events.size(), 0u);
}

static void Key(int scanCode, int character)
{
    CResourceManager::GetInputManager()->CreateDevice(CInputManager::DEVICE_KEYBOARD);
    DIDEVICEOBJECTDATA data;
    memset(&data, 0, sizeof(data));
    data.dwOfs = scanCode;
    CResourceManager::GetInputManager()->FireKeyPressed(CKeyEvent(nullptr, data, character, 0));
    CResourceManager::GetInputManager()->FireKeyReleased(CKeyEvent(nullptr, data, 0, 0));
}

TEST(TextBox, TypingBackspaceAndReturnEndTheEntryWithOneEvent)
{
    std::unique_ptr<C3DTextBox> box(new C3DTextBox(nullptr, CRECTVirtual(0, 1, 1, 0.2f)));
    ChangeRecorder changes;
    box->AddChangeEventListener(&changes);
    EXPECT_EQ(box->GetState(), (int)C3DWindow::STATE_INACTIVE);
    Key(0x1E, 'a');   // not selected yet: ignored
    box->setSelected(1);
    ASSERT_EQ(changes.events.size(), 1u);
    EXPECT_EQ(box->GetState(), (int)C3DWindow::STATE_ACTIVE);
    EXPECT_TRUE(box->HasFocus());

    // "Jü" from scan codes alone, with shift for the capital, one typo undone.
    DIDEVICEOBJECTDATA shift;
    memset(&shift, 0, sizeof(shift));
    shift.dwOfs = 0x2A;
    CResourceManager::GetInputManager()->FireKeyPressed(CKeyEvent(nullptr, shift, 0, 0));
    Key(0x24, 0);
    CResourceManager::GetInputManager()->FireKeyReleased(CKeyEvent(nullptr, shift, 0, 0));
    Key(0x1A, 0);
    Key(0x13, 0);
    Key(0x0E, 8);
    EXPECT_STREQ(box->GetText(), "J\xC3\xBC");
    EXPECT_EQ(changes.events.size(), 1u);

    Key(0x1C, 13);
    EXPECT_EQ(box->GetState(), (int)C3DWindow::STATE_INACTIVE);
    ASSERT_EQ(changes.events.size(), 2u);
    EXPECT_EQ(changes.events[1].GetState(), (int)CChangeEvent::STATE_CHANGED);
    EXPECT_EQ(changes.events[1].GetSource(), box.get());
    EXPECT_FALSE(box->HasFocus());

    // Finished: keys no longer reach it, Return again sends nothing.
    Key(0x1E, 'a');
    Key(0x1C, 13);
    EXPECT_STREQ(box->GetText(), "J\xC3\xBC");
    EXPECT_EQ(changes.events.size(), 2u);
}

TEST(TextBox, LosingTheFocusEndsTheEntry)
{
    CMouse mouse(nullptr, D3DXVECTOR3(0, 0, 0));
    std::unique_ptr<C3DTextBox> first(new C3DTextBox(nullptr, CRECTVirtual(0, 0, 1, 0.1f)));
    std::unique_ptr<C3DTextBox> second(new C3DTextBox(nullptr, CRECTVirtual(0, 0.5f, 1, 0.1f)));
    ChangeRecorder changes;
    first->AddChangeEventListener(&changes);
    first->setSelected(1);
    second->setSelected(1);
    EXPECT_EQ(first->GetState(), (int)C3DWindow::STATE_INACTIVE);
    EXPECT_EQ(changes.events.size(), 2u);
    Key(0x1E, 'a');
    EXPECT_STREQ(first->GetText(), "");
    EXPECT_STREQ(second->GetText(), "a");

    // A click elsewhere ends the entry too.
    Register(mouse, second.get());
    ClickAt(mouse, 320, 400);
    EXPECT_EQ(second->GetState(), (int)C3DWindow::STATE_INACTIVE);

    // A box deleted while entering leaves the keys alone.
    first->setSelected(1);
    first.reset();
    Key(0x1E, 'a');
}

TEST(TextArea, LinesSplitAndZeroMeansTheAreasOwn)
{
    C3DTextArea area(nullptr, CRECTVirtual(0.05f, 0.1f, 0.8f, 0.8f), 0.07f, D3DXCOLOR(0.09f, 0.1f, 0.66f, 1.0f));
    area.AddText("Ziehen\n \nFreie Steine", CPOINTVirtual(0.0f, 0.0f), 0.0f, D3DXCOLOR(0, 0, 0, 0));
    ASSERT_EQ(area.GetLineCount(), 3);
    EXPECT_STREQ(area.GetLineText(1), " ");
    EXPECT_FLOAT_EQ(area.GetLinePoint(2).y, 0.14f);
    EXPECT_FLOAT_EQ(area.GetLineSize(0), 0.07f);
    EXPECT_EQ(area.GetLineColor(0), 0xFF171AA8u);

    area.AddText("-", CPOINTVirtual(0.87f, 0.1f), 0.2f, D3DXCOLOR(1, 0, 0, 0.5f));
    EXPECT_FLOAT_EQ(area.GetLineSize(3), 0.2f);
    EXPECT_EQ(area.GetLineColor(3), 0x80FF0000u);
    area.ClearTextArea();
    EXPECT_EQ(area.GetLineCount(), 0);
}

// Deletes the modifier that reports to it, as a closing submenu replaces its scale-out.
struct ModifierDeleter : public IChangeListener
{
    CWindowScaleModifier* modifier = nullptr;
    C3DWindow* window = nullptr;
    int events = 0;
    virtual void stateChanged(CChangeEvent)
    {
        events++;
        window->RemoveModifier(modifier);
        delete modifier;
        modifier = nullptr;
    }
};

TEST(WindowScaleModifier, ScalesTheWindowAndReportsTheEndOnceToAListenerThatMayDeleteIt)
{
    C3DWindow window(nullptr, CRECTVirtual(0.5f, 0.5f, 0.0f, 0.0f));
    CWindowScaleModifier scale(CRECTVirtual(0.5f, 0.5f, 0.0f, 0.0f), CRECTVirtual(0.25f, 0.25f, 0.5f, 0.5f), 0.3f);
    ChangeRecorder changes;
    scale.AddChangeListener(&changes);
    window.AddModifier(&scale);

    window.Move(0.15f);
    EXPECT_NEAR(window.GetRect().x, 0.375f, 1e-5);
    EXPECT_NEAR(window.GetRect().width, 0.25f, 1e-5);
    EXPECT_EQ(changes.events.size(), 0u);
    window.Move(0.2f);
    EXPECT_FLOAT_EQ(window.GetRect().y, 0.25f);
    EXPECT_FLOAT_EQ(window.GetRect().height, 0.5f);
    ASSERT_EQ(changes.events.size(), 1u);
    EXPECT_EQ(changes.events[0].GetSource(), &window);
    window.SetRect(CRECTVirtual(0, 0, 1, 1));
    window.Move(0.2f);
    EXPECT_EQ(changes.events.size(), 1u);
    EXPECT_FLOAT_EQ(window.GetRect().width, 1.0f);
    window.RemoveModifier(&scale);

    // Scaling back out, the listener deletes the modifier when it ends.
    ModifierDeleter deleter;
    deleter.window = &window;
    deleter.modifier = new CWindowScaleModifier(CRECTVirtual(0.25f, 0.25f, 0.5f, 0.5f),
                                                CRECTVirtual(0.5f, 0.5f, 0.0f, 0.0f), 0.3f);
    deleter.modifier->AddChangeListener(&deleter);
    window.AddModifier(deleter.modifier);
    for (int i = 0; i < 40; i++)
        window.Move(0.016f);
    EXPECT_EQ(deleter.events, 1);
    EXPECT_FLOAT_EQ(window.GetRect().width, 0.0f);
}
