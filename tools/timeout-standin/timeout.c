/* Wine has no timeout.exe, which Windows 10 keeps in its system folder and the
 * tool's folder removal runs ("timeout /t 3 /nobreak"). The test prefixes get
 * this small stand-in in their system folders so the removal waits as it does
 * on Windows. It understands what that command line uses: /t seconds and
 * /nobreak (a keypress never ends the wait here anyway). */
#include <windows.h>
#include <stdlib.h>
#include <wchar.h>

int wmain(int argc, wchar_t** argv)
{
    long seconds = -1;
    for (int i = 1; i < argc; ++i) {
        if ((_wcsicmp(argv[i], L"/t") == 0 || _wcsicmp(argv[i], L"-t") == 0) && i + 1 < argc) {
            seconds = wcstol(argv[++i], NULL, 10);
        } else if (_wcsicmp(argv[i], L"/nobreak") == 0) {
            /* nothing to do */
        } else {
            seconds = wcstol(argv[i], NULL, 10);
        }
    }
    if (seconds < -1 || seconds > 99999)
        return 1;
    if (seconds > 0)
        Sleep((DWORD)seconds * 1000u);
    return 0;
}
