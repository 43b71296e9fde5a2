#include "ui/toolkit/EllipsisAnimation.h"

#include <chrono>
#include <system_error>

EllipsisAnimation::~EllipsisAnimation() { Stop(); }

bool EllipsisAnimation::Start(Callback repaint, Callback sleepTick)
{
    if (m_worker.joinable())
        return false;
    if (!sleepTick)
        sleepTick = [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); };
    m_bStop.store(0);
    try {
        m_worker = std::thread([this, repaint = std::move(repaint), sleepTick = std::move(sleepTick)] {
            Run(repaint, sleepTick);
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void EllipsisAnimation::Stop()
{
    m_bStop.store(1);
    if (m_worker.joinable() && m_worker.get_id() != std::this_thread::get_id())
        m_worker.join();
    // Cleared only after the worker is gone, so a last step cannot bring a dot back.
    m_nDotCount.store(0);
}

void EllipsisAnimation::Run(const Callback& repaint, const Callback& sleepTick)
{
    try {
        int counter = 0;
        while (!m_bStop.load()) {
            if (counter >= kSleepsPerStep) {
                const int next = m_nDotCount.load() + 1;
                m_nDotCount.store(next > 3 ? 0 : next);
                counter = 0;
                if (repaint)
                    repaint();
            }
            sleepTick();
            ++counter;
        }
    } catch (...) {
        // Nothing may leave the worker; the line keeps its last dots.
    }
}
