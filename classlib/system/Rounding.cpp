// Rounding, truncation and the random numbers.
#include "classlib/system/SysUtils.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace cl {

namespace {

// Out-of-range values and NaN saturate instead of being undefined behaviour.
template <class T>
T Saturate(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= double(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (value >= double(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return T(value);
}

double RoundHalfEven(double value)
{
    // Not nearbyint: the rounding mode of the FPU is global state a DLL may have changed.
    double r = std::floor(value);
    double diff = value - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0))
        r += 1;
    return r;
}

}  // namespace

std::int64_t Round64(double value)
{
    return Saturate<std::int64_t>(RoundHalfEven(value));
}

int Round(double value)
{
    return Saturate<int>(RoundHalfEven(value));
}

std::int64_t Trunc64(double value)
{
    return Saturate<std::int64_t>(std::trunc(value));
}

int Trunc(double value)
{
    return Saturate<int>(std::trunc(value));
}

std::uint32_t RandSeed = 0;

void Randomize()
{
    auto t = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    RandSeed = std::uint32_t(t) ^ std::uint32_t(std::uint64_t(t) >> 32);
}

namespace {
std::uint32_t NextRandom()
{
    RandSeed = RandSeed * 0x08088405u + 1u;
    return RandSeed;
}
}  // namespace

int Random(int range)
{
    std::uint32_t next = NextRandom();
    if (range <= 0)
        return 0;
    return int((std::uint64_t(next) * std::uint64_t(std::uint32_t(range))) >> 32);
}

double Random()
{
    return double(NextRandom()) / 4294967296.0;
}

}  // namespace cl
