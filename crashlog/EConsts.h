#pragma once
// Fixed texts and numbers of the exception logger: the customizable texts with their defaults,
// the keys of the log fields and the messages of the logger's own errors.
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace crashlog {

inline constexpr int CustomizedTextCount = 45;
inline constexpr int LogFieldCount = 20;

// Version of the logger data this library writes; older data is read with its own gates.
inline constexpr int VozozoRezDataVersion = 422;

// Indexes of the customized texts that the code refers to by meaning.
enum TCustomizedText : int {
    ctInformation = 0,
    ctQuestion = 1,
    ctError = 2,
    ctDialogHeader = 3,
    ctApplication = 12,
    ctComputer = 27,
    ctOperatingSystem = 33,
    ctStackAddress = 37,
    ctStackLine = 42,
};

extern const std::array<std::string_view, CustomizedTextCount> DefaultCustomizedTexts;

// "Section|Field", in bit order of LogFields.
extern const std::array<std::string_view, LogFieldCount> LogFieldKeys;

inline constexpr const char* SStreamReadError = "Stream read error.";

inline constexpr std::string_view DefaultFreezeMessage = "The application seems to be frozen.";

inline constexpr std::string_view SOptionsWithoutLogger =
    "Cannot use 'CurrentVozozoRezOptions' function without VozozoRez activate.";
inline constexpr std::string_view SAssignNilOptions = "Impossible to assign nil as TVozozoModuleOptions.";
inline constexpr std::string_view SProcNull = "Cannot hook a null procedure (\"%s\").";
inline constexpr std::string_view SSharedArea = "Cannot hook the module \"%s\" located into the shared-area.";
inline constexpr std::string_view SHookingError = "Cannot hook the procedure \"%s\".";
inline constexpr std::string_view SExceptionObject = "Exception Object: ";
inline constexpr std::string_view SInternalExceptNotify = "InternalExceptNotify.";
inline constexpr std::string_view SGeneralInternalError = "General internal error.";
inline constexpr std::string_view SInternalErrorLine = "[ERROR] - Section: %s - Message: \"%s\"";
inline constexpr std::string_view SInternalWarningLine = "[WARNING] - Code: %s - Message: \"%s\"";
inline constexpr std::string_view SStepError = "[%s] %s";
inline constexpr std::string_view SGeneralStepError = "General '%s' error.";

// Replaces each "%s" of a pattern by the next argument, in order (the texts above carry only %s).
std::string FormatS(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace crashlog
