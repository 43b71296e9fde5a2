#include "app/UnattendedResult.h"

#include "common/ToolIdentity.h"
#include "repair/RepairLogLines.h"

#include <cstring>

namespace {

std::wstring FormatValue(const std::optional<std::wstring>& value)
{
    if (!value) {
        return L"absent";
    }
    bool plain = !value->empty();
    for (wchar_t c : *value) {
        if (c <= L' ' || c == L'"' || c == L'\\' || c == 0x7F) {
            plain = false;
        }
    }
    if (plain) {
        return *value;
    }
    std::wstring quoted = L"\"";
    for (wchar_t c : *value) {
        if (c == L'"' || c == L'\\') {
            quoted += L'\\';
            quoted += c;
        } else if (c < L' ' || c == 0x7F) {
            // A line break inside a value must not split the report line.
            static const wchar_t hex[] = L"0123456789ABCDEF";
            quoted += L"\\x";
            quoted += hex[(c >> 4) & 0xF];
            quoted += hex[c & 0xF];
        } else {
            quoted += c;
        }
    }
    return quoted + L"\"";
}

const wchar_t* VerdictWord(UnattendedVerdict verdict)
{
    switch (verdict) {
    case UnattendedVerdict::Repaired:
        return L"repaired";
    case UnattendedVerdict::NeedsRepair:
        return L"needs-repair";
    case UnattendedVerdict::AlreadyRepaired:
        return L"already-repaired";
    case UnattendedVerdict::Failed:
        return L"failed";
    case UnattendedVerdict::Unsupported:
        return L"unsupported-system";
    case UnattendedVerdict::Unreadable:
        return L"registry-unreadable";
    }
    return L"failed";
}

const wchar_t* RestartWord(UnattendedRestart restart)
{
    switch (restart) {
    case UnattendedRestart::Needed:
        return L"needed";
    case UnattendedRestart::Requested:
        return L"requested";
    case UnattendedRestart::Refused:
        return L"refused";
    case UnattendedRestart::NotApplicable:
        break;
    }
    return nullptr;
}

} // namespace

int UnattendedExitCode(const UnattendedResult& result)
{
    switch (result.verdict) {
    case UnattendedVerdict::Repaired:
        if (result.action == UnattendedAction::Check) {
            return kExitOk;
        }
        return result.restart == UnattendedRestart::Requested ? kExitRestartInitiated : kExitRestartNeeded;
    case UnattendedVerdict::AlreadyRepaired:
        return kExitOk;
    case UnattendedVerdict::NeedsRepair:
    case UnattendedVerdict::Failed:
        return kExitNeedsRepairOrFailed;
    case UnattendedVerdict::Unsupported:
        return kExitUnsupportedSystem;
    case UnattendedVerdict::Unreadable:
        return kExitUnreadable;
    }
    return kExitNeedsRepairOrFailed;
}

std::wstring FormatUnattendedResult(const UnattendedResult& result)
{
    std::wstring line = L"Stellwick " TOOL_VERSION L" ";
    line += result.action == UnattendedAction::Repair ? L"repair: " : L"check: ";
    line += VerdictWord(result.verdict);
    if (result.verdict == UnattendedVerdict::Failed && !result.step.empty()) {
        line += L" step=" + result.step;
    }
    if (result.state) {
        line += L" BranchName=" + FormatValue(result.state->branchName);
        line += L" ThresholdRiskLevel=" + FormatValue(result.state->thresholdRiskLevel);
        line += L" ThresholdInternal=" + FormatValue(result.state->thresholdInternal);
        line += L" ThresholdOptedIn=" + FormatValue(result.state->thresholdOptedIn);
    }
    if (const wchar_t* restart = RestartWord(result.restart)) {
        line += L" restart=";
        line += restart;
        if (result.restart == UnattendedRestart::Refused) {
            line += L" error=" + std::to_wstring(result.restartError);
        }
    }
    return line;
}

std::wstring RepairStepName(const char* failureLine)
{
    struct StepLine
    {
        const char* line;
        const wchar_t* step;
    };
    static const StepLine steps[] = {
        {kLogRedirectionOffFailed, L"redirection"},
        {kLogRunAddBranchNameFailed, L"add-BranchName"},
        {kLogAddBranchNameFailed, L"add-BranchName"},
        {kLogRunAddRiskLevelFailed, L"add-ThresholdRiskLevel"},
        {kLogAddRiskLevelFailed, L"add-ThresholdRiskLevel"},
        {kLogRunDeleteInternalFailed1, L"delete-ThresholdInternal"},
        {kLogRunAddInternalFailed, L"add-ThresholdInternal"},
        {kLogAddInternalFailed, L"add-ThresholdInternal"},
        {kLogRunDeleteInternalFailed2, L"delete-ThresholdInternal-again"},
        {kLogDeleteInternalFailed, L"delete-ThresholdInternal-again"},
        {kLogRunDeleteOptedInFailed, L"delete-ThresholdOptedIn"},
        {kLogRepairLockTimedOut, L"wait-for-other-repair"},
        {kLogRepairLockUnavailable, L"repair-lock"},
    };
    if (failureLine != nullptr) {
        for (const StepLine& entry : steps) {
            if (std::strcmp(entry.line, failureLine) == 0) {
                return entry.step;
            }
        }
    }
    return L"unknown";
}
