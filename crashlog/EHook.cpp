#include "crashlog/EHook.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

#include "crashlog/EConsts.h"
#include "crashlog/EErrors.h"

// The stub's helpers: they take the record as their only stack argument, remove it on return
// and keep eax, ecx and edx, so that register arguments and results pass the stub untouched.
extern "C" void __stdcall crashlog_RestoreEntry(void* record);
extern "C" void __stdcall crashlog_PatchEntry(void* record);
extern "C" void crashlog_RestoreThunk();
extern "C" void crashlog_PatchThunk();

asm(R"(
    .text
    .globl _crashlog_RestoreThunk
_crashlog_RestoreThunk:
    pushl %eax
    pushl %ecx
    pushl %edx
    pushl 16(%esp)
    call _crashlog_RestoreEntry@4
    popl %edx
    popl %ecx
    popl %eax
    ret $4
    .globl _crashlog_PatchThunk
_crashlog_PatchThunk:
    pushl %eax
    pushl %ecx
    pushl %edx
    pushl 16(%esp)
    call _crashlog_PatchEntry@4
    popl %edx
    popl %ecx
    popl %eax
    ret $4
)");

namespace crashlog {

namespace {

#pragma pack(push, 1)
struct THookRecord {
    void* Procedure;                 // 0
    void* Hook;                      // 4
    void* ReturnAddress;             // 8
    std::uint8_t Original[5];        // 12
    std::uint8_t Patch[5];           // 17
    std::uint8_t Stub[45];           // 22
};
#pragma pack(pop)
static_assert(sizeof(THookRecord) == 67);

struct TImportHook {
    HMODULE Module;
    void* Hook;
    void* Imported;
    std::string Name;
};

// Records live in executable pages of their own, never in the heap.
class TRecordPool {
public:
    THookRecord* Allocate()
    {
        if (!free_.empty()) {
            THookRecord* r = free_.back();
            free_.pop_back();
            return r;
        }
        if (!page_ || used_ + Stride > PageSize) {
            page_ = static_cast<std::uint8_t*>(
                VirtualAlloc(nullptr, PageSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
            if (!page_)
                throw EHookError("Cannot allocate memory for a hook.");
            used_ = 0;
        }
        auto* r = reinterpret_cast<THookRecord*>(page_ + used_);
        used_ += Stride;
        return r;
    }
    void Release(THookRecord* r) { free_.push_back(r); }

private:
    static constexpr std::size_t PageSize = 4096;
    static constexpr std::size_t Stride = 68;
    std::uint8_t* page_ = nullptr;
    std::size_t used_ = 0;
    std::vector<THookRecord*> free_;
};

// The import thunks of one module's code, found by one scan: each hook and unhook of the
// module reads the same slots, and its code is megabytes long.
struct TThunkSlots {
    HMODULE Module = nullptr;
    DWORD TimeDateStamp = 0;  // tells a module from another loaded later at the same base
    std::vector<void**> Slots;
};

struct THookState {
    std::recursive_mutex Lock;
    TRecordPool Pool;
    std::vector<THookRecord*> EntryHooks;
    std::vector<TImportHook> ImportHooks;
    std::vector<TThunkSlots> Thunks;
};

THookState& State()
{
    static THookState* state = new THookState;  // lives to the very end of the process
    return *state;
}

bool IsNtPlatform()
{
    return (GetVersion() & 0x80000000u) == 0;
}

std::string ModuleFileName(const void* address)
{
    HMODULE module = nullptr;
    char name[MAX_PATH] = "";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(address), &module))
        GetModuleFileNameA(module, name, sizeof name);
    return name;
}

bool InLoadedModule(const void* address)
{
    HMODULE module = nullptr;
    return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCSTR>(address), &module) != 0;
}

void CheckSharedArea(const void* address, const std::string& name)
{
    if (!IsNtPlatform() && reinterpret_cast<std::uintptr_t>(address) >= 0x80000000u)
        throw ESharedArea(FormatS(SSharedArea, {ModuleFileName(address)}));
}

// Writes the five entry bytes in one locked eight-byte exchange when they lie in one aligned
// quadword, so that another thread never runs half a jump.
void WriteEntry(void* procedure, const std::uint8_t* bytes)
{
    auto at = reinterpret_cast<std::uintptr_t>(procedure);
    if ((at & 7) <= 3) {
        auto* quad = reinterpret_cast<volatile LONG64*>(at & ~std::uintptr_t(7));
        DWORD old = 0;
        if (!VirtualProtect(const_cast<LONG64*>(quad), 8, PAGE_EXECUTE_READWRITE, &old))
            throw EHookError("Cannot write to the procedure's code.");
        LONG64 current = *quad;
        for (;;) {
            LONG64 wanted = current;
            std::memcpy(reinterpret_cast<std::uint8_t*>(&wanted) + (at & 7), bytes, 5);
            LONG64 seen = InterlockedCompareExchange64(quad, wanted, current);
            if (seen == current)
                break;
            current = seen;
        }
        DWORD ignored = 0;
        VirtualProtect(const_cast<LONG64*>(quad), 8, old, &ignored);
        FlushInstructionCache(GetCurrentProcess(), const_cast<LONG64*>(quad), 8);
        return;
    }
    WriteCode(procedure, bytes, 5);
}

void EmitRel32(std::uint8_t*& p, std::uint8_t opcode, const void* target)
{
    *p++ = opcode;
    auto rel = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(target) -
                                         reinterpret_cast<std::intptr_t>(p + 4));
    std::memcpy(p, &rel, 4);
    p += 4;
}

