#include "repair/CRepairSequence.h"

#include "repair/RepairCommands.h"
#include "repair/RepairLogLines.h"

namespace {

RepairOutcome Failed(const char* line)
{
    RepairOutcome outcome;
    outcome.failureLine = line;
    return outcome;
}

} // namespace

bool CRepairSequence::HasSuccessText(const std::wstring& output)
{
    return output.find(kRepairSuccessText) != std::wstring::npos;
}

bool CRepairSequence::HasSuccessText(const std::vector<std::wstring>& readings)
{
    for (const std::wstring& reading : readings) {
        if (HasSuccessText(reading)) {
            return true;
        }
    }
    return false;
}

RepairOutcome CRepairSequence::Confirm(const RepairOutcome& steps, bool stateRead,
                                       const ApplicabilityState& state)
{
    if (!steps.success || (stateRead && state.IsRepaired())) {
        return steps;
    }
    // The last command's output is not judged (a missing value is fine
    // there), so only the registry itself can tell that it went through.
    return Failed(kLogVerifyFailed);
}

CRepairSequence::StepResult CRepairSequence::RunStep(const wchar_t* command)
{
    // Each command is judged by its own output alone. A command that ran past
    // its time limit and was ended counts as one that could not be run: its
    // step did not complete, and a missing success text would send the
    // deletion of ThresholdInternal down its "value was absent" branch.
    std::vector<std::wstring> readings;
    // Not 0, for a runner that leaves the code alone.
    unsigned long exitCode = ~0UL;
    if (!m_runner.RunWithReadings(command, readings, &exitCode)) {
        return StepResult::NotStarted;
    }
    if (HasSuccessText(readings)) {
        return StepResult::Succeeded;
    }
    if (m_judgement == Judgement::SuccessTextOrExitCodeZero && exitCode == 0) {
        return StepResult::Succeeded;
    }
    return StepResult::NoSuccessText;
}

RepairOutcome CRepairSequence::Run()
{
    switch (RunStep(kCommandAddBranchName)) {
    case StepResult::NotStarted:
        return Failed(kLogRunAddBranchNameFailed);
    case StepResult::NoSuccessText:
        return Failed(kLogAddBranchNameFailed);
    case StepResult::Succeeded:
        break;
    }

    switch (RunStep(kCommandAddRiskLevel)) {
    case StepResult::NotStarted:
        return Failed(kLogRunAddRiskLevelFailed);
    case StepResult::NoSuccessText:
        return Failed(kLogAddRiskLevelFailed);
    case StepResult::Succeeded:
        break;
    }

    switch (RunStep(kCommandDeleteInternal)) {
    case StepResult::NotStarted:
        return Failed(kLogRunDeleteInternalFailed1);
    case StepResult::Succeeded:
        break;
    case StepResult::NoSuccessText:
        // Usually the value was not there. Creating it empty and deleting it
        // again leaves the same end state either way.
        switch (RunStep(kCommandAddInternal)) {
        case StepResult::NotStarted:
            return Failed(kLogRunAddInternalFailed);
        case StepResult::NoSuccessText:
            return Failed(kLogAddInternalFailed);
        case StepResult::Succeeded:
            break;
        }
        switch (RunStep(kCommandDeleteInternal)) {
        case StepResult::NotStarted:
            return Failed(kLogRunDeleteInternalFailed2);
        case StepResult::NoSuccessText:
            return Failed(kLogDeleteInternalFailed);
        case StepResult::Succeeded:
            break;
        }
        break;
    }

    // A missing ThresholdOptedIn is already the state we want, so this
    // step's output is not judged.
    if (RunStep(kCommandDeleteOptedIn) == StepResult::NotStarted) {
        return Failed(kLogRunDeleteOptedInFailed);
    }

    RepairOutcome outcome;
    outcome.success = true;
    return outcome;
}
