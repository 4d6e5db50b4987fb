// The twins' skin, geometry, tab scroller and hot tab, and the two controls and the sheet.
#include "skinforms/controls/Tabs.h"

#include <commctrl.h>

#include "classlib/graphics/GdiHandles.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/bases/SkinCtrls.h"
#include "skin/drawing/Parent.h"

namespace sk {

using namespace cl;

namespace {

// Sheets and tab controls paint their skinned background for children that ask their parent.
bool PaintSkinnedParent(TWinControl* Parent, HDC DC)
{
    if (auto* sheet = dynamic_cast<TskSkinCustomTabSheet*>(Parent)) {
        sheet->PaintBackground(DC);
        return true;
    }
    if (auto* tabs = dynamic_cast<TskSkinTabControl*>(Parent)) {
        tabs->PaintBackground(DC);
        return true;
    }
    return false;
}

void RegisterBackgroundPainterOnce()
{
    static const bool registered = [] {
        RegisterParentBackgroundPainter(&PaintSkinnedParent);
        return true;
    }();
    (void)registered;
}

}  // namespace

void FillFace(HDC DC, const TRect& R)
{
    const TOwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnFace))));
    const RECT r{R.Left, R.Top, R.Right, R.Bottom};
    FillRect(DC, &r, brush.Handle());
}

// ---------------------------------------------------------------------------------------------
// The shared design

template <class Base>
TskSkinTabsLook<Base>::TskSkinTabsLook(TComponent* AOwner) : Base(AOwner)
{
    RegisterBackgroundPainterOnce();
    InitDefaultSkinFont(defaultFont_);
    defaultFont_.SetColor(clBtnText);
    this->Font()->Assign(&defaultFont_);
}

template <class Base>
TskSkinTabsLook<Base>::~TskSkinTabsLook()
{
    skinData_.Set(nullptr);
}

template <class Base>
void TskSkinTabsLook<Base>::SetTabsBGTransparent(bool Value)
{
    if (Value == tabsBGTransparent_)
        return;
    tabsBGTransparent_ = Value;
    this->Invalidate();
}

template <class Base>
void TskSkinTabsLook<Base>::SetDefaultItemHeight(int Value)
{
    defaultItemHeight_ = Value;
    GetSkinData();
    if (!desc_) {
        SetItemSize(this->TabWidth(), Value);
        UpdateTabScroller();
        this->Realign();
    }
}

template <class Base>
void TskSkinTabsLook<Base>::SetSkinData(TskSkinData* Value)
{
    if (skinData_ != Value)
        skinData_.Set(Value);
    if (skinData_ && !skinData_->Empty && !Designing())
        ChangeSkinData();
}

template <class Base>
void TskSkinTabsLook<Base>::Notification(TComponent* AComponent, TOperation Operation)
{
    Base::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == skinData_) {
        skinData_.Forget(AComponent, Operation);
        BeforeChangeSkinData();
    }
    if (AComponent == scroller_)
        scroller_ = nullptr;
}

template <class Base>
void TskSkinTabsLook<Base>::GetSkinData()
{
    // A description of another kind draws nothing: the default look stands in.
    desc_ = FindControlDescription<TskDataSkinTabControl>(skinData_, skinDataName_, index_);
    picture_ = desc_ ? SkinPicture(skinData_, desc_->PictureIndex) : nullptr;
}

template <class Base>
void TskSkinTabsLook<Base>::SetCharset(TFont& F)
{
    if (skinData_ && skinData_->ResourceStrData())
        F.SetCharset(skinData_->ResourceStrData()->CharSet());
}

template <class Base>
void TskSkinTabsLook<Base>::ApplyItemSize()
{
    GetSkinData();
    int h = this->TabHeight();
    if (h <= 0)
        h = desc_ ? RectHeight(desc_->TabRect) : defaultItemHeight_;
    SetItemSize(this->TabWidth(), h);
}

