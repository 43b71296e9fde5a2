// Start-up and memory of the tool against the platform floor (an empty dialog
// program after the platform pieces the tool must use) and an empty dialog,
// both started the same way in the same prefix, the size of the program file,
// and the live GDI and GDI+ objects over fifty repairs. Prints BENCH lines;
// never fails.
//   startup_bench.exe <empty dialog program> [<platform floor program>] [--no-repairs]
//   startup_bench.exe <empty dialog program> <platform floor program> --phases
// The second form prints where one start spends its time instead: the marks
// that the benchmark's marked build of the tool (Stellwick_phases.exe, given
// as the program) leaves when STELLWICK_STARTUP_PHASES names a file, as
// medians of eleven starts, in milliseconds since the process was created.
// The shipped program keeps no marks.
#include "../../tests/e2e/CToolRun.h"
#include "../../tests/e2e/E2ePaths.h"
#include "../../tests/e2e/Poll.h"
#include "../../tests/e2e/ToolWindows.h"
#include "../../tests/e2e/UserInput.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const int RUNS = 11;
const int REPAIRS = 50;
const char* const QUIET = "[Component]\r\nInitResult=1\r\nOpenPages=0\r\n";

struct Sample
{
    double ms = -1;
    double peakMiB = -1;
};

double Median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double PeakMiB(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        return -1;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

double Now()
{
    LARGE_INTEGER now, freq;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Drawn as a user sees it: shown, and nothing of the window or its controls
// still waiting to be painted. The same test for the tool and the baselines.
bool WindowDrawn(HWND window)
{
    if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE))
        return false;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE))
            return false;
    }
    return true;
}

bool HasDrawnWindowTitled(DWORD pid, const std::wstring& title)
{
    for (HWND w : TopWindowsOf(pid, true)) {
        if (WindowText(w) == title && WindowDrawn(w))
            return true;
    }
    return false;
}

struct Mark
{
    std::string name;
    double ms;
    double workingSetMiB;
};

// The marks in milliseconds after startCounter; empty when none were written.
std::vector<Mark> ReadMarks(const std::wstring& path, LONGLONG startCounter)
{
    std::vector<Mark> marks;
    std::ifstream in(path.c_str());
    std::string line;
    double frequency = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name;
        long long value = 0;
        unsigned long long bytes = 0;
        if (!(fields >> name >> value))
            continue;
        fields >> bytes;
        if (name == "frequency")
            frequency = static_cast<double>(value);
        else if (frequency > 0)
            marks.push_back({name, 1000.0 * static_cast<double>(value - startCounter) / frequency,
                             static_cast<double>(bytes) / (1024.0 * 1024.0)});
    }
    return marks;
}

// Where a program started for measuring leaves its marks, when asked to.
class PhaseFile
{
public:
    PhaseFile(const std::wstring& path, bool wanted) : m_path(path), m_wanted(wanted)
    {
        if (m_wanted) {
            CreateDirectoryW(ScenarioRoot().c_str(), nullptr);
            DeleteFileW(m_path.c_str());
            SetEnvironmentVariableW(L"STELLWICK_STARTUP_PHASES", m_path.c_str());
        }
    }
    // Once the program is started: nothing after it inherits the request.
    void Started() const
    {
        if (m_wanted)
            SetEnvironmentVariableW(L"STELLWICK_STARTUP_PHASES", nullptr);
    }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
    bool m_wanted;
};

Sample MeasureEmpty(const std::wstring& program, std::vector<Mark>* marks = nullptr)
{
    Sample sample;
    std::vector<wchar_t> line(program.begin(), program.end());
    line.push_back(L'\0');
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    const PhaseFile phases(ScenarioRoot() + L"\\bench-baseline-phases.txt", marks != nullptr);
    LARGE_INTEGER startCounter;
    QueryPerformanceCounter(&startCounter);
    double start = Now();
    const bool started =
        CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    phases.Started();
    if (!started)
        return sample;
    if (PollUntil([&] { return HasDrawnWindowTitled(pi.dwProcessId, L"Stellwick bench baseline"); }, 30000,
                  1))
        sample.ms = Now() - start;
    Sleep(300);
    sample.peakMiB = PeakMiB(pi.hProcess);
    if (marks && sample.ms >= 0)
        *marks = ReadMarks(phases.Path(), startCounter.QuadPart);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return sample;
}

