#include <gtest/gtest.h>

#include "TestObjects.h"
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
