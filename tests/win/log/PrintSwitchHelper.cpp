// Child program for the log tests: builds the log service in a fresh process
// (so it reads logCfg.ini anew) and writes one unforced and one forced entry.
//   log_print_helper <file name>
#include "log/CLogSave.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        return 2;
    }
    CLogSave* log = CLogSave::GetInstance();
    log->WriteLog("unforced", argv[1], false);
    log->WriteLog("forced", argv[1], true);
    return CLogSave::GetInstance() == log ? 0 : 1;
}
