#include "skinforms/controls/PasswordEdit.h"

#include <algorithm>

#include "skin/drawing/Composers.h"

namespace sk {

using namespace cl;

namespace {

AnsiString ApplyCase(AnsiString S, TEditCharCase Case)
{
    if (S.empty() || Case == ecNormal)
        return S;
    // The system's case rules of the ANSI code page.
    if (Case == ecUpperCase)
        CharUpperBuffA(S.data(), static_cast<DWORD>(S.size()));
    else
        CharLowerBuffA(S.data(), static_cast<DWORD>(S.size()));
    return S;
}

// Pasted text for a password: control characters (a copied line's CR/LF, tabs) are dropped, as
// typed ones are. False when a character has no form in the ANSI code page: a password
// silently changed into question marks would fail every check.
bool PastedPassword(const std::wstring& Wide, AnsiString& Out)
{
    std::wstring kept;
    for (wchar_t c : Wide)
        if (c >= 32)
            kept += c;
    Out.clear();
    if (kept.empty())
        return true;
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, kept.data(), static_cast<int>(kept.size()),
                                      nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    Out.resize(static_cast<std::size_t>(n));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, kept.data(), static_cast<int>(kept.size()), Out.data(), n,
                        nullptr, &usedDefault);
    return !usedDefault;
}

}  // namespace

TskSkinPasswordEdit::TskSkinPasswordEdit(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() + csCaptureMouse + csOpaque + csClickEvents + csDoubleClicks);
    SetSkinDataName("edit");
    SetBounds(Left(), Top(), 121, 21);
    SetTabStop(true);
    SetCursor(crIBeam);
}

TskSkinPasswordEdit::~TskSkinPasswordEdit() = default;

TskDataSkinEditControl* TskSkinPasswordEdit::EditDescription() const
{
    return index_ != -1 ? dynamic_cast<TskDataSkinEditControl*>(Description()) : nullptr;
}

bool TskSkinPasswordEdit::Focused() { return HandleAllocated() && GetFocus() == Handle(); }

// ---------------------------------------------------------------------------------------------
// Properties

void TskSkinPasswordEdit::SetTextValue(const AnsiString& Value) { SetStoredText(Value); }

void TskSkinPasswordEdit::SetStoredText(const AnsiString& Value)
{
    const AnsiString s = ApplyCase(Value, charCase_);
    const bool changed = s != text_;
    text_ = s;
    caret_ = std::min(caret_, Length());
    selFixed_ = std::min(selFixed_, Length());
    Repaint();
    if (!changed)
        return;
    if (Enabled() && HandleAllocated())
        PlaceCaret(caret_, true);
    if (OnChange)
        OnChange(this);
}

void TskSkinPasswordEdit::SetPasswordKind(TskPasswordKind Value)
{
    passwordKind_ = Value;
    Repaint();
}

void TskSkinPasswordEdit::SetCharCase(TEditCharCase Value)
{
    charCase_ = Value;
    SetStoredText(text_);
}

void TskSkinPasswordEdit::SetHideSelection(bool Value)
{
    hideSelection_ = Value;
    Repaint();
}

void TskSkinPasswordEdit::SetTextAlignment(cl::TAlignment Value)
{
    textAlignment_ = Value;
    PlaceCaret(caret_, true);
}

void TskSkinPasswordEdit::SetDefaultColor(TColor Value)
{
    defaultColor_ = Value;
    Repaint();
}

void TskSkinPasswordEdit::SelectAll()
{
    selFixed_ = 0;
    PlaceCaret(Length(), true);
}

// ---------------------------------------------------------------------------------------------
// Geometry

TRect TskSkinPasswordEdit::TextArea()
{
    GetSkinData();
    if (auto* d = EditDescription()) {
        TRect r = d->ClRect;
        // The client part grows with the control beyond the skin's size.
        r.Right += Width() - RectWidth(d->SkinRect);
        r.Bottom += Height() - RectHeight(d->SkinRect);
        return r;
    }
    return Rect(2, 2, Width() - 2, Height() - 2);
}

int TskSkinPasswordEdit::CellWidth() { return RectHeight(TextArea()) / 2 + 3; }

int TskSkinPasswordEdit::AlignOffset()
{
    const TRect a = TextArea();
    const int free = RectWidth(a) - Length() * CellWidth();
    if (free <= 0)
        return 0;
    switch (textAlignment_) {
    case cl::taRightJustify: return free;
    case cl::taCenter: return free / 2;
    default: return 0;
    }
}

int TskSkinPasswordEdit::CaretX(int P)
{
    const TRect a = TextArea();
    P = std::min(P, Length());
    if (P <= 0)
        return a.Left + AlignOffset();
    return a.Left + AlignOffset() + (P - first_ + 1) * CellWidth();
}

int TskSkinPasswordEdit::PosAt(int X)
{
    const TRect a = TextArea();
    const int w = CellWidth();
    const int from = X - (a.Left + AlignOffset());
    // The nearest boundary between two symbols.
    const int cells = from < 0 ? 0 : (from + w / 2) / w;
    return std::clamp(cells + first_ - 1, 0, Length());
}

