#include <gtest/gtest.h>

#include "TestObjects.h"
#include "CObjQueue.h"
#include "CMouse.h"
#include "CResourceManager.h"

class EngineCoreQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearObjectQueue();
        g_events.clear();
        queue = CResourceManager::GetObjectQueue();
    }
    void TearDown() override { ClearObjectQueue(); }

    void Frame()
    {
        queue->MoveAll(0.1f);
        queue->RenderRange(-1000, 1000);
        queue->DeleteMarkedObjects();
    }

    std::vector<std::string> EventsStartingWith(const std::string& prefix)
    {
        std::vector<std::string> found;
        for (size_t i = 0; i < g_events.size(); i++) {
            if (g_events[i].compare(0, prefix.size(), prefix) == 0)
                found.push_back(g_events[i]);
        }
        return found;
    }

    CObjQueue* queue;
};

TEST_F(EngineCoreQueue, MovesThenDrawsByPositionHigherOverLower)
{
    // An object is drawn only after its first move.
    queue->AddObject(new LoggingObject("menu4"), 4, 0);
    queue->RenderRange(-1000, 1000);
    EXPECT_TRUE(g_events.empty());
    queue->AddObject(new LoggingObject("back1"), 1, 0);
    queue->AddObject(new LoggingObject("board2"), 2, 0);
    queue->AddObject(new LoggingObject("second1"), 1, 0);
    Frame();
    std::vector<std::string> expected = {
        "move:back1", "move:second1", "move:board2", "move:menu4",
        "render:back1", "render:second1", "render:board2", "render:menu4"
    };
    EXPECT_EQ(expected, g_events);
}

TEST_F(EngineCoreQueue, RenderRangeSplitsAroundTheAfterSceneStep)
{
    queue->AddObject(new LoggingObject("a1"), 1, 0);
    queue->AddObject(new LoggingObject("b4"), 4, 0);
    queue->AddObject(new LoggingObject("c2"), 2, 0);
    queue->MoveAll(0.0f);
    g_events.clear();
    queue->RenderRange(-1000, 3);
    g_events.push_back("after-scene");
    queue->RenderRange(4, 1000);
    std::vector<std::string> expected = { "render:a1", "render:c2", "after-scene", "render:b4" };
    EXPECT_EQ(expected, g_events);
}

TEST_F(EngineCoreQueue, MarkedObjectGetsPreDeletionEventThenIsDeleted)
{
    LoggingObject* object = new LoggingObject("x");
    RecordingChangeListener listener;
    listener.onEvent = [](CChangeEvent) { g_events.push_back("pre-deletion"); };
    object->AddChangeEventListener(&listener);
    object->AddChangeEventListener(&listener);  // held twice, told twice
    queue->AddObject(object, 2, 0);
    object->onMove = [object]() { object->MarkForDeletion(); };
    Frame();

    ASSERT_EQ(2u, listener.events.size());
    EXPECT_EQ(CChangeEvent::PRE_OBJECT_DELETION, listener.events[0].GetState());
    EXPECT_EQ(object, listener.events[0].GetSource());
    std::vector<std::string> expected = { "move:x", "pre-deletion", "pre-deletion", "delete:x" };
    EXPECT_EQ(expected, g_events);
    EXPECT_EQ(0, queue->GetObjectCount());
}

TEST_F(EngineCoreQueue, ObjectsAddedFromPreDeletionHandlersSurvive)
{
    LoggingObject* first = new LoggingObject("first");
    RecordingChangeListener listener;
    listener.onEvent = [this](CChangeEvent) { queue->AddObject(new LoggingObject("next"), 1, 0); };
    first->AddChangeEventListener(&listener);
    queue->AddObject(first, 4, 0);
    first->MarkForDeletion();
    Frame();
    EXPECT_EQ(1, queue->GetObjectCount());
    g_events.clear();
    Frame();
    std::vector<std::string> expected = { "move:next", "render:next" };
    EXPECT_EQ(expected, g_events);
}

