// A hidden window on its own user-interface thread that records what the
// repair worker sends it, the way the main panel would receive it.
#pragma once

#include "common/WindowMessages.h"

#include <windows.h>

#include <functional>
#include <future>
#include <thread>
#include <utility>
#include <vector>

namespace wintest {

class RepairWindow
{
public:
    // onResult runs inside the handling of WM_REPAIR_RESULT, before it returns.
    explicit RepairWindow(std::function<void()> onResult = nullptr) : m_onResult(std::move(onResult))
    {
        std::promise<HWND> ready;
        std::future<HWND> created = ready.get_future();
        m_thread = std::thread([this, &ready] { Run(ready); });
        m_window = created.get();
    }

    ~RepairWindow()
    {
        if (m_thread.joinable()) {
            PostMessageW(m_window, WM_CLOSE, 0, 0);
            m_thread.join();
        }
    }

    HWND Window() const { return m_window; }

    // Waits until the result message was handled and the thread has ended.
    void WaitForResult() { m_thread.join(); }

    // Message number and wParam of every repair message, in arrival order.
    std::vector<std::pair<UINT, WPARAM>> m_received;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<RepairWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && (message == WM_REPAIR_CLOSE_PROMPT || message == WM_REPAIR_RESULT)) {
            self->m_received.emplace_back(message, wParam);
            if (message == WM_REPAIR_RESULT) {
                if (self->m_onResult) {
                    self->m_onResult();
                }
                DestroyWindow(window);
            }
            return 0;
        }
        if (message == WM_CLOSE) {
            DestroyWindow(window);
            return 0;
        }
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    void Run(std::promise<HWND>& ready)
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"StellwickRepairTestWindow";
        RegisterClassW(&windowClass);
        HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ready.set_value(window);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    std::function<void()> m_onResult;
    std::thread m_thread;
    HWND m_window = nullptr;
};

} // namespace wintest