void EmitImm32(std::uint8_t*& p, const void* value)
{
    auto v = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value));
    std::memcpy(p, &v, 4);
    p += 4;
}

void BuildStub(THookRecord* r)
{
    std::uint8_t* p = r->Stub;
    *p++ = 0x50;                                         // push eax
    *p++ = 0x8B; *p++ = 0x44; *p++ = 0x24; *p++ = 0x04;  // mov eax,[esp+4]
    *p++ = 0xA3; EmitImm32(p, &r->ReturnAddress);        // mov [rec+8],eax
    *p++ = 0x58;                                         // pop eax
    *p++ = 0x83; *p++ = 0xC4; *p++ = 0x04;               // add esp,4
    *p++ = 0x68; EmitImm32(p, r);                        // push rec
    EmitRel32(p, 0xE8, reinterpret_cast<void*>(&crashlog_RestoreThunk));
    EmitRel32(p, 0xE8, r->Procedure);                    // call the procedure's own code
    *p++ = 0x68; EmitImm32(p, r);                        // push rec
    EmitRel32(p, 0xE8, reinterpret_cast<void*>(&crashlog_PatchThunk));
    *p++ = 0xFF; *p++ = 0x25; EmitImm32(p, &r->ReturnAddress);  // jmp [rec+8]
}

struct TCodeRange {
    std::uint8_t* Begin = nullptr;
    std::uint8_t* End = nullptr;
};

const IMAGE_NT_HEADERS32* NtHeaders(HMODULE module)
{
    auto* base = reinterpret_cast<const std::uint8_t*>(module);
    if (!IsReadable(base, sizeof(IMAGE_DOS_HEADER)))
        return nullptr;
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return nullptr;
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    if (!IsReadable(nt, sizeof *nt) || nt->Signature != IMAGE_NT_SIGNATURE)
        return nullptr;
    return nt;
}

// Rewrites one slot holding `from` so that it holds `to`; a slot is pointer-aligned data, so
// the exchange is one atomic write.
void WriteSlot(void** slot, void* to)
{
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof(void*), PAGE_EXECUTE_READWRITE, &old))
        return;
    InterlockedExchange(reinterpret_cast<volatile LONG*>(slot),
                        static_cast<LONG>(reinterpret_cast<std::uintptr_t>(to)));
    DWORD ignored = 0;
    VirtualProtect(slot, sizeof(void*), old, &ignored);
    FlushInstructionCache(GetCurrentProcess(), slot, sizeof(void*));
}