TEST_F(EngineCoreQueue, ReleaseAllFromInsideAHandlerWaitsForTheHandlerToReturn)
{
    bool selfAlive = true;
    bool otherAlive = true;
    LoggingObject* self = new LoggingObject("self");
    LoggingObject* other = new LoggingObject("other");
    self->alive = &selfAlive;
    other->alive = &otherAlive;
    RecordingChangeListener listener;
    self->AddChangeEventListener(&listener);
    queue->AddObject(self, 1, 0);
    queue->AddObject(other, 2, 0);

    bool stillAliveAfterRelease = false;
    self->onMove = [&]() {
        queue->ReleaseAllObjects(0);
        // The screen change builds the next screen right away.
        queue->AddObject(new LoggingObject("menu"), 1, 0);
        stillAliveAfterRelease = selfAlive;
        self->position.x = 5.0f;  // still safe to touch
    };
    queue->MoveAll(0.0f);

    EXPECT_TRUE(stillAliveAfterRelease);
    EXPECT_FALSE(selfAlive);
    EXPECT_FALSE(otherAlive);
    EXPECT_TRUE(listener.events.empty()) << "released objects go silently";
    // The other object was released before its turn and did not move.
    EXPECT_TRUE(EventsStartingWith("move:other").empty());
    EXPECT_EQ(1, queue->GetObjectCount());
    g_events.clear();
    Frame();
    std::vector<std::string> expected = { "move:menu", "render:menu" };
    EXPECT_EQ(expected, g_events);
}

TEST_F(EngineCoreQueue, ReleaseAllFromAModifierDuringMoveIsSafe)
{
    bool alive = true;
    LoggingObject* window = new LoggingObject("window");
    window->alive = &alive;
    CallbackModifier modifier;
    bool aliveInModifier = false;
    modifier.onApply = [&](CModEvent event) {
        EXPECT_EQ(window, event.GetTarget());
        queue->ReleaseAllObjects(0);
        aliveInModifier = alive;
    };
    window->AddModifier(&modifier);
    queue->AddObject(window, 4, 0);
    queue->MoveAll(0.1f);
    EXPECT_TRUE(aliveInModifier);
    EXPECT_FALSE(alive);
    EXPECT_EQ(1, modifier.calls);
}

TEST_F(EngineCoreQueue, ReleaseAllOutsideAnyPassStillWaitsForASafePoint)
{
    // A click handler (not inside a queue pass) empties the scene: the clicked
    // object must live until the frame reaches its deletion point.
    bool alive = true;
    LoggingObject* button = new LoggingObject("button");
    button->alive = &alive;
    queue->AddObject(button, 4, 0);
    queue->ReleaseAllObjects(0);
    EXPECT_TRUE(alive);
    EXPECT_EQ(0, queue->GetObjectCount());
    queue->DeleteMarkedObjects();
    EXPECT_FALSE(alive);
}

TEST_F(EngineCoreQueue, ReleaseAllKeepsThePointerAndDeletesNewestFirst)
{
    CMouse* mouse = new CMouse(nullptr, D3DXVECTOR3(0.0f, 0.0f, 0.0f));
    queue->AddObject(mouse, 4, 0);
    queue->AddObject(new LoggingObject("older"), 4, 0);
    queue->AddObject(new LoggingObject("newer"), 4, 0);
    // An owner is queued after the panels it made, at a lower position; its
    // destructor may still reach them, so it must go first.
    queue->AddObject(new LoggingObject("owner"), 2, 0);
    queue->ReleaseAllObjects(0);
    queue->DeleteMarkedObjects();
    std::vector<std::string> expected = { "delete:owner", "delete:newer", "delete:older" };
    EXPECT_EQ(expected, g_events);
    EXPECT_TRUE(queue->Contains(mouse));
    EXPECT_TRUE(CMouse::IsLive(mouse));
    queue->ReleaseAllObjects(CObjQueue::RELEASE_EVERYTHING);
    queue->DeleteMarkedObjects();
    EXPECT_FALSE(CMouse::IsLive(mouse));
}

TEST_F(EngineCoreQueue, ObjectAddedTwiceIsDeletedOnceAndOneDeletedByItsOwnerLeaves)
{
    LoggingObject* object = new LoggingObject("twice");
    queue->AddObject(object, 1, 0);
    queue->AddObject(object, 4, 0);
    EXPECT_EQ(1, queue->GetObjectCount());
    EXPECT_EQ(1, queue->GetPosition(object));
    object->MarkForDeletion();
    queue->DeleteMarkedObjects();
    EXPECT_EQ(1u, EventsStartingWith("delete:").size());

    LoggingObject* owned = new LoggingObject("owned");
    queue->AddObject(owned, 2, 0);
    queue->AddCollidable(owned);
    delete owned;
    EXPECT_EQ(0, queue->GetObjectCount());
    g_events.clear();
    Frame();  // must not touch the deleted object
    EXPECT_TRUE(g_events.empty());
}

