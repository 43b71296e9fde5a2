// Waiting for something the program does, with a deadline instead of a fixed sleep.
#pragma once

#include <windows.h>

// Calls done() every intervalMs until it is true or timeoutMs have passed.
template <typename Done>
bool PollUntil(Done done, DWORD timeoutMs, DWORD intervalMs = 20)
{
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (done())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(intervalMs);
    }
}
