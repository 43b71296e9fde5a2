// Child program for the log tests: builds the log service in a fresh process
// (so it reads logCfg.ini anew) and writes one unforced and one forced entry,
// or, given a count and a tag, that many forced entries "<tag> <n>".
//   log_print_helper <file name> [<count> <tag>]
#include "log/CLogSave.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        return 2;
    }
    CLogSave* log = CLogSave::GetInstance();
    if (argc >= 4) {
        const int count = std::atoi(argv[2]);
        for (int n = 0; n < count; ++n) {
            log->WriteLog(std::string(argv[3]) + " " + std::to_string(n), argv[1], true);
        }
        return 0;
    }
    log->WriteLog("unforced", argv[1], false);
    log->WriteLog("forced", argv[1], true);
    return CLogSave::GetInstance() == log ? 0 : 1;
}
