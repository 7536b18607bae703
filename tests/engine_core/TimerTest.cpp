#include <gtest/gtest.h>

#include "TestObjects.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CTimer.h"

class EngineCoreTimer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearObjectQueue();
        queue = CResourceManager::GetObjectQueue();
    }
    void TearDown() override { ClearObjectQueue(); }

    CObjQueue* queue;
};

TEST_F(EngineCoreTimer, FiresExactlyOnceAndLeavesWithoutADeletionEvent)
{
    CTimer* timer = new CTimer(0.3f, 1);
    RecordingChangeListener timerListener;
    RecordingChangeListener objectListener;
    timer->AddChangeListener(&timerListener);
    timer->AddChangeEventListener(&objectListener);
    queue->AddObject(timer, 1, 0);

    queue->MoveAll(0.1f);
    queue->MoveAll(0.1f);
    EXPECT_TRUE(timerListener.events.empty());
    queue->MoveAll(0.15f);
    ASSERT_EQ(1u, timerListener.events.size());
    EXPECT_EQ(timer, timerListener.events[0].GetSource());
    for (int i = 0; i < 5; i++)
        queue->MoveAll(0.5f);
    EXPECT_EQ(1u, timerListener.events.size()) << "no second event of any kind";
    EXPECT_EQ(0, queue->GetObjectCount());
    // The object channel hears of the deletion; the timer channel does not.
    ASSERT_EQ(1u, objectListener.events.size());
    EXPECT_EQ(CChangeEvent::PRE_OBJECT_DELETION, objectListener.events[0].GetState());

    // One long frame past the time fires once too.
    CTimer* quick = new CTimer(0.1f, 1);
    RecordingChangeListener quickListener;
    quick->AddChangeListener(&quickListener);
    queue->AddObject(quick, 4, 0);
    queue->MoveAll(5.0f);
    queue->MoveAll(5.0f);
    EXPECT_EQ(1u, quickListener.events.size());
}

TEST_F(EngineCoreTimer, PendingTimerVanishesSilentlyWhenTheSceneIsEmptied)
{
    CTimer* timer = new CTimer(1.0f, 1);
    RecordingChangeListener listener;
    timer->AddChangeListener(&listener);
    timer->AddChangeEventListener(&listener);
    queue->AddObject(timer, 1, 0);
    queue->MoveAll(0.5f);
    queue->ReleaseAllObjects(0);
    queue->MoveAll(1.0f);
    EXPECT_TRUE(listener.events.empty());
    EXPECT_EQ(0, queue->GetObjectCount());
}

TEST_F(EngineCoreTimer, ListenersChangedDuringTheEventTakeEffectAfterIt)
{
    // The first listener adds one (which must not hear this event) and removes the
    // next one in line (which must be skipped).
    CTimer* timer = new CTimer(0.0f, 1);
    RecordingChangeListener late, removed, first;
    first.onEvent = [&](CChangeEvent) {
        timer->AddChangeListener(&late);
        timer->RemoveChangeListener(&removed);
    };
    timer->AddChangeListener(&first);
    timer->AddChangeListener(&removed);
    timer->AddChangeListener(nullptr);  // ignored
    queue->AddObject(timer, 1, 0);
    queue->MoveAll(0.1f);
    EXPECT_EQ(1u, first.events.size());
    EXPECT_TRUE(late.events.empty());
    EXPECT_TRUE(removed.events.empty());
}
