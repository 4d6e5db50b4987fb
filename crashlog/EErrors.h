#pragma once
// The logger's own error classes.
#include <stdexcept>
#include <string>

namespace crashlog {

class EVozozoError : public std::runtime_error {
public:
    explicit EVozozoError(const std::string& message) : std::runtime_error(message) {}
};

// Reading logger data past its end or with a bad length.
class EReadError : public EVozozoError {
public:
    using EVozozoError::EVozozoError;
};

class EOptionsError : public EVozozoError {
public:
    using EVozozoError::EVozozoError;
};

class EHookError : public EVozozoError {
public:
    using EVozozoError::EVozozoError;
};
class EProcNull : public EHookError {
public:
    using EHookError::EHookError;
};
class EHookingError : public EHookError {
public:
    using EHookError::EHookError;
};
class ESharedArea : public EHookError {
public:
    using EHookError::EHookError;
};

}  // namespace crashlog
