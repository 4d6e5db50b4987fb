#pragma once
// The logger's entry points into the program's exception paths (installed by InitExceptionLog).

namespace crashlog {

// In a library the class library's handlers stay as they are, and the library's own imports and
// its web-server entry (when it exports one) are hooked.
void InstallExceptionEntries(bool inLibrary);
void RemoveExceptionEntries();

}  // namespace crashlog
