#include "repair/CRegistryRepair.h"

#include "log/CLogSave.h"
#include "repair/CSystemCommandRunner.h"
#include "repair/RepairLogLines.h"
#include "repair/RepairProcedure.h"

namespace {

typedef BOOL(WINAPI* IsWow64ProcessFunction)(HANDLE, PBOOL);

// Found once, then kept for the life of the process. Only the repair worker
// asks, so no lock.
IsWow64ProcessFunction g_isWow64Process = nullptr;

// The version fields in the process environment block. The program ships
// as a 32-bit build; the 64-bit layout is there for the 64-bit build of the
// same sources that the tests can run.
#ifdef _WIN64
constexpr unsigned kPebOsMajorVersion = 0x118;
constexpr unsigned kPebOsMinorVersion = 0x11C;
#else
constexpr unsigned kPebOsMajorVersion = 0xA4;
constexpr unsigned kPebOsMinorVersion = 0xA8;
#endif

// The thread block's pointer to the environment block.
const BYTE* ProcessEnvironmentBlock()
{
    const BYTE* peb = nullptr;
#ifdef _WIN64
    __asm__("movq %%gs:0x60, %0" : "=r"(peb));
#else
    __asm__("movl %%fs:0x30, %0" : "=r"(peb));
#endif
    return peb;
}

} // namespace

bool CRegistryRepair::SetNotifyWindow(HWND window)
{
    if (window == nullptr) {
        return false;
    }
    m_hNotifyWnd = window;
    return true;
}

bool CRegistryRepair::StartRepair()
{
    HANDLE thread = CreateThread(nullptr, 0, RepairThreadProc, this, 0, nullptr);
    if (thread == nullptr) {
        CLogSave::GetInstance()->WriteLog(kLogThreadCreateFailed, kRepairLogFile, true);
        return false;
    }
    CloseHandle(thread);
    return true;
}

DWORD WINAPI RepairThreadProc(LPVOID parameter)
{
    try {
        static_cast<CRegistryRepair*>(parameter)->RepairRegistry();
    } catch (...) {
    }
    return 1;
}

bool CRegistryRepair::RepairRegistry()
{
    CSystemCommandRunner runner;
    return RunRepairProcedure(m_hNotifyWnd, runner);
}

bool CRegistryRepair::IsSupportedSystem()
{
    // Straight from the environment block: the version query functions answer
    // according to the program's manifest, this does not.
    const BYTE* peb = ProcessEnvironmentBlock();
    ULONG major = *reinterpret_cast<const ULONG*>(peb + kPebOsMajorVersion);
    ULONG minor = *reinterpret_cast<const ULONG*>(peb + kPebOsMinorVersion);
    return major == 10 && minor == 0;
}

bool CRegistryRepair::RestartSystem()
{
    if (EnableShutdownPrivilege() != ERROR_SUCCESS) {
        return false;
    }
    ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0);
    return true;
}

bool CRegistryRepair::RequestSystemRestart(unsigned long* error)
{
    DWORD result = EnableShutdownPrivilege();
    if (result == ERROR_SUCCESS) {
        // The change is an application's installation, planned.
        constexpr DWORD reason =
            SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_INSTALLATION | SHTDN_REASON_FLAG_PLANNED;
        if (InitiateSystemShutdownExW(nullptr, nullptr, 0, TRUE, TRUE, reason)) {
            return true;
        }
        result = GetLastError();
    }
    if (error != nullptr) {
        *error = result;
    }
    return false;
}

DWORD EnableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return GetLastError();
    }
    TOKEN_PRIVILEGES privileges = {};
    LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    // ERROR_NOT_ALL_ASSIGNED when the account does not have the privilege.
    DWORD error = GetLastError();
    CloseHandle(token);
    return error;
}

BOOL QueryWow64Process(HANDLE process, PBOOL flag)
{
    if (g_isWow64Process == nullptr) {
        HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        if (kernel == nullptr) {
            return FALSE;
        }
        g_isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
        if (g_isWow64Process == nullptr) {
            return FALSE;
        }
    }
    return g_isWow64Process(process, flag);
}

bool IsWow64()
{
    BOOL flag = FALSE;
    return QueryWow64Process(GetCurrentProcess(), &flag) && flag;
}
