#include "classlib/classes/Classes.h"

#include <map>
#include <memory>
#include <mutex>

#ifdef _WIN32
#include <windows.h>
#endif

namespace cl {
namespace {

std::string Key(const TResId& name, const TResId& type)
{
    return UpperCase(type.Text()) + "/" + UpperCase(name.Text());
}

struct TRegistered {
    std::mutex Lock;
    // Shared so a stream keeps its bytes alive even when the entry is replaced meanwhile.
    std::map<std::string, std::shared_ptr<const std::string>> Resources;
    std::map<int, std::string> Strings;
};

TRegistered& Registered()
{
    static TRegistered registered;
    return registered;
}

std::shared_ptr<const std::string> FindRegistered(const TResId& name, const TResId& type)
{
    TRegistered& r = Registered();
    std::lock_guard<std::mutex> guard(r.Lock);
    auto it = r.Resources.find(Key(name, type));
    return it == r.Resources.end() ? nullptr : it->second;
}

#ifdef _WIN32
LPCSTR WinName(const TResId& id)
{
    return id.IsId() ? MAKEINTRESOURCEA(id.Id) : id.Name.c_str();
}

// The module's bytes of a resource, or false.
bool FindModuleResource(const TResId& name, const TResId& type, void* instance, const void*& data, std::int64_t& size)
{
    HMODULE module = instance ? static_cast<HMODULE>(instance) : GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, WinName(name), WinName(type));
    if (!info)
        return false;
    HGLOBAL handle = LoadResource(module, info);
    if (!handle)
        return false;
    data = LockResource(handle);
    size = SizeofResource(module, info);
    return data != nullptr || size == 0;
}
#endif

}  // namespace

std::string TResId::Text() const
{
    return IsId() ? "#" + std::to_string(Id) : Name;
}

TResourceStream::TResourceStream(const TResId& Name, const TResId& Type, void* Instance)
{
    if (auto bytes = FindRegistered(Name, Type)) {
        // Keep the bytes alive for the life of this stream.
        holder_ = std::move(bytes);
        SetPointer(holder_->data(), std::int64_t(holder_->size()));
        return;
    }
#ifdef _WIN32
    const void* data = nullptr;
    std::int64_t size = 0;
    if (FindModuleResource(Name, Type, Instance, data, size)) {
        SetPointer(data, size);
        return;
    }
#endif
    throw EResNotFound(Format(consts::SResNotFound, Name.Text()));
}

bool ResourceExists(const TResId& Name, const TResId& Type, void* Instance)
{
    if (FindRegistered(Name, Type))
        return true;
#ifdef _WIN32
    const void* data = nullptr;
    std::int64_t size = 0;
    return FindModuleResource(Name, Type, Instance, data, size);
#else
    return false;
#endif
}

std::string ResourceBytes(const TResId& Name, const TResId& Type, void* Instance)
{
    TResourceStream stream(Name, Type, Instance);
    return std::string(static_cast<const char*>(stream.Memory()), std::size_t(stream.Size()));
}

void RegisterResource(const TResId& Name, const TResId& Type, std::string_view Data)
{
    TRegistered& r = Registered();
    std::lock_guard<std::mutex> guard(r.Lock);
    r.Resources[Key(Name, Type)] = std::make_shared<const std::string>(Data);
}

void UnregisterResource(const TResId& Name, const TResId& Type)
{
    TRegistered& r = Registered();
    std::lock_guard<std::mutex> guard(r.Lock);
    r.Resources.erase(Key(Name, Type));
}

std::string LoadStr(int Id)
{
    {
        TRegistered& r = Registered();
        std::lock_guard<std::mutex> guard(r.Lock);
        auto it = r.Strings.find(Id);
        if (it != r.Strings.end())
            return it->second;
    }
#ifdef _WIN32
    char buffer[4096];
    int n = LoadStringA(GetModuleHandleA(nullptr), UINT(Id), buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, std::size_t(n)) : std::string();
#else
    return {};
#endif
}

void RegisterResourceString(int Id, std::string_view Text)
{
    TRegistered& r = Registered();
    std::lock_guard<std::mutex> guard(r.Lock);
    r.Strings[Id] = std::string(Text);
}

void UnregisterResourceString(int Id)
{
    TRegistered& r = Registered();
    std::lock_guard<std::mutex> guard(r.Lock);
    r.Strings.erase(Id);
}

}  // namespace cl
