/* Planted in the tool's folder under the names of the libraries the tool
 * loads. If the loader ever maps it, it appends its own path to a marker file
 * in the root of drive C:, outside the folder that the tool may remove. It
 * has no exports, so a process that binds to it fails soon after: only the
 * marker tells that it was picked up. It imports nothing but kernel32 (always
 * mapped from the system before any search) and carries no runtime, so it
 * can stand in for the C runtime's own library as well. */
#include <windows.h>

BOOL WINAPI PlantedLibraryEntry(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    HANDLE file = CreateFileW(L"C:\\stellwick-e2e-planted-loaded.txt", FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        wchar_t self[MAX_PATH];
        char line[3 * MAX_PATH + 2];
        DWORD length = GetModuleFileNameW(instance, self, MAX_PATH);
        int n =
            length ? WideCharToMultiByte(CP_UTF8, 0, self, (int)length, line, 3 * MAX_PATH, NULL, NULL) : 0;
        DWORD written;
        line[n] = '\r';
        line[n + 1] = '\n';
        WriteFile(file, line, (DWORD)n + 2, &written, NULL);
        CloseHandle(file);
    }
    return TRUE;
}
