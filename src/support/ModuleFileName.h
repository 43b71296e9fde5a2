// The full path of a loaded module's file (the program's for a null module).
#pragma once

#include <windows.h>

#include <string>

// Empty when the system cannot tell it; the buffer grows until a deep path fits.
std::wstring ModuleFileName(HMODULE module);
