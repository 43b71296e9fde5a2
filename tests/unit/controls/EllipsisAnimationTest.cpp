#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "ui/toolkit/EllipsisAnimation.h"

namespace {

// A tick source the test steps by hand: the worker blocks in each sleep until
// the test grants it more ticks, so the sequence is exact and not timed.
class ManualTicks
{
public:
    void Sleep()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_cv.wait(lock, [this] { return m_granted > 0 || m_released; });
        if (m_granted > 0)
            --m_granted;
        ++m_slept;
        m_cv.notify_all();
    }
    // Lets the worker take n more sleeps and waits until it has.
    void Advance(int n)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const long target = m_slept + n;
        m_granted += n;
        m_cv.notify_all();
        m_cv.wait(lock, [&] { return m_slept >= target; });
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_released = true;
        m_cv.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    int m_granted = 0;
    long m_slept = 0;
    bool m_released = false;
};

TEST(EllipsisAnimation, StepsEveryThreeHundredSleepsAndWraps)
{
    ManualTicks ticks;
    std::mutex seenMutex;
    std::vector<int> seen;
    EllipsisAnimation anim;
    ASSERT_TRUE(anim.Start(
        [&] {
            std::lock_guard<std::mutex> lock(seenMutex);
            seen.push_back(anim.DotCount());
        },
        [&] { ticks.Sleep(); }));
    EXPECT_TRUE(anim.IsRunning());
    EXPECT_FALSE(anim.Start([] {}, [] {})); // a second worker is refused

    ticks.Advance(299);
    EXPECT_EQ(0, anim.DotCount());
    ticks.Advance(1); // the 300th sleep: the next round of the loop steps
    ticks.Advance(1);
    EXPECT_EQ(1, anim.DotCount());
    ticks.Advance(300);
    EXPECT_EQ(2, anim.DotCount());
    ticks.Advance(300);
    EXPECT_EQ(3, anim.DotCount());
    ticks.Advance(300);
    EXPECT_EQ(0, anim.DotCount());
    ticks.Advance(300);
    EXPECT_EQ(1, anim.DotCount());

    {
        std::lock_guard<std::mutex> lock(seenMutex);
        EXPECT_EQ((std::vector<int>{1, 2, 3, 0, 1}), seen);
    }

    ticks.Release();
    anim.Stop();
    EXPECT_FALSE(anim.IsRunning());
    EXPECT_EQ(0, anim.DotCount());
}

TEST(EllipsisAnimation, StopEndsTheWorkerWithRealSleepsAndNothingChangesAfter)
{
    std::atomic<int> repaints{0};
    {
        EllipsisAnimation anim;
        ASSERT_TRUE(anim.Start([&] { ++repaints; }));
        anim.Stop();
        EXPECT_FALSE(anim.IsRunning());
        const int after = repaints.load();
        EXPECT_EQ(0, anim.DotCount());
        EXPECT_EQ(after, repaints.load());
        // It can be started again once stopped.
        EXPECT_TRUE(anim.Start([&] { ++repaints; }));
    } // the destructor joins the second worker
}

TEST(EllipsisAnimation, DestroyedWhileRunningJoinsTheWorker)
{
    ManualTicks ticks;
    auto anim = std::make_unique<EllipsisAnimation>();
    ASSERT_TRUE(anim->Start([] {}, [&] { ticks.Sleep(); }));
    ticks.Advance(10);
    ticks.Release();
    anim.reset(); // with ASan a worker outliving the object would be caught here
    EXPECT_EQ(nullptr, anim.get());
}

} // namespace
