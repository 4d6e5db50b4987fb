#pragma once
// One GET to the directory service, made on the calling thread over our own HTTP code (the
// stream player's), so that it really ends: redirections are followed by us, at most
// kMaxDirectoryHops of them; the whole request, connection and reading included, is bounded by
// one deadline; a refused connection fails at once; and on every way out the connection is
// closed, so nothing goes on after the caller got its answer.
#include <string>

namespace radio {

constexpr int kMaxDirectoryHops = 5;

struct TDirectoryReply {
    long Status = 0;
    std::wstring Body;  // only for status 200: decoded as UTF-8, or UTF-16 after its mark
};

// Throws EDirectoryServiceError (declared in radio/directory/RadioUtils.h), whose message never holds
// the address.
TDirectoryReply DirectoryGet(const std::string& address, unsigned timeoutMs);

}  // namespace radio
