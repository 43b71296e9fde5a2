// Child program for the runner tests: writes exactly the bytes a test needs
// to its standard output and standard error.
//   big N    N bytes of numbered lines in one write
//   split    4,094 'a' bytes, then the GBK success text, in one write
//   zero     "abc", a zero byte, "def"; a pause; then "ghi"
//   order    out1 to stdout, err1 to stderr, out2 to stdout
//   hang     "pid N", then never ends
//   orphan   starts "hang" as its own child holding the same output, then
//            ends at once: the pipe outlives the interpreter
//   setevent N  sets the event of handle value N: "set", or "unusable" when
//            this process has no such event
//   holdlock takes the repair lock, "held", then never ends
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Put(DWORD which, const std::string& bytes)
{
    HANDLE handle = GetStdHandle(which);
    DWORD written = 0;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void PutPid()
{
    char text[32];
    std::snprintf(text, sizeof(text), "pid %lu\r\n", static_cast<unsigned long>(GetCurrentProcessId()));
    Put(STD_OUTPUT_HANDLE, text);
}

bool StartHangingChild()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" hang";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        return 2;
    }
    std::string mode = argv[1];
    if (mode == "big" && argc >= 3) {
        long count = std::strtol(argv[2], nullptr, 10);
        std::string bytes;
        for (int line = 0; static_cast<long>(bytes.size()) < count; ++line) {
            char text[32];
            std::snprintf(text, sizeof(text), "line %05d\r\n", line);
            bytes += text;
        }
        bytes.resize(static_cast<std::size_t>(count));
        Put(STD_OUTPUT_HANDLE, bytes);
    } else if (mode == "split") {
        // 操作成功完成 in GBK; its first byte is the last one of the first read.
        std::string bytes(4094, 'a');
        bytes += "\xB2\xD9\xD7\xF7\xB3\xC9\xB9\xA6\xCD\xEA\xB3\xC9\r\n";
        Put(STD_OUTPUT_HANDLE, bytes);
    } else if (mode == "zero") {
        Put(STD_OUTPUT_HANDLE, std::string("abc\0def", 7));
        Sleep(1500);
        Put(STD_OUTPUT_HANDLE, "ghi");
    } else if (mode == "order") {
        Put(STD_OUTPUT_HANDLE, "out1\r\n");
        Sleep(100);
        Put(STD_ERROR_HANDLE, "err1\r\n");
        Sleep(100);
        Put(STD_OUTPUT_HANDLE, "out2\r\n");
    } else if (mode == "hang") {
        PutPid();
        Sleep(INFINITE);
    } else if (mode == "setevent" && argc >= 3) {
        HANDLE event = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(std::strtoul(argv[2], nullptr, 10)));
        Put(STD_OUTPUT_HANDLE, SetEvent(event) ? "set" : "unusable");
    } else if (mode == "holdlock") {
        if (CreateMutexW(nullptr, TRUE, L"Global\\StellwickRepair") == nullptr) {
            return 3;
        }
        Put(STD_OUTPUT_HANDLE, "held\r\n");
        Sleep(INFINITE);
    } else if (mode == "orphan") {
        return StartHangingChild() ? 0 : 3;
    } else {
        return 2;
    }
    return 0;
}
