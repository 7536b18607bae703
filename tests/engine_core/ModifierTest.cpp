#include <gtest/gtest.h>

#include "TestObjects.h"
#include "CColorFadeModifier.h"
#include "CFadeInOutModifier.h"
#include "CInputManager.h"
#include "CMouse.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "C3DWindow.h"

class EngineCoreModifier : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearObjectQueue();
        window = new C3DWindow(nullptr, CRECTVirtual(0.0f, 0.0f, 1.0f, 1.0f));
    }
    void TearDown() override
    {
        delete window;
        ClearObjectQueue();
    }

    void Step(IModifier* modifier, float seconds) { modifier->apply(CModEvent(window, seconds)); }
    float Alpha() const { return window->GetColor(0).a; }

    C3DWindow* window;
};

TEST_F(EngineCoreModifier, ColorFadeInStartsBlackAndClearsWithOneEvent)
{
    window->SetColor(D3DXCOLOR(0, 0, 0, 0), D3DXCOLOR(0, 0, 0, 0));
    CColorFadeModifier fade(0, 0.4f, D3DXCOLOR(0, 0, 0, 1));
    RecordingChangeListener listener;
    fade.AddChangeListener(&listener);
    Step(&fade, 0.1f);
    EXPECT_FLOAT_EQ(1.0f, Alpha()) << "the first frame is fully covered";
    Step(&fade, 0.2f);
    EXPECT_NEAR(0.5f, Alpha(), 1e-5f);
    EXPECT_TRUE(listener.events.empty());
    Step(&fade, 0.2f);
    EXPECT_FLOAT_EQ(0.0f, Alpha());
    Step(&fade, 0.2f);
    EXPECT_EQ(1u, listener.events.size());
}

TEST_F(EngineCoreModifier, ColorFadeOutStaysBlackAfterItsEnd)
{
    window->SetColor(D3DXCOLOR(0, 0, 0, 0), D3DXCOLOR(0, 0, 0, 0));
    CColorFadeModifier fade(1, 1.0f, D3DXCOLOR(0, 0, 0, 1));
    RecordingChangeListener listener;
    fade.AddChangeListener(&listener);
    Step(&fade, 0.0f);
    EXPECT_FLOAT_EQ(0.0f, Alpha());
    Step(&fade, 0.5f);
    EXPECT_NEAR(0.5f, Alpha(), 1e-5f);
    Step(&fade, 0.6f);
    EXPECT_FLOAT_EQ(1.0f, Alpha());
    for (int i = 0; i < 4; i++)
        Step(&fade, 0.5f);
    EXPECT_FLOAT_EQ(1.0f, Alpha());
    EXPECT_EQ(1u, listener.events.size());
}

TEST_F(EngineCoreModifier, FadeInOutRunsItsPhasesThenRemovesTheWindow)
{
    window->SetColor(D3DXCOLOR(1, 1, 1, 0), D3DXCOLOR(1, 1, 1, 0));
    CFadeInOutModifier fade(0.5f, 2.0f, 0.5f);
    Step(&fade, 0.25f);
    EXPECT_NEAR(0.5f, Alpha(), 1e-5f);
    EXPECT_FLOAT_EQ(1.0f, window->GetColor(0).r) << "colour kept, only alpha fades";
    Step(&fade, 0.5f);
    EXPECT_FLOAT_EQ(1.0f, Alpha());
    Step(&fade, 1.7f);
    EXPECT_EQ(CFadeInOutModifier::PHASE_HOLD, fade.GetPhase());
    Step(&fade, 0.3f);
    EXPECT_NEAR(0.5f, Alpha(), 1e-5f);
    EXPECT_FALSE(window->IsMarkedForDeletion());
    Step(&fade, 0.3f);
    EXPECT_EQ(CFadeInOutModifier::PHASE_DONE, fade.GetPhase());
    EXPECT_TRUE(window->IsMarkedForDeletion());
}

TEST_F(EngineCoreModifier, NegativeHoldWaitsForAClickOnTheMouseSide)
{
    CMouse mouse(nullptr, D3DXVECTOR3(0.0f, 0.0f, 0.0f));
    CFadeInOutModifier* fade = new CFadeInOutModifier(0.5f, -0.1f, 0.5f);
    mouse.AddMouseEventListener(fade);
    Step(fade, 0.6f);
    for (int i = 0; i < 100; i++)
        Step(fade, 1.0f);
    EXPECT_EQ(CFadeInOutModifier::PHASE_HOLD, fade->GetPhase());
    // A press alone is no click; the release is.
    mouse.HandleMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10), 500, 375);
    Step(fade, 0.1f);
    EXPECT_EQ(CFadeInOutModifier::PHASE_HOLD, fade->GetPhase());
    mouse.HandleMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10), 500, 375);
    Step(fade, 0.0f);
    EXPECT_EQ(CFadeInOutModifier::PHASE_OUT, fade->GetPhase());
    Step(fade, 0.6f);
    EXPECT_TRUE(window->IsMarkedForDeletion());
    // Done, it left the mouse: deleting it and clicking again is harmless.
    delete fade;
    mouse.HandleMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10), 500, 375);
    mouse.HandleMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10), 500, 375);
}

TEST_F(EngineCoreModifier, KeyDuringFadeInFadesOutFromTheAlphaReached)
{
    CInputManager* input = CResourceManager::GetInputManager();
    input->CreateDevice(CInputManager::DEVICE_KEYBOARD);
    CFadeInOutModifier* fade = new CFadeInOutModifier(0.5f, 2.0f, 0.5f);
    input->AddKeyListener(fade);
    Step(fade, 0.3f);
    float reached = Alpha();
    input->HandleMessage(WM_KEYDOWN, VK_SPACE, 0);
    input->Flush();
    Step(fade, 0.0f);
    EXPECT_EQ(CFadeInOutModifier::PHASE_OUT, fade->GetPhase());
    EXPECT_NEAR(reached, Alpha(), 1e-5f);
    delete fade;   // leaves the key listeners itself
    input->HandleMessage(WM_KEYDOWN, VK_RETURN, 0);
    input->Flush();
}

TEST_F(EngineCoreModifier, FadedOutIconReachesItsListenersThroughTheQueue)
{
    C3DWindow* icon = new C3DWindow(nullptr, CRECTVirtual(0.3f, 0.3f, 0.2f, 0.2f));
    icon->SetColor(D3DXCOLOR(1, 1, 1, 0), D3DXCOLOR(1, 1, 1, 0));
    CFadeInOutModifier fade(0.1f, 0.1f, 0.1f);
    icon->AddModifier(&fade);
    RecordingChangeListener listener;
    icon->AddChangeEventListener(&listener);
    CObjQueue* queue = CResourceManager::GetObjectQueue();
    queue->AddObject(icon, 4, 0);
    for (int i = 0; i < 10; i++)
        queue->MoveAll(0.05f);
    ASSERT_EQ(1u, listener.events.size());
    EXPECT_EQ(CChangeEvent::PRE_OBJECT_DELETION, listener.events[0].GetState());
    EXPECT_EQ(0, queue->GetObjectCount());
}
