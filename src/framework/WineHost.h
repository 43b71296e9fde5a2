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

    // Wine's own libraries load some of theirs late by name (GDI+ its image
    // codecs, which bring the property system with them), and Wine 8 looks
    // for those in the program's folder first whatever the program set with
    // SetDefaultDllDirectories: a file planted there under such a name was
    // loaded. Called once the search is restricted: loads them now from the
    // system folder, with what they import, so the late load finds them
    // loaded. Does nothing on Windows, whose loader keeps to the restriction.
    static void LoadLateLibrariesFromSystem();
};