// Complete as a user sees it: the panel laid out with the version text in
// place, and nothing of it or its controls still waiting to be painted.
bool MainWindowComplete(DWORD pid)
{
    MainWindow main = FindMainWindow(pid);
    if (!main.panel || !IsWindowVisible(main.panel))
        return false;
    RECT r = ControlRect(main.panel, 1010);
    if (r.right <= r.left || !IsWindowVisible(GetDlgItem(main.panel, 1010)))
        return false;
    if (ControlText(main.panel, 1012) != L"1.8.22.1024")
        return false;
    return WindowDrawn(main.panel);
}

Sample MeasureTool(std::vector<Mark>* marks = nullptr)
{
    Sample sample;
    CToolRun run(L"bench-startup");
    if (!run.AddProgram() || !run.AddLibrary(StandinLibrary()) || !run.AddSettings(QUIET))
        return sample;
    const PhaseFile phases(ScenarioRoot() + L"\\bench-startup-phases.txt", marks != nullptr);
    double start = Now();
    const bool started = run.Start();
    phases.Started();
    if (!started)
        return sample;
    if (PollUntil([&] { return MainWindowComplete(run.ProcessId()); }, 30000, 1))
        sample.ms = Now() - start;
    // Past the new-version check, as a user would have it.
    Sleep(300);
    sample.peakMiB = PeakMiB(run.Process());
    if (marks && sample.ms >= 0) {
        *marks = ReadMarks(phases.Path(), run.StartCounter());
        if (!marks->empty())
            marks->push_back({"complete_seen_by_bench", sample.ms, sample.peakMiB});
    }
    return sample; // the run ends the process
}

// Medians over several starts of one program's marks: when each came and the
// step from the mark before it.
class PhaseTable
{
public:
    void Add(const std::vector<Mark>& marks)
    {
        double previous = 0;
        for (const Mark& m : marks) {
            if (!m_at.count(m.name))
                m_order.push_back(m.name);
            m_at[m.name].push_back(m.ms);
            m_step[m.name].push_back(m.ms - previous);
            m_memory[m.name].push_back(m.workingSetMiB);
            previous = m.ms;
        }
    }

    // The rows in the order of time, whatever order the first start happened
    // to use; returns the sum of the decoding steps.
    double Print(const char* prefix)
    {
        std::stable_sort(m_order.begin(), m_order.end(), [&](const std::string& a, const std::string& b) {
            return Median(m_at[a]) < Median(m_at[b]);
        });
        double decoding = 0;
        for (const std::string& name : m_order) {
            std::printf("PHASE %-26s %9.2f %9.2f %9.2f\n", (prefix + name).c_str(), Median(m_at[name]),
                        Median(m_step[name]), Median(m_memory[name]));
            if (name.compare(0, 8, "decoded:") == 0)
                decoding += Median(m_step[name]);
        }
        return decoding;
    }

private:
    std::vector<std::string> m_order;
    std::map<std::string, std::vector<double>> m_at, m_step, m_memory;
};

// Where the tool's start spends its time, and the platform floor's marks
// (start of its program, platform pieces ready, dialog created) beside it.
void PrintPhases(const std::wstring& floor)
{
    if (!floor.empty())
        MeasureEmpty(floor);
    MeasureTool(); // warm, as for the figures
    PhaseTable tool, platform;
    int runs = 0;
    for (int i = 0; i < RUNS; ++i) {
        if (!floor.empty()) {
            std::vector<Mark> marks;
            const Sample f = MeasureEmpty(floor, &marks);
            if (f.ms >= 0) {
                marks.push_back({"drawn_seen_by_bench", f.ms, f.peakMiB});
                platform.Add(marks);
            }
        }
        std::vector<Mark> marks;
        MeasureTool(&marks);
        if (marks.empty())
            continue;
        ++runs;
        tool.Add(marks);
    }
    if (!runs) {
        std::printf("bench: the tool wrote no phase marks (only Stellwick_phases.exe keeps them)\n");
        return;
    }
    std::printf(
        "PHASE %-26s %9s %9s %9s   (medians of %d starts; ms since the process was created; working set,\n"
        "PHASE %-26s %9s %9s %9s    the *_seen_by_bench rows the peak)\n",
        "mark", "at", "step", "MiB", runs, "", "", "", "");
    const double decoding = tool.Print("");
    std::printf("PHASE %-26s %9s %9.2f\n", "png_decoding_total", "", decoding);
    platform.Print("floor:");
    std::fflush(stdout);
}

void PrintLine(const char* name, double value, const char* unit, double baseline, double ratio,
               const char* target, bool ok)
{
    std::printf("BENCH %s value=%.2f%s baseline=%.2f%s ratio=%.3f target=%s %s\n", name, value, unit,
                baseline, unit, ratio, target, ok ? "ok" : "over");
    std::fflush(stdout);
}

