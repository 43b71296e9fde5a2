// The registry repair steps: which command runs when, how each is judged and
// which log line a failure leaves. Platform-neutral; the caller owns the
// runner and anything around the steps (redirection, messages, the log).
#pragma once

#include "repair/ApplicabilityState.h"
#include "repair/ICommandRunner.h"
#include "repair/RepairOutcome.h"

#include <string>
#include <vector>

class CRepairSequence
{
public:
    // How a step is told to have gone through. The success text is what reg
    // prints on a Chinese-language Windows only; its exit code 0 says the
    // same on every display language.
    enum class Judgement {
        SuccessText,
        SuccessTextOrExitCodeZero,
    };

    explicit CRepairSequence(ICommandRunner& runner, Judgement judgement = Judgement::SuccessText)
        : m_runner(runner), m_judgement(judgement)
    {
    }

    RepairOutcome Run();

    static bool HasSuccessText(const std::wstring& output);
    // In any one of the readings of a command's output.
    static bool HasSuccessText(const std::vector<std::wstring>& readings);

    // The verdict after the last command: a run of the steps that succeeded
    // stands only when the values read back afterwards (stateRead false: they
    // could not be read) are the repaired state. A failed run keeps its line.
    static RepairOutcome Confirm(const RepairOutcome& steps, bool stateRead, const ApplicabilityState& state);

private:
    enum class StepResult {
        NotStarted,
        NoSuccessText,
        Succeeded,
    };
    StepResult RunStep(const wchar_t* command);

    ICommandRunner& m_runner;
    Judgement m_judgement;
};
