#include "PeImageTables.h"

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

struct Image
{
    std::vector<char> bytes;
    const IMAGE_SECTION_HEADER* sections = nullptr;
    unsigned sectionCount = 0;

    // File offset of a relative virtual address, or 0 when no section holds it.
    size_t Offset(DWORD rva) const
    {
        for (unsigned i = 0; i < sectionCount; ++i) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            const DWORD size = s.Misc.VirtualSize ? s.Misc.VirtualSize : s.SizeOfRawData;
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + size) {
                const size_t offset = rva - s.VirtualAddress + s.PointerToRawData;
                return offset < bytes.size() ? offset : 0;
            }
        }
        return 0;
    }

    template <typename T> const T* At(size_t offset) const
    {
        if (offset == 0 || offset + sizeof(T) > bytes.size())
            return nullptr;
        return reinterpret_cast<const T*>(bytes.data() + offset);
    }

    std::string String(DWORD rva) const
    {
        const size_t offset = Offset(rva);
        if (offset == 0)
            return std::string();
        const char* start = bytes.data() + offset;
        return std::string(start, strnlen(start, bytes.size() - offset));
    }
};

} // namespace

PeImageTables ReadPeImageTables(const std::wstring& path)
{
    PeImageTables tables;
    Image image;
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return tables;
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    image.bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    const BOOL ok =
        ReadFile(file, image.bytes.data(), static_cast<DWORD>(image.bytes.size()), &read, nullptr);
    CloseHandle(file);
    if (!ok || read != image.bytes.size() || image.bytes.size() < sizeof(IMAGE_DOS_HEADER))
        return tables;

    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.bytes.data());
    if (dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew <= 0 ||
        static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS32) > image.bytes.size())
        return tables;
    // The shipped build is PE32; the 64-bit test build is PE32+. The two
    // differ only in the optional header that holds the data directories.
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.bytes.data() + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE)
        return tables;
    const IMAGE_DATA_DIRECTORY* directories = nullptr;
    if (nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        directories = nt->OptionalHeader.DataDirectory;
    } else if (nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC &&
               static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64) <= image.bytes.size()) {
        directories = reinterpret_cast<const IMAGE_NT_HEADERS64*>(nt)->OptionalHeader.DataDirectory;
    } else {
        return tables;
    }
    image.sections = IMAGE_FIRST_SECTION(nt);
    image.sectionCount = nt->FileHeader.NumberOfSections;
    const size_t sectionsEnd =
        reinterpret_cast<const char*>(image.sections + image.sectionCount) - image.bytes.data();
    if (sectionsEnd > image.bytes.size())
        return tables;

    const IMAGE_DATA_DIRECTORY& importDir = directories[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (importDir.VirtualAddress) {
        size_t offset = image.Offset(importDir.VirtualAddress);
        while (const auto* desc = image.At<IMAGE_IMPORT_DESCRIPTOR>(offset)) {
            if (desc->Name == 0)
                break;
            tables.imports.push_back(image.String(desc->Name));
            offset += sizeof(IMAGE_IMPORT_DESCRIPTOR);
        }
    }

    const IMAGE_DATA_DIRECTORY& exportDir = directories[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (exportDir.VirtualAddress) {
        const auto* dir = image.At<IMAGE_EXPORT_DIRECTORY>(image.Offset(exportDir.VirtualAddress));
        if (!dir)
            return tables;
        const size_t names = image.Offset(dir->AddressOfNames);
        for (DWORD i = 0; i < dir->NumberOfNames; ++i) {
            const DWORD* nameRva = image.At<DWORD>(names + i * sizeof(DWORD));
            if (!nameRva)
                return tables;
            tables.exports.push_back(image.String(*nameRva));
        }
    }
    tables.valid = true;
    return tables;
}
