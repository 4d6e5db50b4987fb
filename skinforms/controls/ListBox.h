#pragma once
// The skinned list box: an outer skinned control drawing the frame and an optional caption bar
// with up, down and check buttons, around an inner borderless owner-drawn list (TskListBox)
// whose native scroll bars are never visible: skinned scroll bars mirror their range instead,
// one for the rows and one for an item text wider than the list. Items are drawn from the
// skin's item pictures or in a default look.
#include <memory>
#include <string>

#include "classlib/classes/ComponentRef.h"
#include "classlib/stdctrls/StdCtrls.h"
#include "skin/bases/SkinCtrls.h"
#include "skin/controls/ScrollBar.h"
#include "skin/bases/HeldRepeat.h"

namespace sk {

class TskSkinCustomListBox;

// Draws one item instead of the control: the item's off-screen canvas, its size, the text
// rectangle and its state.
using TskDrawSkinItemEvent =
    cl::TEvent<void(cl::TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight, TRect TxtRect,
                    cl::TOwnerDrawState State)>;

class TskListBox : public cl::TListBox {
public:
    explicit TskListBox(cl::TComponent* AOwner);

    TskSkinCustomListBox* SkinListBox() const { return outer_; }
    void SetSkinListBox(TskSkinCustomListBox* Value) { outer_ = Value; }
    // Pixels the items are shifted left by the extent bar.
    int HorizontalOffset() const { return offset_; }
    void SetHorizontalOffset(int Value);
    // The item's state as drawn: selected, and focused when the list has the focus.
    cl::TOwnerDrawState ItemState(int Index);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Dispatch(cl::TMessage& Message) override;

protected:
    void CreateParams(cl::TCreateParams& Params) override;
    void PaintWindow(HDC DC) override;
    void DrawItem(int Index, TRect Rect, cl::TOwnerDrawState State) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void Click() override;
    void KeyDown(WORD& Key, cl::TShiftState Shift) override;
    void KeyUp(WORD& Key, cl::TShiftState Shift) override;
    void KeyPress(char& Key) override;

private:
    void PaintBackground(HDC DC, const TRect& R);
    void WMMouseWheel(cl::TMessage& Message);
    cl::TOwnerDrawState ItemState(int Index, bool Focused);

    TskSkinCustomListBox* outer_ = nullptr;
    int offset_ = 0;
    // Where each item is composed before it is blitted, kept from item to item and from
    // paint to paint: a new bitmap and DC for every item had the platform look at its display
    // settings each time, most of what a page of items cost.
    cl::TBitmap itemImage_;
};

class TskSkinCustomListBox : public TskSkinCustomControl {
public:
    enum { UpButton = 0, DownButton = 1, CheckButton = 2 };
    static constexpr UINT_PTR RepeatTimerId = 1;
    static constexpr UINT FirstRepeatDelay = 500;
    static constexpr UINT RepeatInterval = 100;
    static constexpr UINT ResumeInterval = 50;

    explicit TskSkinCustomListBox(cl::TComponent* AOwner);
    ~TskSkinCustomListBox() override;

    TskListBox* ListBox() const { return list_; }
    cl::TStrings* Items() const { return list_->Items(); }
    void SetItems(cl::TStrings* Value);
    int ItemIndex() const { return list_->ItemIndex(); }
    // -1 selects nothing; any other index outside the items is an error (EListError).
    void SetItemIndex(int Value);
    int TopIndex() const { return list_->TopIndex(); }
    void SetTopIndex(int Value) { list_->SetTopIndex(Value); }
    int ItemAtPos(const TPoint& Pos, bool Existing) { return list_->ItemAtPos(Pos, Existing); }
    bool MultiSelect() const { return list_->MultiSelect(); }
    void SetMultiSelect(bool Value) { list_->SetMultiSelect(Value); }
    bool Sorted() const { return list_->Sorted(); }
    void SetSorted(bool Value);
    int Columns() const { return list_->Columns(); }
    void SetColumns(int Value);

    bool UseSkinItemHeight() const { return useSkinItemHeight_; }
    void SetUseSkinItemHeight(bool Value) { useSkinItemHeight_ = Value; }
    bool HorizontalExtent() const { return horizontalExtent_; }
    void SetHorizontalExtent(bool Value);
    // 0: any height; otherwise the control is as high as that many rows.
    int RowCount() const { return rowCount_; }
    void SetRowCount(int Value);
    int DefaultItemHeight() const { return defaultItemHeight_; }
    void SetDefaultItemHeight(int Value);
    int DefaultCaptionHeight() const { return defaultCaptionHeight_; }
    void SetDefaultCaptionHeight(int Value);
    bool CaptionMode() const { return captionMode_; }
    void SetCaptionMode(bool Value);
    cl::TCustomImageList* Images() const { return images_; }
    void SetImages(cl::TCustomImageList* Value);
    // -1: image i for item i; otherwise that image on every item.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    cl::TFont* DefaultCaptionFont() { return &defaultCaptionFont_; }
    // The caption's glyph: NumGlyphs frames side by side, the second one shown while the
    // control is disabled; Spacing pixels between it and the text.
    cl::TBitmap* Glyph() { return &glyph_; }
    void SetGlyph(cl::TBitmap* Value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int Value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int Value);
    // Of the caption.
    cl::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(cl::TAlignment Value);

