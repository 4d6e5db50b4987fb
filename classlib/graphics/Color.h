#pragma once
// Colours as the layer stores them: 0x00BBGGRR for a fixed colour; a value with a non-zero high
// byte names a system colour by its low byte (skins store either 0x80.. or 0xFF.. as the flag).
#include <cstdint>

namespace cl {

using TColor = std::int32_t;

constexpr TColor SystemColorFlag = static_cast<TColor>(0x80000000u);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

// Neither is a system colour: "no colour" and "the owner's default".
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = SystemColorFlag | 0;
constexpr TColor clBackground = SystemColorFlag | 1;
constexpr TColor clActiveCaption = SystemColorFlag | 2;
constexpr TColor clInactiveCaption = SystemColorFlag | 3;
constexpr TColor clMenu = SystemColorFlag | 4;
constexpr TColor clWindow = SystemColorFlag | 5;
constexpr TColor clWindowFrame = SystemColorFlag | 6;
constexpr TColor clMenuText = SystemColorFlag | 7;
constexpr TColor clWindowText = SystemColorFlag | 8;
constexpr TColor clCaptionText = SystemColorFlag | 9;
constexpr TColor clActiveBorder = SystemColorFlag | 10;
constexpr TColor clInactiveBorder = SystemColorFlag | 11;
constexpr TColor clAppWorkSpace = SystemColorFlag | 12;
constexpr TColor clHighlight = SystemColorFlag | 13;
constexpr TColor clHighlightText = SystemColorFlag | 14;
constexpr TColor clBtnFace = SystemColorFlag | 15;
constexpr TColor clBtnShadow = SystemColorFlag | 16;
constexpr TColor clGrayText = SystemColorFlag | 17;
constexpr TColor clBtnText = SystemColorFlag | 18;
constexpr TColor clInactiveCaptionText = SystemColorFlag | 19;
constexpr TColor clBtnHighlight = SystemColorFlag | 20;
constexpr TColor cl3DDkShadow = SystemColorFlag | 21;
constexpr TColor cl3DLight = SystemColorFlag | 22;
constexpr TColor clInfoText = SystemColorFlag | 23;
constexpr TColor clInfoBk = SystemColorFlag | 24;

bool IsSystemColor(TColor Color);

// The fixed 0x00BBGGRR value; system colours come from the platform (natively: the classic
// Windows defaults). clNone and clDefault pass through unchanged.
TColor ColorToRGB(TColor Color);

constexpr std::uint8_t GetRed(TColor Color) { return static_cast<std::uint8_t>(Color & 0xFF); }
constexpr std::uint8_t GetGreen(TColor Color) { return static_cast<std::uint8_t>((Color >> 8) & 0xFF); }
constexpr std::uint8_t GetBlue(TColor Color) { return static_cast<std::uint8_t>((Color >> 16) & 0xFF); }
constexpr TColor RGBColor(std::uint8_t R, std::uint8_t G, std::uint8_t B)
{
    return static_cast<TColor>(R | (G << 8) | (B << 16));
}

}  // namespace cl
