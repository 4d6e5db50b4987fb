#pragma once
// The servers whose certificate the program refused in this run, by host and port. Whoever
// presented a certificate we could not trust may be anyone: a page that would carry the user's
// account is not opened there for the rest of the run.
#include <string>

#include "radio/player/StreamUrl.h"

namespace radio {

// Reason: the status text that said why.
void NoteRefusedServer(const TStreamUrl& server, const std::string& reason);
// Why the certificate of the server at this address was refused in this run; empty when it
// was not (or the address is none of ours).
std::string RefusalOf(const std::string& address);

}  // namespace radio
