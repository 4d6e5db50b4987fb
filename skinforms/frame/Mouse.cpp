// How the mouse reaches the caption objects, the hover, morph and animation timers, and menu
// mode.
#include "skinforms/frame/Frame.h"
#include "skinforms/controls/Hint.h"
#include "skinforms/frame/Messages.h"

namespace sk {

namespace {

bool Contains(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.Y >= R.Top && P.X < R.Right && P.Y < R.Bottom;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Mouse routing

// The caption object may span the whole caption, buttons included: the buttons lie above it.
int TskSkinFrame::ObjectAt(TPoint P) const
{
    int caption = -1;
    for (int i = 0; i < ObjectCount(); ++i) {
        TskActiveSkinObject* o = Objects(i);
        if (!o->Enabled || !o->Visible || !Contains(o->ObjectRect, P))
            continue;
        if (!dynamic_cast<TskSkinCaptionObject*>(o))
            return i;
        if (caption == -1)
            caption = i;
    }
    return caption;
}

void TskSkinFrame::TestActive(int X, int Y, bool InFrame)
{
    if (objects_.empty() || !IsActive())
        return;
    OldActiveObject = ActiveObject;
    const int hit = ObjectAt({X, Y});
    int next = hit != -1 && InFrame ? hit : -1;
    if (CaptureObject != -1 && next != CaptureObject)
        next = -1;
    if (next >= ObjectCount())
        next = -1;
    ActiveObject = next;
    if (ActiveObject == OldActiveObject)
        return;
    const cl::TAliveFlag alive = alive_;
    if (OldActiveObject >= 0 && OldActiveObject < ObjectCount()) {
        TskActiveSkinObject* old = Objects(OldActiveObject);
        // The hint goes with the pointer even from an object that was disabled meanwhile.
        if (!old->Hint.empty())
            HideObjectHint();
        if (old->Enabled && old->Visible)
            old->MouseLeave();
    }
    if (!*alive || ActiveObject < 0 || ActiveObject >= ObjectCount())
        return;
    Objects(ActiveObject)->MouseEnter();
    // The enter event may have changed the skin, and with it the objects.
    if (!*alive || ActiveObject < 0 || ActiveObject >= ObjectCount())
        return;
    ShowObjectHintFor(Objects(ActiveObject)->Hint);
}

void TskSkinFrame::ObjectMouseMove(TPoint P)
{
    const int index = CaptureObject != -1 ? CaptureObject : ActiveObject;
    if (index >= 0 && index < ObjectCount())
        Objects(index)->MouseMove(P.X, P.Y);
}

void TskSkinFrame::ObjectMouseDown(TPoint P, cl::TMouseButton Button)
{
    if (ActiveObject < 0 || ActiveObject >= ObjectCount())
        return;
    TskActiveSkinObject* o = Objects(ActiveObject);
    if (!dynamic_cast<TskSkinCaptionObject*>(o) && form_->HandleAllocated())
        SetCapture(form_->Handle());
    CaptureObject = ActiveObject;
    o->MouseDown(P.X, P.Y, Button);
}

void TskSkinFrame::ObjectMouseUp(TPoint P, cl::TMouseButton Button)
{
    if (CaptureObject < 0 || CaptureObject >= ObjectCount())
        return;
    const cl::TAliveFlag alive = alive_;
    // The hover poll may not have seen the mouse leave: the release asks where it really is.
    POINT cursor{};
    if (GetCursorPos(&cursor)) {
        const TPoint p = ScreenToFrame({cursor.x, cursor.y});
        TestActive(p.X, p.Y, true);
        if (!*alive || CaptureObject < 0 || CaptureObject >= ObjectCount())
            return;
    }
    TskActiveSkinObject* o = Objects(CaptureObject);
    if (!dynamic_cast<TskSkinCaptionObject*>(o))
        ReleaseCapture();
    CaptureObject = -1;
    o->MouseUp(P.X, P.Y, Button);
}

void TskSkinFrame::ObjectDblClick()
{
    if (ActiveObject >= 0 && ActiveObject < ObjectCount())
        Objects(ActiveObject)->DblClick();
}

void TskSkinFrame::ResetObjects()
{
    for (auto& o : objects_)
        o->ResetState();
}

TRect TskSkinFrame::ObjectScreenRect(const TskActiveSkinObject* Object) const
{
    RECT w{};
    if (form_->HandleAllocated())
        GetWindowRect(form_->Handle(), &w);
    const TRect& r = Object->ObjectRect;
    return cl::Rect(r.Left + w.left, r.Top + w.top, r.Right + w.left, r.Bottom + w.top);
}

// ---------------------------------------------------------------------------------------------
// Timers

void TskSkinFrame::StartMorphTimer()
{
    if (morphTimer_)
        morphTimer_->SetEnabled(true);
}

void TskSkinFrame::StartAnimationTimer()
{
    if (animationTimer_)
        animationTimer_->SetEnabled(true);
}

void TskSkinFrame::HoverTimerTick(cl::TObject*)
{
    // The poll only notices the pointer leaving an object. With no object hot or held, or the
    // form not active, there is nothing to notice: it stops, and the next hit test over an
    // object starts it again. Left running, every framed window (hidden ones too) would wake
    // the program twenty times a second for nothing. It follows the pointer only where the hit
    // test answers "object", the answer that starts it: on the caption bar the platform tracks
    // the pointer, and a caption kept hot there would keep the poll running while the pointer
    // rests.
    if (!IsActive() || inSizeMove_) {
        hoverTimer_->SetEnabled(false);
        return;
    }
    POINT cursor{};
    if (!GetCursorPos(&cursor) || !form_->HandleAllocated())
        return;
    POINT client = cursor;
    ScreenToClient(form_->Handle(), &client);
    const TRect cr = form_->ClientRect();
    const cl::TAliveFlag alive = alive_;
    const TPoint p = ScreenToFrame({cursor.x, cursor.y});
    if (!Contains(cr, {client.x, client.y}) && HitTest(p) == HTOBJECT)
        TestActive(p.X, p.Y, true);
    else if (ActiveObject != -1)
        TestActive(-1, -1, true);
    if (*alive && ActiveObject == -1 && CaptureObject == -1 && hoverTimer_)
        hoverTimer_->SetEnabled(false);
}

void TskSkinFrame::MorphTimerTick(cl::TObject*)
{
    const cl::TAliveFlag alive = alive_;
    bool stepped = false;
    for (int i = 0; i < ObjectCount() && *alive; ++i) {
        TskActiveSkinObject* o = Objects(i);
        if (!o->EnableMorphing() || !o->CanMorphing())
            continue;
        o->StepMorph();
        o->ReDrawObject();
        stepped = true;
    }
    if (*alive && !stepped && morphTimer_)
        morphTimer_->SetEnabled(false);
}

void TskSkinFrame::AnimationTimerTick(cl::TObject*)
{
    const cl::TAliveFlag alive = alive_;
    bool stepped = false;
    for (int i = 0; i < ObjectCount() && *alive; ++i) {
        if (auto* a = dynamic_cast<TskSkinAnimateObject*>(Objects(i))) {
            if (!a->Active || (a->Down && !IsNullRect(a->DownSkinRect)))
                continue;
            stepped = a->Step() || stepped;
        } else if (auto* c = dynamic_cast<TskSkinCaptionObject*>(Objects(i))) {
            if (c->HasAnimation())
                stepped = c->StepAnimation() || stepped;
        }
    }
    if (*alive && !stepped && animationTimer_)
        animationTimer_->SetEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Menu mode

void TskSkinFrame::SkinMenuOpen()
{
    // Also a menu opened from the keyboard, which sends none of the messages that close hints.
    HideObjectHint();
    if (menuMode_)
        menuMode_->Enter();
    if (!inSkinMenu_) {
        inSkinMenu_ = true;
        if (OnSkinMenuOpen)
            OnSkinMenuOpen(this);
    }
}

void TskSkinFrame::SkinMenuClose()
{
    const bool wasOpen = inSkinMenu_;
    inSkinMenu_ = false;
    if (TskActiveSkinObject* o = MenuObject) {
        MenuObject = nullptr;
        if (auto* b = dynamic_cast<TskSkinButtonObject*>(o)) {
            if (b->Down)
                b->SetDown(false);
        } else if (auto* a = dynamic_cast<TskSkinAnimateObject*>(o)) {
            a->MenuOpen = false;
            a->Active = true;
            a->Increment = false;
            StartAnimationTimer();
        }
    }
    if (menuMode_)
        menuMode_->Leave();
    if (wasOpen && OnSkinMenuClose)
        OnSkinMenuClose(this);
    MainMenuBarMenuClosed();
}

void TskSkinFrame::ShortCut(cl::TMessage& Msg, bool& Handled)
{
    // Alt+Space opens the skinned system menu in place of the native one.
    const bool alt = (Msg.LParam & (1 << 29)) != 0;
    if (Msg.WParam == VK_SPACE && alt) {
        TRect r;
        for (auto& o : objects_)
            if (auto* b = dynamic_cast<TskSkinStdButtonObject*>(o.get()); b && b->Command == cmSysMenu && b->Visible)
                r = ObjectScreenRect(b);
        if (IsNullRect(r)) {
            RECT w{};
            GetWindowRect(form_->Handle(), &w);
            r = cl::Rect(w.left, w.top, w.left, w.top);
        }
        OpenSystemMenu(r);
        Handled = true;
        return;
    }
    if (MainMenuBarShortCut(Msg))
        Handled = true;
}

}  // namespace sk
