/* Planted in the tool's folder under the names of system programs. If it is
 * ever started it appends its own path and command line to a marker file in
 * the root of drive C:, outside the folder that the tool may remove. */
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show)
{
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    HANDLE file = CreateFileW(L"C:\\stellwick-e2e-planted-ran.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_ALWAYS, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        wchar_t self[MAX_PATH] = {0};
        GetModuleFileNameW(NULL, self, MAX_PATH);
        const wchar_t* line = GetCommandLineW();
        char buffer[4096];
        int n = WideCharToMultiByte(CP_UTF8, 0, self, -1, buffer, sizeof buffer - 4, NULL, NULL);
        DWORD written = 0;
        if (n > 1) {
            buffer[n - 1] = ' ';
            WriteFile(file, buffer, (DWORD)n, &written, NULL);
        }
        n = WideCharToMultiByte(CP_UTF8, 0, line, -1, buffer, sizeof buffer - 4, NULL, NULL);
        if (n > 1) {
            buffer[n - 1] = '\r';
            buffer[n] = '\n';
            WriteFile(file, buffer, (DWORD)n + 1, &written, NULL);
        }
        CloseHandle(file);
    }
    return 0;
}
