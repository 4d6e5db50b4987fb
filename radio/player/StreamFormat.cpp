#include "radio/player/StreamFormat.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <initializer_list>
#include <optional>

namespace radio {

namespace {

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

namespace {

bool IsAnyOf(std::string_view type, std::initializer_list<std::string_view> types)
{
    return std::find(types.begin(), types.end(), type) != types.end();
}

// What the server declared, when it declared something we know; nothing for a missing or
// generic type, which says nothing about the bytes.
std::optional<TStreamFormat> DeclaredFormat(std::string_view contentType)
{
    if (IsAnyOf(contentType, {"audio/mpeg", "audio/mp3", "audio/mpeg3", "audio/x-mpeg", "audio/x-mp3",
                              "audio/mpg", "audio/x-mpeg-3"}))
        return TStreamFormat::MaybeMpeg;
    if (IsAnyOf(contentType, {"audio/aac", "audio/aacp", "audio/x-aac", "audio/mp4"}))
        return TStreamFormat::Aac;
    if (IsAnyOf(contentType, {"application/ogg", "audio/ogg", "audio/opus"}))
        return TStreamFormat::Ogg;
    if (contentType == "audio/flac")
        return TStreamFormat::Flac;
    if (StartsWith(contentType, "text/") || StartsWith(contentType, "application/xhtml") ||
        contentType == "application/json")
        return TStreamFormat::Text;
    return std::nullopt;
}

}  // namespace

TStreamFormat SniffStreamFormat(std::string_view contentType, const std::uint8_t* data,
                                std::size_t size)
{
    // A declared type is trusted: a radio server's burst on connect starts anywhere in the
    // stream, so the first bytes may look like anything. The frame finder synchronises on
    // the real frames behind them.
    if (const auto declared = DeclaredFormat(contentType))
        return *declared;

    if (size >= 4 && std::memcmp(data, "OggS", 4) == 0)
        return TStreamFormat::Ogg;
    if (size >= 4 && std::memcmp(data, "fLaC", 4) == 0)
        return TStreamFormat::Flac;
    // ADTS: the MPEG sync word with the layer bits zero.
    if (size >= 2 && data[0] == 0xFF && (data[1] & 0xF6) == 0xF0)
        return TStreamFormat::Aac;
    std::size_t i = 0;
    while (i < size && std::isspace(data[i]))
        ++i;
    if (i < size && data[i] == '<')
        return TStreamFormat::Text;
    return TStreamFormat::MaybeMpeg;
}

std::string StreamFormatName(TStreamFormat format)
{
    switch (format) {
    case TStreamFormat::Ogg: return "Ogg";
    case TStreamFormat::Aac: return "AAC";
    case TStreamFormat::Flac: return "FLAC";
    case TStreamFormat::Text: return "a text page";
    case TStreamFormat::MaybeMpeg: break;
    }
    return "MPEG audio";
}

}  // namespace radio
