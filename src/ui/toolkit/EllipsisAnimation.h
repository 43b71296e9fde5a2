// The worker behind an animated status line: every 300 sleeps of one tick
// (1 ms) the dot count goes 0, 1, 2, 3 and round again, and the line is asked
// to repaint. The count and the stop flag are atomics shared with the worker;
// the worker is joined by Stop and by the destructor, so whoever owns this
// object can be deleted right after stopping it.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

class EllipsisAnimation
{
public:
    static constexpr int kSleepsPerStep = 300;

    // repaint runs on the worker thread; sleepTick sleeps one tick (1 ms when
    // not given). Neither may throw out; if one does, the worker just ends.
    using Callback = std::function<void()>;

    EllipsisAnimation() = default;
    ~EllipsisAnimation();
    EllipsisAnimation(const EllipsisAnimation&) = delete;
    EllipsisAnimation& operator=(const EllipsisAnimation&) = delete;

    // Starts the worker. False when one is already running or no thread
    // could be made (the line then simply shows no dots).
    bool Start(Callback repaint, Callback sleepTick = Callback());
    // Sets the stop flag, waits for the worker (at most one tick), clears the dots.
    void Stop();

    int DotCount() const { return m_nDotCount.load(); }
    bool IsRunning() const { return m_worker.joinable(); }

private:
    void Run(const Callback& repaint, const Callback& sleepTick);

    std::atomic<int> m_nDotCount{0};
    std::atomic<int> m_bStop{0};
    std::thread m_worker;
};
