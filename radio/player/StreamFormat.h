#pragma once
// What a stream's body is, decided from the server's content type and the first bytes, so that
// a page or a stream of another codec gets a clear refusal instead of endless frame hunting.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace radio {

enum class TStreamFormat { MaybeMpeg, Ogg, Aac, Flac, Text };

// A known audio or text type decides; the first bytes are looked at only when the type is
// missing or generic (application/octet-stream, say).
TStreamFormat SniffStreamFormat(std::string_view contentType, const std::uint8_t* data,
                                std::size_t size);

// For the status text: "Ogg", "AAC", "FLAC", "a text page".
std::string StreamFormatName(TStreamFormat format);

}  // namespace radio
