#pragma once
// TskSkinCategoryButtons: the categories and buttons of the category-buttons model shown as a
// scrollable column (or row) of caption bands, each followed by a grid of buttons. Categories
// collapse and expand on a click; buttons light up under the mouse, are selected by mouse and
// keyboard, and are reordered or copied by dragging. Drawn from the skin's "panel" (bands and
// background), button ("resizebutton" or ButtonsSkinDataName) and "stdlabel" (caption font)
// descriptions, or in a built-in default look.
//
// Every reference the control keeps into the model (hot, pressed, selected, focused, dragged
// and marked buttons) is dropped before the item it points at is freed.
#include <string>
#include <vector>

#include "classlib/classes/ComponentRef.h"
#include "classlib/graphics/ImgList.h"
#include "skin/drawing/DefaultLook.h"
#include "skin/bases/SkinCtrls.h"
#include "skin/controls/ScrollBar.h"
#include "skin/bases/WindowTimer.h"
#include "skinforms/categorybuttons/Model.h"
#include "skinforms/categorybuttons/Layout.h"

enum TskButtonDrawStateFlag {
    skbdsSelected,
    skbdsHot,
    skbdsFocused,
    skbdsDown,
    skbdsDragged,
    skbdsInsertLeft,
    skbdsInsertTop,
    skbdsInsertRight,
    skbdsInsertBottom
};
using TskButtonDrawState = cl::TSet<TskButtonDrawStateFlag>;

class TskSkinCategoryButtons;

using TskButtonEvent = cl::TEvent<void(cl::TObject* Sender, TskButtonItem* Button)>;
using TskCategoryEvent = cl::TEvent<void(cl::TObject* Sender, TskButtonCategory* Category)>;
using TskReorderButtonEvent = cl::TEvent<void(cl::TObject* Sender, TskButtonItem* Button,
                                              TskButtonCategory* SourceCategory, TskButtonCategory* TargetCategory)>;
using TskReorderCategoryEvent =
    cl::TEvent<void(cl::TObject* Sender, TskButtonCategory* SourceCategory, TskButtonCategory* TargetCategory)>;
using TskCopyButtonEvent =
    cl::TEvent<void(cl::TObject* Sender, TskButtonItem* SourceButton, TskButtonItem* CopiedButton)>;
using TskDrawButtonEvent = cl::TEvent<void(cl::TObject* Sender, TskButtonItem* Button, cl::TCanvas* Canvas,
                                           cl::TRect Rect, TskButtonDrawState State)>;
using TskGetHintEvent = cl::TEvent<void(cl::TObject* Sender, TskButtonItem* Button, TskButtonCategory* Category,
                                        std::string& HintStr, bool& Handled)>;

class TskSkinCategoryButtons : public sk::TskSkinControl, public TskCategoryButtonsHost {
public:
    // Window timer of the edge scrolling during a drag.
    static constexpr UINT_PTR AutoScrollTimerId = 2;
    // Screen cursor shown while a drag copies.
    static constexpr cl::TCursor crCategoryDragCopy = -23;

    explicit TskSkinCategoryButtons(cl::TComponent* AOwner);
    ~TskSkinCategoryButtons() override;

    // --- The model
    TskButtonCategories* Categories() const { return categories_; }
    // Copies the given collection's categories.
    void SetCategories(TskButtonCategories* Value);

