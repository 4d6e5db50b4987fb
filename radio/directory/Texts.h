#pragma once
// Every text the directory-service client puts into its errors, in one place. None of them
// carries a request's address: the address carries the password.
#include <string>

#include "classlib/system/SysUtils.h"

namespace radio::directory_text {

inline const char* const kNotAStationList = "not a station list";
inline const char* const kNoStationList = "The reply holds no station list";
inline const char* const kReplyCut = "the connection was closed before the reply was complete";
inline const char* const kReplyTooLarge = "the reply is too large";
inline const char* const kBadAddress = "the service address is not an http:// or https:// address";
inline const char* const kNoNetwork = "the network is not available";
inline const char* const kAccountRefused = "The directory service does not accept the account";
inline const char* const kNoAccountAnswer = "The directory service answered the account check with a page, not with an answer";

inline std::string AnsweredWithStatus(long status)
{
    return cl::Format("The directory service answered with the error status %d", int(status));
}

inline std::string Unreachable(const std::string& reason)
{
    return cl::Format("The directory service could not be reached: %s", reason);
}

// It was reached and answered, but not with a reply that can be read.
inline std::string AnswerUnreadable(const std::string& reason)
{
    return cl::Format("The directory service answered, but its answer could not be read: %s", reason);
}

inline std::string NoAnswerWithin(unsigned ms)
{
    return cl::Format("The directory service did not answer within %d ms", int(ms));
}

inline std::string TooManyRedirections(int hops)
{
    return cl::Format("The directory service redirected the request more than %d times", hops);
}

inline std::string StationListUnreadable(const std::string& service, const std::string& reason)
{
    return cl::Format("The station list of the directory service at %s could not be read: %s", service, reason);
}

}  // namespace radio::directory_text
