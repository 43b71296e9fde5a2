#include "framework/LiveObjectCount.h"

#include <atomic>

namespace {

// Images and bitmaps are made on the user-interface thread, but the painted
// status lines draw from their own workers, so the counts must be atomic.
std::atomic<long> g_counts[2];

std::atomic<long>& CounterOf(LiveObjectKind kind)
{
    return g_counts[kind == LiveObjectKind::Gdi ? 0 : 1];
}

} // namespace

namespace LiveObjectCount {

void Created(LiveObjectKind kind)
{
    CounterOf(kind).fetch_add(1, std::memory_order_relaxed);
}

void Released(LiveObjectKind kind)
{
    CounterOf(kind).fetch_sub(1, std::memory_order_relaxed);
}

long Current(LiveObjectKind kind)
{
    return CounterOf(kind).load(std::memory_order_relaxed);
}

} // namespace LiveObjectCount
