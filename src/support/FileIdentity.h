// Which file a name leads to, as the file system tells it apart (volume serial
// number and file index), so that a later step can make sure it acts on the
// very file it saw earlier and not on something put at the name since.
#pragma once

#include <windows.h>

#include <string>

struct FileIdentity
{
    bool valid = false;
    DWORD volumeSerial = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;

    bool SameAs(const FileIdentity& other) const
    {
        return valid && other.valid && volumeSerial == other.volumeSerial && indexHigh == other.indexHigh &&
               indexLow == other.indexLow;
    }
};

// The file or folder the path leads to (links followed); not valid when it
// cannot be opened.
FileIdentity IdentityOfPath(const std::wstring& path);

// Deletes the name only when it is still a plain file (not a folder, not a
// link) and that very file; the check and the deletion act on one handle, so
// nothing can be swapped in between.
bool DeleteFileIfSame(const std::wstring& path, const FileIdentity& expected);
