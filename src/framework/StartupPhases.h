// Where a start spends its time, for the start-up benchmark's phase table.
// Off unless the environment variable STELLWICK_STARTUP_PHASES names a file:
// then each mark keeps its name with the performance counter's reading and
// the working set, and StartupPhasesWrite puts them into that file after a
// first line "frequency <counts per second>", one line each:
// "name counter bytes" or "name:detail counter bytes". The counter is the
// machine's, so the reader can set the marks against its own readings.
#pragma once

// name must be a string literal (it is kept, not copied); a detail of 0 or
// more is written after it as name:detail (a resource id, say).
void StartupPhaseMark(const char* name, int detail = -1);
// Writes what was marked so far, once; later calls do nothing.
void StartupPhasesWrite();
