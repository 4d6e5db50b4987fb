#pragma once
// The information record of every loaded module: its file, kind, logger data (options) and
// functions, and the resolution of code addresses to module, unit, class and procedure.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <windows.h>

#include "crashlog/ELogText.h"
#include "crashlog/EOptions.h"
#include "crashlog/ESymbols.h"

namespace crashlog {

enum TModuleKind : std::uint8_t { mkNotImage = 0, mkProgram = 1, mkPackage = 2, mkLibrary = 3 };

struct TVozozoModuleInfo {
    HMODULE Handle = nullptr;
    std::string FileName;
    TModuleKind Kind = mkNotImage;
    std::uint16_t Version = VozozoRezDataVersion;
    bool DataFound = false;
    // Only when the module carries logger data.
    std::unique_ptr<TVozozoModuleOptionsEx> Options;
    TVozozoFunctionsList Functions;
    bool FunctionsLoaded = false;
};

class TVozozoModulesList {
public:
    // Nil for a nil handle; built on first use.
    TVozozoModuleInfo* GetModuleInfo(HMODULE handle);
    TVozozoModuleInfo* ModuleInfoOfAddress(const void* address);
    // The functions of the module, read from its file on first use.
    const TVozozoFunctionsList& Functions(TVozozoModuleInfo& info);
    void Clear();

private:
    std::recursive_mutex lock_;
    std::vector<std::unique_ptr<TVozozoModuleInfo>> modules_;
};

TVozozoModulesList& ModulesList();

// The module holding an address (no reference taken), or nullptr.
HMODULE ModuleOfAddress(const void* address);
std::string ModuleFileName(HMODULE module);
std::string ExtractFileName(const std::string& path);

// The module has the "VRDATA" resource.
bool IsVozozoRezModule(HMODULE module);
// Reads the options from the module's logger data. False when it has none or it is corrupt.
bool LoadDebugInformation(TVozozoModuleInfo& info);

// A stack entry for the address.
TVozozoDebugInfo GetSourceLocation(std::uint32_t address);
// The address of a procedure named "unit.class.procedure" or "unit.procedure" in the main
// program's symbols, or nullptr.
void* FindProcedureByName(const std::string& qualifiedName);

}  // namespace crashlog
