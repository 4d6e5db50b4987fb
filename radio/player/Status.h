#pragma once
// Every status text our stream player shows, in one place. They follow the wording of the
// media player control where it has one, so the windows read the same with either player.
#include <string>

#include "radio/player/TextUtils.h"

namespace radio::status {

inline const char* const kConnecting = "Connecting...";
inline const char* const kBuffering = "Buffering...";
inline const char* const kPlaying = "Playing";
inline const char* const kStopped = "Stopped";
inline const char* const kStreamEnded = "Stream ended";

inline std::string InvalidAddress() { return "Error: not a stream address (http:// or https://)"; }
inline std::string HostNotFound(const std::string& host) { return "Error: host not found (" + host + ")"; }
inline std::string CannotConnect(const std::string& host) { return "Error: cannot connect to " + host; }
inline std::string NoReply() { return "Error: the server does not answer"; }
inline std::string BadReply() { return "Error: the server's reply is not HTTP"; }
inline std::string DamagedReply() { return "Error: the server's reply is damaged"; }
// Before the first sound, once the stream's header came; and once a playing stream has only
// bytes without audio in them.
inline std::string SendsNoAudio() { return "Error: the server sends no audio"; }
inline std::string CarriesNoAudio() { return "Error: the stream carries no audio"; }
inline std::string HeaderTooLarge() { return "Error: the reply header is too large"; }
// The reason is the server's own text: shown on one line and not longer than a status has room for.
inline std::string HttpStatus(int code, const std::string& reason)
{
    const std::string shown = ShownText(reason, 64);
    return "Error: HTTP " + std::to_string(code) + (shown.empty() ? "" : " " + shown);
}
inline std::string TooManyRedirects() { return "Error: too many redirections"; }
// Only the scheme of where it pointed: the rest is the server's and may be anything.
inline std::string RedirectNotFollowed(const std::string& scheme)
{
    return "Error: redirection not followed (to " + (scheme.empty() ? "an invalid address" : scheme + "://") + ")";
}
inline std::string PlaylistTooLarge() { return "Error: the playlist is too large"; }
inline std::string EmptyPlaylist() { return "Error: the playlist names no stream"; }
inline std::string UnsupportedFormat(const std::string& what) { return "Error: unsupported format (" + what + ")"; }
inline std::string NotAudio(const std::string& contentType)
{
    return "Error: not an audio stream (" + (contentType.empty() ? std::string("unknown type") : contentType) + ")";
}
inline std::string NoCodec() { return "Error: no MP3 decoder on this system"; }
inline std::string DecoderFailed() { return "Error: the MP3 decoder failed"; }
inline std::string NoAudioDevice() { return "Error: no audio device"; }
inline std::string ConnectionLost() { return "Error: connection lost"; }
inline std::string SecureFailed() { return "Error: secure connection failed"; }
inline std::string CertificateUntrusted() { return "Error: secure connection failed (certificate not trusted)"; }
inline std::string CertificateSelfSigned() { return "Error: secure connection failed (certificate self-signed)"; }
inline std::string CertificateExpired() { return "Error: secure connection failed (certificate expired)"; }
inline std::string CertificateNotYetValid() { return "Error: secure connection failed (certificate not yet valid)"; }
inline std::string CertificateForAnotherName()
{
    return "Error: secure connection failed (certificate issued for another name)";
}
inline std::string Internal(const std::string& what) { return "Error: " + what; }

// An error's status text without its "Error: ", to complete a sentence of another window.
inline std::string ReasonOf(const std::string& statusText)
{
    const std::string prefix = "Error: ";
    return statusText.rfind(prefix, 0) == 0 ? statusText.substr(prefix.size()) : statusText;
}

}  // namespace radio::status
