// Two tables of the program image that this linker does not make itself
// (cmake/pe-directories.py enters both in the image's header after the link).
//
// The load configuration directory. Its one purpose is the
// dependent load flags: the loader resolves the libraries named in the import
// table (and what they import in turn) from the system folder only, never
// from the folder the program was started from. Without them Windows searches
// the program's folder first for every name that is not a known DLL, and
// this tool is started elevated from wherever it was downloaded to.
//
// The symbol is _load_config_used, as the system's linkers name it (the MinGW
// runtime defines none); its size is its first field. Everything else stays zero:
// no security cookie (GCC's stack protector keeps its own), no safe exception
// handler table, no control flow guard.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

// The layout of Windows 8.1 and later up to the control flow guard flags. The
// MinGW headers stop before it and name the dependent load flags Reserved1.
struct LoadConfigurationDirectory
{
    uint32_t Size;
    uint32_t TimeDateStamp;
    uint16_t MajorVersion;
    uint16_t MinorVersion;
    uint32_t GlobalFlagsClear;
    uint32_t GlobalFlagsSet;
    uint32_t CriticalSectionDefaultTimeout;
    uintptr_t DeCommitFreeBlockThreshold;
    uintptr_t DeCommitTotalFreeThreshold;
    uintptr_t LockPrefixTable;
    uintptr_t MaximumAllocationSize;
    uintptr_t VirtualMemoryThreshold;
#ifdef _WIN64
    uintptr_t ProcessAffinityMask;
    uint32_t ProcessHeapFlags;
#else
    uint32_t ProcessHeapFlags;
    uintptr_t ProcessAffinityMask;
#endif
    uint16_t CSDVersion;
    uint16_t DependentLoadFlags;
    uintptr_t EditList;
    uintptr_t SecurityCookie;
    uintptr_t SEHandlerTable;
    uintptr_t SEHandlerCount;
    uintptr_t GuardCFCheckFunctionPointer;
    uintptr_t GuardCFDispatchFunctionPointer;
    uintptr_t GuardCFFunctionTable;
    uintptr_t GuardCFFunctionCount;
    uint32_t GuardFlags;
};

#ifdef _WIN64
static_assert(offsetof(LoadConfigurationDirectory, DependentLoadFlags) == 0x4E, "64-bit layout");
static_assert(sizeof(LoadConfigurationDirectory) == 0x98, "64-bit layout");
#else
static_assert(offsetof(LoadConfigurationDirectory, DependentLoadFlags) == 0x36, "32-bit layout");
static_assert(sizeof(LoadConfigurationDirectory) == 0x5C, "32-bit layout");
#endif
static_assert(offsetof(LoadConfigurationDirectory, DependentLoadFlags) ==
                  offsetof(IMAGE_LOAD_CONFIG_DIRECTORY, Reserved1),
              "the field the system headers still call Reserved1");

namespace {

constexpr LoadConfigurationDirectory ProgramLoadConfiguration()
{
    LoadConfigurationDirectory directory{};
    // Up to the last field; the 64-bit structure ends in 4 bytes of padding.
    directory.Size =
        static_cast<uint32_t>(offsetof(LoadConfigurationDirectory, GuardFlags) + sizeof(uint32_t));
    directory.DependentLoadFlags = LOAD_LIBRARY_SEARCH_SYSTEM32;
    return directory;
}

} // namespace

extern "C" const LoadConfigurationDirectory _load_config_used = ProgramLoadConfiguration();

// The end of the delay import table. dlltool's delay-load libraries put one
// descriptor each into .text$2, which the linker lays out side by side; the
// table the loader and every image reader walk ends with an empty one, and
// .text$3 follows .text$2. Written in assembly so that the compiler does not
// align it beyond the descriptors' 4 bytes and leave a gap.
asm(".section .text$3,\"dr\"\n"
    ".balign 4\n"
    ".space 32\n"
    ".text\n");
