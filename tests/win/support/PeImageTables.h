// Reads the import and export name tables of a PE file from its bytes, so a
// test can see what a built library links against and what it offers.
#pragma once

#include <string>
#include <vector>

struct PeImageTables
{
    bool valid = false;
    std::vector<std::string> imports; // DLL names, as written in the file
    std::vector<std::string> exports; // exported function names
};

PeImageTables ReadPeImageTables(const std::wstring& path);
