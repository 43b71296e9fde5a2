#include "FeedbackWindowDriver.h"

#include "res/resource.h"

const int FEEDBACK_BUTTON_IDS[4] = {IDC_FB_CLOSE, IDC_FB_SOLVED, IDC_FB_UNSOLVED, IDC_FB_OTHER};

namespace {

struct FindFrame
{
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK FindFrameProc(HWND hwnd, LPARAM lp)
{
    FindFrame* f = reinterpret_cast<FindFrame*>(lp);
    wchar_t text[64] = {};
    GetWindowTextW(hwnd, text, 64);
    if (*f->title == text && IsWindowVisible(hwnd)) {
        f->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct FindOwned
{
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedProc(HWND hwnd, LPARAM lp)
{
    FindOwned* f = reinterpret_cast<FindOwned*>(lp);
    if (GetWindow(hwnd, GW_OWNER) == f->owner) {
        f->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

POINT CentreOf(HWND button)
{
    RECT r = {};
    GetClientRect(button, &r);
    return POINT{(r.right - r.left) / 2, (r.bottom - r.top) / 2};
}

} // namespace

FeedbackWindowDriver::FeedbackWindowDriver(const std::wstring& title, Action action)
    : m_uiThread(GetCurrentThreadId()), m_title(title), m_action(std::move(action))
{
    m_thread = std::thread([this] { Run(); });
}

FeedbackWindowDriver::~FeedbackWindowDriver()
{
    if (m_thread.joinable())
        m_thread.join();
}

FeedbackWindowView& FeedbackWindowDriver::Finish()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_view;
}

void FeedbackWindowDriver::Run()
{
    FindFrame frame = {&m_title, nullptr};
    FindOwned content = {nullptr, nullptr};
    for (int i = 0; i < 200 && !content.found; ++i) {
        Sleep(50);
        frame.found = nullptr;
        EnumThreadWindows(m_uiThread, FindFrameProc, reinterpret_cast<LPARAM>(&frame));
        if (!frame.found)
            continue;
        content.owner = frame.found;
        EnumThreadWindows(m_uiThread, FindOwnedProc, reinterpret_cast<LPARAM>(&content));
        if (content.found && !IsWindowVisible(content.found))
            content.found = nullptr;
    }
    if (!content.found) {
        // Nothing to drive; end whatever modal run there is so the test does not hang.
        if (frame.found)
            PostMessageW(frame.found, WM_CLOSE, 0, 0);
        return;
    }
    // Let the modal loop finish its centring and the first paint.
    Sleep(300);

    FeedbackWindowView& v = m_view;
    v.found = true;
    v.frame = frame.found;
    v.content = content.found;
    wchar_t text[64] = {};
    GetWindowTextW(v.frame, text, 64);
    v.frameTitle = text;
    GetWindowRect(v.frame, &v.frameRect);
    GetWindowRect(v.content, &v.contentRect);
    GetClientRect(v.content, &v.contentClient);
    for (int i = 0; i < 4; ++i) {
        HWND b = GetDlgItem(v.content, FEEDBACK_BUTTON_IDS[i]);
        if (!b)
            continue;
        RECT r = {};
        GetWindowRect(b, &r);
        MapWindowPoints(nullptr, v.content, reinterpret_cast<POINT*>(&r), 2);
        v.buttons[i] = r;
        v.buttonVisible[i] = IsWindowVisible(b) != FALSE;
    }
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == v.content) {
            v.contentAboveFrame = true;
            break;
        }
        if (w == v.frame)
            break;
    }
    v.answersReachable = true;
    for (int i = 1; i < 4; ++i) {
        HWND b = GetDlgItem(v.content, FEEDBACK_BUTTON_IDS[i]);
        POINT c = CentreOf(b);
        ClientToScreen(b, &c);
        if (WindowFromPoint(c) != b)
            v.answersReachable = false;
    }

    m_action(v);

    if (!WaitForWindowGone(v.frame, 5000)) {
        v.closedByDriver = true;
        PostMessageW(v.frame, WM_CLOSE, 0, 0);
        WaitForWindowGone(v.frame, 5000);
    }
}

void ClickWithMessages(HWND button)
{
    const POINT c = CentreOf(button);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, c.y));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
}

void ClickWithInput(HWND button)
{
    POINT c = CentreOf(button);
    ClientToScreen(button, &c);
    SetCursorPos(c.x, c.y);
    Sleep(100);
    INPUT in[2] = {};
    in[0].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].type = INPUT_MOUSE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}

void SendButtonCommand(HWND content, int id)
{
    PostMessageW(content, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(content, id)));
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
        if (!IsWindow(window))
            return true;
        Sleep(20);
    }
    return !IsWindow(window);
}
