// What the frame does differently on an MDI form and on its children: a maximized child wears
// no frame and fills the MDI client, the main form's frame hears of it (the menu bar then
// carries the child's buttons), and the tabs bar follows the children as they are shown,
// renamed, activated and destroyed.
#include "skinforms/frame/Frame.h"
#include "skinforms/frame/WindowList.h"
#include "skinforms/menubar/MDITabsBar.h"
#include "skinforms/menubar/MainMenuBar.h"
#include "skinforms/frame/Messages.h"

namespace sk {

namespace {

TskSkinFrame* MainFrame() { return GetFormSkinComponent(MDIMainForm()); }

}  // namespace

void TskSkinFrame::SetMDITabsBar(TskSkinMDITabsBar* Value)
{
    if (mdiTabsBar_ == Value)
        return;
    mdiTabsBar_.Set(Value);
    if (mdiTabsBar_) {
        if (mdiTabsBar_->skSkinFrame() != this)
            mdiTabsBar_->SetskSkinFrame(this);
    }
}

bool TskSkinFrame::MDIMessage(cl::TMessage& Message)
{
    const cl::TFormStyle style = form_->FormStyle();
    if (style == cl::fsMDIForm)
        return MDIFormMessage(Message);
    if (style == cl::fsMDIChild)
        return MDIChildMessage(Message);
    return false;
}

void TskSkinFrame::MDIAfterMessage(cl::TMessage& Message)
{
    const cl::TFormStyle style = form_->FormStyle();
    if (style == cl::fsMDIForm)
        MDIFormAfterMessage(Message);
    else if (style == cl::fsMDIChild)
        MDIChildAfterMessage(Message);
}

// ---------------------------------------------------------------------------------------------
// The MDI form

bool TskSkinFrame::MDIFormMessage(cl::TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        // The MDI client covers the client area and paints its own background.
        CallSaved(Message);
        return true;
    case WM_CHILDMAXIMIZED:
        childMaximized_ = true;
        SendNCPaint();
        if (mainMenuBar_)
            mainMenuBar_->MDIChildMaximize();
        return true;
    case WM_CHILDRESTORED:
        childMaximized_ = GetMaximizeMDIChild() != nullptr;
        SendNCPaint();
        if (mainMenuBar_) {
            if (childMaximized_)
                mainMenuBar_->MDIChildMaximize();
            else
                mainMenuBar_->MDIChildRestore();
        }
        return true;
    case WM_NCACTIVATE:
        // The platform passes the activation on to the active child.
        CallSaved(Message);
        return false;
    default: return false;
    }
}

void TskSkinFrame::MDIFormAfterMessage(cl::TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SHOWWINDOW:
        if (Message.WParam && !mdiClient_)
            SubclassMDIClient();
        break;
    case WM_ACTIVATE:
        if (mainMenuBar_ && childMaximized_)
            mainMenuBar_->MDIChildMaximize();
        break;
    case WM_AFTERCHANGESKINDATA:
        if (reinterpret_cast<TskSkinData*>(Message.WParam) == skinData_) {
            if (mdiClient_)
                RedrawWindow(mdiClient_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
            SendToMDIChildren(WM_FITMAXIMIZEDCHILD);
        }
        break;
    default: break;
    }
}

// ---------------------------------------------------------------------------------------------
// An MDI child

bool TskSkinFrame::MDIChildMessage(cl::TMessage& Message)
{
    const bool maximized = WindowState == fwsMaximized;
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        // A maximized child's window is all client: it has no frame.
        if (!maximized)
            return false;
        Message.Result = 0;
        return true;
    case WM_NCPAINT:
        if (!maximized)
            return false;
        Message.Result = 0;
        return true;
    case WM_PAINTFRAMEINTODC:
        if (!maximized || Message.LParam != PaintIntoDCAnswer)
            return false;
        Message.Result = PaintIntoDCAnswer;
        return true;
    case WM_NCACTIVATE:
        CallSaved(Message);
        return false;
    case WM_GETMINMAXINFO: {
        // Maximized, a child fills the MDI client exactly.
        HWND client = GetParent(form_->Handle());
        RECT r{};
        if (client)
            GetClientRect(client, &r);
        CallSaved(Message);
        auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
        info->ptMaxPosition = {0, 0};
        info->ptMaxSize = {r.right, r.bottom};
        info->ptMinTrackSize = {GetMinWidth(), GetMinHeight()};
        const POINT most = MaxTrackSize();
        info->ptMaxTrackSize = {std::max<LONG>(most.x, r.right), std::max<LONG>(most.y, r.bottom)};
        return true;
    }
    case WM_FITMAXIMIZEDCHILD:
        if (maximized && form_->HandleAllocated())
            if (HWND client = GetParent(form_->Handle())) {
                RECT r{};
                GetClientRect(client, &r);
                form_->SetBounds(0, 0, r.right, r.bottom);
            }
        return true;
    default: return false;
    }
}

