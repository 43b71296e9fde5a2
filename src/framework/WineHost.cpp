#include "framework/WineHost.h"

#include <windows.h>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

bool WineHost::Detected()
{
    static const bool wine =
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

void WineHost::ReturnUnusedStack()
{
    if (!Detected())
        return;
    // Whatever this call and the ones below it still use lies within the
    // margin under the caller's frame; the bottom of the stack, with its
    // guard pages, is left alone.
    constexpr ULONG_PTR MARGIN = 64 * 1024;
    constexpr ULONG_PTR PAGE = 0x1000;
    volatile char here = 0;
    MEMORY_BASIC_INFORMATION stack = {};
    if (!::VirtualQuery(const_cast<char*>(&here), &stack, sizeof stack) || !stack.AllocationBase)
        return;
    const ULONG_PTR frame = reinterpret_cast<ULONG_PTR>(&here) & ~(PAGE - 1);
    const ULONG_PTR low = reinterpret_cast<ULONG_PTR>(stack.AllocationBase) + MARGIN;
    if (frame <= low + MARGIN)
        return;
    ::VirtualAlloc(reinterpret_cast<void*>(low), frame - MARGIN - low, MEM_RESET, PAGE_READWRITE);
}

void WineHost::LoadLateLibrariesFromSystem()
{
    if (!Detected())
        return;
    // Kept loaded for the process's life, as GDI+ would keep them.
    ::LoadLibraryExW(L"windowscodecs.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}
