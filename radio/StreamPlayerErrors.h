#pragma once
// How the player thread leaves its work: a failure with the status text to show, or a request
// to stop, which is no failure and shows nothing.
#include <stdexcept>
#include <string>

namespace radio {

class EStreamPlayerError : public std::runtime_error {
public:
    explicit EStreamPlayerError(const std::string& status) : std::runtime_error(status) {}
};

struct TStopRequested {};

}  // namespace radio
