// Planted as cmd.exe / reg.exe / reg.com where the runner must never look.
// If it ever runs, it leaves the marker file named by STELLWICK_PLANT_MARKER.
#include <windows.h>

int main()
{
    wchar_t path[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"STELLWICK_PLANT_MARKER", path, MAX_PATH) == 0) {
        return 3;
    }
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, "planted", 7, &written, nullptr);
        CloseHandle(file);
    }
    return 0;
}
