#include "ToolWindows.h"

#include "Poll.h"

#include <cstdio>

namespace {

struct EnumState
{
    DWORD pid;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto* state = reinterpret_cast<EnumState*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == state->pid && (!state->visibleOnly || IsWindowVisible(window)))
        state->found.push_back(window);
    return TRUE;
}

bool HasArea(const RECT& r) { return r.right > r.left && r.bottom > r.top; }

// The framework centres a window after showing it and the content follows its
// frame: a click is aimed only once the window has stopped moving.
void WaitUntilSettled(HWND window)
{
    RECT last = {};
    GetWindowRect(window, &last);
    int still = 0;
    PollUntil(
        [&] {
            RECT now = {};
            GetWindowRect(window, &now);
            still = EqualRect(&now, &last) ? still + 1 : 0;
            last = now;
            return still >= 5;
        },
        3000, 30);
}

} // namespace

std::vector<HWND> TopWindowsOf(DWORD pid, bool visibleOnly)
{
    EnumState state{pid, visibleOnly, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

HWND FindWindowHolding(DWORD pid, int controlId)
{
    for (HWND window : TopWindowsOf(pid, true)) {
        if (GetDlgItem(window, controlId))
            return window;
    }
    return nullptr;
}

std::wstring WindowText(HWND window)
{
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::wstring ControlText(HWND dialog, int controlId)
{
    HWND control = GetDlgItem(dialog, controlId);
    if (!control)
        return {};
    // WM_GETTEXT rather than GetWindowText: the control lives in another process.
    wchar_t buffer[1024] = {};
    SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return buffer;
}

RECT ControlRect(HWND dialog, int controlId)
{
    RECT r = {};
    HWND control = GetDlgItem(dialog, controlId);
    if (!control)
        return r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool ControlVisible(HWND dialog, int controlId)
{
    HWND control = GetDlgItem(dialog, controlId);
    return control && IsWindowVisible(control);
}

MainWindow FindMainWindow(DWORD pid)
{
    MainWindow main;
    for (HWND window : TopWindowsOf(pid, true)) {
        if (!GetDlgItem(window, 1010))
            continue;
        HWND owner = GetWindow(window, GW_OWNER);
        if (owner && IsWindowVisible(owner) && WindowText(owner) == L"Stellwick") {
            main.frame = owner;
            main.panel = window;
            return main;
        }
    }
    return main;
}

bool WaitForMainWindow(DWORD pid, DWORD timeoutMs, MainWindow* found)
{
    return PollUntil(
        [&] {
            *found = FindMainWindow(pid);
            if (!found->panel)
                return false;
            // Laid out: the repair button has its place.
            RECT r = ControlRect(found->panel, 1010);
            return HasArea(r) && ControlVisible(found->panel, 1010);
        },
        timeoutMs, 10);
}

PromptView FindPrompt(DWORD pid)
{
    PromptView view;
    HWND content = FindWindowHolding(pid, 1005);
    if (!content)
        return view;
    view.content = content;
    view.frame = GetWindow(content, GW_OWNER);
    view.text = ControlText(content, 1005);
    view.firstShown = ControlVisible(content, 1006);
    view.secondShown = ControlVisible(content, 1007);
    return view;
}

bool WaitForPrompt(DWORD pid, DWORD timeoutMs, PromptView* found)
{
    bool ok = PollUntil(
        [&] {
            *found = FindPrompt(pid);
            return found->content && HasArea(ControlRect(found->content, 1005)) && found->firstShown &&
                   HasArea(ControlRect(found->content, 1006));
        },
        timeoutMs, 10);
    if (ok) {
        WaitUntilSettled(found->content);
        *found = FindPrompt(pid);
    }
    return ok && found->content;
}

bool WaitForPromptText(DWORD pid, const std::wstring& text, DWORD timeoutMs, PromptView* found)
{
    return PollUntil([&] { return WaitForPrompt(pid, 50, found) && found->text == text; }, timeoutMs, 10);
}

bool WaitForNoPrompt(DWORD pid, DWORD timeoutMs)
{
    return PollUntil([&] { return FindWindowHolding(pid, 1005) == nullptr; }, timeoutMs, 10);
}

HWND FindFeedbackContent(DWORD pid) { return FindWindowHolding(pid, 1002); }

bool WaitForFeedback(DWORD pid, DWORD timeoutMs, HWND* content)
{
    bool ok = PollUntil(
        [&] {
            *content = FindFeedbackContent(pid);
            return *content && HasArea(ControlRect(*content, 1002)) && ControlVisible(*content, 1002);
        },
        timeoutMs, 10);
    if (ok) {
        WaitUntilSettled(*content);
        // The frame shows the content before it lays the answers out, and
        // the layout hides the close button first and places the last answer
        // last: on a busy machine the content can stand still while its
        // answers still have their template rectangles.
        ok = PollUntil([&] { return !ControlVisible(*content, 1001); }, timeoutMs, 10);
        WaitUntilSettled(GetDlgItem(*content, 1016));
    }
    return ok;
}

HWND FindProgressContent(DWORD pid) { return FindWindowHolding(pid, 1000); }

namespace {

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::string DescribeOne(HWND window, const char* indent)
{
    RECT r = {};
    GetWindowRect(window, &r);
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    char line[256];
    snprintf(line, sizeof line, "%s%p id=%d class=%s vis=%d en=%d (%ld,%ld)-(%ld,%ld) ", indent,
             static_cast<void*>(window), GetDlgCtrlID(window), Narrow(cls).c_str(), IsWindowVisible(window) ? 1 : 0,
             IsWindowEnabled(window) ? 1 : 0, r.left, r.top, r.right, r.bottom);
    wchar_t text[256] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, nullptr);
    return std::string(line) + "\"" + Narrow(text) + "\"\n";
}

BOOL CALLBACK DescribeChild(HWND child, LPARAM param)
{
    *reinterpret_cast<std::string*>(param) += DescribeOne(child, "    ");
    return TRUE;
}

} // namespace

std::string DescribeWindows(DWORD pid)
{
    std::string all;
    for (HWND window : TopWindowsOf(pid, false)) {
        all += DescribeOne(window, "");
        EnumChildWindows(window, DescribeChild, reinterpret_cast<LPARAM>(&all));
    }
    return all;
}
