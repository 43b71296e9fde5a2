// The registry repair steps: which command runs when, how each is judged and
// which log line a failure leaves. Platform-neutral; the caller owns the
// runner and anything around the steps (redirection, messages, the log).
#pragma once

#include "repair/ICommandRunner.h"
#include "repair/RepairOutcome.h"

#include <string>

class CRepairSequence
{
public:
    explicit CRepairSequence(ICommandRunner& runner) : m_runner(runner) {}

    RepairOutcome Run();

    static bool HasSuccessText(const std::wstring& output);

private:
    enum class StepResult {
        NotStarted,
        NoSuccessText,
        Succeeded,
    };
    StepResult RunStep(const wchar_t* command);

    ICommandRunner& m_runner;
};