// An import thunk is "jmp [slot]" followed by the filler "mov eax, eax" or two "nop"s. The filler
// is what tells a thunk from an ordinary jump through a pointer variable: an optimising compiler
// turns a call through a saved original procedure ("return original(...)") into exactly such a
// jump, and rewriting that variable to the hook would make the hook call itself for ever.
bool ThunkFiller(const std::uint8_t* p)
{
    return (p[0] == 0x8B && p[1] == 0xC0) || (p[0] == 0x90 && p[1] == 0x90);
}

std::vector<void**> ScanThunkSlots(HMODULE module, const IMAGE_NT_HEADERS32* nt)
{
    auto* base = reinterpret_cast<std::uint8_t*>(module);
    std::uint8_t* begin = base + nt->OptionalHeader.BaseOfCode;
    std::uint8_t* end = begin + nt->OptionalHeader.SizeOfCode;
    std::uint8_t* imageEnd = base + nt->OptionalHeader.SizeOfImage;
    std::vector<void**> slots;
    if (end > imageEnd || end < begin + 6 || !IsReadable(begin, end - begin))
        return slots;
    for (std::uint8_t* p = begin; p + 8 <= end; ++p) {
        // memchr finds the next candidate far faster than a byte loop over a large program's code.
        p = static_cast<std::uint8_t*>(std::memchr(p, 0xFF, static_cast<std::size_t>(end - 8 + 1 - p)));
        if (!p)
            break;
        if (p[1] != 0x25 || !ThunkFiller(p + 6))
            continue;
        void** slot = nullptr;
        std::memcpy(&slot, p + 2, 4);
        slots.push_back(slot);
    }
    return slots;
}

const std::vector<void**>& ThunkSlotsOf(HMODULE module, const IMAGE_NT_HEADERS32* nt)
{
    THookState& s = State();
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    for (const TThunkSlots& known : s.Thunks)
        if (known.Module == module && known.TimeDateStamp == nt->FileHeader.TimeDateStamp)
            return known.Slots;
    std::erase_if(s.Thunks, [module](const TThunkSlots& known) { return known.Module == module; });
    s.Thunks.push_back({module, nt->FileHeader.TimeDateStamp, ScanThunkSlots(module, nt)});
    return s.Thunks.back().Slots;
}

// Readability of the slots of one pass: the slots crowd into a few regions (a module's import
// address table is one), so each region is asked about once instead of each slot. A pass only
// ever makes a slot writable and back, so what was readable at its start stays readable.
class TReadableRegions {
public:
    bool Readable(const void* address)
    {
        const auto at = reinterpret_cast<std::uintptr_t>(address);
        if (at >= begin_ && at + 4 <= end_)
            return true;
        MEMORY_BASIC_INFORMATION mbi;
        if (!IsReadable(address, 4) || VirtualQuery(address, &mbi, sizeof mbi) == 0)
            return false;
        begin_ = reinterpret_cast<std::uintptr_t>(mbi.BaseAddress);
        end_ = begin_ + mbi.RegionSize;
        return true;
    }

private:
    std::uintptr_t begin_ = 0;
    std::uintptr_t end_ = 0;
};

int RewriteThunkSlots(HMODULE module, const IMAGE_NT_HEADERS32* nt, void* from, void* to)
{
    auto* base = reinterpret_cast<std::uint8_t*>(module);
    std::uint8_t* imageEnd = base + nt->OptionalHeader.SizeOfImage;
    std::lock_guard<std::recursive_mutex> guard(State().Lock);
    TReadableRegions readable;
    int count = 0;
    for (void** slot : ThunkSlotsOf(module, nt)) {
        auto* s = reinterpret_cast<std::uint8_t*>(slot);
        const bool inImage = s >= base && s + 4 <= imageEnd;
        if (!inImage && !(InLoadedModule(slot) && readable.Readable(slot)))
            continue;
        if (inImage && !readable.Readable(slot))
            continue;
        if (*slot == from) {
            WriteSlot(slot, to);
            ++count;
        }
    }
    return count;
}

