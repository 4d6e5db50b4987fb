// The application's hints: which control's hint shows, when, and for how long.
#include <algorithm>

#include "classlib/controls/ExtCtrls.h"
#include "classlib/controls/Forms.h"

namespace cl {

namespace {
// The nearest control, from the one under the mouse outwards, that shows hints.
TControl* HintControlFor(TControl* Control)
{
    while (Control && !Control->ShowHint())
        Control = Control->Parent();
    return Control;
}

AnsiString HintOf(TControl* Control)
{
    for (; Control; Control = Control->Parent())
        if (!Control->Hint().empty())
            return Control->Hint();
    return {};
}

TRect ScreenRectOf(TControl* Control, const TRect& Client)
{
    const TPoint origin = Control->ClientToScreen({0, 0});
    return OffsetRect(Client, origin.X, origin.Y);
}
}  // namespace

void TApplication::SetShowHint(bool Value)
{
    if (Value == showHint_)
        return;
    showHint_ = Value;
    CancelHint();
    if (hintWindow_) {
        THintWindow* old = hintWindow_;
        hintWindow_ = nullptr;
        old->Free();
    }
}

void TApplication::SetHintControl(TControl* Control)
{
    if (hintControl_ == Control)
        return;
    TControl* old = hintControl_;
    hintControl_ = Control;
    if (old)
        ForgetIfUnreferenced(old);
    if (Control)
        Control->FreeNotification(this);
}

void TApplication::StartHintTimer(int Milliseconds, THintTimerMode Mode)
{
    StopHintTimer();
    if (!hintTimer_) {
        hintTimer_ = new TTimer(this);
        hintTimer_->SetEnabled(false);
        hintTimer_->OnTimer = TNotifyEvent(this, &TApplication::HintTimerExpired);
    }
    hintTimerMode_ = Mode;
    hintTimer_->SetInterval(static_cast<unsigned>(std::max(Milliseconds, 1)));
    hintTimer_->SetEnabled(true);
}

void TApplication::StopHintTimer()
{
    if (hintTimer_)
        hintTimer_->SetEnabled(false);
    hintTimerMode_ = htNone;
}

void TApplication::HintTimerExpired(TObject*)
{
    const THintTimerMode mode = hintTimerMode_;
    StopHintTimer();
    if (mode == htShow) {
        POINT p{};
        GetCursorPos(&p);
        ActivateHint({p.x, p.y});
    } else if (mode == htHide) {
        HideHint();
    }
}

void TApplication::HideHint()
{
    // The hint goes, the control stays noted: it shows again only after the mouse left it.
    StopHintTimer();
    hintActive_ = false;
    if (hintWindow_ && hintWindow_->HandleAllocated())
        hintWindow_->ReleaseHandle();
}

void TApplication::CancelHint()
{
    HideHint();
    SetHintControl(nullptr);
    hintCursorRect_ = {};
}

void TApplication::DoHintMouseMessage(TControl* Control, TMessage& Message)
{
    if (!showHint_)
        return;
    const TPoint screen = Control->ClientToScreen({Message.XPos(), Message.YPos()});
    TControl* target = HintControlFor(FindDragTarget(screen, true));
    if (!target) {
        CancelHint();
        return;
    }
    if (target == hintControl_ && PtInRect(hintCursorRect_, screen))
        return;
    const bool wasActive = hintActive_;
    CancelHint();
    SetHintControl(target);
    hintCursorRect_ = ScreenRectOf(target, target->ClientRect());
    StartHintTimer(wasActive ? hintShortPause_ : hintPause_, htShow);
}

void TApplication::ActivateHint(const TPoint& CursorPos)
{
    if (!showHint_)
        return;
    if (!hintControl_) {
        SetHintControl(HintControlFor(FindDragTarget(CursorPos, true)));
        if (!hintControl_)
            return;
    }
    TControl* control = hintControl_;
    THintInfo info;
    info.HintControl = control;
    info.HintPos = {CursorPos.X, CursorPos.Y + GetSystemMetrics(SM_CYCURSOR) * 3 / 4};
    info.HintMaxWidth = Screen->Width();
    info.HintColor = hintColor_;
    info.CursorRect = control->ClientRect();
    info.CursorPos = control->ScreenToClient(CursorPos);
    info.HideTimeout = hintHidePause_;
    info.HintStr = GetShortHint(HintOf(control));
    bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (hintControl_ != control)
        return;  // the control went while it was asked
    if (canShow && OnShowHint)
        OnShowHint(info.HintStr, canShow, info);
    if (hintControl_ != control)
        return;
    hintCursorRect_ = ScreenRectOf(control, info.CursorRect);
    if (!canShow || info.HintStr.empty()) {
        HideHint();
        return;
    }
    if (!hintWindow_)
        hintWindow_ = HintWindowClass ? HintWindowClass(this) : new THintWindow(this);
    TRect r = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    r = OffsetRect(r, info.HintPos.X, info.HintPos.Y);
    hintWindow_->SetColor(info.HintColor);
    hintWindow_->ActivateHintData(r, info.HintStr, info.HintData);
    hintActive_ = true;
    StartHintTimer(info.HideTimeout, htHide);
}

bool TApplication::CancelsHint(const MSG& Msg) const
{
    if (!hintActive_ && hintTimerMode_ == htNone)
        return false;
    switch (Msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_ACTIVATEAPP:
        return true;
    default:
        return false;
    }
}

}  // namespace cl
