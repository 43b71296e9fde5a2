#include "ui/toolkit/TextPlacement.h"

namespace {

constexpr unsigned kWrappedLeft = TEXT_DT_WORDBREAK | TEXT_DT_VCENTER | TEXT_DT_LEFT;      // 0x14
constexpr unsigned kWrappedCentre = TEXT_DT_WORDBREAK | TEXT_DT_VCENTER | TEXT_DT_CENTER;  // 0x15
constexpr unsigned kWrappedRight = TEXT_DT_WORDBREAK | TEXT_DT_VCENTER | TEXT_DT_RIGHT;    // 0x16
constexpr unsigned kLineLeft = TEXT_DT_SINGLELINE | TEXT_DT_VCENTER | TEXT_DT_LEFT;        // 0x24
constexpr unsigned kLineCentre = TEXT_DT_SINGLELINE | TEXT_DT_VCENTER | TEXT_DT_CENTER;    // 0x25
constexpr unsigned kLineRight = TEXT_DT_SINGLELINE | TEXT_DT_VCENTER | TEXT_DT_RIGHT;      // 0x26

} // namespace

bool DrawTextStaticFormat(int code, unsigned* format)
{
    switch (code) {
    case 0:
        *format = kWrappedLeft;
        return true;
    case 1:
    case 4:
        *format = kLineLeft;
        return true;
    case 2:
        *format = kLineCentre;
        return true;
    case 3:
        *format = kWrappedRight;
        return true;
    default:
        return false;
    }
}

unsigned StateInfoStaticFormat(int code)
{
    switch (code) {
    case 2:
        return kLineCentre;
    case 3:
        return kLineRight;
    case 4:
        return kWrappedLeft;
    case 5:
        return kWrappedCentre;
    case 6:
        return kWrappedRight;
    default: // 0, 1 and anything else
        return kLineLeft;
    }
}

const wchar_t* EllipsisDots(int dotCount)
{
    switch (dotCount) {
    case 1:
        return L".";
    case 2:
        return L"..";
    case 3:
        return L"...";
    default:
        return L"";
    }
}
