#include "radio/player/HttpResponse.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "radio/player/TextUtils.h"

namespace radio {

namespace {

// A chunk-size line longer than this is not a chunk header.
constexpr std::size_t kMaxChunkLine = 1024;
// An interval outside this range is no real server's and would make stripping pathological.
constexpr std::size_t kMaxMetaInterval = 1024 * 1024;

}  // namespace

std::string THttpResponseHeader::Field(std::string_view name) const
{
    for (const auto& [key, value] : Fields)
        if (EqualNoCase(key, name))
            return value;
    return {};
}

std::string THttpResponseHeader::ContentType() const
{
    const std::string field = Field("Content-Type");
    return Lower(TrimSpace(std::string_view(field).substr(0, field.find(';'))));
}

bool THttpResponseHeader::Chunked() const
{
    return Lower(Field("Transfer-Encoding")).find("chunked") != std::string::npos;
}

std::optional<std::uint64_t> THttpResponseHeader::ContentLength() const
{
    const std::string text(TrimSpace(Field("Content-Length")));
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::size_t THttpResponseHeader::IcyMetaInterval() const
{
    const std::string text(TrimSpace(Field("icy-metaint")));
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value > kMaxMetaInterval)
        return 0;
    return value;
}

bool THttpResponseHeader::IsRedirect() const
{
    return StatusCode == 301 || StatusCode == 302 || StatusCode == 303 || StatusCode == 307 ||
           StatusCode == 308;
}

std::size_t FindHeaderEnd(std::string_view data)
{
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (data[i] != '\n')
            continue;
        if (i + 1 < data.size() && data[i + 1] == '\n')
            return i + 2;
        if (i + 2 < data.size() && data[i + 1] == '\r' && data[i + 2] == '\n')
            return i + 3;
    }
    return 0;
}

std::optional<THttpResponseHeader> ParseHttpResponseHeader(std::string_view block)
{
    THttpResponseHeader header;
    bool first = true;
    while (!block.empty()) {
        const std::size_t eol = block.find('\n');
        std::string_view line = block.substr(0, eol);
        block = eol == std::string_view::npos ? std::string_view{} : block.substr(eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (first) {
            first = false;
            const std::size_t space = line.find(' ');
            if (space == std::string_view::npos)
                return std::nullopt;
            header.Protocol = std::string(line.substr(0, space));
            if (header.Protocol != "ICY" && header.Protocol.rfind("HTTP/", 0) != 0)
                return std::nullopt;
            std::string_view rest = TrimSpace(line.substr(space + 1));
            const auto [end, error] =
                std::from_chars(rest.data(), rest.data() + rest.size(), header.StatusCode);
            if (error != std::errc() || end - rest.data() != 3)
                return std::nullopt;
            header.Reason = std::string(TrimSpace(rest.substr(3)));
            continue;
        }
        if (TrimSpace(line).empty())
            break;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0)
            continue;  // a line no field: servers of radio streams send odd things
        header.Fields.emplace_back(TrimSpace(line.substr(0, colon)),
                                   TrimSpace(line.substr(colon + 1)));
    }
    if (first)
        return std::nullopt;
    return header;
}

bool THttpChunkedDecoder::Feed(const std::uint8_t* data, std::size_t size,
                               std::vector<std::uint8_t>& out)
{
    const std::uint8_t* end = data + size;
    while (data < end && state_ != State::Done) {
        switch (state_) {
        case State::SizeLine:
        case State::Trailer: {
            const char c = static_cast<char>(*data++);
            if (state_ == State::Trailer && ++trailerBytes_ > kMaxHttpHeaderBytes)
                return false;
            if (c != '\n') {
                if (line_.size() >= kMaxChunkLine)
                    return false;
                line_ += c;
                break;
            }
            std::string_view line = TrimSpace(line_);
            if (state_ == State::Trailer) {
                if (line.empty())
                    state_ = State::Done;
                line_.clear();
                break;
            }
            line = line.substr(0, line.find(';'));  // chunk extensions
            std::uint64_t length = 0;
            const auto [stop, error] =
                std::from_chars(line.data(), line.data() + line.size(), length, 16);
            if (line.empty() || error != std::errc() || stop != line.data() + line.size())
                return false;
            line_.clear();
            left_ = length;
            state_ = length == 0 ? State::Trailer : State::Data;
            break;
        }
        case State::Data: {
            const std::size_t take = static_cast<std::size_t>(
                std::min<std::uint64_t>(left_, static_cast<std::uint64_t>(end - data)));
            out.insert(out.end(), data, data + take);
            data += take;
            left_ -= take;
            if (left_ == 0)
                state_ = State::DataEnd;
            break;
        }
        case State::DataEnd: {
            // The line break after the data: "\r\n", or a bare "\n".
            const char c = static_cast<char>(*data++);
            if (c == '\n')
                state_ = State::SizeLine;
            else if (c != '\r')
                return false;
            break;
        }
        case State::Done:
            break;
        }
    }
    return true;
}

}  // namespace radio
