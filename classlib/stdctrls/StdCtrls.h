#pragma once
// The standard controls the skinned ones are made from: an edit and a list box over the
// platform's EDIT and LISTBOX windows, and the windowless label.
#include <memory>

#include "classlib/classes/ComponentRef.h"
#include "classlib/controls/Forms.h"

namespace cl {

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
// A control's own border: none or a single sunken edge.
using TBorderStyle = TFormBorderStyle;

// ---------------------------------------------------------------------------------------------
// Edit

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    // Several lines of text (otherwise line breaks in pasted or assigned text become spaces,
    // even when a descendant gives the window the multi-line style for its own reasons).
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool Value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int Value);
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char Value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase Value);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool Value) { autoSelect_ = Value; }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool Value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);
    bool Modified();
    void SetModified(bool Value);

    // Selection, in characters; out-of-range values are clamped by the edit.
    int SelStart();
    void SetSelStart(int Value);
    int SelLength();
    void SetSelLength(int Value);
    AnsiString SelText();
    void SetSelText(const AnsiString& Value);
    void SelectAll();
    void ClearSelection();

    bool CanUndo();
    void Undo();
    void ClearUndo();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void Clear();

    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // Keeps what only the window knows (text, selection, modified flag) in the object.
    void DestroyWnd() override;
    void SetTextValue(const AnsiString& Value) override;
    virtual void Change();
    void DoEnter() override;

    // Message handlers.
    void CNCommand(TMessage& Message);
    void CNCtlColor(TMessage& Message);
    void WMPaste(TMessage& Message);
    void WMChar(TMessage& Message);

private:
    // What a line of this edit may hold.
    AnsiString Fit(const AnsiString& Value) const;

    TBorderStyle borderStyle_ = bsSingle;
    TAlignment alignment_ = taLeftJustify;
    bool multiLine_ = false;
    int maxLength_ = 0;
    char passwordChar_ = 0;
    TEditCharCase charCase_ = ecNormal;
    bool autoSelect_ = true;
    bool hideSelection_ = true;
    bool readOnly_ = false;
    bool modified_ = false;
    bool creating_ = false;
    int savedSelStart_ = 0;
    int savedSelLength_ = 0;
    TBrush brush_;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

// ---------------------------------------------------------------------------------------------
// List box

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

class TCustomListBox;
using TDrawItemEvent =
    TEvent<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    // Held by the window while there is one, by the object otherwise; kept across RecreateWnd.
    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* Value) { items_->Assign(Value); }
    // -1: none. An index outside the items selects nothing (-1).
    int ItemIndex();
    void SetItemIndex(int Value);
    int TopIndex();
    void SetTopIndex(int Value);
    // The item at a client point; -1 when none, or, unless Existing, Count below the last.
    int ItemAtPos(const TPoint& Pos, bool Existing);
    TRect ItemRect(int Index);
    int ItemHeight();
    void SetItemHeight(int Value);
    int Columns() const { return columns_; }
    void SetColumns(int Value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool Value);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool Value);
    bool Selected(int Index);
    void SetSelected(int Index, bool Value);
    int SelCount();
    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle Value);
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool Value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    // Letters typed in quick succession (within AutoCompleteDelay ms) search for the first
    // item that begins with all of them; otherwise each letter searches alone.
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool Value) { autoComplete_ = Value; }
    static constexpr unsigned AutoCompleteDelay = 500;
    int Count() const { return items_->Count(); }
    void Clear() { items_->Clear(); }
    // While an item is drawn: the canvas on the draw message's DC.
    TCanvas* Canvas() { return &canvas_; }

    void Dispatch(TMessage& Message) override;

    TDrawItemEvent OnDrawItem;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // Keeps the items, the index and the selection in the object.
    void DestroyWnd() override;
    // Owner-drawn items: OnDrawItem, or the text on the state's colours.
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    void KeyPress(char& Key) override;
    // Milliseconds on the system's clock; tests give their own.
    virtual unsigned Ticks() const;

    void CNCommand(TMessage& Message);
    void CNDrawItem(TMessage& Message);
    void CNMeasureItem(TMessage& Message);
    void CNCtlColor(TMessage& Message);
    void WMLButtonDown(TMessage& Message);

private:
    friend class TListBoxStrings;
    LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    void ApplyColumnWidth();

    std::unique_ptr<TStrings> items_;
    std::unique_ptr<TStringList> saved_;  // the items while there is no window
    int savedItemIndex_ = -1;
    int savedTopIndex_ = 0;
    std::vector<int> savedSelection_;
    int itemHeight_ = 16;
    int columns_ = 0;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    bool sorted_ = false;
    bool integralHeight_ = false;
    TListBoxStyle style_ = lbStandard;
    TBorderStyle borderStyle_ = bsSingle;
    bool autoComplete_ = true;
    AnsiString filter_;
    unsigned lastKeyTime_ = 0;
    TCanvas canvas_;
    TBrush brush_;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};

// ---------------------------------------------------------------------------------------------
// Label

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool Value);
    // A caption on one line that does not fit ends in "..." instead of being cut off.
    bool EndEllipsis() const { return endEllipsis_; }
    void SetEndEllipsis(bool Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    // Gets the focus when the caption's accelerator is typed; forgotten when freed.
    TWinControl* FocusControl() const { return focusControl_.Get(); }
    void SetFocusControl(TWinControl* Value);

    void Dispatch(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    virtual AnsiString GetLabelText() { return Caption(); }
    // Draws (or with DT_CALCRECT measures) the caption in Rect on Canvas().
    virtual void DoDrawText(TRect& Rect, unsigned Flags);
    // Fits the size to the caption when AutoSize is on; the edge opposite the alignment stays.
    virtual void AdjustBounds();
    void Loaded() override;

private:
    unsigned DrawFlags() const;
    TRect Measure();

    bool autoSize_ = true;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool endEllipsis_ = false;
    bool transparent_ = false;
    TComponentRef<TWinControl> focusControl_{this};
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

}  // namespace cl
