#pragma once
// The fixed texts of the logger's e-mail: the SMTP dialogue, the message's headers and MIME
// parts, and the errors of the three ways of sending.
#include <cstddef>
#include <string_view>

namespace crashlog {

inline constexpr unsigned short DefaultSmtpPort = 25;
inline constexpr unsigned DefaultSmtpTimeout = 30000;  // milliseconds
// The whole conversation with the server, however quickly each reply comes.
inline constexpr unsigned DefaultSmtpTotalTimeout = 60000;

inline constexpr std::string_view SLibraryVersion = "4.2.4";
inline constexpr std::string_view SMimeBoundary = "=_xcjvnxkbhvfkxzhfdbvzldjhfv";
inline constexpr std::string_view SLogInBodySeparator = "\r\n\r\n\r\n";

// Socket errors.
inline constexpr std::string_view SWSAStartupError = "Error into WSAStartup: \"%s\"";
inline constexpr std::string_view SWSACleanupError = "Error into WSACleanup: \"%s\"";
inline constexpr std::string_view SInvalidSocket = "Invalid socket.";
inline constexpr std::string_view SConnectionError = "Connection error: \"%s\"";
inline constexpr std::string_view SConnectedTo = "Connected to %d.%d.%d.%d port %d";
inline constexpr std::string_view SSendError = "Error into \"send\": \"%s\"";
inline constexpr std::string_view SRecvError = "Error into \"recv\": \"%s\"";
inline constexpr std::string_view SSocketTimeout = "Socket timeout.";
inline constexpr std::string_view SCloseSocketError = "Cannot close the socket: \"%s\"";
// What the transcript shows in place of the credentials.
inline constexpr std::string_view SHiddenCredential = "(hidden)";

// Simple MAPI.
inline constexpr std::string_view SMailClientsKey = "SOFTWARE\\Clients\\Mail";
inline constexpr std::string_view SDefaultMapiLibrary = "mapi32.dll";
inline constexpr std::string_view SMapiOpenError = "Cannot open the MAPI dll.";
inline constexpr std::string_view SMapiFunctionsError = "Cannot found the MAPI functions.";
inline constexpr std::string_view SMapiLogonError = "Cannot LogOn into the MAPI service.";
inline constexpr std::string_view SMapiSendError = "Cannot send the MAPI message.";

// The mailto handler.
inline constexpr std::string_view SMailtoCommandKey = "mailto\\shell\\open\\command";
inline constexpr std::string_view SMailtoUrl = "mailto:%s?Subject=%s&Body=%s";
// The longest command line the system starts, its terminating zero included.
inline constexpr std::size_t CommandLineLimit = 32767;
// Ends a body that was cut to fit the command line.
inline constexpr std::string_view SMailtoBodyCut =
    "\r\n\r\n[The report is cut here: a mail link holds no more. The whole report is in the program's log file.]";

// A web server's report goes by SMTP or not at all.
inline constexpr std::string_view SServerMailNeedsSmtp = "No SMTP host: a web server sends no mail through a mail client.";

// What the user is told when no way of sending worked.
inline constexpr const char* SMailNotSentCaption = "E-mail not sent";
inline constexpr std::string_view SMailNotSent = "The error report could not be sent by e-mail.\r\n\r\n%s";

}  // namespace crashlog
