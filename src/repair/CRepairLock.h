// The machine-wide lock one repair holds from its first command until its
// values were read back, so that two runs (two deployment jobs, or the window
// and a deployment job) never interleave their commands: the second one
// would otherwise read back what the first had just put in again.
#pragma once

#include <windows.h>

// In the global namespace, so that runs in other sessions (a service's, a
// logged-on user's) see the same lock.
constexpr wchar_t kRepairLockName[] = L"Global\\StellwickRepair";

class CRepairLock
{
public:
    enum class Result {
        Acquired,
        TimedOut,    // another run held it for longer than a repair can take
        Unavailable, // it could not be created or opened (the error is kept)
    };

    CRepairLock() = default;
    // Released if held.
    ~CRepairLock();
    CRepairLock(const CRepairLock&) = delete;
    CRepairLock& operator=(const CRepairLock&) = delete;

    // Waits at most timeoutMs. A lock left behind by a run that was killed
    // while it held it is taken over: the values are judged afresh anyway.
    Result Acquire(DWORD timeoutMs);
    // The system's error when Acquire found the lock unavailable.
    DWORD Error() const { return m_error; }

    // How long a run waits for another: the longest a repair can take, six
    // commands each at the command time limit, and one more as margin.
    static DWORD WaitLimitMs();

private:
    HANDLE m_mutex = nullptr;
    bool m_held = false;
    DWORD m_error = ERROR_SUCCESS;
};