struct LiveCounts
{
    long gdi = -1;
    long gdiplus = -1;
};

LiveCounts AskCounts(HWND panel)
{
    static const UINT message = RegisterWindowMessageW(L"StellwickLiveObjectCount");
    LiveCounts counts;
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(panel, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer))
        counts.gdi = static_cast<long>(answer);
    if (SendMessageTimeoutW(panel, message, 1, 0, SMTO_ABORTIFHUNG, 5000, &answer))
        counts.gdiplus = static_cast<long>(answer);
    return counts;
}

// The repair log's last entry, as UTF-8.
std::string LastRepairLogLine()
{
    std::string log = ReadWholeFile(RepairLogFile());
    while (!log.empty() && (log.back() == '\r' || log.back() == '\n'))
        log.pop_back();
    const std::string line = log.substr(log.find_last_of('\n') + 1);
    std::wstring wide(line.size(), L'\0');
    wide.resize(MultiByteToWideChar(936, 0, line.data(), static_cast<int>(line.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0],
                                    static_cast<int>(utf8.size()), nullptr, nullptr));
    return utf8;
}

// Repair button, warning and notice confirmed, restart declined; true when
// the restart question came and went. Where a repair stops, says at which
// step and what the program's windows showed.
bool OneRepair(DWORD pid, const MainWindow& main, int number)
{
    auto stopped = [&](const char* step) {
        std::printf("bench: repair %d stopped: %s; windows:\n%s\n", number, step,
                    DescribeWindows(pid).c_str());
        return false;
    };
    PromptView prompt;
    if (!ClickControl(main.panel, 1010))
        return stopped("the repair button took no click");
    if (!WaitForPromptText(pid, L"以下修复操作涉及到系统注册表修改，操作前请确认电脑里资料均已备份！", 10000,
                           &prompt))
        return stopped("no warning");
    ClickControl(prompt.content, 1006);
    if (!WaitForPromptText(
            pid,
            L"本工具调用微软自带命令恢复注册表，不是万能工具。如果恢复后仍有问题，可能与注册表无关，请了解。",
            10000, &prompt))
        return stopped("no notice after the warning");
    ClickControl(prompt.content, 1006);
    if (!WaitForPromptText(pid, L"修复注册表成功,重新启动系统后才会生效，是否重新启动？", 60000, &prompt)) {
        // A failed repair writes its log line once its prompt has closed:
        // that line names the step.
        PromptView failure;
        if (WaitForPromptText(pid, L"修复注册表失败！", 100, &failure)) {
            ClickControl(failure.content, 1006);
            Sleep(2000);
            std::printf("bench: repair %d failed; the repair log ends: %s\n", number,
                        LastRepairLogLine().c_str());
        }
        return stopped("no restart question after the notice");
    }
    ClickControl(prompt.content, 1007);
    if (!WaitForNoPrompt(pid, 5000))
        return stopped("the restart question stayed");
    return true;
}

void MeasureRepairs()
{
    CToolRun run(L"bench-repairs");
    if (!run.AddProgram() || !run.AddLibrary(StandinLibrary()) || !run.AddSettings(QUIET) || !run.Start())
        return;
    MainWindow main;
    if (!WaitForMainWindow(run.ProcessId(), 30000, &main)) {
        std::printf("bench: no main window for the repairs\n");
        return;
    }
    Sleep(300);
    if (!OneRepair(run.ProcessId(), main, 1)) {
        std::printf("bench: the first repair did not complete\n");
        return;
    }
    LiveCounts first = AskCounts(main.panel);
    int done = 1;
    while (done < REPAIRS && OneRepair(run.ProcessId(), main, done + 1))
        ++done;
    if (done < REPAIRS) {
        std::printf("bench: only %d of %d repairs completed\n", done, REPAIRS);
        // A prompt left open holds objects of its own: no count to compare.
        if (FindWindowHolding(run.ProcessId(), 1005) || FindProgressContent(run.ProcessId())) {
            std::printf("bench: a prompt is still open, the live object counts are not compared\n");
            return;
        }
    }
    LiveCounts last = AskCounts(main.panel);
    if (first.gdi < 0 || last.gdi < 0) {
        std::printf("bench: the panel does not answer the live object count\n");
        return;
    }
    auto ratio = [](long a, long b) { return b > 0 ? static_cast<double>(a) / b : (a == b ? 1.0 : 0.0); };
    std::printf("BENCH repairs%d_live_gdi value=%ldobjects baseline=%ldobjects ratio=%.3f target=equal %s\n",
                done, last.gdi, first.gdi, ratio(last.gdi, first.gdi), last.gdi <= first.gdi ? "ok" : "over");
    std::printf(
        "BENCH repairs%d_live_gdiplus value=%ldobjects baseline=%ldobjects ratio=%.3f target=equal %s\n",
        done, last.gdiplus, first.gdiplus, ratio(last.gdiplus, first.gdiplus),
        last.gdiplus <= first.gdiplus ? "ok" : "over");
    std::fflush(stdout);
}