template <class Base>
void TskSkinTabsLook<Base>::ChangeSkinData()
{
    GetSkinData();
    TFont f;
    f.Assign(&defaultFont_);
    if (desc_ && useSkinFont_) {
        f.SetName(desc_->FontName);
        f.SetHeight(desc_->FontHeight);
        f.SetStyle(desc_->FontStyle);
    }
    SetCharset(f);
    if (desc_)
        f.SetColor(desc_->FontColor);
    this->Font()->Assign(&f);
    ApplyItemSize();
    UpdateTabScroller();
    this->Realign();
    // The scroller takes the new skin's up-down description.
    if (scroller_) {
        TskSkinUpDown* old = scroller_;
        scroller_ = nullptr;
        old->Free();
        CheckTabScroller();
    }
    this->Invalidate();
}

template <class Base>
void TskSkinTabsLook<Base>::SetItemSize(int W, int H)
{
    if (this->HandleAllocated())
        SendMessageA(this->Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(W, H));
    this->Realign();
}

template <class Base>
void TskSkinTabsLook<Base>::Loaded()
{
    Base::Loaded();
    GetSkinData();
    if (!desc_) {
        ApplyItemSize();
        UpdateTabScroller();
        this->Realign();
    }
}

template <class Base>
TRect TskSkinTabsLook<Base>::Margins()
{
    if (!desc_ || (!IsPageControl() && desc_->BGPictureIndex != -1))
        return {};
    return {desc_->ClRect.Left, desc_->ClRect.Top, RectWidth(desc_->SkinRect) - desc_->ClRect.Right,
            RectHeight(desc_->SkinRect) - desc_->ClRect.Bottom};
}

template <class Base>
TRect TskSkinTabsLook<Base>::FrameRect()
{
    const TRect d = this->DisplayRect();
    const TRect m = Margins();
    return {d.Left - m.Left, d.Top - m.Top, d.Right + m.Right, d.Bottom + m.Bottom};
}

template <class Base>
bool TskSkinTabsLook<Base>::Focused()
{
    return this->HandleAllocated() && GetFocus() == this->Handle();
}

template <class Base>
TRect TskSkinTabsLook<Base>::GetTabRect(int I)
{
    TRect r = this->TabRect(I);
    const bool singleLine =
        this->HandleAllocated() && !(GetWindowLongA(this->Handle(), GWL_STYLE) & TCS_MULTILINE);
    if (I == 0 && singleLine && !IsNullRect(r))
        r.Left += 1;
    return r;
}