    // --- Properties
    TskCatButtonFlow ButtonFlow() const { return flow_; }
    void SetButtonFlow(TskCatButtonFlow Value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int Value);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int Value);
    TskCatButtonOptions ButtonOptions() const { return options_; }
    void SetButtonOptions(TskCatButtonOptions Value);
    const std::string& ButtonsSkinDataName() const { return buttonsSkinDataName_; }
    void SetButtonsSkinDataName(const std::string& Value);
    // A frame around the list, drawn in the non-client area.
    bool ShowBoder() const { return showBorder_; }
    void SetShowBoder(bool Value);
    bool UsesSkinFont() const { return usesSkinFont_; }
    void SetUsesSkinFont(bool Value);
    cl::TCustomImageList* Images() const { return images_; }
    void SetImages(cl::TCustomImageList* Value);
    cl::TColor HotButtonColor() const { return hotButtonColor_; }
    void SetHotButtonColor(cl::TColor Value);
    cl::TColor SelectedButtonColor() const { return selectedButtonColor_; }
    void SetSelectedButtonColor(cl::TColor Value);
    cl::TColor RegularButtonColor() const { return regularButtonColor_; }
    void SetRegularButtonColor(cl::TColor Value);

    // --- Selection and state
    TskButtonItem* SelectedItem() const { return selected_; }
    void SetSelectedItem(TskButtonItem* Value);
    TskButtonItem* FocusedItem() const { return focused_; }
    void SetFocusedItem(TskButtonItem* Value);
    TskButtonItem* HotButton() const { return hot_; }
    TskButtonItem* PressedButton() const { return pressed_; }
    // The buttons marked for an insertion during a drag (nullptr when none).
    TskButtonItem* InsertMark(TskButtonDrawStateFlag Mark) const;

    // --- Geometry (client coordinates)
    TskCategoryButtonsMetrics Metrics() const;
    int TextHeight() const { return textHeight_; }
    int ScrollUnit() const { return textHeight_ + 5; }
    int ScrollPosition() const { return position_; }
    int ScrollMax() const { return max_; }
    int ScrollPage() const { return page_; }
    int ScrollOffset() const { return position_ * ScrollUnit(); }
    sk::TskSkinScrollBar* ScrollBar() const { return scrollBar_; }
    TskButtonItem* GetButtonAt(int X, int Y, TskButtonCategory* Category = nullptr) const;
    TskButtonCategory* GetCategoryAt(int X, int Y) const;
    cl::TRect GetButtonRect(TskButtonItem* Button) const;
    TskCategoryBounds GetCategoryBounds(TskButtonCategory* Category, int Start) const;
    // Codes: 0 one unit back, 1 one unit on, 2 one page back, 3 one page on, 4 and 5 to Value,
    // 6 to the start, 7 to the end.
    void ScrollBy(int Code, int Value = 0);

    // Draws one button into Rect of Canvas.
    virtual void DrawButton(TskButtonItem* Button, cl::TCanvas* Canvas, cl::TRect Rect, TskButtonDrawState State);

    // --- Skin
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    void SetSkinData(sk::TskSkinData* Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // --- Model notices
    bool IsReordering() const override { return reordering_; }
    void InvalidateButton(TskBaseButtonItem* Item) override;
    void Relayout() override;
    void ScrollCategoryIntoView(TskButtonCategory* Category) override;
    void ScrollButtonIntoView(TskBaseButtonItem* Item) override;
    void CategoryCollapsed(TskButtonCategory* Category) override;
    void CategoryReordered(TskButtonCategory* Source, TskButtonCategory* Target) override;
    void CategoryDestroying(TskButtonCategory* Category) override;
    void ButtonDestroying(TskBaseButtonItem* Item) override;
    void WatchAction(cl::TBasicAction* Action) override;

    // --- Events
    TskButtonEvent OnButtonClicked;
    TskButtonEvent OnSelectedItemChange;
    TskButtonEvent OnHotButton;
    TskCategoryEvent OnCategoryCollapase;
    TskReorderButtonEvent OnReorderButton;
    TskReorderCategoryEvent OnReorderCategory;
    TskCopyButtonEvent OnCopyButton;
    // Replaces the whole drawing of a button; setting it repaints.
    const TskDrawButtonEvent& OnDrawButton() const { return onDrawButton_; }
    void SetOnDrawButton(TskDrawButtonEvent Value);
    TskDrawButtonEvent OnBeforeDrawButton;
    TskDrawButtonEvent OnAfterDrawButton;
    TskGetHintEvent OnGetHint;

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    void Paint() override;
    void Dispatch(cl::TMessage& Message) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Sized by the platform (a frame, alignment): laid out as after SetBounds.
    void Resize() override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, cl::TShiftState Shift) override;
    // True exactly when reordering is allowed.
    virtual bool MayReorder() const { return options_.Contains(skboAllowReorder); }
    // The class library's drag protocol: drags of this control's own buttons and categories
    // are handled here, any other goes to the inherited handling.
    cl::TDragImageList* GetDragImages() override;
    void DragOver(cl::TObject* Source, int X, int Y, cl::TDragState State, bool& Accept) override;
    void DragDrop(cl::TObject* Source, int X, int Y) override;
    void DoStartDrag(cl::TDragObject*& DragObject) override;
    void DoEndDrag(cl::TObject* Target, int X, int Y) override;

