// The list of the only handles a new process inherits
// (PROC_THREAD_ATTRIBUTE_HANDLE_LIST): whatever else of ours is inheritable,
// a deployment system's output pipe say, stays out of it.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

class CInheritedHandles
{
public:
    // Marks each handle inheritable and lists them. The handles stay ours.
    explicit CInheritedHandles(std::vector<HANDLE> handles);
    ~CInheritedHandles();
    CInheritedHandles(const CInheritedHandles&) = delete;
    CInheritedHandles& operator=(const CInheritedHandles&) = delete;

    // For STARTUPINFOEXW with EXTENDED_STARTUPINFO_PRESENT; null when the
    // list could not be made.
    LPPROC_THREAD_ATTRIBUTE_LIST List() const { return m_list; }

private:
    // The list points into this vector, so it lives as long as the list.
    std::vector<HANDLE> m_handles;
    std::unique_ptr<char[]> m_buffer;
    bool m_initialised = false;
    LPPROC_THREAD_ATTRIBUTE_LIST m_list = nullptr;
};
