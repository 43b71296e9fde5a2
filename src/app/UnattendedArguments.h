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

// arguments: the command line without the program's own name; must not be
// empty (with no arguments the program opens its window instead).
// "/x" and "-x" are the same switch, the case does not matter; a switch is
// given at most once and takes no value.
UnattendedArguments ParseUnattendedArguments(const std::vector<std::wstring>& arguments);

// The usage text, lines ending in CR LF.
std::wstring UnattendedUsage();
