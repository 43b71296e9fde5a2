// Compiled only into the benchmark's marked build of the program (see the header).
#ifndef STELLWICK_PHASE_MARKS
#error "StartupPhases.cpp belongs to the marked build only"
#endif

#include "framework/StartupPhases.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>

namespace {

struct Phase
{
    const char* name;
    int detail;
    LONGLONG counter;
    SIZE_T workingSet;
};

using GetMemoryInfoFn = BOOL(WINAPI*)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
GetMemoryInfoFn g_getMemoryInfo = nullptr;

constexpr int MAX_PHASES = 32;
Phase g_phases[MAX_PHASES];
int g_count = 0;
// 0 not asked yet, 1 on, -1 off. Only the user-interface thread marks.
int g_state = 0;
bool g_written = false;

bool Enabled()
{
    if (g_state == 0) {
        g_state = ::GetEnvironmentVariableW(L"STELLWICK_STARTUP_PHASES", nullptr, 0) > 0 ? 1 : -1;
        // Looked up, not imported, and only when measuring: nothing else
        // wants it, and a normal start should not pay for the look-up.
        HMODULE kernel = g_state > 0 ? ::GetModuleHandleW(L"kernel32.dll") : nullptr;
        if (kernel)
            g_getMemoryInfo = reinterpret_cast<GetMemoryInfoFn>(
                reinterpret_cast<void*>(::GetProcAddress(kernel, "K32GetProcessMemoryInfo")));
    }
    return g_state > 0;
}

} // namespace

void StartupPhaseMark(const char* name, int detail)
{
    if (!Enabled() || g_count >= MAX_PHASES)
        return;
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    g_phases[g_count].name = name;
    g_phases[g_count].detail = detail;
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    g_phases[g_count].workingSet =
        g_getMemoryInfo && g_getMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory)
            ? memory.WorkingSetSize
            : 0;
    g_phases[g_count].counter = now.QuadPart;
    ++g_count;
}

void StartupPhasesWrite()
{
    if (!Enabled() || g_written)
        return;
    g_written = true;
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"STELLWICK_STARTUP_PHASES", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    FILE* file = _wfopen(path, L"w");
    if (!file)
        return;
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::fprintf(file, "frequency %lld\n", static_cast<long long>(frequency.QuadPart));
    for (int i = 0; i < g_count; ++i) {
        const Phase& p = g_phases[i];
        if (p.detail >= 0)
            std::fprintf(file, "%s:%d %lld %llu\n", p.name, p.detail, static_cast<long long>(p.counter),
                         static_cast<unsigned long long>(p.workingSet));
        else
            std::fprintf(file, "%s %lld %llu\n", p.name, static_cast<long long>(p.counter),
                         static_cast<unsigned long long>(p.workingSet));
    }
    std::fclose(file);
}
