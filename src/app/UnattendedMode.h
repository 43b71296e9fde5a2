// The program without its window, for deployment systems: switches in, an
// exit code and one result line out. Nothing of the window's start-up runs
// here: no GDI+, no support component, no hook, no prompt.
#pragma once

#include <string>
#include <vector>

// The arguments after the program's own name; empty when there are none.
std::vector<std::wstring> CommandLineArguments();

// Runs what the arguments ask for and returns the process exit code.
int RunUnattended(const std::vector<std::wstring>& arguments);
