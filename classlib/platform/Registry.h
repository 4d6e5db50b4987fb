#pragma once
// Registry access in the manner of Delphi's TRegistry: one root key, at most one open current
// key, typed reads and writes that raise ERegistryException. Windows only.
#include <windows.h>

#include <string>
#include <string_view>

#include "classlib/system/SysUtils.h"

namespace cl {

class TRegistry : public TObject {
public:
    // Root HKEY_CURRENT_USER; keys are opened with the given access.
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS);
    ~TRegistry() override;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return rootKey_; }
    // Closes the current key first.
    void SetRootKey(HKEY value);
    HKEY CurrentKey() const { return currentKey_; }
    // The current key's path below the root, without leading or trailing "\".
    const std::string& CurrentPath() const { return currentPath_; }

    // A path starting with "\" is taken from the root key, any other from the current key
    // when one is open. Trailing "\" are ignored. False when the key is missing (and canCreate
    // is false) or cannot be opened; the former current key stays open then.
    bool OpenKey(std::string_view key, bool canCreate);
    bool OpenKeyReadOnly(std::string_view key);
    void CloseKey();
    bool KeyExists(std::string_view key);
    bool DeleteKey(std::string_view key);

    bool ValueExists(std::string_view name) const;
    bool DeleteValue(std::string_view name);
    // REG_SZ or REG_EXPAND_SZ (unexpanded); "" when the value is missing.
    std::string ReadString(std::string_view name) const;
    // REG_DWORD. Another type raises "Invalid data type for '%s'", a missing value
    // "Failed to get data for '%s'".
    int ReadInteger(std::string_view name) const;
    bool ReadBool(std::string_view name) const { return ReadInteger(name) != 0; }
    // Raise "Failed to set data for '%s'" when the write fails (no key open, access denied).
    void WriteString(std::string_view name, std::string_view value);
    void WriteInteger(std::string_view name, int value);
    void WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }

private:
    // The key a path is resolved from and the path below it.
    HKEY BaseFor(std::string_view key, std::string& subPath, std::string& fullPath) const;
    bool QueryValue(std::string_view name, DWORD& type, std::string& data) const;

    HKEY rootKey_ = HKEY_CURRENT_USER;
    HKEY currentKey_ = nullptr;
    std::string currentPath_;
    REGSAM access_;
};

}  // namespace cl
