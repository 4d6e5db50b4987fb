// The window states the frame keeps itself, since the form has no system caption: normal,
// minimized and maximized, the roll-up to the caption, and the commands of the caption
// buttons and the system menu that switch between them.
#include "skinforms/frame/Frame.h"
#include "skin/controls/StatusBar.h"
#include "skinforms/frame/WorkArea.h"

namespace sk {

bool TskSkinFrame::IsMainForm() const { return cl::Application && cl::Application->MainForm() == form_; }

TskMonitorAreas TskSkinFrame::MonitorAreas() const
{
    return GetFrameMonitorAreas(form_->HandleAllocated() ? form_->Handle() : nullptr);
}

void TskSkinFrame::SetFormBounds(const TRect& R) { form_->SetBounds(R.Left, R.Top, R.Width(), R.Height()); }

// Only the first of several changes away from normal is remembered.
void TskSkinFrame::SaveRestoreBounds()
{
    if (restoreSaved_)
        return;
    restoreBounds_ = form_->BoundsRect();
    restoreSaved_ = true;
}

void TskSkinFrame::SetStatusBar(TskSkinStatusBar* Value)
{
    statusBar_.Set(Value);
}

void TskSkinFrame::AllowSizeGrip(bool Value)
{
    if (statusBar_ && statusBar_->SizeGrip())
        statusBar_->SetGripAllowed(Value);
}

// ---------------------------------------------------------------------------------------------
// Commands

void TskSkinFrame::RunCaptionCommand(TskStdCommand Command)
{
    switch (Command) {
    case cmClose: DoClose(); break;
    case cmMaximize: DoMaximize(); break;
    case cmMinimize: DoMinimize(); break;
    case cmRollUp: DoRollUp(); break;
    case cmMinimizeToTray: DoMinimizeToTray(); break;
    case cmSysMenu:
    case cmDefault: break;
    }
}

void TskSkinFrame::DoClose()
{
    // A form freed by its close is released later, after this handler has returned.
    form_->Close();
}

void TskSkinFrame::DoMaximize() { SetWindowState(WindowState == fwsMaximized ? fwsNormal : fwsMaximized); }

void TskSkinFrame::DoMinimize()
{
    // Without a tray icon there is no tray to go to: the window minimizes as usual.
    if (AlwaysMinimizeToTray && trayIcon_)
        MinimizeToTray();
    else
        SetWindowState(WindowState == fwsMinimized ? fwsNormal : fwsMinimized);
}

void TskSkinFrame::DoRollUp() { RollUp(!RolledUp); }

void TskSkinFrame::DoMinimizeToTray() { MinimizeToTray(); }

void TskSkinFrame::DoRestore()
{
    // A roll-up made before maximizing cannot be undone while maximized: that restores.
    const bool unroll = RolledUp && (WindowState == fwsNormal || (WindowState == fwsMaximized && MaximizedRolledUp));
    if (unroll)
        RollUp(false);
    else
        SetWindowState(fwsNormal);
}

void TskSkinFrame::CaptionDblClick()
{
    const bool sizeable = Sizeable();
    if (sizeable && WindowState == fwsMinimized)
        SetWindowState(fwsNormal);
    else if (sizeable && WindowState != fwsMaximized && !RolledUp && borderIcons_.Contains(biMaximize))
        SetWindowState(fwsMaximized);
    else if (sizeable && WindowState == fwsMaximized && !MaximizedRolledUp)
        SetWindowState(fwsNormal);
    else
        RollUp(!RolledUp);
}

// ---------------------------------------------------------------------------------------------
// States

void TskSkinFrame::SetWindowState(TskFrameState S)
{
    if (S == WindowState)
        return;
    // An MDI child's states are its client's to give.
    if (form_->FormStyle() == cl::fsMDIChild)
        return SetMDIChildState(S);
    switch (S) {
    case fwsNormal:
        WindowState = fwsNormal;
        Restore();
        break;
    case fwsMinimized:
        // The main form goes with the application and keeps its own state.
        if (!IsMainForm())
            WindowState = fwsMinimized;
        Minimize();
        break;
    case fwsMaximized:
        WindowState = fwsMaximized;
        Maximize();
        break;
    }
}

void TskSkinFrame::Restore()
{
    MaximizedRolledUp = false;
    TRect target = restoreSaved_ ? restoreBounds_ : form_->BoundsRect();
    const TskMonitorAreas areas = MonitorAreas();
    if (firstShow_) {
        // Never shown in the normal state: placed now as a first show would have placed it.
        firstShow_ = false;
        if (PositionInMonitor == skpDesktopCenter)
            target = CenteredBounds(areas.WorkArea, target.Width(), target.Height());
        else if (PositionInMonitor == skpScreenCenter)
            target = CenteredBounds(areas.Monitor, target.Width(), target.Height());
    }
    // The work area may have changed meanwhile (a task bar moved, a smaller monitor).
    target = KeptInside(target, areas.WorkArea);
    const bool sameSize = target.Width() == form_->Width() && target.Height() == form_->Height();
    SetFormBounds(target);
    if (hoverTimer_)
        hoverTimer_->SetEnabled(true);
    if (sameSize)
        FitLayout();
    form_->Invalidate();
    SendNCPaint();
    restoreSaved_ = false;
    restoreBounds_ = {};
    AllowSizeGrip(true);
    if (OnRestore)
        OnRestore(this);
}

void TskSkinFrame::Minimize()
{
    if (IsMainForm()) {
        cl::Application->Minimize();
    } else {
        SaveRestoreBounds();
        SetFormBounds(MinimizedPlace());
    }
    if (OnMinimize)
        OnMinimize(this);
}

void TskSkinFrame::Maximize()
{
    SaveRestoreBounds();
    const TRect target = MaximizedBounds(MonitorAreas(), MaximizeOnFullScreen);
    const bool sameSize = target.Width() == form_->Width() && target.Height() == form_->Height();
    SetFormBounds(target);
    if (sameSize)
        FitLayout();
    AllowSizeGrip(false);
    const cl::TAliveFlag alive = alive_;
    if (OnMaximize)
        OnMaximize(this);
    // A handler that sent the window away (a compact window swapped for the full one) would
    // otherwise bring it back later as large as the monitor: it comes back in its normal frame.
    if (*alive && WindowState == fwsMaximized && !form_->Visible() && restoreSaved_) {
        WindowState = fwsNormal;
        SetFormBounds(restoreBounds_);
        restoreSaved_ = false;
        restoreBounds_ = {};
        AllowSizeGrip(true);
    }
}

void TskSkinFrame::RollUp(bool Value)
{
    if (!borderIcons_.Contains(biRollUp) || WindowState == fwsMinimized || Value == RolledUp)
        return;
    if (RolledUp && WindowState == fwsMaximized && !MaximizedRolledUp)
        return;
    if (WindowState == fwsMaximized)
        MaximizedRolledUp = Value;
    // Set first: the minimum height the window may take depends on it.
    RolledUp = Value;
    if (Value) {
        heightBeforeRollUp_ = form_->Height();
        form_->SetHeight(GetMinHeight());
    } else {
        form_->SetHeight(heightBeforeRollUp_);
    }
    SendNCPaint();
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

}  // namespace sk
