#include "classlib/system/System.h"

#include <cxxabi.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <typeinfo>

namespace cl {
namespace {

// Class names come from the Itanium C++ ABI's type information (GCC in both builds).
std::string UnqualifiedName(const std::type_info& type)
{
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = (status == 0 && demangled) ? demangled : type.name();
    std::free(demangled);
    std::string::size_type end = name.find('<');
    if (end == std::string::npos)
        end = name.size();
    std::string::size_type colon = name.rfind("::", end);
    if (colon != std::string::npos)
        name.erase(0, colon + 2);
    return name;
}

const std::string& CachedName(const std::type_info& type)
{
    // Never destroyed: the exception logger names the class of a fault in a static destructor,
    // after every static object made later than this cache is gone.
    static auto& lock = *new std::mutex;
    static auto& names = *new std::map<const std::type_info*, std::string>;
    std::lock_guard<std::mutex> guard(lock);
    auto it = names.find(&type);
    if (it == names.end())
        it = names.emplace(&type, UnqualifiedName(type)).first;
    return it->second;
}

bool SameTextAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = char(x - 32);
        if (y >= 'a' && y <= 'z')
            y = char(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

// Calls visit(type) for the type and all its bases, depth-first, primary base first; stops when
// visit answers true.
template <class Visit>
bool WalkBases(const std::type_info& type, Visit&& visit)
{
    if (visit(type))
        return true;
    if (auto single = dynamic_cast<const abi::__si_class_type_info*>(&type))
        return WalkBases(*single->__base_type, visit);
    if (auto multiple = dynamic_cast<const abi::__vmi_class_type_info*>(&type)) {
        for (unsigned i = 0; i < multiple->__base_count; ++i)
            if (WalkBases(*multiple->__base_info[i].__base_type, visit))
                return true;
    }
    return false;
}

const std::type_info* PrimaryBase(const std::type_info& type)
{
    if (auto single = dynamic_cast<const abi::__si_class_type_info*>(&type))
        return single->__base_type;
    if (auto multiple = dynamic_cast<const abi::__vmi_class_type_info*>(&type))
        if (multiple->__base_count > 0)
            return multiple->__base_info[0].__base_type;
    return nullptr;
}

}  // namespace

std::string TObject::ClassName() const
{
    return CachedName(typeid(*this));
}

bool TObject::ClassNameIs(std::string_view name) const
{
    return SameTextAscii(ClassName(), name);
}

bool TObject::InheritsFrom(std::string_view name) const
{
    if (SameTextAscii(ClassName(), name))
        return true;
    return WalkBases(typeid(*this), [&](const std::type_info& t) { return SameTextAscii(CachedName(t), name); });
}

std::vector<std::string> TObject::ClassAncestry() const
{
    std::vector<std::string> result;
    for (const std::type_info* t = &typeid(*this); t; t = PrimaryBase(*t))
        result.push_back(CachedName(*t));
    result[0] = ClassName();
    return result;
}

void TObject::Free()
{
    BeforeDestruction();
    delete this;
}

}  // namespace cl
