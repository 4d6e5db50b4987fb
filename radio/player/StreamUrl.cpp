#include "radio/player/StreamUrl.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "radio/player/TextUtils.h"

namespace radio {

std::string TStreamUrl::HostField() const
{
    const std::string host = Host.find(':') != std::string::npos ? "[" + Host + "]" : Host;
    const int defaultPort = Secure() ? 443 : 80;
    return Port == defaultPort ? host : host + ":" + std::to_string(Port);
}

std::string TStreamUrl::ToString() const
{
    return Scheme + "://" + HostField() + Target;
}

std::optional<TStreamUrl> ParseStreamUrl(std::string_view text)
{
    text = TrimSpace(text);
    const std::size_t colon = text.find("://");
    if (colon == std::string_view::npos)
        return std::nullopt;
    TStreamUrl url;
    url.Scheme = Lower(text.substr(0, colon));
    if (url.Scheme != "http" && url.Scheme != "https")
        return std::nullopt;
    url.Port = url.Secure() ? 443 : 80;
    text.remove_prefix(colon + 3);

    const std::size_t slash = text.find_first_of("/?#");
    std::string_view authority = text.substr(0, slash);
    std::string_view target = slash == std::string_view::npos ? std::string_view{} : text.substr(slash);
    target = target.substr(0, target.find('#'));
    const std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos)
        authority.remove_prefix(at + 1);  // credentials in addresses are not sent

    std::string_view host = authority;
    std::string_view port;
    if (!authority.empty() && authority.front() == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        host = authority.substr(1, close - 1);
        const std::string_view rest = authority.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':')
                return std::nullopt;
            port = rest.substr(1);
        }
    } else if (const std::size_t c = authority.rfind(':'); c != std::string_view::npos) {
        host = authority.substr(0, c);
        port = authority.substr(c + 1);
    }
    if (host.empty() || host.find_first_of(" \t\r\n") != std::string_view::npos)
        return std::nullopt;
    if (!port.empty()) {
        int value = 0;
        const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
        if (error != std::errc() || end != port.data() + port.size() || value < 1 || value > 65535)
            return std::nullopt;
        url.Port = value;
    }
    url.Host = Lower(host);
    url.Target = target.empty() ? "/" : target.front() == '/' ? std::string(target)
                                                              : "/" + std::string(target);
    if (url.Target.find_first_of(" \t\r\n") != std::string::npos)
        return std::nullopt;
    return url;
}

std::optional<TStreamUrl> ResolveStreamUrl(const TStreamUrl& base, std::string_view reference)
{
    reference = TrimSpace(reference);
    if (reference.empty())
        return std::nullopt;
    if (reference.find("://") != std::string_view::npos)
        return ParseStreamUrl(reference);
    if (reference.substr(0, 2) == "//")
        return ParseStreamUrl(base.Scheme + ":" + std::string(reference));
    TStreamUrl url = base;
    if (reference.front() == '/') {
        url.Target = std::string(reference);
    } else {
        const std::string path = base.Target.substr(0, base.Target.find('?'));
        url.Target = path.substr(0, path.rfind('/') + 1) + std::string(reference);
    }
    if (url.Target.find_first_of(" \t\r\n") != std::string::npos)
        return std::nullopt;
    return url;
}

std::string ReferenceScheme(std::string_view reference)
{
    reference = TrimSpace(reference);
    const std::string_view scheme = reference.substr(0, reference.find("://"));
    constexpr std::size_t kLongestScheme = 16;
    if (scheme.size() == reference.size() || scheme.empty() || scheme.size() > kLongestScheme ||
        !std::isalpha(static_cast<unsigned char>(scheme.front())))
        return {};
    const bool valid = std::all_of(scheme.begin(), scheme.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
    return valid ? Lower(scheme) : std::string();
}

}  // namespace radio
