#pragma once
// The body of a stream server's reply, read on the player thread over our own socket (with
// the system's TLS on it for https://).
#include <cstdint>
#include <vector>

#include "radio/player/HttpResponse.h"

namespace radio {

class TStreamSource {
public:
    virtual ~TStreamSource() = default;
    virtual const THttpResponseHeader& Header() const = 0;
    // Appends the next body bytes (de-chunked) to out; false at the end of the body.
    virtual bool Read(std::vector<std::uint8_t>& out) = 0;
    // After Read said the body ended: whether it ended where the header said it would (its
    // length, or the last chunk), as opposed to a connection closed in the middle of it.
    virtual bool Complete() const = 0;
};

}  // namespace radio
