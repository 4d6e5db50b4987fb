#pragma once
// The skinned combo box: a self-drawn box showing the chosen item beside a drop-down button, and
// a drop-down list (TskPopupListBox, the skinned list box as a popup window that never takes the
// activation). In the fixed style the box draws the chosen item itself and searches by typed
// letters; in the edit style an embedded skinned edit takes the typed text, completed from the
// items. A choice is accepted (Enter, a click in the list) or abandoned (Escape, a click
// elsewhere, the focus going away), which brings back the index the list had when it opened.
#include <string>

#include "classlib/stdctrls/StdCtrls.h"
#include "skin/bases/WindowTimer.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/controls/ListBox.h"

namespace sk {

class TskSkinCustomComboBox;

// The drop-down list: a popup over the work area, owned by its combo box, whose inner list hands
// the mouse to the combo box instead of taking the focus.
class TskPopupListBox : public TskSkinListBox {
public:
    explicit TskPopupListBox(cl::TComponent* AOwner);

    TskSkinCustomComboBox* ComboBox() const { return combo_; }
    void SetComboBox(TskSkinCustomComboBox* Value) { combo_ = Value; }
    // Screen rectangle of the inner list.
    TRect ListScreenRect();

protected:
    void CreateParams(cl::TCreateParams& Params) override;
    void Dispatch(cl::TMessage& Message) override;
    bool ListMessageTaken(cl::TMessage& Message) override;

private:
    TskSkinCustomComboBox* combo_ = nullptr;
};

enum TskSkinCustomComboBoxStyle { skcbEditStyle, skcbFixedStyle };

// Where a drop-down list of W by the height of Rows goes for a box at Box (screen), inside
// WorkArea: below the box, or above it when it does not fit below; when neither side has room
// for all rows, the side with more room and as many rows as fit there (at least one). Left is
// kept inside the work area. HeightFor answers the list's height for a number of rows.
struct TskDropDownPlace {
    TRect Bounds;
    int Rows = 0;
    bool Above = false;
};
TskDropDownPlace PlaceDropDown(const TRect& Box, int W, int Rows, const TRect& WorkArea,
                               const std::function<int(int)>& HeightFor);

class TskSkinCustomComboBox : public TskSkinCustomControl {
public:
    // The timer that moves the selection while the mouse is held above or below the list.
    static constexpr UINT_PTR ScrollTimerId = 1;
    static constexpr UINT ScrollInterval = 25;
    // Letters typed closer together than this form one search prefix.
    static constexpr unsigned SearchDelay = 500;
    // Completion of the edit's text runs at most this often.
    static constexpr unsigned CompletionDelay = 200;

    explicit TskSkinCustomComboBox(cl::TComponent* AOwner);
    ~TskSkinCustomComboBox() override;

    TskSkinCustomComboBoxStyle Style() const { return style_; }
    void SetStyle(TskSkinCustomComboBoxStyle Value);
    cl::TStrings* Items() const { return list_->Items(); }
    void SetItems(cl::TStrings* Value);
    int ItemIndex() const { return list_->ItemIndex(); }
    // -1 chooses nothing (the text stays); any other index outside the items is an error
    // (EListError). Fires OnClick.
    void SetItemIndex(int Value);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int Value);
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool Value) { autoComplete_ = Value; }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool Value);
    cl::TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(cl::TEditCharCase Value);
    cl::TColor DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(cl::TColor Value);
    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool Value);
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool Value) { alphaBlend_ = Value; }
    BYTE AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(BYTE Value) { alphaBlendValue_ = Value; }
    bool AlphaBlendAnimation() const { return alphaBlendAnimation_; }
    void SetAlphaBlendAnimation(bool Value) { alphaBlendAnimation_ = Value; }
    // 0: as wide as the combo box.
    int ListBoxWidth() const { return listBoxWidth_; }
    void SetListBoxWidth(int Value) { listBoxWidth_ = Value < 0 ? 0 : Value; }
    cl::TCustomImageList* Images() const { return list_->Images(); }
    void SetImages(cl::TCustomImageList* Value);
    int ImageIndex() const { return list_->ImageIndex(); }
    void SetImageIndex(int Value);
    bool Sorted() const { return list_->Sorted(); }
    void SetSorted(bool Value) { list_->SetSorted(Value); }

    // The drop-down list and, in the edit style, the edit (nullptr in the fixed style).
    TskPopupListBox* ListBox() const { return list_; }
    TskCustomEdit* Edit() const { return edit_; }
    bool DroppedDown() const;
    // The box's parts as laid out now.
    TRect ButtonRect() const { return buttonRect_; }
    TRect ContentRect() const { return contentRect_; }
    bool ButtonHot() const { return buttonHot_; }
    bool ButtonPressed() const { return buttonPressed_; }
    bool MouseIn() const { return mouseIn_; }
    // Moving the mouse above (-1) or below (1) the list while it is held there; 0 otherwise.
    int ScrollDirection() const { return scrollDirection_; }

    virtual void DropDown();
    void CloseUp(bool Accept);
    // In the edit style the edit's WindowProc: the keys and notices the combo box acts on first.
    virtual void EditWindowProcHook(cl::TMessage& Message);

    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;

    cl::TNotifyEvent OnChange;
    cl::TNotifyEvent OnCloseUp;
    cl::TNotifyEvent OnDropDown;
    TskDrawSkinItemEvent OnComboBoxDrawItem;
    TskDrawSkinItemEvent& OnListBoxDrawItem() { return list_->OnDrawItem; }

