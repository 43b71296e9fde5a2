// Finding the program's windows from outside, as a user sees them: by process,
// by the controls a window holds, by their texts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Top-level windows (owned ones included) of a process, in z-order.
std::vector<HWND> TopWindowsOf(DWORD pid, bool visibleOnly);
// The first visible top-level window of the process holding a visible or
// hidden child control with that id.
HWND FindWindowHolding(DWORD pid, int controlId);
std::wstring WindowText(HWND window);
std::wstring ControlText(HWND dialog, int controlId);
// Client-relative rectangle of a control in its dialog.
RECT ControlRect(HWND dialog, int controlId);
bool ControlVisible(HWND dialog, int controlId);

struct MainWindow
{
    HWND frame = nullptr;
    HWND panel = nullptr;
};

// The main frame ("Stellwick", owner of the panel that holds the repair button).
MainWindow FindMainWindow(DWORD pid);
bool WaitForMainWindow(DWORD pid, DWORD timeoutMs, MainWindow* found);

// A prompt as its content shows it.
struct PromptView
{
    HWND content = nullptr;
    HWND frame = nullptr;
    std::wstring text;
    bool firstShown = false;
    bool secondShown = false;
};

PromptView FindPrompt(DWORD pid);
// Waits for a prompt whose laid-out message control is on screen.
bool WaitForPrompt(DWORD pid, DWORD timeoutMs, PromptView* found);
// Waits for a prompt with exactly this text.
bool WaitForPromptText(DWORD pid, const std::wstring& text, DWORD timeoutMs, PromptView* found);
bool WaitForNoPrompt(DWORD pid, DWORD timeoutMs);

// The feedback window's content (the window holding the "solved" answer).
HWND FindFeedbackContent(DWORD pid);
bool WaitForFeedback(DWORD pid, DWORD timeoutMs, HWND* content);
// The progress prompt's content (the window holding the status line).
HWND FindProgressContent(DWORD pid);

// Every window of the process with its children, for failure messages.
std::string DescribeWindows(DWORD pid);
