#include "crashlog/EExceptInfo.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <typeinfo>

#include "classlib/system/SysUtils.h"
#include "crashlog/EOptions.h"

namespace crashlog {

namespace {

std::string Demangle(const char* name)
{
    int status = 0;
    char* demangled = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    std::string result = (status == 0 && demangled) ? demangled : name;
    std::free(demangled);
    return result;
}

std::string Trim(const std::string& s)
{
    std::size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

bool SameText(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

const void* ExceptionObjectAddress(const std::exception_ptr& object)
{
    // libstdc++ keeps exactly the thrown object's address in an exception_ptr.
    static_assert(sizeof(std::exception_ptr) == sizeof(void*));
    const void* address = nullptr;
    std::memcpy(&address, &object, sizeof address);
    return address;
}

TExceptionDescription DescribeException(const std::exception_ptr& object)
{
    TExceptionDescription d;
    if (!object)
        return d;
    try {
        std::rethrow_exception(object);
    } catch (const cl::Exception& e) {
        d.ClassName = e.ClassName();
        d.Ancestry = e.ClassAncestry();
        d.Message = e.Message();
        d.IsException = true;
        d.IsAbort = e.InheritsFrom("EAbort");
    } catch (const std::exception& e) {
        d.ClassName = Demangle(typeid(e).name());
        d.Ancestry = {d.ClassName, "Exception"};
        d.Message = e.what();
        d.IsException = true;
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        d.ClassName = type ? Demangle(type->name()) : std::string("Unknown");
        d.Ancestry = {d.ClassName};
    }
    return d;
}

int FindExceptionFilter(const TVozozoModuleOptions& options, const TExceptionDescription& exception)
{
    for (std::size_t i = 0; i < options.FilterClasses.size(); ++i) {
        const std::string name = Trim(options.FilterClasses[i]);
        if (name.empty())
            continue;
        for (const std::string& ancestor : exception.Ancestry)
            if (SameText(name, ancestor))
                return static_cast<int>(i);
    }
    return -1;
}

}  // namespace crashlog
