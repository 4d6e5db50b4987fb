// The caption buttons' commands.
//
// The window states of the frame (its own maximize to the work area, minimize to a caption
// strip, roll-up, the tray) are not built yet: until they are, maximize and minimize ask the
// system and keep WindowState in step, roll-up and the tray do nothing.
#include "skinforms/skSkinFrame.h"

namespace sk {

void TskSkinFrame::DoClose()
{
    // A form freed by its close is released later, after this handler has returned.
    form_->Close();
}

void TskSkinFrame::DoMaximize()
{
    if (!form_->HandleAllocated())
        return;
    const bool restore = WindowState == fwsMaximized;
    WindowState = restore ? fwsNormal : fwsMaximized;
    ShowWindow(form_->Handle(), restore ? SW_RESTORE : SW_MAXIMIZE);
    if (!restore && OnMaximize)
        OnMaximize(this);
}

void TskSkinFrame::DoMinimize()
{
    if (cl::Application && cl::Application->MainForm() == form_) {
        cl::Application->Minimize();
    } else if (form_->HandleAllocated()) {
        ShowWindow(form_->Handle(), SW_MINIMIZE);
    }
    if (OnMinimize)
        OnMinimize(this);
}

void TskSkinFrame::DoRollUp() {}

void TskSkinFrame::DoMinimizeToTray() {}

}  // namespace sk
