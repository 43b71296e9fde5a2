#include "repair/CRepairLock.h"

#include "repair/RunCommand.h"

#include <sddl.h>

namespace {

// The most commands one repair runs.
constexpr DWORD kRepairCommandCount = 6;

// Only the system and administrators may open the lock. A run of the tool is
// always one of them; a user without those rights can then neither take the
// lock nor change who may.
constexpr wchar_t kLockAccess[] = L"D:P(A;;GA;;;SY)(A;;GA;;;BA)";

} // namespace

CRepairLock::~CRepairLock()
{
    if (m_held) {
        ReleaseMutex(m_mutex);
    }
    if (m_mutex != nullptr) {
        CloseHandle(m_mutex);
    }
}

CRepairLock::Result CRepairLock::Acquire(DWORD timeoutMs)
{
    if (m_held) {
        return Result::Acquired;
    }
    if (m_mutex == nullptr) {
        PSECURITY_DESCRIPTOR access = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kLockAccess, SDDL_REVISION_1, &access,
                                                                  nullptr)) {
            m_error = GetLastError();
            return Result::Unavailable;
        }
        SECURITY_ATTRIBUTES security = {};
        security.nLength = sizeof(security);
        security.lpSecurityDescriptor = access;
        security.bInheritHandle = FALSE;
        // Opens the lock when another run made it first. If someone else took
        // the name and does not let us in, this fails, and the repair fails
        // with it rather than running unprotected.
        m_mutex = CreateMutexExW(&security, kRepairLockName, 0, SYNCHRONIZE | MUTEX_MODIFY_STATE);
        m_error = m_mutex == nullptr ? GetLastError() : ERROR_SUCCESS;
        LocalFree(access);
        if (m_mutex == nullptr) {
            return Result::Unavailable;
        }
    }
    DWORD waited = WaitForSingleObject(m_mutex, timeoutMs);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
        m_held = true;
        return Result::Acquired;
    }
    if (waited == WAIT_TIMEOUT) {
        return Result::TimedOut;
    }
    m_error = GetLastError();
    return Result::Unavailable;
}

DWORD CRepairLock::WaitLimitMs()
{
    return (kRepairCommandCount + 1) * GetCommandTimeLimit();
}
