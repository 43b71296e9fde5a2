// device-encoder: writes a support client's "DeviceInfo.ini" for a device type.
//   device-encoder TYPE [FILE]     FILE defaults to DeviceInfo.ini; "-" prints the file
//   device-encoder --value TYPE    prints only the Base64 value
#include "DeviceFileEncoder.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: device-encoder TYPE [FILE|-]\n"
                         "       device-encoder --value TYPE\n"
                         "TYPE is a decimal 32-bit number; FILE defaults to DeviceInfo.ini\n");
    return 2;
}

bool ParseType(const char* text, int& type)
{
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return false;
    type = static_cast<int>(value);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    int type = 0;
    if (std::strcmp(argv[1], "--value") == 0) {
        if (argc != 3 || !ParseType(argv[2], type))
            return Usage();
        std::printf("%s\n", EncodeDeviceType(type).c_str());
        return 0;
    }
    if (argc > 3 || !ParseType(argv[1], type))
        return Usage();

    const std::string contents = DeviceInfoIniText(EncodeDeviceType(type));
    const std::string file = argc == 3 ? argv[2] : "DeviceInfo.ini";
    if (file == "-") {
        std::fwrite(contents.data(), 1, contents.size(), stdout);
        return 0;
    }
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "device-encoder: cannot create %s: %s\n", file.c_str(), std::strerror(errno));
        return 1;
    }
    const bool written = std::fwrite(contents.data(), 1, contents.size(), out) == contents.size();
    if (std::fclose(out) != 0 || !written) {
        std::fprintf(stderr, "device-encoder: cannot write %s\n", file.c_str());
        return 1;
    }
    std::printf("%s: device type %d\n", file.c_str(), type);
    return 0;
}
