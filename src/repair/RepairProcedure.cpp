#include "repair/RepairProcedure.h"

#include "common/WindowMessages.h"
#include "log/CLogSave.h"
#include "repair/CRegistryRepair.h"
#include "repair/CRepairSequence.h"
#include "repair/ReadApplicabilityState.h"
#include "repair/RepairLogLines.h"

RepairOutcome RunRepairSteps(ICommandRunner& runner, CRepairSequence::Judgement judgement)
{
    RepairOutcome outcome;
    PVOID previousRedirection = nullptr;
    bool redirectionOff = false;
    if (IsWow64()) {
        if (Wow64DisableWow64FsRedirection(&previousRedirection) != TRUE) {
            outcome.failureLine = kLogRedirectionOffFailed;
            return outcome;
        }
        redirectionOff = true;
    }

    try {
        outcome = CRepairSequence(runner, judgement).Run();
    } catch (...) {
        // Out of memory inside a step. The caller still has to report an
        // outcome; no line of the log describes this, so none is written.
        outcome = RepairOutcome();
    }

    // Back on before anything else happens on this thread, on failure too:
    // the message handlers' and the log's file access must see the normal
    // view of the system folder.
    if (redirectionOff) {
        Wow64RevertWow64FsRedirection(previousRedirection);
    }
    return outcome;
}

const char* AcquireRepairLock(CRepairLock& lock)
{
    switch (lock.Acquire(CRepairLock::WaitLimitMs())) {
    case CRepairLock::Result::Acquired:
        return nullptr;
    case CRepairLock::Result::TimedOut:
        return kLogRepairLockTimedOut;
    case CRepairLock::Result::Unavailable:
        break;
    }
    return kLogRepairLockUnavailable;
}

bool RunRepairProcedure(HWND notifyWindow, ICommandRunner& runner)
{
    RepairOutcome outcome;
    {
        // Held until the values were read back, and no longer: the messages
        // below lead to prompts that wait for the user.
        CRepairLock lock;
        outcome.failureLine = AcquireRepairLock(lock);
        if (outcome.failureLine == nullptr) {
            outcome = RunRepairSteps(runner, CRepairSequence::Judgement::SuccessText);
            if (outcome.success) {
                ApplicabilityState state;
                bool read = ReadApplicabilityState(state) == StateReadResult::Read;
                outcome = CRepairSequence::Confirm(outcome, read, state);
            }
        }
    }

    SendMessageW(notifyWindow, WM_REPAIR_CLOSE_PROMPT, 0, 0);
    SendMessageW(notifyWindow, WM_REPAIR_RESULT,
                 outcome.success ? REPAIR_RESULT_SUCCESS : REPAIR_RESULT_FAILURE, 0);
    if (!outcome.success && outcome.failureLine != nullptr) {
        CLogSave::GetInstance()->WriteLog(outcome.failureLine, kRepairLogFile, true);
    }
    return outcome.success;
}
