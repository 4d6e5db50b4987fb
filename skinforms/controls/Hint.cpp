#include "skinforms/controls/Hint.h"

#include <algorithm>
#include <vector>

#include "classlib/graphics/GdiHandles.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/drawing/System.h"
#include "skin/drawing/Utils.h"

namespace sk {

using namespace cl;

namespace {

// What the process had before the first skinned hint came, put back when the last goes.
struct THintGlobals {
    int Count = 0;
    THintWindowClass PreviousClass;
    TShowHintEvent PreviousShowHint;
};

THintGlobals& Globals()
{
    static THintGlobals globals;
    return globals;
}

// The application's hint window is made again with the current class.
void RecreateApplicationHintWindow()
{
    const bool show = Application->ShowHint();
    Application->SetShowHint(!show);
    Application->SetShowHint(show);
}

}  // namespace

TskSkinHint* ActiveSkinHint()
{
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main)
        return nullptr;
    for (int i = 0; i < main->ComponentCount(); ++i)
        if (auto* hint = dynamic_cast<TskSkinHint*>(main->Components(i)); hint && hint->Active())
            return hint;
    return nullptr;
}

int CursorHeightMargin()
{
    const int fallback = GetSystemMetrics(SM_CYCURSOR);
    CURSORINFO info{sizeof(info)};
    ICONINFO icon{};
    if (!GetCursorInfo(&info) || !info.hCursor || !GetIconInfo(info.hCursor, &icon))
        return fallback;
    const TOwnedBitmap mask(icon.hbmMask);
    const TOwnedBitmap color(icon.hbmColor);
    BITMAP bm{};
    if (!mask || !GetObjectA(mask.Handle(), sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return fallback;
    const int width = bm.bmWidth;
    // A monochrome cursor's mask holds the AND half above the XOR half.
    const int height = color ? bm.bmHeight : bm.bmHeight / 2;
    const int stride = ((width + 31) / 32) * 4;
    std::vector<unsigned char> bits(static_cast<std::size_t>(stride) * bm.bmHeight);
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } bi{};
    bi.header.biSize = sizeof(bi.header);
    bi.header.biWidth = width;
    bi.header.biHeight = -bm.bmHeight;
    bi.header.biPlanes = 1;
    bi.header.biBitCount = 1;
    const TWindowDC screen(nullptr);
    if (GetDIBits(screen.Handle(), mask.Handle(), 0, bm.bmHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&bi),
                  DIB_RGB_COLORS) == 0)
        return fallback;
    auto rowIs = [&](int Row, bool AllSet) {
        const unsigned char* p = bits.data() + static_cast<std::size_t>(stride) * Row;
        for (int x = 0; x < width; ++x) {
            const bool set = (p[x / 8] >> (7 - x % 8)) & 1;
            if (set != AllSet)
                return false;
        }
        return true;
    };
    int last = -1;
    for (int row = height - 1; row >= 0 && last < 0; --row)
        if (!rowIs(row, true))
            last = row;
    if (last < 0 && !color) {
        // A fully transparent AND half: the XOR half below it draws the shape.
        for (int row = height - 1; row >= 0 && last < 0; --row)
            if (!rowIs(height + row, false))
                last = row;
    }
    if (last < 0)
        return fallback;
    return std::max(0, last - static_cast<int>(icon.yHotspot) + 1);
}

// ---------------------------------------------------------------------------------------------
// TskSkinHintWindow

TskSkinHintWindow::TskSkinHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void TskSkinHintWindow::CreateParams(TCreateParams& Params)
{
    THintWindow::CreateParams(Params);
    Params.Style &= ~WS_BORDER;
    if (IsWindowsXP()) {
        Params.WindowClass.style |= CS_DROPSHADOW;
        Params.WinClassName += "XP";
    }
}

TskDataSkinHintWindow* TskSkinHintWindow::HintDesc() const
{
    if (!SkinHint)
        return nullptr;
    TskSkinData* data = SkinHint->SkinData();
    if (!data || data->Empty || !data->HintWindow || data->HintWindow->WindowPictureIndex == -1)
        return nullptr;
    TBitmap* picture = data->ActivePictures.Items(data->HintWindow->WindowPictureIndex);
    return picture && !picture->Empty() ? data->HintWindow.get() : nullptr;
}

