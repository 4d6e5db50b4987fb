#include "radio/player/Playlist.h"

#include <cctype>
#include <charconv>
#include <climits>

#include "radio/player/TextUtils.h"

namespace radio {

namespace {

std::string_view SkipBom(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return text;
}

bool EndsWith(std::string_view s, std::string_view suffix)
{
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// Calls take(line) for each line until it returns true.
template <class F>
void ForEachLine(std::string_view text, F take)
{
    while (!text.empty()) {
        const std::size_t eol = text.find_first_of("\r\n");
        if (take(TrimSpace(text.substr(0, eol))) || eol == std::string_view::npos)
            return;
        text.remove_prefix(eol + 1);
    }
}

}  // namespace

TPlaylistKind DetectPlaylist(std::string_view contentType, std::string_view target,
                             std::string_view firstBytes)
{
    const std::string head = Lower(TrimSpace(SkipBom(firstBytes)).substr(0, 16));
    if (head.rfind("[playlist]", 0) == 0)
        return TPlaylistKind::Pls;
    if (head.rfind("#extm3u", 0) == 0)
        return TPlaylistKind::M3u;

    const std::string type = Lower(contentType);
    if (type == "audio/x-scpls" || type == "application/pls+xml")
        return TPlaylistKind::Pls;
    if (type == "audio/x-mpegurl" || type == "audio/mpegurl" || type == "application/x-mpegurl" ||
        type == "application/vnd.apple.mpegurl")
        return TPlaylistKind::M3u;
    if (type.rfind("audio/", 0) == 0 || type == "application/ogg")
        return TPlaylistKind::None;

    const std::string path = Lower(target.substr(0, target.find('?')));
    if (EndsWith(path, ".pls"))
        return TPlaylistKind::Pls;
    if (EndsWith(path, ".m3u") || EndsWith(path, ".m3u8"))
        return TPlaylistKind::M3u;
    return TPlaylistKind::None;
}

std::string FirstPlaylistEntry(TPlaylistKind kind, std::string_view text)
{
    text = SkipBom(text);
    std::string found;
    if (kind == TPlaylistKind::M3u) {
        ForEachLine(text, [&](std::string_view line) {
            if (line.empty() || line.front() == '#')
                return false;
            found = std::string(line);
            return true;
        });
    } else if (kind == TPlaylistKind::Pls) {
        // "File<n>=address": entries may come in any order; the lowest number is the first.
        int best = INT_MAX;
        ForEachLine(text, [&](std::string_view line) {
            const std::size_t eq = line.find('=');
            if (eq == std::string_view::npos || Lower(line.substr(0, 4)) != "file")
                return false;
            const std::string_view number = TrimSpace(line.substr(4, eq - 4));
            int n = 0;
            const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), n);
            const std::string_view value = TrimSpace(line.substr(eq + 1));
            if (error == std::errc() && end == number.data() + number.size() && n < best &&
                !value.empty()) {
                best = n;
                found = std::string(value);
            }
            return false;
        });
    }
    return found;
}

}  // namespace radio
