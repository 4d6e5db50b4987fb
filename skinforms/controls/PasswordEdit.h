#pragma once
// TskSkinPasswordEdit: a one-line password box drawn entirely by the program. It keeps the
// typed text to itself (never in the window's text, so WM_GETTEXT cannot reveal it), draws one
// mask symbol per character, and has its own caret, selection, keys and mouse. Text comes in
// by typing and by pasting; nothing can be copied or cut out of it.
#include "classlib/stdctrls/Caret.h"
#include "classlib/stdctrls/StdCtrls.h"
#include "skin/bases/SkinCtrls.h"
#include "skinforms/controls/ClipboardText.h"

namespace sk {

enum TskPasswordKind { pkRoundRect, pkRect, pkTriangle };

class TskSkinPasswordEdit : public TskSkinCustomControl {
public:
    explicit TskSkinPasswordEdit(cl::TComponent* AOwner);
    ~TskSkinPasswordEdit() override;

    TskPasswordKind PasswordKind() const { return passwordKind_; }
    void SetPasswordKind(TskPasswordKind Value);
    // 0: no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int Value) { maxLength_ = Value < 0 ? 0 : Value; }
    cl::TEditCharCase CharCase() const { return charCase_; }
    // Converts the text held already.
    void SetCharCase(cl::TEditCharCase Value);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool Value) { autoSelect_ = Value; }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool Value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value) { readOnly_ = Value; }
    cl::TAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(cl::TAlignment Value);
    cl::TColor DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(cl::TColor Value);

    // Editing state: the caret (0..length, before the character of that index) and the
    // selection between the caret and its fixed end.
    int CaretPos() const { return caret_; }
    int SelStart() const { return caret_ < selFixed_ ? caret_ : selFixed_; }
    int SelLength() const { return caret_ < selFixed_ ? selFixed_ - caret_ : caret_ - selFixed_; }
    void SelectAll();
    // The first character shown, counted from 1.
    int FirstVisible() const { return first_; }
    // The area the symbols are drawn in, and the width of one symbol's cell.
    TRect TextArea();
    int CellWidth();
    // The x of the caret standing at position P.
    int CaretX(int P);
    // Paste from the clipboard, as Shift+Insert and Ctrl+V do.
    void PasteFromClipboard();
    // How a busy clipboard is retried.
    TClipboardRetry ClipboardRetry;

    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;

    cl::TNotifyEvent OnChange;

protected:
    cl::AnsiString GetText() override { return text_; }
    // Stores the text with the case applied; never hands it to the window.
    void SetTextValue(const cl::AnsiString& Value) override;
    void Dispatch(cl::TMessage& Message) override;
    void KeyDown(WORD& Key, cl::TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void DblClick() override;

private:
    int Length() const { return static_cast<int>(text_.size()); }
    bool Focused();
    int AlignOffset();
    int PosAt(int X);
    void PlaceCaret(int P, bool Extend);
    void ScrollToCaret();
    void Insert(const cl::AnsiString& S);
    void DeleteSelection();
    void SetStoredText(const cl::AnsiString& Value);
    int WordStartBefore(int P) const;
    int WordEndAfter(int P) const;
    void WMSetFocus(cl::TMessage& Message);
    void WMKillFocus(cl::TMessage& Message);
    TskDataSkinEditControl* EditDescription() const;
    void DrawSymbols(cl::TCanvas* Canvas);
    void DrawSelection(cl::TCanvas* Canvas);

    cl::AnsiString text_;
    TskPasswordKind passwordKind_ = pkRoundRect;
    int maxLength_ = 0;
    cl::TEditCharCase charCase_ = cl::ecNormal;
    bool autoSelect_ = true;
    bool hideSelection_ = true;
    bool readOnly_ = false;
    cl::TAlignment textAlignment_ = cl::taLeftJustify;
    cl::TColor defaultColor_ = cl::clWindow;
    int caret_ = 0;
    int selFixed_ = 0;
    int first_ = 1;
    bool selecting_ = false;
    bool mouseIn_ = false;
    cl::TCaret systemCaret_;
};

}  // namespace sk
