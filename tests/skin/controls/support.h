#pragma once
// A skin of plain coloured areas for the basic controls (one colour per state, so that a pixel
// tells which image a control shows), a form to put them on, pictures of what the form paints
// and the fake clock.
#include "skin/bases/support.h"

#include <cmath>

#include "classlib/controls/support.h"
#include "skin/data/Controls.h"

namespace controltest {

using namespace cl;
using namespace sk;

// State colours of the button areas (each area has a border of Edge around its colour).
constexpr TColor Normal = 0x303090;
constexpr TColor Hot = 0x30C0F0;
constexpr TColor Pressed = 0x903030;
constexpr TColor Disabled = 0x808080;
constexpr TColor Edge = 0x102010;
constexpr TColor PanelFill = 0x60A060;
constexpr TColor PanelEdge = 0x205020;
constexpr TColor CaptionBar = 0xA06060;

// Fills R of the picture with Fill inside a 2-pixel Border.
inline void PaintArea(TBitmap* P, const TRect& R, TColor Border, TColor Fill)
{
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x) {
            const bool edge = x < R.Left + 2 || y < R.Top + 2 || x >= R.Right - 2 || y >= R.Bottom - 2;
            P->SetPixels(x, y, edge ? Border : Fill);
        }
}

// Four 40 by 20 nine-part states at y = Top: normal, hot, pressed, disabled.
inline TskDataSkinButtonControl* AddButton(skctrltest::TTestSkin& Skin, const std::string& Name, int Top)
{
    TBitmap* p = Skin.Picture();
    const TColor fills[] = {Normal, Hot, Pressed, Disabled};
    for (int i = 0; i < 4; ++i)
        PaintArea(p, Rect(i * 40, Top, i * 40 + 40, Top + 20), Edge, fills[i]);
    auto* d = Skin.Add<TskDataSkinButtonControl>(Name);
    d->PictureIndex = 0;
    d->SkinRect = Rect(0, Top, 40, Top + 20);
    d->LTPoint = {2, 2};
    d->RTPoint = {38, 2};
    d->LBPoint = {2, 18};
    d->RBPoint = {38, 18};
    d->ClRect = Rect(2, 2, 38, 18);
    d->ActiveSkinRect = Rect(40, Top, 80, Top + 20);
    d->DownSkinRect = Rect(80, Top, 120, Top + 20);
    d->DisabledSkinRect = Rect(120, Top, 160, Top + 20);
    d->FontColor = 0x000001;
    d->ActiveFontColor = 0x000002;
    d->DownFontColor = 0x000003;
    d->DisabledFontColor = 0x000004;
    return d;
}

// A 60 by 60 nine-part panel at (0, 100): a 20-pixel caption bar, 4-pixel borders.
inline TskDataSkinPanelControl* AddPanel(skctrltest::TTestSkin& Skin, const std::string& Name)
{
    TBitmap* p = Skin.Picture();
    PaintArea(p, Rect(0, 100, 60, 160), PanelEdge, PanelFill);
    for (int y = 102; y < 120; ++y)
        for (int x = 2; x < 58; ++x)
            p->SetPixels(x, y, CaptionBar);
    auto* d = Skin.Add<TskDataSkinPanelControl>(Name);
    d->PictureIndex = 0;
    d->SkinRect = Rect(0, 100, 60, 160);
    d->LTPoint = {4, 20};
    d->RTPoint = {56, 20};
    d->LBPoint = {4, 56};
    d->RBPoint = {56, 56};
    d->ClRect = Rect(4, 20, 56, 56);
    d->CaptionRect = Rect(4, 2, 56, 18);
    return d;
}

struct TControlSkin : skctrltest::TTestSkin {
    TControlSkin()
    {
        Picture()->SetSize(200, 200);
        Picture()->Fill(clWhite);
    }
};

// What the form paints, its windowless children included.
inline std::unique_ptr<TBitmap> FormShot(TWinControl* Form)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(Form->ClientWidth(), Form->ClientHeight());
    b->Fill(0x00FF00FF);
    SendMessageA(Form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), PRF_CLIENT);
    GdiFlush();
    return b;
}

// A colour channel by channel between From (K = 0) and To (K = 1), rounded as the morph rounds.
inline TColor Blend(TColor From, TColor To, double K)
{
    TColor out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const double a = (From >> shift) & 0xFF;
        const double b = (To >> shift) & 0xFF;
        out |= static_cast<TColor>(std::nearbyint(a * (1 - K) + b * K)) << shift;
    }
    return out;
}

// How many pixels of B have the colour C.
inline int CountPixels(TBitmap* B, TColor C)
{
    int n = 0;
    for (int y = 0; y < B->Height(); ++y)
        for (int x = 0; x < B->Width(); ++x)
            n += B->Pixels(x, y) == C;
    return n;
}

inline void Press(HWND Wnd, int X, int Y) { SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y)); }
inline void Release(HWND Wnd, int X, int Y) { SendMessageA(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(X, Y)); }

}  // namespace controltest
