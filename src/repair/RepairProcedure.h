// One whole repair on the calling thread: redirection off when a 32-bit
// process runs on 64-bit Windows, the repair steps through runner,
// redirection back on, both result messages to notifyWindow, and on failure
// the log line after both messages were handled.
#pragma once

#include "repair/ICommandRunner.h"

#include <windows.h>

bool RunRepairProcedure(HWND notifyWindow, ICommandRunner& runner);
