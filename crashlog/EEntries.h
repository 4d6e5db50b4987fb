#pragma once
// The logger's entry points into the program's exception paths (installed by InitExceptionLog).

namespace crashlog {

void InstallExceptionEntries();
void RemoveExceptionEntries();

}  // namespace crashlog
