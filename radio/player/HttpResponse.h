#pragma once
// The reply header of a stream server: HTTP/1.x, or the "ICY 200 OK" of older radio servers,
// with icy-* fields, chunked or not, mostly without a length. Also the chunked body decoder.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace radio {

// The room for a reply's status line and fields together, and for a chunked body's trailer: a
// server that sends more is refused, however slowly or quickly it sends.
constexpr std::size_t kMaxHttpHeaderBytes = 16 * 1024;

struct THttpResponseHeader {
    std::string Protocol;  // "HTTP/1.1", "HTTP/1.0" or "ICY"
    int StatusCode = 0;
    std::string Reason;
    std::vector<std::pair<std::string, std::string>> Fields;

    // The first field of that name, compared without case; empty when absent.
    std::string Field(std::string_view name) const;
    // Lower case, without parameters ("audio/mpeg" from "Audio/MPEG; charset=x").
    std::string ContentType() const;
    bool Chunked() const;
    // The declared body length; nothing when absent or not a plain decimal number.
    std::optional<std::uint64_t> ContentLength() const;
    // The metadata interval in bytes; 0 when absent or not a sane number.
    std::size_t IcyMetaInterval() const;
    bool IsRedirect() const;
};

// Servers end the header with an empty line, some with bare "\n". Returns the header's length
// including that line, or 0 while it is incomplete.
std::size_t FindHeaderEnd(std::string_view data);

// Nothing when the status line is neither "HTTP/x.y NNN ..." nor "ICY NNN ...".
std::optional<THttpResponseHeader> ParseHttpResponseHeader(std::string_view block);

class THttpChunkedDecoder {
public:
    // Appends the payload found in [data, data + size) to out; false on a malformed chunk or
    // an oversized trailer (TrailerTooLarge then tells which).
    bool Feed(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out);
    bool Finished() const { return state_ == State::Done; }
    // Within a chunk's data; otherwise what comes is framing: a chunk-size line or the trailer.
    bool InData() const { return state_ == State::Data; }
    bool TrailerTooLarge() const { return trailerBytes_ > kMaxHttpHeaderBytes; }

private:
    enum class State { SizeLine, Data, DataEnd, Trailer, Done };
    State state_ = State::SizeLine;
    std::string line_;
    std::uint64_t left_ = 0;
    std::size_t trailerBytes_ = 0;
};

}  // namespace radio