    // The height for N rows.
    int HeightForRows(int N);
    // The bars as they stand: the rows' bar and the wide-item bar; nullptr while not needed.
    TskSkinScrollBar* ScrollBar() const { return scrollBar_; }
    TskSkinScrollBar* ExtentScrollBar() const { return extentBar_; }
    void UpdateLayout();
    void UpdateScrollBars();
    // The caption buttons as laid out.
    TRect CaptionButtonRect(int Button) const { return buttons_[Button].Rect; }
    int RepeatMode() const { return repeatMode_; }

    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;

    // Draws item Index into a canvas of the item's size.
    void DrawItemImage(cl::TCanvas* Canvas, int Index, int W, int H, cl::TOwnerDrawState State);
    // The list's background over R of DC (the list's coordinates).
    void PaintListBackground(HDC DC, const TRect& R, const TPoint& TileOrigin);

    TskDrawSkinItemEvent OnDrawItem;
    cl::TNotifyEvent OnUpButtonClick;
    cl::TNotifyEvent OnDownButtonClick;
    cl::TNotifyEvent OnCheckButtonClick;
    cl::TNotifyEvent OnListBoxClick;
    cl::TNotifyEvent OnListBoxDblClick;
    cl::TMouseEvent OnListBoxMouseDown;
    cl::TMouseMoveEvent OnListBoxMouseMove;
    cl::TMouseEvent OnListBoxMouseUp;
    cl::TKeyEvent OnListBoxKeyDown;
    cl::TKeyEvent OnListBoxKeyUp;
    cl::TKeyPressEvent OnListBoxKeyPress;

protected:
    void CreateParams(cl::TCreateParams& Params) override;
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    void DefaultFontChanged() override;
    void Dispatch(cl::TMessage& Message) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    // A message of the inner list that this control handles instead of the list; false lets
    // the list have it.
    virtual bool ListMessageTaken(cl::TMessage& Message) { return false; }

private:
    friend class TskListBox;
    struct TButtonState {
        TRect Rect;
        bool MouseIn = false;
        bool Down = false;
    };
    TskDataSkinListBox* ListDescription() const;
    int WidestItem();
    void CreateScrollBar();
    void CreateExtentBar();
    void RemoveScrollBar();
    void RemoveExtentBar();
    void ScrollBarChange(cl::TObject*);
    void ExtentBarChange(cl::TObject*);
    void ApplyBarSkins();
    void CalcCaptionButtons();
    bool ButtonsTracked();
    void HotTest(int X, int Y, bool HasPoint);
    void StepItem(int Direction);
    void WMTimer(cl::TMessage& Message);
    void DrawCaption(cl::TCanvas* Canvas, const TRect& R, bool Skinned);
    void DrawCaptionButton(cl::TCanvas* Canvas, int Button);
    // Items added, or removed: the widest text and the bars follow.
    void ItemAdded(const char* Text);
    void ItemsChanged();
    // The bars now, or once a filling bracketed by BeginUpdate is over.
    void RequestScrollBarUpdate();

    TskListBox* list_ = nullptr;
    TskSkinScrollBar* scrollBar_ = nullptr;
    TskSkinScrollBar* extentBar_ = nullptr;
    bool useSkinItemHeight_ = true;
    bool horizontalExtent_ = false;
    bool updating_ = false;
    bool inScrollBarUpdate_ = false;
    int rowCount_ = 0;
    int defaultItemHeight_ = 20;
    int defaultCaptionHeight_ = 20;
    bool captionMode_ = false;
    cl::TAlignment alignment_ = cl::taLeftJustify;
    cl::TComponentRef<cl::TCustomImageList> images_{this};
    int imageIndex_ = -1;
    cl::TFont defaultCaptionFont_;
    cl::TBitmap glyph_;
    int numGlyphs_ = 1;
    int spacing_ = 2;
    TButtonState buttons_[3];
    int previousHot_ = -1;
    int hot_ = -1;
    int captured_ = -1;
    int repeatMode_ = 0;
    TskHeldRepeat repeat_{this, RepeatTimerId, FirstRepeatDelay, RepeatInterval};
    // The widest item text, measured once per change of the items.
    int widest_ = -1;
    bool barsPending_ = false;
    // What the skin gives the items (plain, chosen, focused) and the list's ground, composed
    // once and kept until the skin, the size or the pieces they come from change: composing
    // them for every item of every paint cost a bitmap and its DC each time.
    struct TComposed {
        const cl::TBitmap* Picture = nullptr;
        TRect Source;
        int W = -1;
        int H = -1;
        int LeftW = 0;
        int RightW = 0;
        bool Stretch = false;
        std::unique_ptr<cl::TBitmap> Image;
    };
    TComposed strips_[3];
    TComposed ground_;
    cl::TBitmap* ItemStrip(int Slot, const TRect& Source, int W, int H, bool Stretch);
    cl::TBitmap* Ground();
};

class TskSkinListBox : public TskSkinCustomListBox {
public:
    using TskSkinCustomListBox::TskSkinCustomListBox;
};

}  // namespace sk
