// Where a start spends its time, for the start-up benchmark's phase table.
//
// Only the benchmark's own build of the program (compiled with
// STELLWICK_PHASE_MARKS) keeps marks. In the shipped program every
// STARTUP_PHASE_MARK and STARTUP_PHASES_WRITE compiles to nothing: no mark
// names, no file name and no environment look-up end up in it, so nothing a
// user sets for his account can make an elevated run write a file.
//
// In the marked build each mark keeps its name with the performance
// counter's reading and the working set, and STARTUP_PHASES_WRITE puts them
// into the file that the environment variable STELLWICK_STARTUP_PHASES names,
// after a first line "frequency <counts per second>", one line each:
// "name counter bytes" or "name:detail counter bytes". The counter is the
// machine's, so the reader can set the marks against its own readings.
#pragma once

#ifdef STELLWICK_PHASE_MARKS

// name must be a string literal (it is kept, not copied); a detail of 0 or
// more is written after it as name:detail (a resource id, say).
void StartupPhaseMark(const char* name, int detail = -1);
// Writes what was marked so far, once; later calls do nothing.
void StartupPhasesWrite();

#define STARTUP_PHASE_MARK(...) StartupPhaseMark(__VA_ARGS__)
#define STARTUP_PHASES_WRITE() StartupPhasesWrite()

#else

#define STARTUP_PHASE_MARK(...) ((void)0)
#define STARTUP_PHASES_WRITE() ((void)0)

#endif
