// Sparkles: how a spark starts, how it fades, and that the system goes with its
// last spark.
#include "C3DSparkles.h"

#include <vector>

#include <gtest/gtest.h>

#include "CChangeEvent.h"
#include "CGlobForceModifier.h"
#include "CObjQueue.h"
#include "CResourceManager.h"

namespace {

const int kSparks = 35;

TEST(Sparkles, EachSparkStartsFromItsThreeDrawsUnderGravity)
{
    // Two resets: the second draws on, and must not attach gravity twice.
    srand(1234);
    std::vector<int> draws;
    for (int i = 0; i < 2 * 3 * kSparks; i++)
        draws.push_back(rand());
    srand(1234);
    C3DSparkles sparkles(nullptr, kSparks, 0.5f, D3DXVECTOR3(1.0f, 2.0f, 3.0f));
    sparkles.ResetSystem();
    sparkles.ResetSystem();

    const int* second = &draws[3 * kSparks];
    for (int i = 0; i < kSparks; i++) {
        C3DParticle& p = sparkles.particles[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(D3DXVECTOR3(0.0f, 0.0f, 0.0f), p.position);
        EXPECT_FLOAT_EQ((float)(second[3 * i] % 50 - 25), p.velocity.x);
        EXPECT_FLOAT_EQ((float)(second[3 * i + 1] % 50), p.velocity.y);
        EXPECT_FLOAT_EQ((float)(second[3 * i + 2] % 50 - 25), p.velocity.z);
        EXPECT_GE(p.velocity.x, -25.0f);
        EXPECT_LE(p.velocity.x, 24.0f);
        EXPECT_GE(p.velocity.y, 0.0f);
        EXPECT_LE(p.velocity.y, 49.0f);
        EXPECT_EQ(1, p.alive);
        EXPECT_EQ(0xFFFFFFFFu, (DWORD)p.color);
        // 10 * 12 downwards for 0.1 s.
        float vy = p.velocity.y;
        p.Move(0.1f);
        EXPECT_NEAR(vy - 12.0f, p.velocity.y, 1e-3f);
    }
    EXPECT_EQ(kSparks, sparkles.liveParticles);
}

TEST(Sparkles, SparkAtAgeFourTenthsIsHalfWayToRed)
{
    C3DSparkles sparkles(nullptr, kSparks, 0.5f, D3DXVECTOR3(0.0f, 0.0f, 0.0f));
    sparkles.ResetSystem();
    C3DParticle& p = sparkles.particles[0];
    p.age = 0.4f;
    p.velocity = D3DXVECTOR3(10.0f, 20.0f, -10.0f);

    // A seed whose next death mark (0..2) is above the spark's 0.1, so it lives.
    unsigned seed = 1;
    for (;; seed++) {
        srand(seed);
        if ((rand() % 1001) / 500.0 >= 0.1)
            break;
    }
    srand(seed);
    sparkles.UpdateParticle(0, 0.1f);

    EXPECT_EQ(1, p.alive);
    EXPECT_FLOAT_EQ(0.5f, p.age);
    EXPECT_FLOAT_EQ(1.0f, p.color.r);
    EXPECT_FLOAT_EQ(0.5f, p.color.g);
    EXPECT_FLOAT_EQ(0.5f, p.color.b);
    EXPECT_FLOAT_EQ(0.5f, p.color.a);
    EXPECT_FLOAT_EQ(10.0f * 0.94f, p.velocity.x);
    EXPECT_FLOAT_EQ(20.0f * 0.94f, p.velocity.y);
}

// Watches for the queue's last word to an object before it deletes it.
struct DeletionWatch : IChangeListener {
    C3DSparkles* sparkles = nullptr;
    int calls = 0;
    int aliveAtDeletion = -1;
    void stateChanged(CChangeEvent event) override
    {
        if (event.GetState() != CChangeEvent::PRE_OBJECT_DELETION)
            return;
        calls++;
        aliveAtDeletion = 0;
        for (int i = 0; i < sparkles->particleCount; i++)
            aliveAtDeletion += sparkles->particles[i].alive;
    }
};

TEST(Sparkles, SystemLeavesTheSceneWithItsLastSpark)
{
    // A whole shower in the queue goes by itself, with nothing left alive.
    srand(99);
    CObjQueue* queue = CResourceManager::GetObjectQueue();
    C3DSparkles* sparkles = new C3DSparkles(nullptr, kSparks, 0.5f, D3DXVECTOR3(0.0f, 5.0f, 0.0f));
    sparkles->ResetSystem();
    DeletionWatch watch;
    watch.sparkles = sparkles;
    sparkles->AddChangeEventListener(&watch);
    queue->AddObject(sparkles, 4, 0);
    int frames = 0;
    while (queue->Contains(sparkles) && frames < 100000) {
        queue->MoveAll(1.0f / 60.0f);
        frames++;
    }
    EXPECT_EQ(1, watch.calls);
    EXPECT_EQ(0, watch.aliveAtDeletion);
    EXPECT_GT(frames, 1);
}

}
