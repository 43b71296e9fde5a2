#include "support/FileIdentity.h"

namespace {

FileIdentity IdentityOfHandle(HANDLE handle, DWORD* attributes)
{
    FileIdentity identity;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(handle, &info)) {
        identity.valid = true;
        identity.volumeSerial = info.dwVolumeSerialNumber;
        identity.indexHigh = info.nFileIndexHigh;
        identity.indexLow = info.nFileIndexLow;
        if (attributes)
            *attributes = info.dwFileAttributes;
    }
    return identity;
}

} // namespace

FileIdentity IdentityOfPath(const std::wstring& path)
{
    const HANDLE handle = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return FileIdentity();
    const FileIdentity identity = IdentityOfHandle(handle, nullptr);
    CloseHandle(handle);
    return identity;
}

bool DeleteFileIfSame(const std::wstring& path, const FileIdentity& expected)
{
    if (!expected.valid)
        return false;
    const HANDLE handle = CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD attributes = 0;
    bool deleted = false;
    const FileIdentity found = IdentityOfHandle(handle, &attributes);
    if (found.SameAs(expected) && !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            // As a forced delete does: a read-only file goes too.
            FILE_BASIC_INFO basic = {};
            basic.FileAttributes = attributes & ~FILE_ATTRIBUTE_READONLY;
            if (basic.FileAttributes == 0)
                basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
            SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof(basic));
        }
        FILE_DISPOSITION_INFO disposition = {};
        disposition.DeleteFile = TRUE;
        deleted = SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                             sizeof(disposition)) != FALSE;
    }
    CloseHandle(handle);
    return deleted;
}
