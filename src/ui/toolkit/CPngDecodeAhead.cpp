#include "ui/toolkit/CPngDecodeAhead.h"

#include "framework/WineHost.h"
#include "ui/toolkit/PngResource.h"

namespace {

constexpr int MAX_PICTURES = 8;

// A picture belongs to the thread until its event is set, to the user
// interface thread afterwards; no GDI+ object is used by both at once.
struct Slot
{
    UINT id = 0;
    Gdiplus::Image* image = nullptr;
    HANDLE decoded = nullptr;
    bool taken = false;
};

Slot g_slots[MAX_PICTURES];
int g_count = 0;
HANDLE g_thread = nullptr;
HANDLE g_stop = nullptr;

void CloseSlots()
{
    for (int i = 0; i < g_count; ++i) {
        if (!g_slots[i].taken)
            delete g_slots[i].image;
        if (g_slots[i].decoded)
            ::CloseHandle(g_slots[i].decoded);
        g_slots[i] = Slot();
    }
    g_count = 0;
}

} // namespace

void CPngDecodeAhead::Start(const UINT* ids, int count)
{
    if (g_thread || !ids || count <= 0)
        return;
    g_stop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!g_stop)
        return;
    for (int i = 0; i < count && i < MAX_PICTURES; ++i) {
        g_slots[i].id = ids[i];
        g_slots[i].decoded = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!g_slots[i].decoded)
            break;
        g_count = i + 1;
    }
    if (g_count > 0)
        g_thread = ::CreateThread(nullptr, 0, &CPngDecodeAhead::Run, nullptr, 0, nullptr);
    if (!g_thread) {
        CloseSlots();
        ::CloseHandle(g_stop);
        g_stop = nullptr;
    }
}

DWORD WINAPI CPngDecodeAhead::Run(void*)
{
    for (int i = 0; i < g_count; ++i) {
        g_slots[i].image = DecodePngResource(g_slots[i].id);
        ::SetEvent(g_slots[i].decoded);
    }
    // The thread stays until Stop, so its end never falls into the start
    // (under Wine an ending thread loads more of the system's libraries).
    WineHost::ReturnUnusedStack();
    ::WaitForSingleObject(g_stop, INFINITE);
    return 0;
}

bool CPngDecodeAhead::Take(UINT id, Gdiplus::Image*& out)
{
    if (!g_thread)
        return false;
    for (int i = 0; i < g_count; ++i) {
        Slot& slot = g_slots[i];
        if (slot.id != id || slot.taken)
            continue;
        ::WaitForSingleObject(slot.decoded, INFINITE);
        slot.taken = true;
        if (!slot.image)
            return false;
        out = slot.image;
        slot.image = nullptr;
        return true;
    }
    return false;
}

void CPngDecodeAhead::Stop()
{
    if (!g_thread)
        return;
    ::SetEvent(g_stop);
    ::WaitForSingleObject(g_thread, INFINITE);
    ::CloseHandle(g_thread);
    g_thread = nullptr;
    CloseSlots();
    ::CloseHandle(g_stop);
    g_stop = nullptr;
}
