#include "ui/toolkit/ControlGeometry.h"

#include "ui/toolkit/ScaledFloat.h"

namespace {

int Scaled(float k, float s) { return scaled::Length(k, s); }

} // namespace

SkinRect ShrinkByInsets(const SkinRect& r, const HitInsets& insets)
{
    SkinRect out;
    out.left = r.left + insets.left;
    out.top = r.top + insets.top;
    out.right = r.right - insets.right;
    out.bottom = r.bottom - insets.bottom;
    return out;
}

SkinRect FaceDestination(const SkinRect& client, bool stretch, int faceWidth, int faceHeight)
{
    if (stretch)
        return client;
    SkinRect out;
    out.left = client.left;
    out.top = client.top;
    out.right = client.left + faceWidth;
    out.bottom = client.top + faceHeight;
    return out;
}

SkinRect PngButtonFaceSource(int faceWidth, int faceHeight)
{
    SkinRect out;
    out.right = faceWidth > 0 ? faceWidth - 1 : 0;
    out.bottom = faceHeight > 0 ? faceHeight - 1 : 0;
    return out;
}

SkinRect CheckBoxBoxRect(const SkinRect& client, float s)
{
    const int clientHeight = client.bottom - client.top;
    SkinRect out;
    out.left = client.left;
    out.top = clientHeight / 2 - Scaled(8, s);
    out.right = out.left + Scaled(16, s);
    out.bottom = out.top + Scaled(16, s);
    return out;
}

int CheckBoxLabelOffset(float s) { return Scaled(16, s) + 2; }

SkinRect CheckBoxSpriteCell(int checkState)
{
    SkinRect out;
    out.left = checkState == 1 ? 16 : 0;
    out.right = out.left + 16;
    out.bottom = 16;
    return out;
}
