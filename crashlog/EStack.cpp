#include "crashlog/EStack.h"

#include <cstring>
#include <utility>
#include <vector>

#include <windows.h>

#include "crashlog/EHook.h"
#include "crashlog/EModules.h"

namespace crashlog {

namespace {

// Remembers which memory regions hold code, so that each region is queried once per walk.
class TCodeMap {
public:
    bool IsCode(std::uintptr_t from, std::uintptr_t to)
    {
        if (to <= from || from < 0x10000)
            return false;
        for (const auto& r : code_)
            if (from >= r.first && to <= r.second)
                return true;
        for (const auto& r : other_)
            if (from >= r.first && from < r.second)
                return false;
        MEMORY_BASIC_INFORMATION mbi;
        if (VirtualQuery(reinterpret_cast<const void*>(from), &mbi, sizeof mbi) == 0)
            return false;
        const auto begin = reinterpret_cast<std::uintptr_t>(mbi.BaseAddress);
        const std::uintptr_t end = begin + mbi.RegionSize;
        const DWORD executable = PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE |
                                 PAGE_EXECUTE_WRITECOPY;
        const bool code = mbi.State == MEM_COMMIT && (mbi.Protect & executable) &&
                          !(mbi.Protect & (PAGE_GUARD | PAGE_NOACCESS));
        (code ? code_ : other_).emplace_back(begin, end);
        return code && to <= end;
    }

private:
    std::vector<std::pair<std::uintptr_t, std::uintptr_t>> code_;
    std::vector<std::pair<std::uintptr_t, std::uintptr_t>> other_;
};

bool OneOf(std::uint8_t b, std::initializer_list<std::uint8_t> values)
{
    for (std::uint8_t v : values)
        if (b == v)
            return true;
    return false;
}

// The address of the call instruction that returns to v, or 0 when none ends there. `target`
// receives the callee of a direct call.
std::uintptr_t CallBefore(TCodeMap& code, std::uintptr_t v, std::uintptr_t& target)
{
    target = 0;
    if (!code.IsCode(v - 7, v))
        return 0;
    const auto* p = reinterpret_cast<const std::uint8_t*>(v);
    if (p[-5] == 0xE8) {
        std::int32_t rel;
        std::memcpy(&rel, p - 4, 4);
        const std::uintptr_t t = v + static_cast<std::uintptr_t>(rel);
        if (!code.IsCode(t, t + 1))
            return 0;
        target = t;
        return v - 5;
    }
    if (p[-2] == 0xFF && p[-1] >= 0xD0 && p[-1] <= 0xD7)
        return v - 2;
    if (p[-3] == 0xFF && OneOf(p[-2], {0x50, 0x51, 0x52, 0x53, 0x55, 0x56, 0x57}))
        return v - 3;
    if (p[-6] == 0xFF && OneOf(p[-5], {0x90, 0x91, 0x92, 0x93, 0x95, 0x96, 0x97}))
        return v - 6;
    if (p[-2] == 0xFF && OneOf(p[-1], {0x10, 0x11, 0x12, 0x13, 0x16, 0x17}))
        return v - 2;
    if (p[-3] == 0xFF && p[-2] == 0x14 && p[-1] == 0x24)
        return v - 3;
    if (p[-4] == 0xFF && p[-3] == 0x54 && p[-2] == 0x24)
        return v - 4;
    if (p[-7] == 0xFF && p[-6] == 0x94 && p[-5] == 0x24)
        return v - 7;
    if (p[-6] == 0xFF && p[-5] == 0x15) {
        const void* pointer;
        std::memcpy(&pointer, p - 4, 4);
        if (IsReadable(pointer, 4))
            return v - 6;
    }
    return 0;
}

}  // namespace

std::uint32_t CurrentStackTop()
{
    return static_cast<std::uint32_t>(
        reinterpret_cast<std::uintptr_t>(reinterpret_cast<NT_TIB*>(NtCurrentTeb())->StackBase));
}

TVozozoStackList BuildCallStack(std::uint32_t address, std::uint32_t stackPointer,
                                std::uint32_t stackTop, const void* copy, std::size_t maxEntries)
{
    TVozozoStackList list;
    if (address)
        list.push_back(GetSourceLocation(address));
    TCodeMap code;
    std::uint32_t readableUpTo = 0;  // live stack words below this were found readable
    for (std::uint32_t at = (stackPointer + 3) & ~3u; at >= stackPointer && at + 4 <= stackTop && at + 4 > at;
         at += 4) {
        if (maxEntries && list.size() >= maxEntries)
            break;
        std::uintptr_t v;
        if (copy) {
            std::memcpy(&v, static_cast<const std::uint8_t*>(copy) + (at - stackPointer), 4);
        } else {
            if (at >= readableUpTo) {
                const std::uint32_t chunk = stackTop - at >= 400 ? 400 : stackTop - at;
                if (IsReadable(reinterpret_cast<const void*>(at), chunk))
                    readableUpTo = at + chunk;
                else if (IsReadable(reinterpret_cast<const void*>(at), 4))
                    readableUpTo = at + 4;
                else
                    continue;
            }
            std::memcpy(&v, reinterpret_cast<const void*>(at), 4);
        }
        std::uintptr_t target = 0;
        const std::uintptr_t call = CallBefore(code, v, target);
        if (!call)
            continue;
        if (target) {
            auto* t = static_cast<std::uint8_t*>(ResolveImportThunk(reinterpret_cast<void*>(target)));
            const auto resolved = reinterpret_cast<std::uintptr_t>(t);
            if (code.IsCode(resolved, resolved + 5) && t[0] != 0xE8)
                list.push_back(GetSourceLocation(static_cast<std::uint32_t>(resolved)));
        }
        list.push_back(GetSourceLocation(static_cast<std::uint32_t>(call)));
    }
    if (maxEntries && list.size() > maxEntries)
        list.resize(maxEntries);
    return list;
}

}  // namespace crashlog