// A screen change queues its objects again after emptying the scene: one that
// was released but not yet deleted is taken back, at its new position.
TEST_F(EngineCoreQueue, ObjectQueuedAgainAfterReleaseAllSurvives)
{
    bool alive = true;
    LoggingObject* kept = new LoggingObject("kept");
    kept->alive = &alive;
    queue->AddObject(kept, 4, 0);
    queue->ReleaseAllObjects(0);
    queue->AddObject(kept, 2, 0);
    queue->DeleteMarkedObjects();
    EXPECT_TRUE(alive);
    EXPECT_EQ(2, queue->GetPosition(kept));
    kept->alive = nullptr;   // the fixture deletes it after this frame is gone
}

TEST_F(EngineCoreQueue, MarkedCollidableDeletedByItsOwnerIsNotCheckedAgain)
{
    // A stone marked for deletion skips its own Remove when its owner deletes it;
    // the queue must still forget it.
    LoggingObject* debris = new LoggingObject("debris");
    debris->collisionCheck = 1;
    queue->AddObject(debris, 2, 0);
    LoggingObject* stone = new LoggingObject("stone");
    queue->AddCollidable(stone);
    stone->MarkForDeletion();
    delete stone;
    queue->MoveAll(0.0f);
    EXPECT_TRUE(debris->collidedWith.empty());
}

TEST_F(EngineCoreQueue, CollisionChecksReachEveryCollidableButItself)
{
    LoggingObject* debris = new LoggingObject("debris");
    debris->collisionCheck = 1;
    LoggingObject* board = new LoggingObject("board");
    LoggingObject stone("stone");   // not queued, only collidable
    queue->AddObject(debris, 2, 0);
    queue->AddObject(board, 2, 0);
    queue->AddCollidable(board);
    queue->AddCollidable(&stone);
    queue->AddCollidable(debris);
    queue->MoveAll(0.0f);
    ASSERT_EQ(2u, debris->collidedWith.size());
    EXPECT_EQ(board, debris->collidedWith[0]);
    EXPECT_EQ(&stone, debris->collidedWith[1]);
    EXPECT_TRUE(board->collidedWith.empty());

    queue->Remove(&stone);
    debris->collidedWith.clear();
    queue->MoveAll(0.0f);
    ASSERT_EQ(1u, debris->collidedWith.size());
    EXPECT_EQ(board, debris->collidedWith[0]);
}

TEST_F(EngineCoreQueue, MoveIntegratesVelocityAfterModifiers)
{
    LoggingObject* object = new LoggingObject("falling");
    CallbackModifier push;
    push.onApply = [](CModEvent event) { event.GetTarget()->velocity.y -= 10.0f * event.GetSeconds(); };
    object->AddModifier(&push);
    queue->AddObject(object, 1, 0);
    queue->MoveAll(0.5f);
    EXPECT_FLOAT_EQ(-5.0f, object->velocity.y);
    EXPECT_FLOAT_EQ(-2.5f, object->position.y);
}

// The owner deletes a modifier while it is still attached, as a closing submenu
// does with its scale modifier: the object must never touch it again (the
// sanitizer build catches any touch).
TEST_F(EngineCoreQueue, ModifierDeletedWhileAttachedIsNeverTouched)
{
    LoggingObject* object = new LoggingObject("owner");
    CallbackModifier* modifier = new CallbackModifier();
    object->AddModifier(modifier);
    object->RemoveModifier(modifier);
    object->AddModifier(modifier);
    delete modifier;
    delete object;
}

TEST_F(EngineCoreQueue, ObjectsNeverDeleteTheirModifiers)
{
    struct CountedModifier : CallbackModifier {
        explicit CountedModifier(int* deletions) : deletions(deletions) {}
        ~CountedModifier() override { (*deletions)++; }
        int* deletions;
    };
    int deletions = 0;
    CountedModifier* modifier = new CountedModifier(&deletions);
    LoggingObject* object = new LoggingObject("owner");
    object->AddModifier(modifier);
    object->RemoveModifier(modifier);
    object->AddModifier(modifier);
    delete object;
    EXPECT_EQ(0, deletions);
    delete modifier;
}

TEST_F(EngineCoreQueue, ModifierRemovingAnotherDuringApplySkipsIt)
{
    LoggingObject* object = new LoggingObject("o");
    CallbackModifier second;
    CallbackModifier first;
    first.onApply = [&](CModEvent) { object->RemoveModifier(&second); };
    object->AddModifier(&first);
    object->AddModifier(&second);
    queue->AddObject(object, 1, 0);
    queue->MoveAll(0.1f);
    EXPECT_EQ(1, first.calls);
    EXPECT_EQ(0, second.calls);
}
