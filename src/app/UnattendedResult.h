// What one unattended run found or did, its exit code and the one line that
// reports it to the deployment system and the repair log. Platform-neutral.
#pragma once

#include "app/UnattendedArguments.h"
#include "repair/ApplicabilityState.h"

#include <optional>
#include <string>

enum class UnattendedVerdict {
    Repaired,        // check: the values are right; repair: done and read back right
    NeedsRepair,     // check only
    AlreadyRepaired, // repair only: nothing was to do, nothing ran
    Failed,          // repair only: a step failed or the values read back wrong
    Unsupported,     // not Windows 10; nothing read
    Unreadable,      // the registry could not be read
};

enum class UnattendedRestart {
    NotApplicable,
    Needed,    // the change takes effect after the next restart
    Requested, // /restart: the system accepted the forced restart
    Refused,   // /restart, but the system did not accept the request
};

// Exit codes a deployment system acts on.
constexpr int kExitOk = 0;
constexpr int kExitNeedsRepairOrFailed = 1;
constexpr int kExitBadArguments = 2;
constexpr int kExitUnsupportedSystem = 4;
constexpr int kExitUnreadable = 5;
constexpr int kExitRestartInitiated = 1641;
constexpr int kExitRestartNeeded = 3010;

struct UnattendedResult
{
    UnattendedAction action = UnattendedAction::Check;
    UnattendedVerdict verdict = UnattendedVerdict::Failed;
    // The values as last read; none when they were never read.
    std::optional<ApplicabilityState> state;
    UnattendedRestart restart = UnattendedRestart::NotApplicable;
    // The system's error for Refused.
    unsigned long restartError = 0;
    // The failed step, for Failed.
    std::wstring step;
};

int UnattendedExitCode(const UnattendedResult& result);

// "Stellwick 1.8.22.1024 repair: repaired BranchName=fbl_release ... restart=needed"
// (a refused restart ends in "restart=refused error=5"),
// without a line end. Values that are empty or hold blanks, quotes or control
// characters are quoted, so the line always splits into its fields at blanks.
std::wstring FormatUnattendedResult(const UnattendedResult& result);

// The step a repair failure line of the log names, as a short ASCII word.
std::wstring RepairStepName(const char* failureLine);
