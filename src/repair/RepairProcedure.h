// One whole repair on the calling thread: redirection off when a 32-bit
// process runs on 64-bit Windows, the repair steps through runner,
// redirection back on, the four values read back from the registry's 64-bit
// view, both result messages to notifyWindow, and on failure the log line
// after both messages were handled.
#pragma once

#include "repair/CRepairSequence.h"
#include "repair/ICommandRunner.h"

#include <windows.h>

// The repair steps alone, on the calling thread, with redirection switched
// off around them when a 32-bit process runs on 64-bit Windows. No message,
// no log line, no read-back: those are the caller's.
RepairOutcome RunRepairSteps(ICommandRunner& runner, CRepairSequence::Judgement judgement);

bool RunRepairProcedure(HWND notifyWindow, ICommandRunner& runner);
