// Runs one command through the system's own command interpreter with its
// window hidden and appends everything it printed (standard output and
// standard error, in the order they arrived) to output.
#pragma once

#include <string>

// What *exitCode reports for a command that was ended because it ran past its
// time limit. An error status with the customer bit set: neither cmd nor reg
// ever ends with it, and together with the false result it cannot be taken
// for a command's own exit code.
constexpr unsigned long kCommandTimedOutExitCode = 0xE0000102UL;

// How long one command may run, from its start until it has ended and its
// output pipe has closed.
constexpr unsigned long kDefaultCommandTimeLimitMs = 60000;

// true once the interpreter has ended by itself, whatever the command's exit
// code; *exitCode (when given) then holds that code.
// false when the pipe, the job or the process could not be created or the
// process could not be put into its job (it is then ended before it ran;
// output and *exitCode are unchanged), or when the command was ended after
// running past its time limit (*exitCode is then kCommandTimedOutExitCode,
// and what it printed until then is appended).
// The command and everything it starts run in a job that is ended as a whole,
// so nothing it started outlives a time-out or this call's failure.
// It inherits only its output pipe and an empty standard input, none of the
// caller's other handles.
// The output is decoded from the calling thread's ANSI code page.
bool RunCommand(std::wstring command, std::wstring& output, unsigned long* exitCode = nullptr);

// The same run with the output appended as the bytes the command wrote, for
// a caller that decodes them itself.
bool RunCommandBytes(std::wstring command, std::string& bytes, unsigned long* exitCode = nullptr);

// Appends bytes decoded from codePage (CP_THREAD_ACP, GetOEMCP(), ...).
void AppendDecodedOutput(const std::string& bytes, unsigned int codePage, std::wstring& output);

// Process-wide time limit of every later command, in milliseconds.
void SetCommandTimeLimit(unsigned long milliseconds);
unsigned long GetCommandTimeLimit();

// For the tests: every later command finds its job cannot be made.
void FailCommandJobsForTest(bool fail);
