#pragma once
// Shared inside the class library's text utilities only (not for users of the library): the
// digit strings that Format and the number conversions both build, and the upper half of the
// Windows-1252 code page that the native build's case mapping and text conversions both read.
#include <cstdint>
#include <string>

namespace cl::detail {

// Value in Base (2..36), upper- or lower-case letters.
std::string Digits(std::uint64_t value, unsigned base, bool upper = true);
// Integer digits with a thousands separator every three places.
std::string WithThousands(const std::string& integerDigits);
// Fixed-point, exponent and general forms of a non-negative value.
std::string FixedDigits(double value, int decimals);
std::string ExpDigits(double value, int precision);
std::string GeneralDigits(double value, int precision);

#ifndef _WIN32
// Windows-1252 code points 0x80..0x9F (0 = undefined there).
extern const char16_t kCp1252High[32];
#endif

}  // namespace cl::detail