// Geometry corrections after the platform has answered: the frame is drawn by us, so the display
// area and the tabs sit where the skin's frame and tabs want them.
template <class Base>
void TskSkinTabsLook<Base>::WndProc(TMessage& Message)
{
    Base::WndProc(Message);
    switch (Message.Msg) {
    case TCM_ADJUSTRECT: {
        // Only the display area from a window rectangle is corrected, not the way back.
        if (Message.WParam || !Message.LParam || !this->HandleAllocated())
            break;
        auto* r = reinterpret_cast<RECT*>(Message.LParam);
        RECT client{};
        GetClientRect(this->Handle(), &client);
        const int cw = client.right;
        const int ch = client.bottom;
        GetSkinData();
        if (!desc_) {
            switch (this->TabPosition()) {
            case tpTop: *r = {1, r->top - 5, cw - 1, ch - 1}; break;
            case tpBottom: *r = {1, 1, cw - 1, r->bottom + 3}; break;
            case tpLeft: *r = {r->left - 3, r->top - 5, cw - 1, ch - 1}; break;
            case tpRight: *r = {r->left - 3, r->top - 5, r->right + 3, ch - 1}; break;
            }
        } else {
            const TRect m = Margins();
            switch (this->TabPosition()) {
            case tpTop: *r = {m.Left, r->top - 6 + m.Top, cw - m.Right, ch - m.Bottom}; break;
            case tpBottom: *r = {m.Left, r->top - 4 + m.Top, cw - m.Right, r->bottom + 4 - m.Bottom}; break;
            case tpLeft: *r = {r->left - 4 + m.Left, r->top - 4 + m.Top, cw - m.Right, ch - m.Bottom}; break;
            case tpRight: *r = {m.Left, r->top - 4 + m.Top, r->right + 4 - m.Right, ch - m.Bottom}; break;
            }
        }
        break;
    }
    case TCM_GETITEMRECT: {
        if (!Message.Result || !Message.LParam || this->Style() != tsTabs)
            break;
        auto* r = reinterpret_cast<RECT*>(Message.LParam);
        const bool singleLine = !(GetWindowLongA(this->Handle(), GWL_STYLE) & TCS_MULTILINE);
        switch (this->TabPosition()) {
        case tpTop:
        case tpBottom:
            if (singleLine) {
                r->left -= 2;
                r->right -= 2;
            }
            r->top += this->TabPosition() == tpTop ? -2 : 2;
            r->bottom += this->TabPosition() == tpTop ? -2 : 2;
            break;
        case tpLeft:
            r->left -= 2;
            r->right -= 2;
            break;
        case tpRight:
            r->left += 2;
            r->right += 2;
            break;
        }
        break;
    }
    case WM_SIZE:
        // Also for a multi-line control, which lets go of a scroller it had while single-line.
        if (this->HandleAllocated() && (!Designing() || !IsPageControl()))
            CheckTabScroller();
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Tab scroller

template <class Base>
int TskSkinTabsLook<Base>::HiddenTabCount()
{
    const int limit = this->Width() - (scroller_ ? scroller_->Width() : 0) - 3;
    int n = 0;
    for (int v = 0, count = VisibleTabCount(); v < count; ++v) {
        const TRect r = GetTabRect(v);
        if (r.Right > limit || r.Right < 1)
            ++n;
    }
    return n;
}

template <class Base>
int TskSkinTabsLook<Base>::LeftTabCount()
{
    // Only the tabs before the first one shown: some platforms give every tab that is not
    // shown, on either side, an empty rectangle.
    int n = 0;
    for (int v = 0, count = VisibleTabCount(); v < count && GetTabRect(v).Right < 1; ++v)
        ++n;
    return n;
}

template <class Base>
void TskSkinTabsLook<Base>::CheckTabScroller()
{
    if (!this->HandleAllocated() || checkingScroller_)
        return;
    checkingScroller_ = true;
    // The platform's arrows never show: ours stand in for them.
    if (HWND native = FindWindowExA(this->Handle(), nullptr, UPDOWN_CLASSA, nullptr))
        DestroyWindow(native);
    const bool multiLine = (GetWindowLongA(this->Handle(), GWL_STYLE) & TCS_MULTILINE) != 0;
    const int hidden = HiddenTabCount();
    if (scroller_ && (hidden == 0 || (IsPageControl() && multiLine))) {
        TskSkinUpDown* old = scroller_;
        scroller_ = nullptr;
        old->Free();
    }
    if (hidden >= 1 && !scroller_ && !(IsPageControl() && multiLine)) {
        GetSkinData();
        auto* s = new TskSkinUpDown(this);
        if (IsPageControl())
            s->SetBounds(0, 0, defaultItemHeight_ * 2, defaultItemHeight_);
        else
            s->SetBounds(0, 0, 36, 18);
        s->SetMin(0);
        s->SetMax(hidden);
        s->SetPosition(LeftTabCount());
        s->SetIncrement(1);
        s->OnChange = TNotifyEvent(this, &TskSkinTabsLook::ScrollerChange);
        if (desc_)
            s->SetSkinDataName(desc_->UpDown);
        s->SetParent(this);
        s->SetSkinData(skinData_);
        scroller_ = s;
    }
    if (scroller_) {
        scroller_->SetMax(hidden);
        const int top = this->TabPosition() == tpTop ? 0 : this->Height() - scroller_->Height();
        scroller_->SetBounds(this->Width() - scroller_->Width(), top, scroller_->Width(), scroller_->Height());
        scroller_->SetVisible(true);
    }
    checkingScroller_ = false;
}

template <class Base>
void TskSkinTabsLook<Base>::ScrollerChange(TObject*)
{
    if (!scroller_ || !this->HandleAllocated())
        return;
    scroller_->SetMax(HiddenTabCount());
    SendMessageA(this->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, scroller_->Position()), 0);
}

template <class Base>
void TskSkinTabsLook<Base>::UpdateTabScroller()
{
    if (!scroller_)
        return;
    scroller_->SetPosition(LeftTabCount());
    this->Invalidate();
}

template <class Base>
void TskSkinTabsLook<Base>::Change()
{
    const TAliveFlag alive = this->alive_;
    if (scroller_)
        scroller_->SetPosition(LeftTabCount());
    if (!*alive)
        return;
    Base::Change();
    if (*alive)
        this->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Hot tab

template <class Base>
void TskSkinTabsLook<Base>::DrawTabAt(int V, TCanvas* Canvas, bool MouseIn)
{
    if (V < 0 || V == this->TabIndex() || V >= VisibleTabCount())
        return;
    DrawTab(PageOfTab(V), GetTabRect(V), Canvas, MouseIn, false);
}

template <class Base>
void TskSkinTabsLook<Base>::HotTest(int X, int Y)
{
    previousHot_ = hot_;
    hot_ = -1;
    for (int v = 0, count = VisibleTabCount(); v < count; ++v)
        if (PtInRect(GetTabRect(v), {X, Y})) {
            hot_ = v;
            break;
        }
    if (hot_ == previousHot_ || !this->HandleAllocated())
        return;
    GetSkinData();
    const TWindowDC dc(this->Handle());
    TCanvas c;
    c.SetHandle(dc.Handle());
    DrawTabAt(previousHot_, &c, false);
    DrawTabAt(hot_, &c, true);
    c.SetHandle(nullptr);
}

template <class Base>
void TskSkinTabsLook<Base>::CMMouseLeave()
{
    const int a = previousHot_;
    const int b = hot_;
    previousHot_ = hot_ = -1;
    if (!this->HandleAllocated() || (a == -1 && b == -1))
        return;
    GetSkinData();
    const TWindowDC dc(this->Handle());
    TCanvas c;
    c.SetHandle(dc.Handle());
    DrawTabAt(a, &c, false);
    DrawTabAt(b, &c, false);
    c.SetHandle(nullptr);
}

template <class Base>
void TskSkinTabsLook<Base>::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = this->alive_;
    Base::MouseDown(Button, Shift, X, Y);
    if (*alive && Button == mbLeft && !Designing())
        HotTest(X, Y);
}

template <class Base>
void TskSkinTabsLook<Base>::MouseMove(TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = this->alive_;
    Base::MouseMove(Shift, X, Y);
    if (*alive && !Designing())
        HotTest(X, Y);
}

template <class Base>
void TskSkinTabsLook<Base>::HandleCommon(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSELEAVE: {
        const TAliveFlag alive = this->alive_;
        Base::Dispatch(Message);
        if (*alive)
            CMMouseLeave();
        break;
    }
    case WM_HSCROLL: {
        const TAliveFlag alive = this->alive_;
        Base::Dispatch(Message);
        if (*alive)
            this->Invalidate();
        break;
    }
    default: Base::Dispatch(Message);
    }
}

