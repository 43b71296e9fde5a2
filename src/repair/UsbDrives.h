// Which drives sit on a USB bus.
#pragma once

#include <string>
#include <vector>

// root: a drive root whose first character is the drive letter.
bool IsUsbVolume(const std::wstring& root);
// Appends the root ("E:\") of every USB drive, in the system's order; true
// when drives holds at least one entry afterwards.
bool GetUsbDrives(std::vector<std::wstring>& drives);
