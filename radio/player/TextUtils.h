#pragma once
// The ASCII text helpers that the stream readers (addresses, playlists, HTTP headers) share.
// Protocol words are ASCII, so the C locale's classification is enough and a byte above 127 is
// never folded.
#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace radio {

inline std::string_view TrimSpace(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

inline std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

inline bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Text from a peer made fit to show: every run of control characters and blanks becomes one
// blank, and what is longer than maxBytes is cut (never inside a UTF-8 sequence) and ends in "...".
inline std::string ShownText(std::string_view text, std::size_t maxBytes)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool blank = byte < 0x20 || byte == 0x7F || byte == ' ';
        if (!blank)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    if (out.size() <= maxBytes)
        return out;
    std::size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
        --cut;
    out.resize(cut);
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out + "...";
}

}  // namespace radio
