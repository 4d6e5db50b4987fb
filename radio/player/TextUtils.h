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

// The length of the terminal escape sequence at the start of text (ESC and what it commands:
// a colour, a title, a cursor move), 0 when there is none. A sequence cut short runs to the end.
inline std::size_t EscapeSequenceLength(std::string_view text)
{
    if (text.size() < 2 || text[0] != '\x1b')
        return text.empty() || text[0] != '\x1b' ? 0 : 1;
    std::size_t i = 2;
    if (text[1] == '[') {
        // Parameters and intermediates up to the final byte.
        while (i < text.size() && (text[i] < 0x40 || text[i] > 0x7E))
            ++i;
        return std::min(i + 1, text.size());
    }
    if (text[1] == ']' || text[1] == 'P' || text[1] == '_' || text[1] == '^') {
        // A string up to BEL or ESC \.
        while (i < text.size() && text[i] != '\x07' && !(text[i] == '\x1b' && i + 1 < text.size() && text[i + 1] == '\\'))
            ++i;
        return std::min(i + (i < text.size() && text[i] == '\x1b' ? 2 : 1), text.size());
    }
    return 2;
}

// Text from a peer made fit to show: printable text only. Terminal escape sequences are left
// out, every run of other control characters (C1 ones too) and blanks becomes one blank, and
// what is longer than maxBytes is cut (never inside a UTF-8 sequence) and ends in "...".
inline std::string ShownText(std::string_view text, std::size_t maxBytes)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t escape = EscapeSequenceLength(text.substr(i))) {
            i += escape;
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[i]);
        // U+0080 to U+009F, written in UTF-8.
        const bool c1 = byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        const bool blank = byte < 0x20 || byte == 0x7F || byte == ' ' || c1;
        if (!blank)
            out += text[i];
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
        i += c1 ? 2 : 1;
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
