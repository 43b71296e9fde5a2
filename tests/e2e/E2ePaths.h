// Where the end-to-end driver finds the program under test and where the
// program leaves its traces inside the Wine prefix.
#pragma once

#include <string>

// Windows form (Z:\...) of a path handed in through the environment; empty when unset.
std::wstring PathFromEnvironment(const char* name);
// Stellwick.exe and the stand-in component as built.
std::wstring ProgramImage();
std::wstring StandinLibrary();
// The stand-in copy that lacks the n-th export in load order.
std::wstring StandinLibraryWithout(int n);
// A small program that leaves a marker when it runs (planted as timeout.exe, cmd.exe).
std::wstring PlantedMarkerImage();
// The file that program appends to each time it runs.
std::wstring PlantedMarkerLog();
// A library without exports that leaves a marker when it is mapped (planted
// under the names of the libraries the tool loads), and that marker file.
std::wstring PlantedLibraryImage();
std::wstring PlantedLibraryLog();
// Folder under which every scenario gets its own program folder.
std::wstring ScenarioRoot();
// Common application data (C:\ProgramData in the prefix).
std::wstring CommonAppData();
std::wstring JournalFile();
std::wstring RepairLogFile();
// Folder for screenshots; created on first use.
std::wstring ScreenshotFolder();

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
// Removes a folder and everything in it; true when it is gone afterwards.
bool RemoveTree(const std::wstring& path);
std::string ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