int RewriteImportTable(HMODULE module, const IMAGE_NT_HEADERS32* nt, void* from, void* to)
{
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0 || dir.Size == 0)
        return 0;
    auto* base = reinterpret_cast<std::uint8_t*>(module);
    TReadableRegions readable;
    int count = 0;
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         IsReadable(desc, sizeof *desc) && desc->Name != 0; ++desc) {
        if (desc->FirstThunk == 0)
            continue;
        for (auto* slot = reinterpret_cast<void**>(base + desc->FirstThunk);
             readable.Readable(slot) && *slot != nullptr; ++slot) {
            if (*slot == from) {
                WriteSlot(slot, to);
                ++count;
            }
        }
    }
    return count;
}

}  // namespace

bool IsReadable(const void* address, std::size_t count)
{
    if (!address)
        return false;
    auto p = reinterpret_cast<std::uintptr_t>(address);
    const std::uintptr_t end = p + count;
    if (end < p)
        return false;
    while (p < end) {
        MEMORY_BASIC_INFORMATION mbi;
        if (VirtualQuery(reinterpret_cast<const void*>(p), &mbi, sizeof mbi) == 0)
            return false;
        if (mbi.State != MEM_COMMIT || (mbi.Protect & (PAGE_NOACCESS | PAGE_GUARD)) ||
            mbi.Protect == 0)
            return false;
        p = reinterpret_cast<std::uintptr_t>(mbi.BaseAddress) + mbi.RegionSize;
    }
    return true;
}

void WriteCode(void* destination, const void* source, std::size_t count)
{
    DWORD old = 0;
    if (!VirtualProtect(destination, count, PAGE_EXECUTE_READWRITE, &old))
        throw EHookError("Cannot write to the procedure's code.");
    std::memcpy(destination, source, count);
    DWORD ignored = 0;
    VirtualProtect(destination, count, old, &ignored);
    FlushInstructionCache(GetCurrentProcess(), destination, count);
}

void* ResolveImportThunk(void* address)
{
    auto* p = static_cast<const std::uint8_t*>(address);
    if (!p || !InLoadedModule(p) || !IsReadable(p, 8))
        return address;
    if (p[0] != 0xFF || p[1] != 0x25)
        return address;
    const bool filler = (p[6] == 0x8B && p[7] == 0xC0) || (p[6] == 0x90 && p[7] == 0x90);
    if (!filler)
        return address;
    void** slot = nullptr;
    std::memcpy(&slot, p + 2, 4);
    if (!IsReadable(slot, 4))
        return address;
    return *slot;
}

void* HookProcedure(void* procedure, void* hook, const std::string& name)
{
    procedure = ResolveImportThunk(procedure);
    hook = ResolveImportThunk(hook);
    if (!procedure)
        throw EProcNull(FormatS(SProcNull, {name}));
    CheckSharedArea(procedure, name);
    THookState& s = State();
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    THookRecord* r = s.Pool.Allocate();
    r->Procedure = procedure;
    r->Hook = hook;
    r->ReturnAddress = nullptr;
    std::memcpy(r->Original, procedure, 5);
    BuildStub(r);
    std::uint8_t* p = r->Patch;
    EmitRel32(p, 0xE9, hook);
    // The displacement is relative to the procedure's entry, not to the record.
    auto rel = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(hook) -
                                         reinterpret_cast<std::intptr_t>(procedure) - 5);
    std::memcpy(r->Patch + 1, &rel, 4);
    FlushInstructionCache(GetCurrentProcess(), r, sizeof *r);
    s.EntryHooks.push_back(r);
    try {
        WriteEntry(procedure, r->Patch);
    } catch (...) {
        s.EntryHooks.pop_back();
        s.Pool.Release(r);
        throw;
    }
    return r->Stub;
}

