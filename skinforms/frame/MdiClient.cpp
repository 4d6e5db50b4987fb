// The MDI form's client window under the frame: no border of its own, the skin's background,
// and its maximized children refitted whenever it changes size.
#include "classlib/graphics/GdiHandles.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/frame/Messages.h"

namespace sk {

namespace {

constexpr char FrameProperty[] = "TskSkinFrame.MDIClient";

}  // namespace

LRESULT CALLBACK TskSkinFrame::MDIClientWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* frame = static_cast<TskSkinFrame*>(GetPropA(Wnd, FrameProperty));
    if (!frame)
        return DefWindowProcA(Wnd, Msg, WParam, LParam);
    try {
        return frame->MDIClientMessage(Msg, WParam, LParam);
    } catch (...) {
        cl::HandleEntryException(frame);
        return 0;
    }
}

void TskSkinFrame::SubclassMDIClient()
{
    HWND client = form_->ClientHandle();
    if (!client || mdiClient_)
        return;
    mdiClient_ = client;
    SetPropA(client, FrameProperty, this);
    savedClientProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TskSkinFrame::MDIClientWndProc)));
    SetWindowPos(client, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TskSkinFrame::RestoreMDIClient()
{
    if (!mdiClient_)
        return;
    if (IsWindow(mdiClient_)) {
        SetWindowLongPtrA(mdiClient_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedClientProc_));
        RemovePropA(mdiClient_, FrameProperty);
    }
    mdiClient_ = nullptr;
    savedClientProc_ = nullptr;
}

LRESULT TskSkinFrame::MDIClientMessage(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    HWND client = mdiClient_;
    switch (Msg) {
    case WM_NCCALCSIZE:
        // No border: the client area is the whole window.
        return 0;
    case WM_NCPAINT: return 0;
    case WM_NCACTIVATE: return 1;
    case WM_ERASEBKGND:
        PaintMDIClientBackground(reinterpret_cast<HDC>(WParam));
        return 1;
    case WM_SIZE: {
        const LRESULT result = CallWindowProcA(savedClientProc_, client, Msg, WParam, LParam);
        SendToMDIChildren(WM_FITMAXIMIZEDCHILD);
        if (!logoBitMap_.Empty())
            RedrawWindow(client, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
        return result;
    }
    case WM_NCDESTROY: {
        const WNDPROC saved = savedClientProc_;
        RemovePropA(client, FrameProperty);
        mdiClient_ = nullptr;
        savedClientProc_ = nullptr;
        return CallWindowProcA(saved, client, Msg, WParam, LParam);
    }
    default: return CallWindowProcA(savedClientProc_, client, Msg, WParam, LParam);
    }
}

void TskSkinFrame::PaintMDIClientBackground(HDC DC)
{
    if (!DC || !mdiClient_)
        return;
    RECT r{};
    GetClientRect(mdiClient_, &r);
    const int w = static_cast<int>(r.right);
    const int h = static_cast<int>(r.bottom);
    if (skinnedFrame_ && HasSkinPicture()) {
        // The skin's own picture for MDI clients stands alone; the form's background carries
        // the logo as the form's client does.
        if (cl::TBitmap* bg = skinData_->ActivePictures.Items(skinData_->MDIBGPictureIndex)) {
            TileBitmap(DC, cl::Rect(0, 0, w, h), bg);
            return;
        }
        if (cl::TBitmap* bg = skinData_->ActivePictures.Items(skinData_->BGPictureIndex)) {
            TileBitmap(DC, cl::Rect(0, 0, w, h), bg);
            DrawLogo(DC, w, h);
            return;
        }
        if (!IsNullRect(skinData_->ClRect)) {
            TileRect(DC, cl::Rect(0, 0, w, h), {0, 0}, skinData_->Picture.get(), skinData_->ClRect);
            DrawLogo(DC, w, h);
            return;
        }
    }
    const cl::TOwnedBrush brush(CreateSolidBrush(cl::ColorToRGB(cl::clAppWorkSpace)));
    FillRect(DC, &r, brush.Handle());
    DrawLogo(DC, w, h);
}

void TskSkinFrame::SendToMDIChildren(UINT Msg)
{
    if (form_->FormStyle() != cl::fsMDIForm)
        return;
    for (int i = 0; i < form_->MDIChildCount(); ++i)
        if (cl::TCustomForm* child = form_->MDIChildren(i); child && child->HandleAllocated())
            SendMessageA(child->Handle(), Msg, 0, 0);
}

}  // namespace sk
