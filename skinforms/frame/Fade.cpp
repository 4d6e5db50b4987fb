// The translucency of a layered form: faded in when it is shown, and changed at once while it
// is shown. Layered windows are used only on the systems the skin engine's version test names
// (IsWindowsNT5).
#include "skinforms/frame/Fade.h"

#include <algorithm>

#include "skin/drawing/System.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/frame/Messages.h"

namespace sk {

namespace {

constexpr int FadeStep = 5;

TskFrameAlphaCall& AlphaCall()
{
    static TskFrameAlphaCall call;
    return call;
}

void SetAlpha(HWND Wnd, BYTE Alpha)
{
    if (AlphaCall())
        AlphaCall()(Wnd, Alpha);
    else
        SetAlphaBlendTransparent(Wnd, Alpha);
}

bool IsLayered(HWND Wnd) { return (GetWindowLongA(Wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

void SetLayered(HWND Wnd, bool On)
{
    const LONG style = GetWindowLongA(Wnd, GWL_EXSTYLE);
    SetWindowLongA(Wnd, GWL_EXSTYLE, On ? style | WS_EX_LAYERED : style & ~WS_EX_LAYERED);
}

// A shown window that leaves its layer shows the layer's last picture until it paints again.
void LeaveLayer(HWND Wnd)
{
    SetLayered(Wnd, false);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace

void SetFrameAlphaCall(TskFrameAlphaCall Call)
{
    AlphaCall() = std::move(Call);
}

void TskSkinFrame::SetAlphaBlend(bool Value)
{
    alphaBlend_ = Value;
    ApplyTranslucency();
}

void TskSkinFrame::SetAlphaBlendValue(std::uint8_t Value)
{
    alphaBlendValue_ = Value;
    if (alphaBlend_)
        ApplyTranslucency();
}

// A hidden window takes its translucency when it is shown (StartFadeIn); values read from a
// form resource wait for that too.
void TskSkinFrame::ApplyTranslucency()
{
    if (!AtRest() || !IsWindowsNT5() || !form_->HandleAllocated() || !IsWindowVisible(form_->Handle()))
        return;
    HWND wnd = form_->Handle();
    if (Translucent()) {
        SetLayered(wnd, true);
        SetAlpha(wnd, alphaBlendValue_);
    } else if (IsLayered(wnd)) {
        LeaveLayer(wnd);
    }
}

// Fully opaque needs no layer, which costs every paint.
bool TskSkinFrame::Translucent() const { return alphaBlend_ && alphaBlendValue_ < 255 && IsWindowsNT5(); }

// Invisible at first; the timer raises the alpha once the window has been shown.
void TskSkinFrame::StartFadeIn()
{
    if (!(alphaBlend_ || AlphaBlendAnimation) || !IsWindowsNT5() || !form_->HandleAllocated())
        return;
    HWND wnd = form_->Handle();
    SetLayered(wnd, true);
    SetAlpha(wnd, 0);
    if (!fadeTimer_)
        fadeTimer_ = std::make_unique<TskWindowTimer>(form_, FadeInTimerId);
    fadeTimer_->Start(FadeInTimerInterval);
}

bool TskSkinFrame::WMTimer(cl::TMessage& Message)
{
    // The form may run a timer of that number itself.
    if (!fadeTimer_ || !fadeTimer_->IsTick(Message))
        return false;
    FadeIn();
    return true;
}

void TskSkinFrame::FadeIn()
{
    if (!form_->HandleAllocated())
        return;
    HWND wnd = form_->Handle();
    fadeTimer_->Stop();
    const int target = Translucent() ? alphaBlendValue_ : 255;
    if (AlphaBlendAnimation) {
        const cl::TAliveFlag alive = alive_;
        // The window paints itself before it begins to appear.
        cl::Application->ProcessMessages();
        if (!*alive || !form_->HandleAllocated())
            return;
        for (int alpha = 0; alpha < target;) {
            alpha = std::min(alpha + FadeStep, target);
            SetAlpha(wnd, static_cast<BYTE>(alpha));
        }
    } else if (Translucent()) {
        SetAlpha(wnd, alphaBlendValue_);
    }
    if (!Translucent())
        LeaveLayer(wnd);
}

// Hidden: a fade not yet begun is dropped, and so is any layer, also one whose translucency was
// switched off while the frame was not at rest; the show takes what the values say then.
void TskSkinFrame::EndFade()
{
    if (!form_->HandleAllocated())
        return;
    if (fadeTimer_)
        fadeTimer_->Stop();
    if (IsWindowsNT5() && IsLayered(form_->Handle()))
        SetLayered(form_->Handle(), false);
}

}  // namespace sk
