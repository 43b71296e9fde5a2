// Counts of the GDI and GDI+ objects that our owners hold right now.
#pragma once

enum class LiveObjectKind
{
    Gdi,
    Gdiplus,
};

namespace LiveObjectCount {
void Created(LiveObjectKind kind);
void Released(LiveObjectKind kind);
long Current(LiveObjectKind kind);
} // namespace LiveObjectCount
