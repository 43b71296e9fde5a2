// The switches of the unattended mode, as a deployment system hands them
// over. Platform-neutral; the caller splits the command line.
#pragma once

#include <string>
#include <vector>

enum class UnattendedAction {
    Usage,   // /? or /help alone: the usage, exit 0
    Invalid, // anything the parser does not accept: the usage, exit 2
    Check,
    Repair,
};

struct UnattendedArguments
{
    UnattendedAction action = UnattendedAction::Invalid;
    // Only with Repair: restart at once instead of reporting that one is needed.
    bool restart = false;
    // For Invalid: what was wrong, for the first line before the usage.
    std::wstring problem;
};

// Whether the command line asks for the unattended mode: some argument begins
// with / or -. Anything else, a file dropped on the program in Explorer say,
// opens the window as no arguments do.
bool HasUnattendedSwitch(const std::vector<std::wstring>& arguments);

// arguments: the command line without the program's own name, holding at
// least one switch (HasUnattendedSwitch).
// "/x" and "-x" are the same switch, the case does not matter; a switch is
// given at most once and takes no value.
UnattendedArguments ParseUnattendedArguments(const std::vector<std::wstring>& arguments);

// The usage text, lines ending in CR LF.
std::wstring UnattendedUsage();
