#pragma once
// Redirecting code of the running process: entry hooks (a jump over a procedure's first five
// bytes, with a stub that calls the procedure's own code) and import hooks (the import slots a
// module calls through). Both are undone by DoneHooks, which runs at the end of the process.
// 32-bit x86 only.
#include <string>
#include <vector>

#include <windows.h>

namespace crashlog {

// Copies code or data over protected memory and flushes the instruction cache.
void WriteCode(void* destination, const void* source, std::size_t count);

// The procedure an import thunk ("jmp [slot]" followed by a two-byte filler) jumps to, or the
// address itself when it is no such thunk.
void* ResolveImportThunk(void* address);

// Patches the procedure's entry with a jump to the hook. Returns the stub through which the
// hook calls the procedure's own code (same signature as the procedure). Raises EProcNull for
// a null procedure.
void* HookProcedure(void* procedure, void* hook, const std::string& name);
// Takes the patch away again; `stub` is what HookProcedure returned. False when unknown.
bool UnhookProcedure(void* stub);

// For each loaded module of `moduleNames`, rewrites its import slots (thunk slots and import
// address table) that hold `libraryName`!`procedureName` so that they hold the hook. The
// procedure's own address comes back through `imported`. True when a slot was rewritten.
bool HookImportedProcedure(const std::vector<std::string>& moduleNames, const char* libraryName,
                           bool ignoreFailure, void*& imported, void* hook,
                           const char* procedureName);

// The same for one module and one address; with `unhook` the hook and the address swap roles.
bool HookImportedProcedureByAddress(HMODULE module, void* imported, void* hook, bool unhook,
                                    bool ignoreFailure, const std::string& qualifiedName);

// Rewrites the module's import address table slots that hold `from` so that they hold `to`, with
// no record (DoneHooks leaves them) and no lock: usable before the module's runtime has started.
// The number of slots rewritten.
int RewriteImportAddressTable(HMODULE module, void* from, void* to);

// Takes away every entry hook and import hook still in place.
void DoneHooks();

// True when `count` bytes at `address` can be read without a fault (no page is touched).
bool IsReadable(const void* address, std::size_t count);

}  // namespace crashlog
