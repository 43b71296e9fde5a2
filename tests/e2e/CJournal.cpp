#include "CJournal.h"

#include "E2ePaths.h"

#include <windows.h>

void CJournal::Clear() { DeleteFileW(JournalFile().c_str()); }

std::vector<std::string> CJournal::Lines()
{
    std::string bytes = ReadWholeFile(JournalFile());
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> CJournal::CallsOf(const std::string& exportName)
{
    std::vector<std::string> calls;
    for (const auto& line : Lines()) {
        if (line == exportName || line.rfind(exportName + " ", 0) == 0)
            calls.push_back(line);
    }
    return calls;
}

size_t CJournal::CountOf(const std::string& exportName) { return CallsOf(exportName).size(); }

long CJournal::IndexOf(const std::string& exportName)
{
    auto lines = Lines();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == exportName || lines[i].rfind(exportName + " ", 0) == 0)
            return static_cast<long>(i);
    }
    return -1;
}