TBitmap* TskSkinHintWindow::HintPicture() const
{
    TskDataSkinHintWindow* desc = HintDesc();
    return desc ? SkinHint->SkinData()->ActivePictures.Items(desc->WindowPictureIndex) : nullptr;
}

void TskSkinHintWindow::ApplyFont(TFont* Font) const
{
    TskDataSkinHintWindow* desc = HintDesc();
    if (desc && SkinHint->UseSkinFont) {
        Font->SetHeight(desc->FontHeight);
        Font->SetName(desc->FontName);
        Font->SetStyle(desc->FontStyle);
        Font->SetColor(desc->FontColor);
    } else {
        Font->Assign(SkinHint->DefaultFont());
        Font->SetColor(desc ? desc->FontColor : clInfoText);
    }
    TskSkinData* data = SkinHint->SkinData();
    if (data && data->ResourceStrData())
        Font->SetCharset(data->ResourceStrData()->CharSet());
    else
        Font->SetCharset(SkinHint->DefaultFont()->Charset());
}

void TskSkinHintWindow::ActivateHint(TRect Rect, const AnsiString& AHint)
{
    SkinHint = ActiveSkinHint();
    if (!SkinHint)
        return;
    TskDataSkinHintWindow* desc = HintDesc();
    SetCaption(AHint);
    TFont font;
    ApplyFont(&font);
    RECT extent{0, 0, 0, 0};
    {
        TMemoryDC dc;
        TSelectedObject selected(dc.Handle(), font.Handle());
        DrawTextA(dc.Handle(), AHint.c_str(), static_cast<int>(AHint.size()), &extent, DT_CALCRECT);
    }
    int w = extent.right - extent.left;
    int h = extent.bottom - extent.top;
    TBitmap* picture = desc ? HintPicture() : nullptr;
    if (desc) {
        w = std::max(w + desc->ClRect.Left + (picture->Width() - desc->ClRect.Right), picture->Width());
        h = std::max(h + desc->ClRect.Top + (picture->Height() - desc->ClRect.Bottom), picture->Height());
    } else {
        w += 4;
        h += 4;
    }
    // The font, the borders and the picture come from a skin file: a window larger than the
    // work area could not be painted, nor seen.
    const TRect area = GetDesktopWorkArea(true);
    w = std::min(w, area.Width());
    h = std::min(h, area.Height());
    if (desc) {
        const int pw = picture->Width();
        const int ph = picture->Height();
        const int dw = w - pw;
        const int dh = h - ph;
        ClRect = {desc->ClRect.Left, desc->ClRect.Top, desc->ClRect.Right + dw, desc->ClRect.Bottom + dh};
        LTPoint = desc->LTPoint;
        RTPoint = {desc->RTPoint.X + dw, desc->RTPoint.Y};
        LBPoint = {desc->LBPoint.X, desc->LBPoint.Y + dh};
        RBPoint = {desc->RBPoint.X + dw, desc->RBPoint.Y + dh};
    }
    TRect r{Rect.Left, Rect.Top, Rect.Left + w, Rect.Top + h};
    if (r.Right > Screen->Width())
        r = OffsetRect(r, -(w + 2), 0);
    if (r.Bottom > Screen->Height())
        r = OffsetRect(r, 0, -(h + 2));
    r = OffsetRect(r, std::max(area.Left - r.Left, 0), std::max(area.Top - r.Top, 0));
    SetBounds(r.Left, r.Top, w, h);
    HandleNeeded();
    ApplyAlpha();
    ApplyRegion(desc);
    SetWindowPos(Handle(), HWND_TOPMOST, r.Left, r.Top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TskSkinHintWindow::ApplyAlpha()
{
    if (!IsWindowsNT5())
        return;
    const LONG ex = GetWindowLongA(Handle(), GWL_EXSTYLE);
    if (SkinHint->AlphaBlend && !Layered) {
        SetWindowLongA(Handle(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
        Layered = true;
        // A freshly layered window has no alpha yet: it must be set.
        CurrentAlpha = static_cast<unsigned char>(~SkinHint->AlphaBlendValue);
    } else if (!SkinHint->AlphaBlend && Layered) {
        SetWindowLongA(Handle(), GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
        Layered = false;
    }
    if (SkinHint->AlphaBlend && SkinHint->AlphaBlendValue != CurrentAlpha) {
        SetAlphaBlendTransparent(Handle(), SkinHint->AlphaBlendValue);
        CurrentAlpha = SkinHint->AlphaBlendValue;
    }
}

void TskSkinHintWindow::ApplyRegion(TskDataSkinHintWindow* Desc)
{
    TBitmap* mask = Desc ? SkinHint->SkinData()->ActivePictures.Items(Desc->MaskPictureIndex) : nullptr;
    if (!Desc || Desc->MaskPictureIndex == -1 || !mask || mask->Empty()) {
        SetWindowRgn(Handle(), nullptr, FALSE);
        return;
    }
    const TskAreaPoints area{Desc->LTPoint, Desc->RTPoint, Desc->LBPoint, Desc->RBPoint, Desc->ClRect};
    const TskAreaPoints fitted{LTPoint, RTPoint, LBPoint, RBPoint, ClRect};
    TskRegion region = CreateSkinRegion(area, fitted, mask, Width(), Height());
    // The window owns the region from here on (and deletes the one it had).
    if (region && SetWindowRgn(Handle(), region.Handle(), FALSE))
        region.Release();
}

void TskSkinHintWindow::PaintHint(HDC DC)
{
    const int w = Width();
    const int h = Height();
    if (w <= 0 || h <= 0 || !SkinHint)
        return;
    TBitmap buffer;
    buffer.SetSize(w, h);
    TCanvas* canvas = buffer.Canvas();
    const AnsiString text = Caption();
    ApplyFont(canvas->Font());
    canvas->Brush()->SetStyle(bsClear);
    if (TskDataSkinHintWindow* desc = HintDesc()) {
        TBitmap* picture = HintPicture();
        TBitmap image;
        const TskAreaPoints area{desc->LTPoint, desc->RTPoint, desc->LBPoint, desc->RBPoint, desc->ClRect};
        const TskAreaPoints fitted{LTPoint, RTPoint, LBPoint, RBPoint, ClRect};
        ComposeSkinImageEx(area, fitted, &image, picture, {0, 0, picture->Width(), picture->Height()}, w, h, true,
                           desc->LeftStretch, desc->TopStretch, desc->RightStretch, desc->BottomStretch);
        canvas->Draw(0, 0, &image);
        canvas->Brush()->SetStyle(bsClear);
        RECT extent{0, 0, 0, 0};
        DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT);
        const int x = ClRect.Left + ClRect.Width() / 2 - (extent.right - extent.left) / 2;
        const int y = ClRect.Top + ClRect.Height() / 2 - (extent.bottom - extent.top) / 2;
        RECT r{x, y, x + (extent.right - extent.left), y + (extent.bottom - extent.top)};
        DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r, 0);
    } else {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(clInfoBk);
        canvas->FillRect({0, 0, w, h});
        canvas->Brush()->SetColor(clBtnShadow);
        canvas->FrameRect({0, 0, w, h});
        canvas->Brush()->SetStyle(bsClear);
        RECT r{2, 2, w - 2, h - 2};
        DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r, 0);
    }
    BitBlt(DC, 0, 0, w, h, canvas->Handle(), 0, 0, SRCCOPY);
}

void TskSkinHintWindow::Paint()
{
    PaintHint(Canvas()->Handle());
}

void TskSkinHintWindow::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCPAINT: return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    default: THintWindow::Dispatch(Message);
    }
}

