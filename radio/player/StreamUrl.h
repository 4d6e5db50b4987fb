#pragma once
// Stream addresses as the player accepts them: http:// and https:// only.
#include <optional>
#include <string>
#include <string_view>

namespace radio {

struct TStreamUrl {
    std::string Scheme;  // "http" or "https"
    std::string Host;    // without brackets for IPv6 literals
    int Port = 80;
    std::string Target;  // path and query, always starting with "/"

    bool Secure() const { return Scheme == "https"; }
    // "host" or "host:port" as the Host request field wants it.
    std::string HostField() const;
    std::string ToString() const;
};

// Nothing for other schemes, an empty host or a bad port. Surrounding blanks are ignored.
std::optional<TStreamUrl> ParseStreamUrl(std::string_view text);

// A Location field or a playlist entry: absolute, "//host/...", "/path" or relative to base.
std::optional<TStreamUrl> ResolveStreamUrl(const TStreamUrl& base, std::string_view reference);

// The scheme an absolute reference names ("ftp" of "FTP://host/x"), in lower case; empty when
// it names none or one that does not read as a scheme.
std::string ReferenceScheme(std::string_view reference);

}  // namespace radio
