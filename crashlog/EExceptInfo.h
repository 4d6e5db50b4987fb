#pragma once
// What the logger needs to know of an exception object: its class and ancestry by name and its
// message, for C++ objects of any type.
#include <exception>
#include <string>
#include <vector>

namespace crashlog {

class TVozozoModuleOptions;

struct TExceptionDescription {
    std::string ClassName;               // "EConvertError", "std::runtime_error", "int"
    std::vector<std::string> Ancestry;   // the class first, up to "Exception"
    std::string Message;                 // empty for objects that are no exception
    bool IsException = false;            // a cl::Exception or std::exception
    bool IsAbort = false;                // EAbort or a descendant: never reported
};

TExceptionDescription DescribeException(const std::exception_ptr& object);

// The index of the filter entry naming the class or one of its ancestors (names trimmed,
// compared without regard to case), or -1.
int FindExceptionFilter(const TVozozoModuleOptions& options, const TExceptionDescription& exception);

// The object a std::exception_ptr holds (the thrown object itself), or nullptr.
const void* ExceptionObjectAddress(const std::exception_ptr& object);

}  // namespace crashlog
