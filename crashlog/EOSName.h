#pragma once
// The name of the operating system for the report, from its version numbers.
#include <string>
#include <string_view>

namespace crashlog {

enum class TPlatform { Win9x, NT, Other };

// Empty for systems the table does not name (anything after Windows 2003).
std::string OperatingSystemName(TPlatform platform, unsigned major, unsigned minor,
                                std::string_view serviceText);

}  // namespace crashlog
