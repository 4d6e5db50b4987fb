#include "radio/StreamFormat.h"

#include <cctype>
#include <cstring>

namespace radio {

namespace {

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

TStreamFormat SniffStreamFormat(std::string_view contentType, const std::uint8_t* data,
                                std::size_t size)
{
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

    if (StartsWith(contentType, "text/") || StartsWith(contentType, "application/xhtml") ||
        contentType == "application/json")
        return TStreamFormat::Text;
    if (contentType == "audio/aac" || contentType == "audio/aacp" || contentType == "audio/x-aac" ||
        contentType == "audio/mp4")
        return TStreamFormat::Aac;
    if (contentType == "application/ogg" || contentType == "audio/ogg" ||
        contentType == "audio/opus")
        return TStreamFormat::Ogg;
    if (contentType == "audio/flac")
        return TStreamFormat::Flac;
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