template class TskSkinTabsLook<TTabControl>;
template class TskSkinTabsLook<TPageControl>;

// ---------------------------------------------------------------------------------------------
// Tab control

TskSkinTabControl::TskSkinTabControl(TComponent* AOwner) : TskSkinTabsLook(AOwner) {}

int TskSkinTabControl::VisibleTabCount() { return Tabs()->Count(); }

void TskSkinTabControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_ERASEBKGND) {
        // Everything is painted in one go.
        Message.Result = 1;
        return;
    }
    HandleCommon(Message);
}

void TskSkinTabControl::PaintBackground(HDC DC)
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    if (!desc_) {
        FillFace(DC, Rect(0, 0, Width(), Height()));
        return;
    }
    if (desc_->BGPictureIndex != -1) {
        if (!TileBitmap(DC, Rect(0, 0, Width(), Height()), SkinPicture(SkinData(), desc_->BGPictureIndex)))
            FillFace(DC, Rect(0, 0, Width(), Height()));
        return;
    }
    TBitmap tile;
    if (!ClientPartOf(tile) || !TileBitmap(DC, Rect(0, 0, Width(), Height()), &tile))
        FillFace(DC, Rect(0, 0, Width(), Height()));
}

void TskSkinTabControl::PaintInside(HDC DC, const TRect& Frame)
{
    const TSavedDCState saved(DC);
    if (desc_->BGPictureIndex == -1) {
        const TRect d = DisplayRect();
        IntersectClipRect(DC, d.Left, d.Top, d.Right, d.Bottom);
    }
    PaintBackground(DC);
}