long long FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    SetProcessDPIAware();
    // The pointer rests in a corner, off every window measured: where the
    // display happens to leave it is where the tool's main button appears,
    // and its hover face would be timed as part of the start.
    SetCursorPos(0, 0);
    std::wstring empty, platform;
    bool repairs = true;
    bool phases = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--phases")
            phases = true;
        else if (arg == L"--no-repairs")
            repairs = false;
        else if (empty.empty())
            empty = arg;
        else
            platform = arg;
    }
    if (phases) {
        PrintPhases(platform);
        return 0;
    }
    if (empty.empty()) {
        std::printf("usage: startup_bench <empty dialog program> [<platform floor program>] "
                    "[--no-repairs|--phases]\n");
        return 0;
    }
    // Warm each once: the first start of a program in a prefix pays for loading it from disk.
    MeasureEmpty(empty);
    if (!platform.empty())
        MeasureEmpty(platform);
    MeasureTool();
    std::vector<double> emptyMs, toolMs, emptyMiB, toolMiB, floorMs, floorMiB;
    for (int i = 0; i < RUNS; ++i) {
        Sample e = MeasureEmpty(empty);
        Sample f = platform.empty() ? Sample() : MeasureEmpty(platform);
        Sample t = MeasureTool();
        if (e.ms >= 0 && t.ms >= 0) {
            emptyMs.push_back(e.ms);
            toolMs.push_back(t.ms);
            emptyMiB.push_back(e.peakMiB);
            toolMiB.push_back(t.peakMiB);
        }
        if (f.ms >= 0) {
            floorMs.push_back(f.ms);
            floorMiB.push_back(f.peakMiB);
        }
    }
    if (toolMs.empty()) {
        std::printf("bench: no start could be measured\n");
    } else if (floorMs.empty()) {
        std::printf("bench: the platform floor could not be measured\n");
    } else {
        // The targets are set against the platform floor: what the platform
        // pieces the tool must use already cost is not the tool's to win back.
        const double te = Median(emptyMs), tt = Median(toolMs), tf = Median(floorMs);
        const double me = Median(emptyMiB), mt = Median(toolMiB), mf = Median(floorMiB);
        PrintLine("startup_to_main_window", tt, "ms", tf, tt / tf, "1.25", tt / tf <= 1.25);
        std::printf("BENCH startup_peak_memory value=%.2fMiB baseline=%.2fMiB ratio=%.3f target=+3MiB %s\n",
                    mt, mf, mf > 0 ? mt / mf : 0.0, mt - mf <= 3.0 ? "ok" : "over");
        // For reading the two lines above: the tool and the floor against an
        // empty dialog. No targets.
        std::printf(
            "BENCH startup_over_empty_dialog value=%.2fms baseline=%.2fms ratio=%.3f target=none info\n", tt,
            te, tt / te);
        std::printf("BENCH startup_platform_floor value=%.2fms baseline=%.2fms ratio=%.3f target=none info\n",
                    tf, te, tf / te);
        std::printf("BENCH startup_platform_floor_memory value=%.2fMiB baseline=%.2fMiB ratio=%.3f "
                    "target=none info\n",
                    mf, me, me > 0 ? mf / me : 0.0);
    }
    double exeMiB = static_cast<double>(FileSize(ProgramImage())) / (1024.0 * 1024.0);
    double emptyExeMiB = static_cast<double>(FileSize(empty)) / (1024.0 * 1024.0);
    std::printf("BENCH program_file_size value=%.2fMiB baseline=%.2fMiB ratio=%.3f target=3MiB %s\n", exeMiB,
                emptyExeMiB, emptyExeMiB > 0 ? exeMiB / emptyExeMiB : 0.0, exeMiB <= 3.0 ? "ok" : "over");
    std::fflush(stdout);
    if (repairs)
        MeasureRepairs();
    return 0;
}