private:
    struct TCaptionFont;
    // --- Layout and painting
    void CalcTextMetrics();
    void UpdateScrollRange();
    void CreateScrollBar();
    void RemoveScrollBar();
    void PlaceScrollBar();
    void PaintContent(cl::TCanvas* Canvas, int W, int H);
    // The content at the client size drawn into B; false (B untouched) when the client area is empty.
    bool PaintContentImage(cl::TBitmap& B);
    void DrawCategory(cl::TCanvas* Canvas, TskButtonCategory* Category, int P, int W, int H);
    void DrawCategoryContent(cl::TCanvas* Canvas, TskButtonCategory* Category, const TskCategoryBounds& Bounds,
                             int DX, int DY, bool Skinned, cl::TColor CaptionColor, int W, int H);
    void DrawGlyph(cl::TCanvas* Canvas, TskButtonCategory* Category, cl::TPoint BandTopLeft, bool Skinned,
                   cl::TColor CaptionColor);
    void DrawCaption(cl::TCanvas* Canvas, TskButtonCategory* Category, const cl::TRect& Band, bool Skinned);
    void DrawSkinnedButton(TskButtonItem* Button, cl::TCanvas* Canvas, const cl::TRect& Rect,
                           TskButtonDrawState State, sk::TskDataSkinButtonControl* D, bool Named);
    void DrawButtonContent(TskButtonItem* Button, cl::TCanvas* Canvas, const cl::TRect& Rect,
                           TskButtonDrawState State);
    void FillBackground(cl::TCanvas* Canvas, const cl::TRect& Rect);
    TskButtonDrawState ButtonState(TskButtonItem* Button);
    // The button that shows the keyboard focus while the control has it: the focused one, else
    // the selected one, else the one Down would choose first.
    TskButtonItem* FocusMarkButton() const;
    void ApplyCaptionFont(cl::TFont* Font, cl::TColor* Color);
    cl::TFontCharset SkinCharset() const;
    // The description of that name and class in a loaded skin, nullptr when there is none.
    template <class D>
    D* FindDescription(const std::string& Name) const
    {
        sk::TskSkinData* data = SkinData();
        if (!data || data->Empty)
            return nullptr;
        const int i = data->IndexOfControl(Name);
        return i < 0 ? nullptr : dynamic_cast<D*>(data->CtrlList.Items(i));
    }
    void InvalidateCategoryBand(TskButtonCategory* Category);
    // Scrolls the least that brings the span of R along the scrolling axis into view, or its
    // start when the span is longer than the view.
    void ScrollSpanIntoView(const TskCategoryButtonsMetrics& M, const cl::TRect& R);

    // --- Input
    void WMMouseWheel(cl::TMessage& Message);
    void WMLButtonUp(cl::TMessage& Message);
    void WMMouseLeave(cl::TMessage& Message, bool Notify);
    void WMTimer(cl::TMessage& Message);
    void WMCancelMode(cl::TMessage& Message);
    void CMHintShow(cl::TMessage& Message);
    void WMNCCalcSize(cl::TMessage& Message);
    void WMNCPaint(cl::TMessage& Message);
    void WMEraseBkgnd(cl::TMessage& Message);
    void CMFontChanged(cl::TMessage& Message);
    // The frame's widths (left, top, right, bottom) for the current skin.
    cl::TRect BorderInsets() const;
    void PaintBorder();
    void SetHot(TskButtonItem* Button);
    void ReportButtonClick(TskButtonItem* Button);
    void SelectFound(TskButtonItem* Button);

    // --- Dragging
    void StartDrag();
    bool IsOwnDrag(cl::TObject* Source) const;
    void MakeDragImage();
    bool DragOverAt(int X, int Y);
    void DropAt(int X, int Y);
    void FinishDrag();
    // Ends a drag of this control without a drop.
    void CancelDrag();
    void FindDropTarget(int X, int Y, TskButtonCategory*& Category, TskButtonItem*& Button) const;
    bool AcceptsDrop(TskButtonCategory* Category, TskButtonItem* Target, bool Copy) const;
    void SetInsertMarks(TskButtonItem* Left, TskButtonItem* Top, TskButtonItem* Right, TskButtonItem* Bottom);
    void ClearInsertMarks() { SetInsertMarks(nullptr, nullptr, nullptr, nullptr); }
    bool CopyDrag() const;
    void AutoScrollStep();
    void StopAutoScroll();
    // Forgets every reference into the button (not the selection).
    void ForgetButton(TskBaseButtonItem* Item);
    // Every button that used the action lets go of it.
    void ReleaseAction(cl::TComponent* Action);

    TskButtonCategories* categories_ = nullptr;
    TskCatButtonFlow flow_ = skcbfVertical;
    int buttonWidth_ = 24;
    int buttonHeight_ = 24;
    TskCatButtonOptions options_{skboShowCaptions, skboVerticalCategoryCaptions};
    std::string buttonsSkinDataName_ = "resizebutton";
    TskDrawButtonEvent onDrawButton_;
    bool usesSkinFont_ = true;
    bool showBorder_ = false;
    cl::TComponentRef<cl::TCustomImageList> images_{this};
    cl::TChangeLink imageLink_;
    cl::TColor hotButtonColor_ = sk::clSkinDefaultHotFill;
    cl::TColor selectedButtonColor_ = 0;
    cl::TColor regularButtonColor_ = 0;

    int textHeight_ = 0;
    int position_ = 0;
    int max_ = 0;
    int page_ = 0;
    sk::TskSkinScrollBar* scrollBar_ = nullptr;
    bool layingOut_ = false;

    TskButtonItem* hot_ = nullptr;
    TskButtonItem* pressed_ = nullptr;
    TskButtonItem* selected_ = nullptr;
    TskButtonItem* focused_ = nullptr;
    TskButtonItem* dragButton_ = nullptr;
    TskButtonCategory* dragCategory_ = nullptr;
    cl::TPoint pressPoint_;
    bool dragging_ = false;
    bool reordering_ = false;
    TskButtonItem* markLeft_ = nullptr;
    TskButtonItem* markTop_ = nullptr;
    TskButtonItem* markRight_ = nullptr;
    TskButtonItem* markBottom_ = nullptr;
    std::unique_ptr<cl::TDragImageList> dragImages_;
    sk::TskWindowTimer autoScroll_{this, AutoScrollTimerId};
    cl::TPoint lastDragPoint_;
    bool releasing_ = false;
    bool dragCancelled_ = false;
    bool mouseInside_ = false;
    // Actions of buttons, watched so that their buttons let go when they are freed.
    std::vector<cl::TComponent*> watchedActions_;
};
