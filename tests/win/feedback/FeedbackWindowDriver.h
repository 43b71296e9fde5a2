// Drives a modal window of this thread from a second thread, like a user
// would: waits for it to show, reads its geometry, then acts on it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

// What the driver saw of the feedback window once it was on screen.
struct FeedbackWindowView
{
    bool found = false;
    HWND frame = nullptr;
    HWND content = nullptr;
    std::wstring frameTitle;
    RECT frameRect = {};   // screen
    RECT contentRect = {}; // screen
    RECT contentClient = {};
    RECT buttons[4] = {}; // close, solved, unsolved, other; content client coordinates
    bool buttonVisible[4] = {};
    bool contentAboveFrame = false; // in the stacking order of the top-level windows
    bool answersReachable = false;  // the window at each answer's centre is that answer
    bool closedByDriver = false;    // the window did not end by itself and was closed
};

// The control ids in the order of FeedbackWindowView::buttons.
extern const int FEEDBACK_BUTTON_IDS[4];

class FeedbackWindowDriver
{
public:
    using Action = std::function<void(FeedbackWindowView&)>;

    // Starts watching the calling thread's windows for a frame titled title.
    FeedbackWindowDriver(const std::wstring& title, Action action);
    ~FeedbackWindowDriver();

    // Joins the driver; the view is complete afterwards.
    FeedbackWindowView& Finish();

private:
    void Run();

    DWORD m_uiThread;
    std::wstring m_title;
    Action m_action;
    FeedbackWindowView m_view;
    std::thread m_thread;
};

// Actions.
void ClickWithMessages(HWND button);          // posted press and release at the centre
void ClickWithInput(HWND button);             // pointer moved there, real press and release
void SendButtonCommand(HWND content, int id); // the notification a click produces
// Waits until the window is gone or the time is up; true when it is gone.
bool WaitForWindowGone(HWND window, DWORD timeoutMs);
