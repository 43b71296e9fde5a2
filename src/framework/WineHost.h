// Whether this process runs under Wine rather than on Windows. The program's
// few accommodations for Wine ask here, so the answer comes from one place.
#pragma once

class WineHost
{
public:
    // Looked up once: Wine's ntdll exports wine_get_version, Windows' does not.
    static bool Detected();

    // Under Wine a thread starts with about a megabyte of its stack already
    // touched below its first frame, which then counts in the working set
    // for the thread's whole life. Called by a thread that stays: the
    // pages below the caller's frame are given back (their contents are dead;
    // they stay committed). Does nothing on Windows, where a new thread
    // touches only what it uses.
    static void ReturnUnusedStack();
};
