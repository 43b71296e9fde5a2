// Pictures the first window needs, decoded on a thread of their own while
// the user-interface thread creates that window: on a second core the skin
// decodes while the frame is made, the panel's pictures while the panel is.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

class CPngDecodeAhead
{
public:
    // Once, after GDI+ has started: the thread decodes the ids in this order.
    // Nothing happens when the thread cannot be made (each picture is then
    // decoded where it is needed).
    static void Start(const UINT* ids, int count);
    // The picture decoded for id, waiting for it if it is still being
    // decoded; ownership passes to the caller. False when id was not asked
    // for, was taken already, or could not be decoded.
    static bool Take(UINT id, Gdiplus::Image*& out);
    // Before GDI+ shuts down: ends the thread and deletes what was not taken.
    static void Stop();

private:
    static DWORD WINAPI Run(void*);
};
