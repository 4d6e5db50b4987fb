#pragma once
// A failure of the logger itself, offered to the user for sending to the logger's support while
// the internal trace runs (a program started with "debug" is one whose user takes part).
#include <string>

namespace crashlog {

// Asks whether to send; on Yes saves the trace and sends it by Simple MAPI, and when that fails
// tells the user where the file is.
void OfferBugReport(const std::string& message);

}  // namespace crashlog
