#pragma once
// The directory-service client: where the service is, how requests are addressed, and the
// bounded synchronous GET both requests go through.
#include <string>
#include <string_view>

#include "classlib/system/SysUtils.h"

// A request that failed on the way (refused, reset, timed out). Its message never carries the
// address, because the address carries the password.
class EDirectoryServiceError : public cl::Exception {
public:
    using Exception::Exception;
};

// The service answered for an account it does not accept: what it said is no station list.
class EAccountRefused : public EDirectoryServiceError {
public:
    using EDirectoryServiceError::EDirectoryServiceError;
};

struct THttpReply {
    long Status = 0;
    std::wstring Text;  // the body without a byte-order mark, trimmed of characters up to the space
};

class TRadioUtils {
public:
    // True when the service accepts the stored credentials (status 200 and exactly "1"), false
    // when it answers anything else. Another status, or a page in place of an answer, raises
    // EDirectoryServiceError as a failed request does: that is no verdict on the account.
    static bool ValidateAccount();
    // The same check for the account given.
    static bool ValidateAccount(const std::string& user, const std::string& password);

    // The service's base address without a trailing "/": TREBANIX_SERVICE_URL from the
    // environment, else the one the program was built with.
    static std::string ServiceURL();
    // Percent-encodes the value's UTF-8 bytes; letters and digits stay as they are.
    static std::string EncodeQueryValue(std::string_view value);
    // "/files/video/radioserver30.html?user=..&password=..&action=11&x=<random>" and the
    // account check's "/files/video/recserver20.html?...&action=1&x=<random>", with the base.
    static std::string ChannelListURL(std::string_view user, std::string_view password, int random);
    static std::string AccountCheckURL(std::string_view user, std::string_view password, int random);

    // A GET that answers within RequestTimeoutMs or raises EDirectoryServiceError; meanwhile
    // the calling thread paints its windows and runs no other message of its own (see
    // radio/directory/PaintingWait.h), and when the call returns, whatever way, the request is over and
    // its connection closed.
    static THttpReply HttpGet(const std::string& url);
    // The body as replies and caches carry it: without a byte-order mark, trimmed of characters
    // up to the space. A view into the text: a reply runs to megabytes, not copied for this.
    static std::wstring_view TrimReply(std::wstring_view text);
    static unsigned RequestTimeoutMs;

private:
    static bool AccountAccepted(const std::string& checkURL);
};
