#pragma once
// The thread-local storage slots a library's own code takes and has not given back when the
// library is unloaded. The statically linked thread runtime takes one at its first use and never
// frees it: a host that loads and unloads the library again and again would run out of slots
// (the system has about a thousand) and then fail or end.
#include <windows.h>

namespace crashlog {

// From the start of the library's entry, before any of its code runs: its import slots of
// TlsAlloc and TlsFree then note which slots it holds.
void WatchTlsSlots(HMODULE library);
// At the end of the library's unloading, when none of its code runs any more: frees the slots it
// still holds.
void FreeHeldTlsSlots();

}  // namespace crashlog
