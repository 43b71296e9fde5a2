#include "app/UnattendedArguments.h"

namespace {

// ASCII only: switch names are ASCII, and a locale-dependent lower-casing
// could let an unrelated word through as a switch.
std::wstring AsciiLower(const std::wstring& text)
{
    std::wstring lower = text;
    for (wchar_t& c : lower) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return lower;
}

UnattendedArguments Invalid(const std::wstring& problem)
{
    UnattendedArguments result;
    result.problem = problem;
    return result;
}

} // namespace

bool HasUnattendedSwitch(const std::vector<std::wstring>& arguments)
{
    for (const std::wstring& argument : arguments) {
        if (!argument.empty() && (argument[0] == L'/' || argument[0] == L'-')) {
            return true;
        }
    }
    return false;
}

UnattendedArguments ParseUnattendedArguments(const std::vector<std::wstring>& arguments)
{
    bool check = false;
    bool repair = false;
    bool restart = false;
    bool help = false;
    for (const std::wstring& argument : arguments) {
        if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) {
            // A value after a switch, a bare word, an empty argument.
            return Invalid(L"unexpected argument \"" + argument + L"\"");
        }
        std::wstring name = AsciiLower(argument.substr(1));
        bool* seen = nullptr;
        if (name == L"check") {
            seen = &check;
        } else if (name == L"repair") {
            seen = &repair;
        } else if (name == L"restart") {
            seen = &restart;
        } else if (name == L"?" || name == L"help") {
            seen = &help;
        } else {
            // Also "/repair:x" and "/repair=x": no switch takes a value.
            return Invalid(L"unknown switch " + argument);
        }
        if (*seen) {
            return Invalid(L"switch given twice: " + argument);
        }
        *seen = true;
    }

    if (help) {
        if (check || repair || restart) {
            return Invalid(L"/? stands alone");
        }
        UnattendedArguments result;
        result.action = UnattendedAction::Usage;
        return result;
    }
    if (check && repair) {
        return Invalid(L"/check and /repair exclude each other");
    }
    if (restart && !repair) {
        // A restart is only ever the last step of a repair that changed something.
        return Invalid(L"/restart needs /repair");
    }
    UnattendedArguments result;
    result.action = check ? UnattendedAction::Check : UnattendedAction::Repair;
    result.restart = restart;
    return result;
}

std::wstring UnattendedUsage()
{
    return L"Usage: Stellwick.exe /check | /repair [/restart] | /?\r\n"
           L"  /check     exit 0 when the four values are repaired, 1 when a repair is needed\r\n"
           L"  /repair    repair when needed: exit 0 when nothing was to do, 3010 when repaired\r\n"
           L"             (a restart makes it take effect), 1 when the repair failed\r\n"
           L"  /restart   with /repair: restart at once after a repair (exit 1641)\r\n"
           L"  Other exit codes: 2 wrong arguments, 4 not Windows 10, 5 registry not readable.\r\n"
           L"  Without switches the window opens.\r\n";
}
