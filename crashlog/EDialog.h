#pragma once
// The exception dialog: the message, a general page with the report's sections, a details page
// with the call stack, and OK, Terminate (or Restart) and a Details switch between a compact
// and a full form. It runs on the thread that processes the exception.
#include <cstdint>
#include <string>

#include <windows.h>

namespace crashlog {

// Shows the dialog until it is closed; the action hook may ask for it again.
void ShowDialog();

// Writes one record (the unit name in a 2048-byte field, then the line) to the named mailslot.
bool SendToMailslot(const std::string& name, const std::string& unit, std::int32_t line);

}  // namespace crashlog
