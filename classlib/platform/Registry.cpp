#include "classlib/platform/Registry.h"

#include <cstring>

#include "classlib/system/CoreConsts.h"
#include "classlib/system/KernelHandles.h"

namespace cl {

namespace {

std::string_view StripDelims(std::string_view key)
{
    while (!key.empty() && key.front() == '\\')
        key.remove_prefix(1);
    while (!key.empty() && key.back() == '\\')
        key.remove_suffix(1);
    return key;
}

// A predefined root (HKEY_CURRENT_USER and the like) is never closed.
bool IsPredefined(HKEY key)
{
    return reinterpret_cast<ULONG_PTR>(key) >= 0x80000000u;
}

// RegDeleteTree is not there before Vista: children first, then the key itself.
LONG DeleteTree(HKEY base, const std::string& path)
{
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(base, path.c_str(), 0, KEY_READ | KEY_WRITE, &key);
    if (result != ERROR_SUCCESS)
        return result;
    {
        const TOwnedRegKey owned(key);
        for (;;) {
            char child[256];
            DWORD length = sizeof child;
            if (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            if (DeleteTree(key, child) != ERROR_SUCCESS)
                break;
        }
    }
    return RegDeleteKeyA(base, path.c_str());
}

[[noreturn]] void RaiseRegistry(const char* format, std::string_view name)
{
    throw ERegistryException(Format(format, name));
}

}  // namespace

TRegistry::TRegistry(REGSAM access) : access_(access) {}

TRegistry::~TRegistry()
{
    CloseKey();
}

void TRegistry::SetRootKey(HKEY value)
{
    if (value == rootKey_)
        return;
    CloseKey();
    rootKey_ = value;
}

void TRegistry::CloseKey()
{
    if (currentKey_ && !IsPredefined(currentKey_))
        RegCloseKey(currentKey_);
    currentKey_ = nullptr;
    currentPath_.clear();
}

HKEY TRegistry::BaseFor(std::string_view key, std::string& subPath, std::string& fullPath) const
{
    bool absolute = !key.empty() && key.front() == '\\';
    subPath = std::string(StripDelims(key));
    if (absolute || !currentKey_) {
        fullPath = subPath;
        return rootKey_;
    }
    fullPath = currentPath_.empty() ? subPath : subPath.empty() ? currentPath_ : currentPath_ + "\\" + subPath;
    return currentKey_;
}

bool TRegistry::OpenKey(std::string_view key, bool canCreate)
{
    std::string subPath, fullPath;
    HKEY base = BaseFor(key, subPath, fullPath);
    HKEY opened = nullptr;
    LONG result;
    if (canCreate)
        result = RegCreateKeyExA(base, subPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr,
                                 &opened, nullptr);
    else
        result = RegOpenKeyExA(base, subPath.c_str(), 0, access_, &opened);
    if (result != ERROR_SUCCESS)
        return false;
    CloseKey();
    currentKey_ = opened;
    currentPath_ = fullPath;
    return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view key)
{
    REGSAM saved = access_;
    access_ = KEY_READ;
    bool ok = OpenKey(key, false);
    access_ = saved;
    return ok;
}

bool TRegistry::KeyExists(std::string_view key)
{
    std::string subPath, fullPath;
    HKEY base = BaseFor(key, subPath, fullPath);
    HKEY probe = nullptr;
    if (RegOpenKeyExA(base, subPath.c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS)
        return false;
    const TOwnedRegKey owned(probe);
    return true;
}

bool TRegistry::DeleteKey(std::string_view key)
{
    std::string subPath, fullPath;
    HKEY base = BaseFor(key, subPath, fullPath);
    if (subPath.empty())
        return false;
    return DeleteTree(base, subPath) == ERROR_SUCCESS;
}

bool TRegistry::QueryValue(std::string_view name, DWORD& type, std::string& data) const
{
    if (!currentKey_)
        return false;
    std::string valueName(name);
    DWORD size = 0;
    if (RegQueryValueExA(currentKey_, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    // The value can grow between the two calls: ask again until it fits.
    for (int attempt = 0; attempt < 4; ++attempt) {
        data.assign(size, '\0');
        DWORD got = size;
        LONG result = RegQueryValueExA(currentKey_, valueName.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(data.data()), &got);
        if (result == ERROR_SUCCESS) {
            data.resize(got);
            return true;
        }
        if (result != ERROR_MORE_DATA)
            return false;
        size = got;
    }
    return false;
}

bool TRegistry::ValueExists(std::string_view name) const
{
    if (!currentKey_)
        return false;
    std::string valueName(name);
    return RegQueryValueExA(currentKey_, valueName.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(std::string_view name)
{
    if (!currentKey_)
        return false;
    std::string valueName(name);
    return RegDeleteValueA(currentKey_, valueName.c_str()) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(std::string_view name) const
{
    DWORD type = REG_NONE;
    std::string data;
    if (!QueryValue(name, type, data))
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        RaiseRegistry(consts::SRegInvalidDataType, name);
    // A stored string need not end with its terminator; stop at the first one either way.
    auto end = data.find('\0');
    if (end != std::string::npos)
        data.resize(end);
    return data;
}

int TRegistry::ReadInteger(std::string_view name) const
{
    DWORD type = REG_NONE;
    std::string data;
    if (!QueryValue(name, type, data))
        RaiseRegistry(consts::SRegGetDataFailed, name);
    if (type != REG_DWORD || data.size() != sizeof(DWORD))
        RaiseRegistry(consts::SRegInvalidDataType, name);
    DWORD value = 0;
    std::memcpy(&value, data.data(), sizeof value);
    return static_cast<int>(value);
}

void TRegistry::WriteString(std::string_view name, std::string_view value)
{
    std::string valueName(name), text(value);
    if (!currentKey_ ||
        RegSetValueExA(currentKey_, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1)) != ERROR_SUCCESS)
        RaiseRegistry(consts::SRegSetDataFailed, name);
}

void TRegistry::WriteInteger(std::string_view name, int value)
{
    std::string valueName(name);
    DWORD data = static_cast<DWORD>(value);
    if (!currentKey_ ||
        RegSetValueExA(currentKey_, valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                       sizeof data) != ERROR_SUCCESS)
        RaiseRegistry(consts::SRegSetDataFailed, name);
}

}  // namespace cl
