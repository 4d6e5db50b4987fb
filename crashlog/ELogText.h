#pragma once
// The text of one error report: five captioned sections of fields and the call-stack table.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "crashlog/EConsts.h"

namespace crashlog {

class TVozozoModuleOptions;

// One call-stack entry. Kind 0: no module holds the address; 1: a module without symbols;
// 2-4: resolved through symbols (unit; unit and procedure; unit, procedure and line).
struct TVozozoDebugInfo {
    std::uint8_t Kind = 0;
    std::uint32_t Address = 0;
    std::string ModuleName;  // file name without folder
    std::uint32_t ModuleBase = 0;
    std::string UnitName;
    std::string ClassName;
    std::string ProcedureName;
    std::uint32_t LineNumber = 0;
};
using TVozozoStackList = std::vector<TVozozoDebugInfo>;

// The field values of a report, indexed by log-field bit; the text builder applies LogFields.
struct TLogData {
    std::array<std::string, LogFieldCount> Values;
    TVozozoStackList Stack;
    bool ActiveControls = true;  // false for web-server and console programs
};

std::string BuildLogText(const TVozozoModuleOptions& options, const TLogData& data);

// The call-stack table alone (also shown by the dialog).
std::string BuildStackTable(const TVozozoModuleOptions& options, const TVozozoStackList& stack);

// Value helpers used when the fields are gathered.
std::string ReplaceControlChars(std::string_view text);
std::string WithFinalPoint(std::string text);
std::string AddressText(std::uint32_t address);  // 8 hexadecimal digits, empty for 0
std::string MegabytesText(std::uint64_t bytes);   // "512 Mb"
std::string GigabytesText(std::uint64_t bytes);   // "74.53 Gb"
// "mm/dd/yyyy hh:nn:ss" whatever the locale.
std::string LogDateText(int year, int month, int day, int hour, int minute, int second);
std::string HexText(std::uint32_t value, int digits);

}  // namespace crashlog