// ---------------------------------------------------------------------------------------------
// TskSkinHint

TskSkinHint::TskSkinHint(TComponent* AOwner) : TComponent(AOwner)
{
    hintWindow_ = new TskSkinHintWindow(this);
    hintWindow_->SetVisible(false);
    hintTimer_ = new TTimer(this);
    hintTimer_->SetEnabled(false);
    if (ComponentState().Contains(csDesigning))
        return;
    THintGlobals& globals = Globals();
    if (globals.Count++ == 0) {
        globals.PreviousClass = HintWindowClass;
        globals.PreviousShowHint = Application->OnShowHint;
    }
    HintWindowClass = [](TComponent* Owner) -> THintWindow* { return new TskSkinHintWindow(Owner); };
    RecreateApplicationHintWindow();
    InstallForwarder();
    Application->SetHintShortPause(100);
}

TskSkinHint::~TskSkinHint()
{
    HideHint();
    SetSkinData(nullptr);
    if (ComponentState().Contains(csDesigning))
        return;
    THintGlobals& globals = Globals();
    const bool ours = Application->OnShowHint == TShowHintEvent(this, &TskSkinHint::ShowHintForward);
    if (--globals.Count == 0) {
        // Nothing may call into a freed component, and hints of the class library show again.
        HintWindowClass = globals.PreviousClass;
        if (ours)
            Application->OnShowHint = globals.PreviousShowHint;
        globals.PreviousClass = nullptr;
        globals.PreviousShowHint = nullptr;
        RecreateApplicationHintWindow();
    } else if (ours) {
        Application->OnShowHint = nullptr;
        if (TskSkinHint* other = ActiveSkinHint(); other && other != this)
            other->InstallForwarder();
    }
}

