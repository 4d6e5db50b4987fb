#pragma once
// How the player thread leaves its work: a failure with the status text to show, or a request
// to stop, which is no failure and shows nothing.
#include <string>

#include "classlib/system/SysUtils.h"

namespace radio {

// The message is the status text, as the listener will read it.
class EStreamPlayerError : public cl::Exception {
public:
    using cl::Exception::Exception;
};

// The server's certificate was not one to trust; the message says why.
class ECertificateRefused : public EStreamPlayerError {
public:
    using EStreamPlayerError::EStreamPlayerError;
};

struct TStopRequested {};

}  // namespace radio