bool UnhookProcedure(void* stub)
{
    THookState& s = State();
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    for (auto it = s.EntryHooks.begin(); it != s.EntryHooks.end(); ++it) {
        THookRecord* r = *it;
        if (r->Stub == stub) {
            WriteEntry(r->Procedure, r->Original);
            s.EntryHooks.erase(it);
            s.Pool.Release(r);
            return true;
        }
    }
    return false;
}

int RewriteImportAddressTable(HMODULE module, void* from, void* to)
{
    const IMAGE_NT_HEADERS32* nt = NtHeaders(module);
    return nt ? RewriteImportTable(module, nt, from, to) : 0;
}

bool HookImportedProcedureByAddress(HMODULE module, void* imported, void* hook, bool unhook,
                                    bool ignoreFailure, const std::string& qualifiedName)
{
    if (!imported)
        throw EProcNull(FormatS(SProcNull, {qualifiedName}));
    CheckSharedArea(module, qualifiedName);
    const IMAGE_NT_HEADERS32* nt = NtHeaders(module);
    void* from = unhook ? hook : imported;
    void* to = unhook ? imported : hook;
    int count = 0;
    if (nt) {
        count += RewriteThunkSlots(module, nt, from, to);
        count += RewriteImportTable(module, nt, from, to);
    }
    if (count == 0 && !ignoreFailure)
        throw EHookingError(FormatS(SHookingError, {qualifiedName}));
    if (count > 0 && !unhook) {
        THookState& s = State();
        std::lock_guard<std::recursive_mutex> guard(s.Lock);
        s.ImportHooks.push_back({module, hook, imported, qualifiedName});
    }
    return count > 0;
}

bool HookImportedProcedure(const std::vector<std::string>& moduleNames, const char* libraryName,
                           bool ignoreFailure, void*& imported, void* hook,
                           const char* procedureName)
{
    HMODULE library = GetModuleHandleA(libraryName);
    imported = library ? reinterpret_cast<void*>(GetProcAddress(library, procedureName)) : nullptr;
    const std::string qualified = std::string(libraryName) + "." + procedureName;
    bool any = false;
    for (const std::string& name : moduleNames) {
        HMODULE module = GetModuleHandleA(name.empty() ? nullptr : name.c_str());
        if (module)
            any = HookImportedProcedureByAddress(module, imported, hook, false, ignoreFailure,
                                                 qualified) || any;
    }
    return any;
}

void DoneHooks()
{
    THookState& s = State();
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    while (!s.EntryHooks.empty()) {
        THookRecord* r = s.EntryHooks.front();
        try {
            WriteEntry(r->Procedure, r->Original);
        } catch (...) {
        }
        s.EntryHooks.erase(s.EntryHooks.begin());
        s.Pool.Release(r);
    }
    for (const TImportHook& h : s.ImportHooks) {
        try {
            HookImportedProcedureByAddress(h.Module, h.Imported, h.Hook, true, true, h.Name);
        } catch (...) {
        }
    }
    s.ImportHooks.clear();
}

namespace {
struct THooksFinalization {
    ~THooksFinalization() { DoneHooks(); }
} hooksFinalization;
}  // namespace

}  // namespace crashlog

extern "C" void __stdcall crashlog_RestoreEntry(void* record)
{
    // Called from machine code: nothing may leave it.
    try {
        auto* r = static_cast<crashlog::THookRecord*>(record);
        crashlog::WriteEntry(r->Procedure, r->Original);
    } catch (...) {
    }
}

extern "C" void __stdcall crashlog_PatchEntry(void* record)
{
    try {
        auto* r = static_cast<crashlog::THookRecord*>(record);
        crashlog::WriteEntry(r->Procedure, r->Patch);
    } catch (...) {
    }
}
