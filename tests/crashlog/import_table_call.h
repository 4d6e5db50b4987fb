#pragma once
// A call of GetTickCount through the program's import address table whose slot is read anew on
// every call: an optimising compiler reads a slot once per function, as if it never changed,
// and would miss a hook set or taken away between two calls of the same test.
#include <windows.h>

__attribute__((noinline)) inline DWORD TickThroughImportTable()
{
    return GetTickCount();
}
