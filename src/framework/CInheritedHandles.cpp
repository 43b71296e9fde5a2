#include "framework/CInheritedHandles.h"

#include <new>

CInheritedHandles::CInheritedHandles(std::vector<HANDLE> handles) : m_handles(std::move(handles))
{
    if (m_handles.empty())
        return;
    for (HANDLE h : m_handles) {
        if (!SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT))
            return;
    }
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    if (size == 0)
        return;
    m_buffer.reset(new (std::nothrow) char[size]);
    if (!m_buffer)
        return;
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_buffer.get());
    if (!InitializeProcThreadAttributeList(list, 1, 0, &size))
        return;
    m_initialised = true;
    if (UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, m_handles.data(),
                                  m_handles.size() * sizeof(HANDLE), nullptr, nullptr))
        m_list = list;
}

CInheritedHandles::~CInheritedHandles()
{
    if (m_initialised)
        DeleteProcThreadAttributeList(reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_buffer.get()));
}
