#pragma once
// Station addresses often name a playlist (.pls or .m3u) rather than the stream itself; the
// player plays the playlist's first stream.
#include <string>
#include <string_view>

namespace radio {

enum class TPlaylistKind { None, Pls, M3u };

// Decides from the first bytes of the body, then the content type, then the address's path
// (only when the server does not say that the body is audio).
TPlaylistKind DetectPlaylist(std::string_view contentType, std::string_view target,
                             std::string_view firstBytes);

// The first stream address the playlist names, as written there; empty when it names none.
std::string FirstPlaylistEntry(TPlaylistKind kind, std::string_view text);

}  // namespace radio
