#pragma once
// The computer and operating-system facts of the report, and the program's own version facts.
#include <cstdint>
#include <string>

#include <windows.h>

namespace crashlog {

struct TSystemInfo {
    std::string ComputerName;
    std::string TotalMemory;  // "512 Mb"
    std::string FreeMemory;
    std::string TotalDisk;    // "74.53 Gb", empty when unknown
    std::string FreeDisk;
    std::string OSType;
    std::string OSBuild;
    std::string OSLanguage;
};

TSystemInfo GetSystemInfoFields(const std::string& programFile);

// Four numbers joined by ".", empty when the file has no version information.
std::string GetFileVersionText(const std::string& fileName);
// The "FileDescription" of the file's first translation, empty when missing.
std::string GetFileDescription(const std::string& fileName);

// The program runs in a console (its image says so), found once.
bool IsConsoleProgram();

// The first visible, unowned top-level window of the process that is an application window.
HWND FindProcessMainWindow(DWORD processId);

}  // namespace crashlog
