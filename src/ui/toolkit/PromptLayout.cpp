#include "ui/toolkit/PromptLayout.h"

#include "ui/toolkit/ScaledFloat.h"

namespace {

int Scaled(float k, float s) { return scaled::Length(k, s); }

// A rectangle at left, top with scaled width and height, each truncated on its own.
SkinRect SizedAt(int left, int top, float width, float height, float s)
{
    SkinRect r;
    r.left = left;
    r.top = top;
    r.right = left + Scaled(width, s);
    r.bottom = top + Scaled(height, s);
    return r;
}

// Placement of a content window in its frame: each coordinate computed in
// floating point from the frame and truncated once.
SkinRect InsetOnce(const SkinRect& frame, float s, float left, float top, float horizontal, float vertical)
{
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SkinRect r;
    using namespace scaled;
    r.left = static_cast<int>(Add(static_cast<float>(frame.left), Mul(left, s)));
    r.top = static_cast<int>(Add(static_cast<float>(frame.top), Mul(top, s)));
    r.right = r.left + static_cast<int>(Sub(static_cast<float>(width), Mul(horizontal, s)));
    r.bottom = r.top + static_cast<int>(Sub(static_cast<float>(height), Mul(vertical, s)));
    return r;
}

constexpr PromptFaces kYes{165, 166, 167, 167};
constexpr PromptFaces kNo{159, 160, 161, 161};
constexpr PromptFaces kConfirm{162, 163, 164, 164};
constexpr PromptFaces kCancel{153, 154, 155, 155};

} // namespace

PromptModeRow PromptModeTable(int mode)
{
    PromptModeRow row;
    switch (mode) {
    case PROMPT_MODE_YES:
        row = {kYes, kNo, false, true};
        break;
    case PROMPT_MODE_YES_NO:
        row = {kYes, kNo, true, false};
        break;
    case PROMPT_MODE_CONFIRM:
        row = {kConfirm, kCancel, false, true};
        break;
    case PROMPT_MODE_CONFIRM_CANCEL:
        row = {kConfirm, kCancel, true, false};
        break;
    default:
        row = {kYes, kNo, false, false};
        break;
    }
    return row;
}

PromptContentLayout LayoutPromptContent(const SkinRect& client, float s)
{
    const int halfWidth = (client.right - client.left) / 2;
    PromptContentLayout out;
    out.close = SizedAt(client.right - Scaled(26, s), client.top + Scaled(8, s), 12, 12, s);

    const int buttonTop = client.top + Scaled(107, s);
    const float hw = static_cast<float>(halfWidth);
    using namespace scaled;
    out.first = SizedAt(static_cast<int>(Sub(Sub(hw, Mul(55, s)), Mul(12, s))), buttonTop, 55, 24, s);
    out.second = SizedAt(static_cast<int>(Add(hw, Mul(12, s))), buttonTop, 55, 24, s);
    out.firstCentred = SizedAt(static_cast<int>(Sub(hw, Round(Mul(55, s) / 2))), Scaled(107, s), 55, 24, s);

    out.message.left = client.left + Scaled(10, s);
    out.message.top = client.top + Scaled(50, s);
    out.message.right = client.right - Scaled(10, s);
    out.message.bottom = client.bottom - Scaled(40, s);
    return out;
}

SkinRect PromptContentInFrame(const SkinRect& frame, float s) { return InsetOnce(frame, s, 5, 3, 10, 10); }

SkinRect ExecuteContentInFrame(const SkinRect& frame, float s) { return InsetOnce(frame, s, 14, 12, 28, 28); }

SkinRect ExecuteMessageRect(const SkinRect& client, float s)
{
    const int height = client.bottom - client.top;
    SkinRect r;
    using namespace scaled;
    r.left = static_cast<int>(Add(static_cast<float>(client.left), Mul(10, s)));
    r.top = static_cast<int>(Sub(static_cast<float>(height / 2 + client.top), Mul(10, s)));
    r.right = static_cast<int>(Sub(static_cast<float>(client.right), Mul(10, s)));
    r.bottom = r.top + Scaled(20, s);
    return r;
}

std::wstring ExecutePromptText(const std::wstring& message)
{
    return message.size() >= 2 ? message : std::wstring(L"正在删除，请稍等");
}
