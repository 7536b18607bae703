#include "GamePlaySupport.h"

#include "CFadeEffect.h"

namespace {

// Records the state of every end-of-fade event and the time it came; on the
// end of a fade-out it starts the fade-in, as the controller does.
struct FadeRecorder : public IChangeListener {
    GameTestApp* app = nullptr;
    CFadeEffect* fade = nullptr;
    std::vector<int> states;
    std::vector<float> times;
    void stateChanged(CChangeEvent event) override
    {
        states.push_back(event.GetState());
        times.push_back(app->GetTime());
        if (fade && event.GetState() == 1)
            fade->FadeIn();
    }
};

class FadeEffectTest : public GameFixture {};

TEST_F(FadeEffectTest, FadesReportTheirEndWithOneWindowAtATime)
{
    Open();
    int scene = SceneObjects();
    CFadeEffect slow(1.0f);
    FadeRecorder chained;
    chained.app = app.get();
    chained.fade = &slow;
    slow.AddChangeListener(&chained);
    slow.FadeOut();
    float start = app->GetTime();
    EXPECT_EQ(1, slow.state);
    EXPECT_EQ(scene + 1, SceneObjects());
    ASSERT_TRUE(app->StepUntil([&] { return chained.states.size() == 2; }, 3.0f));
    EXPECT_EQ(std::vector<int>({ 1, 2 }), chained.states);
    // Each direction lasts the fade's own duration.
    EXPECT_NEAR(1.0f, chained.times[0] - start, 0.1f);
    EXPECT_NEAR(1.0f, chained.times[1] - chained.times[0], 0.1f);
    app->Step(2);
    EXPECT_EQ(scene, SceneObjects());

    // A second fade while one runs replaces its window, and only the last one
    // reports its end; a fade deleted while its window is up calls nothing.
    FadeRecorder recorder;
    recorder.app = app.get();
    CFadeEffect* fade = new CFadeEffect();
    fade->AddChangeListener(&recorder);
    fade->FadeOut();
    app->StepSeconds(0.2f);
    fade->FadeIn();
    app->Step(1);
    EXPECT_EQ(scene + 1, SceneObjects());
    app->StepSeconds(1.0f);
    EXPECT_EQ(std::vector<int>({ 2 }), recorder.states);
    EXPECT_EQ(scene, SceneObjects());
    fade->FadeOut();
    app->Step(2);
    delete fade;
    app->StepSeconds(1.0f);
    EXPECT_EQ(std::vector<int>({ 2 }), recorder.states);
}

} // namespace
