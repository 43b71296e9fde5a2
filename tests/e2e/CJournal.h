// The stand-in component's journal: one UTF-8 line per call, in call order.
#pragma once

#include <string>
#include <vector>

class CJournal
{
public:
    // Starts a fresh journal (the stand-in makes the file again on its next call).
    static void Clear();
    static std::vector<std::string> Lines();
    // Lines that start with the export name (followed by its arguments, if any).
    static std::vector<std::string> CallsOf(const std::string& exportName);
    static size_t CountOf(const std::string& exportName);
    // Position of the first line of that export, or -1.
    static long IndexOf(const std::string& exportName);
};
