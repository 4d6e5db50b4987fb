#include "classlib/graphics/Color.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace cl {

bool IsSystemColor(TColor Color)
{
    return Color != clNone && Color != clDefault && (static_cast<std::uint32_t>(Color) & 0xFF000000u) != 0;
}

#ifndef _WIN32
namespace {
// The classic Windows scheme, so that the host build resolves system colours the same way
// an unthemed Windows does.
constexpr TColor ClassicSystemColors[] = {
    0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
    0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
    0xE1FFFF,
};
}  // namespace
#endif

TColor ColorToRGB(TColor Color)
{
    if (!IsSystemColor(Color))
        return Color;
    const int index = Color & 0xFF;
#ifdef _WIN32
    return static_cast<TColor>(GetSysColor(index) & 0x00FFFFFF);
#else
    constexpr int count = sizeof(ClassicSystemColors) / sizeof(ClassicSystemColors[0]);
    return index < count ? ClassicSystemColors[index] : clBlack;
#endif
}

}  // namespace cl
