#include "crashlog/EModules.h"

#include "crashlog/EStream.h"

namespace crashlog {

TVozozoModulesList& ModulesList()
{
    static auto* list = new TVozozoModulesList;  // used up to the last moment of the process
    return *list;
}

HMODULE ModuleOfAddress(const void* address)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(address), &module))
        return nullptr;
    return module;
}

std::string ModuleFileName(HMODULE module)
{
    char name[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(module, name, sizeof name);
    return std::string(name, length < sizeof name ? length : 0);
}

std::string ExtractFileName(const std::string& path)
{
    std::size_t at = path.find_last_of("\\/:");
    return at == std::string::npos ? path : path.substr(at + 1);
}

bool IsVozozoRezModule(HMODULE module)
{
    return FindResourceA(module, "VRDATA", MAKEINTRESOURCEA(10)) != nullptr;
}

namespace {

TModuleKind KindOf(HMODULE module)
{
    auto* base = reinterpret_cast<const std::uint8_t*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return mkNotImage;
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE)
        return mkNotImage;
    if (!(nt->FileHeader.Characteristics & IMAGE_FILE_DLL))
        return mkProgram;
    if (FindResourceA(module, "PACKAGEINFO", MAKEINTRESOURCEA(10)) &&
        FindResourceA(module, "PACKAGEOPTIONS", MAKEINTRESOURCEA(10)))
        return mkPackage;
    return mkLibrary;
}

}  // namespace

bool LoadDebugInformation(TVozozoModuleInfo& info)
{
    // Our logger data: a 16-bit version, then the options stream (absent: the defaults).
    HRSRC resource = FindResourceA(info.Handle, "VRDATA", MAKEINTRESOURCEA(10));
    if (!resource)
        return false;
    HGLOBAL loaded = LoadResource(info.Handle, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(info.Handle, resource);
    if (!data || size < 2)
        return false;
    try {
        TDataReader reader(data, size);
        const std::uint16_t version = reader.ReadUInt16();
        auto options = std::make_unique<TVozozoModuleOptionsEx>(info.FileName);
        if (reader.Remaining() > 0)
            options->LoadFromStream(reader, version);
        info.Version = version;
        info.Options = std::move(options);
        return true;
    } catch (...) {
        return false;
    }
}

TVozozoModuleInfo* TVozozoModulesList::GetModuleInfo(HMODULE handle)
{
    if (!handle)
        return nullptr;
    std::lock_guard<std::recursive_mutex> guard(lock_);
    for (auto& m : modules_)
        if (m->Handle == handle)
            return m.get();
    auto info = std::make_unique<TVozozoModuleInfo>();
    info->Handle = handle;
    info->FileName = ModuleFileName(handle);
    info->Kind = KindOf(handle);
    info->DataFound = LoadDebugInformation(*info);
    if (!info->DataFound) {
        info->Version = VozozoRezDataVersion;
        info->Options.reset();
    }
    modules_.push_back(std::move(info));
    return modules_.back().get();
}

TVozozoModuleInfo* TVozozoModulesList::ModuleInfoOfAddress(const void* address)
{
    return GetModuleInfo(ModuleOfAddress(address));
}

const TVozozoFunctionsList& TVozozoModulesList::Functions(TVozozoModuleInfo& info)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (!info.FunctionsLoaded) {
        info.FunctionsLoaded = true;
        try {
            info.Functions.LoadFromImageFile(info.FileName);
        } catch (...) {
        }
    }
    return info.Functions;
}

void TVozozoModulesList::Clear()
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    modules_.clear();
}

TVozozoDebugInfo GetSourceLocation(std::uint32_t address)
{
    TVozozoDebugInfo entry;
    entry.Address = address;
    TVozozoModuleInfo* info = ModulesList().ModuleInfoOfAddress(reinterpret_cast<const void*>(address));
    if (!info)
        return entry;
    entry.Kind = 1;
    entry.ModuleName = ExtractFileName(info->FileName);
    entry.ModuleBase = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(info->Handle));
    const TVozozoFunctionsList& functions = ModulesList().Functions(*info);
    if (const TVozozoFunction* f = functions.Find(address - entry.ModuleBase)) {
        TResolvedName names = functions.Resolve(*f);
        entry.LineNumber = functions.LineOf(address - entry.ModuleBase);
        entry.Kind = entry.LineNumber ? 4 : 3;
        entry.UnitName = names.UnitName;
        entry.ClassName = names.ClassName;
        entry.ProcedureName = names.ProcedureName;
    }
    return entry;
}

void* FindProcedureByName(const std::string& qualifiedName)
{
    HMODULE main = GetModuleHandleA(nullptr);
    TVozozoModuleInfo* info = ModulesList().GetModuleInfo(main);
    if (!info)
        return nullptr;
    const std::uint32_t rva = ModulesList().Functions(*info).FindByName(qualifiedName);
    return rva ? reinterpret_cast<std::uint8_t*>(main) + rva : nullptr;
}

}  // namespace crashlog
