#include "log/LogTargetCheck.h"

bool IsTrustedLogFolder(const LogFolderFacts& facts)
{
    if (!facts.opened || !facts.directory || facts.reparsePoint) {
        return false;
    }
    if (!facts.volumeHasReparsePoints) {
        return true;
    }
    return facts.owner == LogOwnerKind::System || facts.owner == LogOwnerKind::Administrators ||
           facts.owner == LogOwnerKind::TrustedInstaller;
}

bool IsPlainLogFile(const LogFileFacts& facts)
{
    return !facts.directory && !facts.reparsePoint && facts.links == 1;
}