void TskSkinFrame::MDIChildAfterMessage(cl::TMessage& Message)
{
    TskSkinFrame* main = MainFrame();
    TskSkinMDITabsBar* tabs = main ? main->MDITabsBar() : nullptr;
    switch (Message.Msg) {
    case WM_SIZE: MDIChildSized(Message.WParam); break;
    case WM_SHOWWINDOW:
        if (tabs) {
            if (Message.WParam)
                tabs->AddTab(form_);
            else
                tabs->DeleteTab(form_);
        }
        if (Message.WParam)
            AddWindowListItem();
        else
            RemoveWindowListItem();
        // The child's own menu may have been made after its window.
        if (main && main->MainMenuBar())
            main->MainMenuBar()->CheckChildMenu();
        break;
    case WM_SETTEXT:
        RenameWindowListItem();
        if (tabs)
            tabs->Invalidate();
        if (main && WindowState == fwsMaximized)
            main->SendNCPaint();
        break;
    case WM_MDIACTIVATE:
    case WM_NCACTIVATE:
        UpdateMDIWindowListChecks(MDIMainForm());
        if (tabs)
            tabs->UpdateActiveTab();
        if (main && main->MainMenuBar())
            main->MainMenuBar()->CheckChildMenu();
        break;
    case WM_DESTROY: MDIChildDestroyed(); break;
    default: break;
    }
}

void TskSkinFrame::MDIChildSized(WPARAM Kind)
{
    cl::TCustomForm* mainForm = MDIMainForm();
    if (Kind == SIZE_MAXIMIZED) {
        WindowState = fwsMaximized;
        if (!mdiMaximized_) {
            mdiMaximized_ = true;
            if (hoverTimer_)
                hoverTimer_->SetEnabled(false);
            ActiveObject = -1;
            SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            if (mainForm && mainForm->HandleAllocated())
                SendMessageA(mainForm->Handle(), WM_CHILDMAXIMIZED, 0, 0);
        }
        return;
    }
    if (Kind != SIZE_RESTORED && Kind != SIZE_MINIMIZED)
        return;
    WindowState = Kind == SIZE_MINIMIZED ? fwsMinimized : fwsNormal;
    if (!mdiMaximized_)
        return;
    mdiMaximized_ = false;
    SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (mainForm && mainForm->HandleAllocated())
        SendMessageA(mainForm->Handle(), WM_CHILDRESTORED, 0, 0);
}

void TskSkinFrame::MDIChildDestroyed()
{
    RemoveWindowListItem();
    WindowState = fwsNormal;
    const bool wasMaximized = mdiMaximized_;
    mdiMaximized_ = false;
    // The main form may be going first, at shutdown: it is told only while its window lives.
    cl::TCustomForm* mainForm = MDIMainForm();
    if (!mainForm || !mainForm->HandleAllocated() || mainForm->ComponentState().Contains(cl::csDestroying))
        return;
    if (wasMaximized)
        SendMessageA(mainForm->Handle(), WM_CHILDRESTORED, 0, 0);
    if (TskSkinFrame* main = MainFrame()) {
        if (TskSkinMDITabsBar* tabs = main->MDITabsBar()) {
            tabs->DeleteTab(form_);
            tabs->UpdateActiveTab();
        }
        if (TskSkinMainMenuBar* bar = main->MainMenuBar())
            bar->CheckChildMenu();
    }
    UpdateMDIWindowListChecks(mainForm);
}

}  // namespace sk
