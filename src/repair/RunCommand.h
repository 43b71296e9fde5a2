// Runs one command through the system's own command interpreter with its
// window hidden and appends everything it printed (standard output and
// standard error, in the order they arrived) to output.
#pragma once

#include <string>

// true once the interpreter has ended, whatever the command's exit code.
// false only when the pipe or the process could not be created; output is
// then unchanged. Never times out.
bool RunCommand(std::wstring command, std::wstring& output);
