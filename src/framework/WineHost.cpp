#include "framework/WineHost.h"

#include <windows.h>

bool WineHost::Detected()
{
    static const bool wine =
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}