// ---------------------------------------------------------------------------------------------
// Page control

TskSkinPageControl::TskSkinPageControl(TComponent* AOwner) : TskSkinTabsLook(AOwner) {}

int TskSkinPageControl::VisibleTabCount()
{
    int n = 0;
    for (int i = 0; i < PageCount(); ++i)
        n += Pages(i)->TabVisible() ? 1 : 0;
    return n;
}

int TskSkinPageControl::PageOfTab(int V)
{
    for (int i = 0; i < PageCount(); ++i)
        if (Pages(i)->TabVisible() && V-- == 0)
            return i;
    return -1;
}

std::string TskSkinPageControl::TabCaption(int Index) { return Pages(Index)->Caption(); }
int TskSkinPageControl::TabImageIndex(int Index) { return Pages(Index)->ImageIndex(); }
bool TskSkinPageControl::TabEnabled(int Index) { return Pages(Index)->Enabled(); }

void TskSkinPageControl::Change()
{
    const TAliveFlag alive = alive_;
    TskSkinTabsLook::Change();
    if (*alive && ActivePage())
        ActivePage()->Invalidate();
}

void TskSkinPageControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if (PageCount() > 0) {
            Message.Result = 1;
            return;
        }
        break;
    case WM_SIZE: GetSkinData(); break;
    }
    HandleCommon(Message);
}

// ---------------------------------------------------------------------------------------------
// Sheet

TskSkinCustomTabSheet::TskSkinCustomTabSheet(TComponent* AOwner) : TTabSheet(AOwner), wallPaper_(std::make_unique<TBitmap>())
{
    RegisterBackgroundPainterOnce();
}

TskSkinCustomTabSheet::~TskSkinCustomTabSheet() = default;

void TskSkinCustomTabSheet::SetWallPaper(TBitmap* Value)
{
    wallPaper_->Assign(Value);
    if (ComponentState().Contains(csDesigning))
        Invalidate();
}

void TskSkinCustomTabSheet::PaintBackground(HDC DC)
{
    auto* pc = dynamic_cast<TskSkinPageControl*>(PageControl());
    if (Width() < 1 || Height() < 1 || !PageControl())
        return;
    const TRect all = Rect(0, 0, Width(), Height());
    if (!wallPaper_->Empty() && TileBitmap(DC, Rect(0, 0, Width(), Height()), wallPaper_.get()))
        return;
    if (!pc) {
        FillFace(DC, all);
        return;
    }
    pc->GetSkinData();
    TskDataSkinTabControl* d = pc->Description();
    if (d && d->BGPictureIndex != -1 && SkinPicture(pc->SkinData(), d->BGPictureIndex)) {
        if (!TileBitmap(DC, Rect(0, 0, Width(), Height()), SkinPicture(pc->SkinData(), d->BGPictureIndex)))
            FillFace(DC, all);
        return;
    }
    TBitmap tile;
    if (!d || !pc->ClientPartOf(tile) || !TileBitmap(DC, Rect(0, 0, Width(), Height()), &tile))
        FillFace(DC, all);
}

void TskSkinCustomTabSheet::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if (Message.WParam)
            PaintBackground(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        break;
    case WM_PRINTCLIENT:
        // A copy of the sheet has no erase step: the background goes first.
        if (Message.WParam)
            PaintBackground(reinterpret_cast<HDC>(Message.WParam));
        TTabSheet::Dispatch(Message);
        break;
    case WM_SIZE:
        TTabSheet::Dispatch(Message);
        Invalidate();
        break;
    default: TTabSheet::Dispatch(Message);
    }
}

}  // namespace sk