void TskSkinHint::InstallForwarder()
{
    Application->OnShowHint = TShowHintEvent(this, &TskSkinHint::ShowHintForward);
}

void TskSkinHint::ShowHintForward(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo)
{
    if (OnShowHint)
        OnShowHint(HintStr, CanShow, HintInfo);
}

void TskSkinHint::SetSkinData(TskSkinData* Value)
{
    skinData_.Set(Value);
}

void TskSkinHint::SetActive(bool Value)
{
    active_ = Value;
    if (!Value)
        return;
    if (TCustomForm* main = Application->MainForm())
        for (int i = 0; i < main->ComponentCount(); ++i)
            if (auto* other = dynamic_cast<TskSkinHint*>(main->Components(i)); other && other != this)
                other->active_ = false;
    if (!ComponentState().Contains(csDesigning))
        InstallForwarder();
}

void TskSkinHint::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    skinData_.Forget(AComponent, Operation);
    // Its own timer and window go before its destructor runs, which hides the hint.
    if (Operation == opRemove && AComponent == hintTimer_)
        hintTimer_ = nullptr;
    if (Operation == opRemove && AComponent == hintWindow_)
        hintWindow_ = nullptr;
}

void TskSkinHint::ActivateHintDelayed(const AnsiString& AHint)
{
    // A new request starts the pause again, with the new text.
    hintTimer_->SetEnabled(false);
    hintText_ = AHint;
    hintTimer_->OnTimer = TNotifyEvent(this, &TskSkinHint::ShowPending);
    hintTimer_->SetInterval(static_cast<unsigned>(std::max(1, Application->HintPause())));
    hintTimer_->SetEnabled(true);
}

void TskSkinHint::ShowPending(TObject*)
{
    hintTimer_->SetEnabled(false);
    POINT p{};
    GetCursorPos(&p);
    const int y = p.y + CursorHeightMargin();
    hintWindow_->ActivateHint({p.x, y, p.x, y}, hintText_);
    hintTimer_->OnTimer = TNotifyEvent(this, &TskSkinHint::HidePending);
    hintTimer_->SetInterval(static_cast<unsigned>(std::max(1, Application->HintHidePause())));
    hintTimer_->SetEnabled(true);
}

void TskSkinHint::HidePending(TObject*)
{
    HideHint();
}

void TskSkinHint::HideHint()
{
    if (hintTimer_)
        hintTimer_->SetEnabled(false);
    if (hintWindow_ && hintWindow_->HandleAllocated() && IsWindowVisible(hintWindow_->Handle())) {
        hintWindow_->SetVisible(false);
        SetWindowPos(hintWindow_->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
}

}  // namespace sk
