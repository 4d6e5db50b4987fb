// The edit style of the combo box: the embedded edit, whose messages pass the combo box first,
// and the completion of its text from the items.
#include "classlib/controls/Forms.h"
#include "skinforms/controls/ComboBox.h"

namespace sk {

using namespace cl;

namespace {

// Double-byte character sets: a key-up there may follow a character the input method composed,
// so the completed part is cleared first.
bool DoubleByteCharset(BYTE Charset) { return Charset == 128 || Charset == 134 || Charset == 136; }

constexpr WPARAM KeyBackspace = 8;
constexpr WPARAM KeyDelete = 46;
// Key codes up to this one are control, navigation and editing keys and the space bar.
constexpr WPARAM LastNonCharacterKey = 47;

}  // namespace

void TskSkinCustomComboBox::CreateEdit()
{
    if (edit_)
        return;
    edit_ = new TskCustomEdit(this);
    editPrevious_ = edit_->WindowProc;
    edit_->WindowProc = [this](TMessage& Message) { EditWindowProcHook(Message); };
    edit_->SetHideSelection(hideSelection_);
    edit_->SetCharCase(charCase_);
    edit_->SetText(Text());
    edit_->SetEnabled(Enabled());
    edit_->OnChange = TNotifyEvent(this, &TskSkinCustomComboBox::EditTextChanged);
    edit_->OnKeyDown = TKeyEvent(this, &TskSkinCustomComboBox::EditOnKeyDown);
    edit_->OnKeyUp = TKeyEvent(this, &TskSkinCustomComboBox::EditOnKeyUp);
    edit_->OnKeyPress = TKeyPressEvent(this, &TskSkinCustomComboBox::EditOnKeyPress);
    edit_->OnEditCancelMode = TEditCancelModeEvent(this, &TskSkinCustomComboBox::EditCancelMode);
    edit_->SetParent(this);
    ApplyEditLook();
    PlaceEdit();
}

void TskSkinCustomComboBox::FreeEdit()
{
    if (!edit_)
        return;
    TskCustomEdit* edit = edit_;
    edit_ = nullptr;
    // The hook goes before the edit: its last messages must not reach a combo box going away.
    edit->WindowProc = editPrevious_;
    edit->Free();
}

void TskSkinCustomComboBox::PlaceEdit()
{
    if (!edit_)
        return;
    TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->Font()->Assign(edit_->Font());
    const int h = std::min(b.Canvas()->TextHeight("Wg"), std::max(1, RectHeight(contentRect_)));
    const int top = contentRect_.Top + (RectHeight(contentRect_) - h) / 2;
    const TRect bounds{contentRect_.Left, top, contentRect_.Left + std::max(0, RectWidth(contentRect_)), top + h};
    // Painting the box lays it out again: only a real change may move the edit.
    if (edit_->BoundsRect() != bounds)
        edit_->SetBounds(bounds.Left, bounds.Top, RectWidth(bounds), RectHeight(bounds));
}

// The ground of the box's own picture in the middle of its client area, in the state shown: the
// edit's text colours come from the same description, so text and ground always belong together
// (a dark skin's light text never lands on a white edit).
TColor TskSkinCustomComboBox::SkinEditColor(const TskDataSkinComboBox& D)
{
    const TRect src = ActiveLook() && !IsNullRect(D.ActiveSkinRect) ? D.ActiveSkinRect : D.SkinRect;
    const TColor ground = picture_->Canvas()->Pixels(src.Left + (D.ClRect.Left + D.ClRect.Right) / 2,
                                                     src.Top + (D.ClRect.Top + D.ClRect.Bottom) / 2);
    // A description whose rectangles lie outside its picture has no ground to read.
    return ground < 0 ? defaultColor_ : ground;
}

void TskSkinCustomComboBox::ApplyEditLook()
{
    if (!edit_)
        return;
    TskDataSkinComboBox* d = ComboDescription();
    edit_->SetColor(d && picture_ ? SkinEditColor(*d) : defaultColor_);
    if (!d) {
        edit_->Font()->Assign(Font());
        if (!Enabled())
            edit_->Font()->SetColor(clGrayText);
    } else {
        edit_->Font()->SetName(d->FontName);
        edit_->Font()->SetStyle(d->FontStyle);
        edit_->Font()->SetHeight(d->FontHeight);
        // The description's other colours belong to its items (the hot and the focused one, on
        // their own pictures); the box's face, hovered, focused or not, reads in its own colour.
        TColor color = d->FontColor;
        if (!Enabled()) {
            const int e = SkinData()->IndexOfControl("edit");
            auto* edit = e >= 0 ? dynamic_cast<TskDataSkinEditControl*>(SkinData()->CtrlList.Items(e)) : nullptr;
            color = edit ? edit->DisabledFontColor : clGrayText;
        }
        edit_->Font()->SetColor(color);
    }
    edit_->Font()->SetCharset(TextCharset());
    edit_->Invalidate();
}

void TskSkinCustomComboBox::EditTextChanged(TObject*)
{
    if (!edit_)
        return;
    const AnsiString text = edit_->Text();
    if (!text.empty()) {
        const int found = SearchItem(text, -1);
        if (found >= 0) {
            if (autoComplete_)
                list_->ListBox()->SetItemIndex(found);
            else
                list_->SetTopIndex(found);
        }
    }
    editPushing_ = true;
    SetText(text);
    editPushing_ = false;
}

void TskSkinCustomComboBox::EditCancelMode(TControl* Sender)
{
    if (!IsOwnPart(Sender))
        CloseUp(false);
}

void TskSkinCustomComboBox::EditOnKeyDown(TObject*, WORD& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TskSkinCustomComboBox::EditOnKeyUp(TObject*, WORD& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TskSkinCustomComboBox::EditOnKeyPress(TObject*, char& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

// ---------------------------------------------------------------------------------------------
// The hook

void TskSkinCustomComboBox::EditStep(int Direction)
{
    const int i = ItemIndex();
    int next;
    if (Direction < 0) {
        if (i <= 0)
            return;
        next = i - 1;
    } else {
        if (i >= ItemCount() - 1)
            return;
        next = i + 1;
    }
    const TAliveFlag alive = alive_;
    list_->ListBox()->SetItemIndex(next);
    list_->UpdateScrollBars();
    if (!DroppedDown())
        savedIndex_ = next;
    SetText(Items()->Get(next));
    if (!*alive || !edit_)
        return;
    edit_->SelectAll();
    if (OnClick)
        OnClick(this);
}

void TskSkinCustomComboBox::EditKeyDown(TMessage& Message)
{
    const bool open = DroppedDown();
    const int i = ItemIndex();
    switch (Message.WParam) {
    case VK_RETURN:
    case VK_ESCAPE:
        if (open) {
            // The character that follows belongs to the list, not to the form's buttons.
            swallowDialogChar_ = true;
            CloseUp(Message.WParam == VK_RETURN);
        }
        break;
    case VK_PRIOR:
        if (open)
            list_->ListBox()->SetItemIndex(std::max(0, i - dropDownCount_ - 1));
        break;
    case VK_NEXT:
        if (open)
            list_->ListBox()->SetItemIndex(std::min(ItemCount() - 1, i + dropDownCount_ - 1));
        break;
    case VK_UP:
    case VK_DOWN:
        // Never handed to the edit, whose caret they would move.
        EditStep(Message.WParam == VK_UP ? -1 : 1);
        return;
    }
    if (edit_)
        editPrevious_(Message);
}

void TskSkinCustomComboBox::Complete()
{
    if (!edit_)
        return;
    const unsigned now = Ticks();
    if (completed_ && now - lastCompletion_ < CompletionDelay)
        return;
    completed_ = true;
    lastCompletion_ = now;
    const AnsiString text = edit_->Text();
    if (text.empty())
        return;
    const int found = SearchItem(text, text.size() == 1 ? std::max(-1, ItemIndex() - 1) : -1);
    if (found < 0)
        return;
    const TAliveFlag alive = alive_;
    list_->ListBox()->SetItemIndex(found);
    const AnsiString item = Items()->Get(found);
    SetText(item);
    if (!*alive || !edit_)
        return;
    edit_->SetSelStart(static_cast<int>(text.size()));
    edit_->SetSelLength(static_cast<int>(item.size()) - static_cast<int>(text.size()));
}

void TskSkinCustomComboBox::EditKeyUp(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    const WPARAM key = Message.WParam;
    const bool doubleByte = DoubleByteCharset(TextCharset());
    if (Message.Msg == WM_SYSKEYUP && !doubleByte) {
        editPrevious_(Message);
        return;
    }
    bool complete;
    if (doubleByte) {
        complete = key != KeyDelete && key != KeyBackspace;
        if (complete)
            SendMessageA(edit_->Handle(), WM_CLEAR, 0, 0);
    } else {
        complete = key > LastNonCharacterKey;
    }
    if (!*alive || !edit_)
        return;
    editPrevious_(Message);
    if (*alive && edit_ && complete && autoComplete_)
        Complete();
}

void TskSkinCustomComboBox::EditWheel(TMessage& Message)
{
    const int delta = static_cast<short>(HIWORD(Message.WParam));
    const int direction = delta > 0 ? -1 : 1;
    if (DroppedDown()) {
        const int i = ItemIndex();
        const int next = direction < 0 ? i - 1 : i + 1;
        if (next >= 0 && next < ItemCount()) {
            list_->ListBox()->SetItemIndex(next);
            list_->UpdateScrollBars();
        }
    } else {
        EditStep(direction);
    }
}

void TskSkinCustomComboBox::EditWindowProcHook(TMessage& Message)
{
    if (!edit_) {
        return;
    }
    const TAliveFlag alive = alive_;
    switch (Message.Msg) {
    case WM_SETFOCUS:
        editPrevious_(Message);
        if (*alive) {
            ApplyEditLook();
            Invalidate();
        }
        break;
    case WM_KILLFOCUS:
        // Wherever the focus goes, an open list is abandoned.
        CloseUp(false);
        if (!*alive || !edit_)
            return;
        editPrevious_(Message);
        if (*alive) {
            ApplyEditLook();
            Invalidate();
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        CloseUp(false);
        if (*alive && edit_)
            editPrevious_(Message);
        break;
    case WM_GETDLGCODE:
        editPrevious_(Message);
        if (*alive && DroppedDown())
            Message.Result |= DLGC_WANTALLKEYS;
        break;
    case WM_KEYDOWN: EditKeyDown(Message); break;
    case WM_CHAR:
        if (swallowDialogChar_ && (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE)) {
            swallowDialogChar_ = false;
            return;
        }
        swallowDialogChar_ = false;
        editPrevious_(Message);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP: EditKeyUp(Message); break;
    case WM_MOUSEWHEEL:
        EditWheel(Message);
        if (*alive && edit_)
            editPrevious_(Message);
        break;
    default: editPrevious_(Message);
    }
}

}  // namespace sk