void TskSkinPasswordEdit::ScrollToCaret()
{
    const int w = CellWidth();
    const int width = RectWidth(TextArea());
    if (caret_ >= first_ - 1) {
        while (w * (caret_ - first_ + 1) > width && first_ < Length())
            ++first_;
    } else {
        first_ = std::max(1, caret_);
    }
}

void TskSkinPasswordEdit::PlaceCaret(int P, bool Extend)
{
    caret_ = std::clamp(P, 0, Length());
    if (!Extend)
        selFixed_ = caret_;
    selFixed_ = std::clamp(selFixed_, 0, Length());
    ScrollToCaret();
    if (Focused() && systemCaret_.Created())
        systemCaret_.SetPos({CaretX(caret_), TextArea().Top});
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// Editing

void TskSkinPasswordEdit::Insert(const AnsiString& S)
{
    if (readOnly_)
        return;
    const int start = SelStart();
    AnsiString result = text_;
    result.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(SelLength()));
    result.insert(static_cast<std::size_t>(start), S);
    if (maxLength_ > 0 && static_cast<int>(result.size()) > maxLength_) {
        // Dropped whole: the selection goes, nothing else changes.
        PlaceCaret(caret_, false);
        return;
    }
    const TAliveFlag alive = alive_;
    const int caret = start + static_cast<int>(ApplyCase(S, charCase_).size());
    caret_ = selFixed_ = start;
    SetStoredText(result);
    if (*alive)
        PlaceCaret(caret, false);
}

void TskSkinPasswordEdit::DeleteSelection()
{
    const int start = SelStart();
    AnsiString result = text_;
    result.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(SelLength()));
    const TAliveFlag alive = alive_;
    caret_ = selFixed_ = start;
    SetStoredText(result);
    if (*alive)
        PlaceCaret(start, false);
}

void TskSkinPasswordEdit::PasteFromClipboard()
{
    if (readOnly_)
        return;
    std::wstring wide;
    AnsiString s;
    if (!ReadClipboardText(wide, ClipboardRetry) || !PastedPassword(wide, s)) {
        MessageBeep(MB_OK);
        return;
    }
    if (!s.empty())
        Insert(s);
}

int TskSkinPasswordEdit::WordStartBefore(int P) const
{
    while (P > 0 && text_[static_cast<std::size_t>(P - 1)] == ' ')
        --P;
    while (P > 0 && text_[static_cast<std::size_t>(P - 1)] != ' ')
        --P;
    return P;
}

int TskSkinPasswordEdit::WordEndAfter(int P) const
{
    const int n = Length();
    while (P < n && text_[static_cast<std::size_t>(P)] != ' ')
        ++P;
    while (P < n && text_[static_cast<std::size_t>(P)] == ' ')
        ++P;
    return P;
}

void TskSkinPasswordEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::KeyDown(Key, Shift);
    if (!*alive || Key == 0)
        return;
    const bool shift = Shift.Contains(ssShift);
    const bool ctrl = Shift.Contains(ssCtrl);
    switch (Key) {
    case VK_LEFT: PlaceCaret(ctrl ? WordStartBefore(caret_) : caret_ - 1, shift); break;
    case VK_RIGHT: PlaceCaret(ctrl ? WordEndAfter(caret_) : caret_ + 1, shift); break;
    case VK_HOME: PlaceCaret(0, shift); break;
    case VK_END: PlaceCaret(Length(), shift); break;
    case VK_BACK:
        if (readOnly_)
            break;
        if (SelLength() > 0)
            DeleteSelection();
        else if (caret_ > 0) {
            selFixed_ = caret_ - 1;
            DeleteSelection();
        }
        break;
    case VK_DELETE:
        if (readOnly_)
            break;
        if (SelLength() > 0)
            DeleteSelection();
        else if (caret_ < Length()) {
            selFixed_ = caret_ + 1;
            DeleteSelection();
        }
        break;
    case VK_INSERT:
        if (Shift == TShiftState{ssShift})
            PasteFromClipboard();
        break;
    case 'V':
        if (Shift == TShiftState{ssCtrl})
            PasteFromClipboard();
        break;
    default: PlaceCaret(caret_, true); break;
    }
}

void TskSkinPasswordEdit::KeyPress(char& Key)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::KeyPress(Key);
    if (!*alive || static_cast<unsigned char>(Key) < 32)
        return;
    Insert(AnsiString(1, Key));
}

// ---------------------------------------------------------------------------------------------
// Mouse and focus

void TskSkinPasswordEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    // The second press of a double-click belongs to the word selection.
    if (!*alive || Button != mbLeft || Shift.Contains(ssDouble))
        return;
    selecting_ = true;
    if (CanFocus() && !Focused())
        SetFocus();
    if (*alive)
        PlaceCaret(PosAt(X), false);
}

void TskSkinPasswordEdit::MouseMove(TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (*alive && selecting_)
        PlaceCaret(PosAt(X), true);
}

void TskSkinPasswordEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    selecting_ = false;
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinPasswordEdit::DblClick()
{
    selecting_ = false;
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::DblClick();
    if (!*alive)
        return;
    // The word around the caret, the caret at its end.
    int start = caret_;
    while (start > 0 && text_[static_cast<std::size_t>(start - 1)] != ' ')
        --start;
    selFixed_ = start;
    PlaceCaret(WordEndAfter(caret_), true);
}

void TskSkinPasswordEdit::WMSetFocus(TMessage& Message)
{
    TskSkinCustomControl::Dispatch(Message);
    GetSkinData();
    const int h = EditDescription() ? RectHeight(TextArea()) : Height() - 4;
    systemCaret_.Create(Handle(), h);
    caret_ = selFixed_ = 0;
    first_ = 1;
    if (autoSelect_)
        SelectAll();
    else
        PlaceCaret(0, false);
    systemCaret_.Show();
}

void TskSkinPasswordEdit::WMKillFocus(TMessage& Message)
{
    TskSkinCustomControl::Dispatch(Message);
    systemCaret_.Destroy();
    Repaint();
}

void TskSkinPasswordEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        Repaint();
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        mouseIn_ = Message.Msg == CM_MOUSEENTER;
        TskSkinCustomControl::Dispatch(Message);
        if (!Focused())
            Repaint();
        break;
    default: TskSkinCustomControl::Dispatch(Message);
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TskSkinPasswordEdit::DrawSelection(TCanvas* Canvas)
{
    if (SelLength() == 0 || (!Focused() && hideSelection_))
        return;
    const TRect a = TextArea();
    TRect r{std::max(CaretX(SelStart()), a.Left), a.Top, std::min(CaretX(SelStart() + SelLength()), a.Right),
            a.Bottom};
    if (IsNullRect(r))
        return;
    Canvas->Brush()->SetColor(clHighlight);
    Canvas->FillRect(r);
}

void TskSkinPasswordEdit::DrawSymbols(TCanvas* Canvas)
{
    const TRect a = TextArea();
    const int w = CellWidth();
    const int x0 = a.Left + AlignOffset();
    auto* d = EditDescription();
    TColor color = Font()->Color();
    if (!Enabled())
        color = d ? d->DisabledFontColor : clGrayText;
    else if (d)
        color = (mouseIn_ || Focused()) ? d->ActiveFontColor : d->FontColor;
    const bool showSelection = Focused() || !hideSelection_;
    for (int i = 0; first_ - 1 + i < Length(); ++i) {
        const TRect cell{x0 + i * w, a.Top, x0 + (i + 1) * w, a.Bottom};
        if (cell.Right > a.Right)
            break;
        const int index = first_ - 1 + i;
        const bool selected = showSelection && index >= SelStart() && index < SelStart() + SelLength();
        const TColor c = selected && Enabled() ? clHighlightText : color;
        // The cell less two pixels each side, made square.
        TRect s{cell.Left + 2, cell.Top, cell.Right - 2, cell.Bottom};
        const int side = RectWidth(s);
        const int shrink = (RectHeight(s) - side) / 2 + 2;
        s.Top += shrink;
        s.Bottom = s.Top + side;
        if (side < 1)
            continue;
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(c);
        Canvas->Pen()->SetColor(c);
        switch (passwordKind_) {
        case pkRoundRect: Canvas->RoundRect(s.Left, s.Top, s.Right, s.Bottom, w / 2, w / 2); break;
        case pkRect: Canvas->FillRect(s); break;
        case pkTriangle:
            Canvas->Polygon({{(s.Left + s.Right) / 2, s.Top}, {s.Right - 1, s.Bottom - 1}, {s.Left, s.Bottom - 1}});
            break;
        }
    }
}

void TskSkinPasswordEdit::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    c->Brush()->SetColor(defaultColor_);
    c->FillRect(r);
    Frame3D(c, r, clBtnShadow, clBtnShadow, 1);
    Frame3D(c, r, clBtnFace, clBtnFace, 1);
    DrawSelection(c);
    DrawSymbols(c);
}

void TskSkinPasswordEdit::CreateControlSkinImage(TBitmap* B)
{
    auto* d = EditDescription();
    if (!d || !picture_) {
        CreateControlDefaultImage(B);
        return;
    }
    TskSkinGeometry g = Geometry();
    if ((mouseIn_ || Focused()) && !IsNullRect(d->ActiveSkinRect))
        g.SkinRect = d->ActiveSkinRect;
    TBitmap piece;
    ComposeSkinControlImage(g, &piece, picture_, g.SkinRect, Width(), Height(), true);
    if (piece.Width() == Width() && piece.Height() == Height())
        B->Canvas()->Draw(0, 0, &piece);
    else if (!piece.Empty())
        B->Canvas()->StretchDraw(Rect(0, 0, Width(), Height()), &piece);
    DrawSelection(B->Canvas());
    DrawSymbols(B->Canvas());
}

}  // namespace sk
