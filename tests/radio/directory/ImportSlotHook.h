#pragma once
// For a test's lifetime, the calls our program makes to one system procedure go to a
// replacement: the slot of the program's import table that holds the procedure is rewritten
// and restored at the end. Lets tests see calls that leave no other trace (a flush, say).
#include <windows.h>

#include <cstring>

class TImportSlotHook {
public:
    TImportSlotHook(const char* dll, const char* procedure, void* replacement)
    {
        original_ = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(dll), procedure));
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        if (!original_ || !imports.VirtualAddress)
            return;
        for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
            for (auto* slot = reinterpret_cast<void**>(base + d->FirstThunk); *slot; ++slot) {
                if (*slot == original_) {
                    slot_ = slot;
                    Write(replacement);
                    return;
                }
            }
        }
    }
    ~TImportSlotHook()
    {
        if (slot_)
            Write(original_);
    }
    TImportSlotHook(const TImportSlotHook&) = delete;
    TImportSlotHook& operator=(const TImportSlotHook&) = delete;

    bool Installed() const { return slot_ != nullptr; }
    // The procedure itself, for the replacement to call on.
    template <class F>
    F Original() const
    {
        return reinterpret_cast<F>(original_);
    }

private:
    void Write(void* value)
    {
        DWORD old = 0;
        VirtualProtect(slot_, sizeof value, PAGE_READWRITE, &old);
        std::memcpy(slot_, &value, sizeof value);
        VirtualProtect(slot_, sizeof value, old, &old);
    }

    void* original_ = nullptr;
    void** slot_ = nullptr;
};
