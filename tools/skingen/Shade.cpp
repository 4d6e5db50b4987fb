#include "Shade.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

// A fixed hash, so that the brushed-metal grain is the same on every run.
int grain(int i)
{
    unsigned v = static_cast<unsigned>(i) * 2654435761u;
    v ^= v >> 15;
    v *= 2246822519u;
    v ^= v >> 13;
    return static_cast<int>(v % 9) - 4;
}

Rgb offset(Rgb c, int d)
{
    auto ch = [d](int v) { return static_cast<std::uint8_t>(std::clamp(v + d, 0, 255)); };
    return {ch(c.r), ch(c.g), ch(c.b)};
}

}  // namespace

Rgb shadeAt(const Ramp& ramp, FillKind fill, int i, int n)
{
    const double t = n <= 1 ? 0.0 : static_cast<double>(i) / (n - 1);
    switch (fill) {
    case FillKind::Flat:
        return mix(ramp.top, ramp.bottom, 0.5);
    case FillKind::Gradient:
        return mix(ramp.top, ramp.bottom, t);
    case FillKind::Glass: {
        // A bright upper half over a deeper lower half that brightens again towards the edge.
        const double split = 0.48;
        if (t < split) return mix(lighten(ramp.top, 0.35), lighten(ramp.top, 0.10), t / split);
        return mix(ramp.bottom, mix(ramp.bottom, ramp.top, 0.7), (t - split) / (1 - split));
    }
    case FillKind::Metallic: {
        const double band = 0.5 + 0.5 * std::cos(t * 3.14159 * 2.0);
        return offset(mix(mix(ramp.top, ramp.bottom, t), lighten(ramp.top, 0.3), band * 0.35), grain(i));
    }
    case FillKind::Stripes: {
        const Rgb base = mix(ramp.top, ramp.bottom, t);
        return (i % 4) < 2 ? lighten(base, 0.10) : base;
    }
    }
    return ramp.top;
}

Ramp shadeExtremes(const Ramp& ramp, FillKind fill, int n)
{
    Ramp out{shadeAt(ramp, fill, 0, n), shadeAt(ramp, fill, 0, n)};
    for (int i = 1; i < n; ++i) {
        const Rgb c = shadeAt(ramp, fill, i, n);
        if (relativeLuminance(c) < relativeLuminance(out.top)) out.top = c;
        if (relativeLuminance(c) > relativeLuminance(out.bottom)) out.bottom = c;
    }
    return out;
}

}  // namespace skingen
