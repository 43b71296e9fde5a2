// The tool's identity towards the support component and the texts of its reports.
#pragma once

#define TOOL_ID L"10009"
#define TOOL_VERSION L"1.8.22.1024"

// Kinds of a customer-feedback report.
enum FeedbackKind
{
    FEEDBACK_SOLVED = 1,
    FEEDBACK_UNSOLVED = 2,
    FEEDBACK_OTHER = 3,
};

// What GetToolIsNewVersion answers when a newer tool exists.
constexpr int NEW_VERSION_AVAILABLE = 3;
