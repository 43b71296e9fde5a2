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

// true once the interpreter has ended by itself, whatever the command's exit
// code; *exitCode (when given) then holds that code.
// false when the pipe or the process could not be created (output and
// *exitCode are then unchanged), or when the command was ended after running
// past its time limit (*exitCode is then kCommandTimedOutExitCode, and what
// it printed until then is appended).
bool RunCommand(std::wstring command, std::wstring& output, unsigned long* exitCode = nullptr);
