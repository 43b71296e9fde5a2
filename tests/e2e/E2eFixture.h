// What every end-to-end scenario starts from: a fresh journal, no repair log,
// the repaired key back to "not repaired", and the program's texts.
#pragma once

#include "CToolRun.h"
#include "ToolWindows.h"

#include <gtest/gtest.h>

#include <string>

namespace texts {
extern const wchar_t* const UNSUPPORTED;
extern const wchar_t* const INIT_FAILED;
extern const wchar_t* const WARNING;
extern const wchar_t* const NOTICE;
extern const wchar_t* const FAILURE;
extern const wchar_t* const RESTART_QUESTION;
extern const wchar_t* const NEW_VERSION_GENERAL;
} // namespace texts

// Settings that keep the stand-in from opening web pages while links are pressed.
extern const char* const QUIET_SETTINGS;

// Control ids as the user meets them.
enum ToolControl
{
    PANEL_CLOSE = 1004,
    PANEL_MINIMISE = 1009,
    PANEL_REPAIR = 1010,
    PANEL_AGREE = 1011,
    PANEL_VERSION = 1012,
    PANEL_AGREEMENT = 1013,
    PANEL_FEEDBACK = 1014,
    PANEL_MORE_TOOLS = 1017,
    PROMPT_MESSAGE = 1005,
    PROMPT_FIRST = 1006,
    PROMPT_SECOND = 1007,
    PROMPT_CLOSE = 1004,
    FEEDBACK_SOLVED = 1002,
    FEEDBACK_UNSOLVED = 1003,
    FEEDBACK_OTHER = 1016,
};

class E2eFixture : public ::testing::Test
{
protected:
    void SetUp() override;

    // Program, stand-in and quiet settings in a folder of their own.
    void PrepareStandardRun(CToolRun& run, const std::string& settings = QUIET_SETTINGS);
    // Starts the run and waits until the main window is laid out and the
    // one new-version check has been made.
    void StartAndWaitReady(CToolRun& run, MainWindow* main, const std::wstring& arguments = L"");
    // Repair button, warning confirmed, notice answered with noticeButton,
    // up to the restart question (which is returned).
    void RepairUpToRestartQuestion(CToolRun& run, const MainWindow& main, PromptView* question,
                                   int noticeButton = PROMPT_FIRST);
    // Close button; waits for the process to end; fails if a feedback window shows.
    void CloseExpectingNoFeedback(CToolRun& run, const MainWindow& main);
    // A normal close: the close button, the feedback window answered
    // "solved", the end with exit code 0.
    void CloseAnsweringSolved(CToolRun& run, const MainWindow& main);
    // Starts the run, waits until it is ready and closes it that way.
    void StartAndCloseAnsweringSolved(CToolRun& run);
};

// UTF-8 of a wide text, for comparisons with journal lines.
std::string Utf8(const std::wstring& text);
// True when the line is "CustomerFeedbackEx 10009 1.8.22.1024 <kind> <time> <device>".
bool IsFeedbackReport(const std::string& line, int kind, int deviceText);
