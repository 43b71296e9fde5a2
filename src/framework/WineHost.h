// Whether this process runs under Wine rather than on Windows. The program's
// few accommodations for Wine ask here, so the answer comes from one place.
#pragma once

class WineHost
{
public:
    // Looked up once: Wine's ntdll exports wine_get_version, Windows' does not.
    static bool Detected();
};
