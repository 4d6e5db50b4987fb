// The frame on MDI forms and their children: finding the children's frames, and the restore
// and minimize the menu bar's child buttons ask for.
#include "skinforms/frame/Frame.h"
#include "skinforms/frame/WindowList.h"

namespace sk {

TskSkinFrame* GetMaximizeMDIChild()
{
    cl::TCustomForm* main = MDIMainForm();
    if (!main)
        return nullptr;
    for (int i = 0; i < main->MDIChildCount(); ++i)
        if (TskSkinFrame* frame = GetFormSkinComponent(main->MDIChildren(i)); frame && frame->WindowState == fwsMaximized)
            return frame;
    return nullptr;
}

TskSkinFrame* GetActiveMDIChildSkinForm()
{
    cl::TCustomForm* main = MDIMainForm();
    return main ? GetFormSkinComponent(main->ActiveMDIChild()) : nullptr;
}

void TskSkinFrame::SetMDIChildState(TskFrameState S)
{
    if (!form_->HandleAllocated())
        return;
    switch (S) {
    case fwsMaximized:
        ShowWindow(form_->Handle(), SW_MAXIMIZE);
        if (OnMaximize)
            OnMaximize(this);
        break;
    case fwsMinimized:
        MDIChildMinimize();
        if (OnMinimize)
            OnMinimize(this);
        break;
    case fwsNormal:
        MDIChildRestore();
        if (OnRestore)
            OnRestore(this);
        break;
    }
}

void TskSkinFrame::MDIChildRestore()
{
    if (form_->HandleAllocated())
        ShowWindow(form_->Handle(), SW_RESTORE);
    WindowState = fwsNormal;
}

void TskSkinFrame::MDIChildMinimize()
{
    if (form_->HandleAllocated())
        ShowWindow(form_->Handle(), SW_MINIMIZE);
    WindowState = fwsMinimized;
}

}  // namespace sk