namespace crashlog {

std::uint32_t ThreadStackTop(HANDLE thread)
{
    struct TThreadBasicInformation {
        LONG ExitStatus;
        void* TebBaseAddress;
        void* UniqueProcess;
        void* UniqueThread;
        ULONG_PTR AffinityMask;
        LONG Priority;
        LONG BasePriority;
    } info{};
    using TQuery = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<TQuery>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
    if (!query || query(thread, 0, &info, sizeof info, nullptr) != 0 || !info.TebBaseAddress)
        return 0;
    const auto* tib = static_cast<const NT_TIB*>(info.TebBaseAddress);
    if (!IsReadable(tib, sizeof *tib))
        return 0;
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(tib->StackBase));
}

TVozozoStackList BuildThreadCallStack(HANDLE thread, std::uint32_t stackTop, std::size_t maxEntries)
{
    if (!stackTop)
        stackTop = ThreadStackTop(thread);
    // Everything the copy needs is allocated before the thread stops.
    constexpr std::uint32_t MaxCopy = 256 * 1024;
    std::vector<std::uint8_t> copy(MaxCopy);
    if (SuspendThread(thread) == static_cast<DWORD>(-1))
        return {};
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL;
    std::uint32_t size = 0;
    if (GetThreadContext(thread, &context) && stackTop > context.Esp) {
        size = stackTop - context.Esp;
        if (size > MaxCopy)
            size = MaxCopy;
        if (IsReadable(reinterpret_cast<const void*>(context.Esp), size))
            std::memcpy(copy.data(), reinterpret_cast<const void*>(context.Esp), size);
        else
            size = 0;
    }
    ResumeThread(thread);
    if (!context.Eip)
        return {};
    return BuildCallStack(context.Eip, context.Esp, context.Esp + (size & ~3u), copy.data(), maxEntries);
}

}  // namespace crashlog
