// One whole repair on the calling thread: the machine-wide repair lock taken
// (waiting for another run to end), redirection off when a 32-bit process
// runs on 64-bit Windows, the repair steps through runner, redirection back
// on, the four values read back from the registry's 64-bit view, the lock
// released, both result messages to notifyWindow, and on failure the log
// line after both messages were handled.
#pragma once

#include "repair/CRepairLock.h"
#include "repair/CRepairSequence.h"
#include "repair/ICommandRunner.h"

#include <windows.h>

// The repair steps alone, on the calling thread, with redirection switched
// off around them when a 32-bit process runs on 64-bit Windows. No lock, no
// message, no log line, no read-back: those are the caller's.
RepairOutcome RunRepairSteps(ICommandRunner& runner, CRepairSequence::Judgement judgement);

// Takes lock, waiting as long as a repair can take. Null once it is held,
// else the failure line of the log: the repair then fails before its first
// step, as when redirection cannot be switched off.
const char* AcquireRepairLock(CRepairLock& lock);

bool RunRepairProcedure(HWND notifyWindow, ICommandRunner& runner);