protected:
    // Runs after OnClick whenever a choice is made; nothing here.
    virtual void ChoiceMade() {}
    // Milliseconds on the system's clock; tests give their own.
    virtual unsigned Ticks() const;

    void CreateParams(cl::TCreateParams& Params) override;
    void CreateWnd() override;
    void DefaultFontChanged() override;
    void CalcSize(int& W, int& H) override;
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    void Dispatch(cl::TMessage& Message) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, cl::TShiftState Shift) override;
    void KeyPress(char& Key) override;

private:
    friend class TskPopupListBox;
    TskDataSkinComboBox* ComboDescription() const;
    void CalcRects();
    void PlaceEdit();
    void CreateEdit();
    void FreeEdit();
    // The shown text follows a choice; OnChange.
    void ChooseText(const cl::AnsiString& Text);
    // Moves the chosen item (fixed style) or only the open list's selection.
    void MoveListSelection(int Index);
    void ChooseByKey(int Index);
    int ItemCount() const { return list_->Items()->Count(); }
    int SearchItem(const cl::AnsiString& Prefix, int After);
    bool IsOwnPart(cl::TControl* Control) const;
    void StartScrollTimer(int Direction);
    void StopScrollTimer();
    void WMTimer(cl::TMessage& Message);
    void WMMouseWheel(cl::TMessage& Message);
    void WMGetDlgCode(cl::TMessage& Message);
    void CMCancelMode(cl::TMessage& Message);
    void ListCheckButtonClick(cl::TObject*);
    // The inner list's mouse, handed over by the popup.
    void ListMouseMove(int X, int Y);
    void ListMouseDown(int X, int Y);
    // Selects the list's item under a point of the combo box while the mouse is held.
    void TrackListAt(int X, int Y);
    bool OverList(int X, int Y);

    // Edit style.
    void EditKeyDown(cl::TMessage& Message);
    void EditKeyUp(cl::TMessage& Message);
    void EditWheel(cl::TMessage& Message);
    void EditStep(int Direction);
    void EditTextChanged(cl::TObject*);
    void EditCancelMode(cl::TControl* Sender);
    void EditOnKeyDown(cl::TObject*, WORD& Key, cl::TShiftState Shift);
    void EditOnKeyUp(cl::TObject*, WORD& Key, cl::TShiftState Shift);
    void EditOnKeyPress(cl::TObject*, char& Key);
    void Complete();
    BYTE TextCharset();
    // The edit's font, text colour and ground, from the description when there is one.
    void ApplyEditLook();
    cl::TColor SkinEditColor(const TskDataSkinComboBox& D);

    // Drawing.
    void DrawDefaultButton(cl::TCanvas* Canvas);
    void DrawSkinButton(cl::TCanvas* Canvas);
    void DrawDefaultItem(cl::TCanvas* Canvas);
    void DrawSkinItem(cl::TCanvas* Canvas);
    // The item's ground for its state, at the size the item is drawn; Canvas holds the box as drawn.
    void ComposeSkinItemGround(const TskDataSkinComboBox& D, cl::TCanvas* Canvas, bool Focused, cl::TBitmap& Item);
    TRect SkinItemTextRect(const TskDataSkinComboBox& D);
    void SetSkinItemFont(const TskDataSkinComboBox& D, cl::TFont& F, bool Focused);
    // The chosen item (by the owner's event, or its picture and text) onto its ground.
    void DrawSkinItemContent(const TskDataSkinComboBox& D, cl::TBitmap& Item, TRect Text, bool Focused);
    int ShownIndex() const;
    bool ComboFocused();
    bool ActiveLook();

    TskPopupListBox* list_ = nullptr;
    TskCustomEdit* edit_ = nullptr;
    cl::TWndMethod editPrevious_;
    TskSkinCustomComboBoxStyle style_ = skcbFixedStyle;
    int dropDownCount_ = 8;
    bool autoComplete_ = true;
    bool hideSelection_ = true;
    cl::TEditCharCase charCase_ = cl::ecNormal;
    cl::TColor defaultColor_ = cl::clWindow;
    bool useSkinSize_ = true;
    bool alphaBlend_ = false;
    BYTE alphaBlendValue_ = 0;
    bool alphaBlendAnimation_ = false;
    int listBoxWidth_ = 0;

    int savedIndex_ = -1;
    TRect contentRect_;
    TRect buttonRect_;
    bool mouseIn_ = false;
    bool buttonHot_ = false;
    bool buttonPressed_ = false;
    bool listCaptured_ = false;
    bool listPressed_ = false;
    int scrollDirection_ = 0;
    TskWindowTimer scrollTimer_{this, ScrollTimerId};
    cl::AnsiString prefix_;
    unsigned lastSearch_ = 0;
    bool searched_ = false;
    unsigned lastCompletion_ = 0;
    bool completed_ = false;
    bool editPushing_ = false;
    bool swallowDialogChar_ = false;
};

class TskSkinComboBox : public TskSkinCustomComboBox {
public:
    using TskSkinCustomComboBox::TskSkinCustomComboBox;
};

}  // namespace sk
