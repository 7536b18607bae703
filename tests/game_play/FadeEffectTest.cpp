#include "GamePlaySupport.h"

#include "CFadeEffect.h"

namespace {

// Records the state of every end-of-fade event and the time it came.
struct FadeRecorder : public IChangeListener {
    GameTestApp* app = nullptr;
    CFadeEffect* fade = nullptr;
    bool fadeInOnFadeOut = false;
    std::vector<int> states;
    std::vector<float> times;
    void stateChanged(CChangeEvent event) override
    {
        states.push_back(event.GetState());
        times.push_back(app->GetTime());
        if (fadeInOnFadeOut && event.GetState() == 1)
            fade->FadeIn();
    }
};

class FadeEffectTest : public GameFixture {};

TEST_F(FadeEffectTest, FadeOutThenFadeInFromItsEventReportsBothWithOneWindowAtATime)
{
    Open();
    int scene = SceneObjects();
    CFadeEffect fade(1.0f);
    FadeRecorder recorder;
    recorder.app = app.get();
    recorder.fade = &fade;
    recorder.fadeInOnFadeOut = true;
    fade.AddChangeListener(&recorder);

    fade.FadeOut();
    float start = app->GetTime();
    EXPECT_EQ(1, fade.state);
    EXPECT_EQ(scene + 1, SceneObjects());
    ASSERT_TRUE(app->StepUntil([&] { return recorder.states.size() == 2; }, 3.0f));

    EXPECT_EQ(std::vector<int>({ 1, 2 }), recorder.states);
    // Each direction lasts the fade's own duration.
    EXPECT_NEAR(1.0f, recorder.times[0] - start, 0.1f);
    EXPECT_NEAR(1.0f, recorder.times[1] - recorder.times[0], 0.1f);
    app->Step(2);
    EXPECT_EQ(scene, SceneObjects());
}

TEST_F(FadeEffectTest, SecondFadeWhileOneRunsReplacesItsWindow)
{
    Open();
    int scene = SceneObjects();
    CFadeEffect fade;
    FadeRecorder recorder;
    recorder.app = app.get();
    fade.AddChangeListener(&recorder);

    fade.FadeOut();
    app->StepSeconds(0.2f);
    fade.FadeIn();
    app->Step(1);
    EXPECT_EQ(scene + 1, SceneObjects());
    app->StepSeconds(1.0f);
    // Only the fade that was started last reports its end, and no black window stays.
    EXPECT_EQ(std::vector<int>({ 2 }), recorder.states);
    EXPECT_EQ(scene, SceneObjects());
}

TEST_F(FadeEffectTest, FadeDeletedWhileItsWindowIsUpCallsNothing)
{
    Open();
    FadeRecorder recorder;
    recorder.app = app.get();
    {
        CFadeEffect fade;
        fade.AddChangeListener(&recorder);
        fade.FadeOut();
        app->Step(2);
    }
    app->StepSeconds(1.0f);
    EXPECT_TRUE(recorder.states.empty());
}

} // namespace
