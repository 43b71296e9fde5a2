#include "repair/RepairProcedure.h"

#include "common/WindowMessages.h"
#include "log/CLogSave.h"
#include "repair/CRegistryRepair.h"
#include "repair/CRepairSequence.h"
#include "repair/ReadApplicabilityState.h"
#include "repair/RepairLogLines.h"

bool RunRepairProcedure(HWND notifyWindow, ICommandRunner& runner)
{
    RepairOutcome outcome;
    bool redirectionOff = false;
    PVOID previousRedirection = nullptr;
    if (IsWow64()) {
        if (Wow64DisableWow64FsRedirection(&previousRedirection) != TRUE) {
            outcome.failureLine = kLogRedirectionOffFailed;
        } else {
            redirectionOff = true;
        }
    }

    if (outcome.failureLine == nullptr) {
        try {
            outcome = CRepairSequence(runner).Run();
            if (outcome.success) {
                ApplicabilityState state;
                bool read = ReadApplicabilityState(state) == StateReadResult::Read;
                outcome = CRepairSequence::Confirm(outcome, read, state);
            }
        } catch (...) {
            // Out of memory inside a step. The panel still has to hear the
            // outcome or its progress prompt would stay up for ever; no
            // line of the log describes this, so none is written.
            outcome = RepairOutcome();
        }
    }

    // Back on before anything else happens on this thread, on failure too:
    // the message handlers' and the log's file access must see the normal
    // view of the system folder.
    if (redirectionOff) {
        Wow64RevertWow64FsRedirection(previousRedirection);
    }

    SendMessageW(notifyWindow, WM_REPAIR_CLOSE_PROMPT, 0, 0);
    SendMessageW(notifyWindow, WM_REPAIR_RESULT,
                 outcome.success ? REPAIR_RESULT_SUCCESS : REPAIR_RESULT_FAILURE, 0);
    if (!outcome.success && outcome.failureLine != nullptr) {
        CLogSave::GetInstance()->WriteLog(outcome.failureLine, kRepairLogFile, true);
    }
    return outcome.success;
}
