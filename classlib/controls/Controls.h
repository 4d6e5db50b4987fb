#pragma once
// Controls: TControl (a rectangle on a parent that takes messages), TWinControl (a control with
// a window of its own, created on demand, holding child controls), TGraphicControl (painted by
// its parent, with the mouse routed to it) and TCustomControl (a window with a canvas).
//
// Messages reach a control through WindowProc, which starts as the control's virtual WndProc;
// someone may replace WindowProc and must restore it, in reverse order of replacement. WndProc
// does the pre-processing every control shares and calls Dispatch, whose chain of overrides
// ends in DefaultHandler (the native window procedure for windowed controls).
#include <functional>
#include <memory>
#include <vector>

#include "classlib/classes/Classes.h"
#include "classlib/classes/ComponentRef.h"
#include "classlib/graphics/Graphics.h"
#include "classlib/controls/Messages.h"

namespace cl {

class TWinControl;

// A flag that outlives the control: code that runs an event handler checks it before it
// touches the control again, because the handler may have freed it.
using TAliveFlag = std::shared_ptr<bool>;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents
};
using TControlStyle = TSet<TControlStyleFlag>;

enum TControlStateFlag {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using TControlState = TSet<TControlStateFlag>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    TEvent<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = TEvent<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = TEvent<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, char& Key)>;
using TWndMethod = std::function<void(TMessage& Message)>;

// Screen cursors; Screen.Cursors maps them to cursor handles.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;


class TControl;
class TDragImageList;

enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
// WParam of CM_DRAG.
enum TDragMessage { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget };

// What is being dragged. The control that starts a drag may give its own (OnStartDrag);
// otherwise the drag carries a TDragControlObject for the control.
class TDragObject : public TObject {
public:
    TPoint DragPos() const { return dragPos_; }
    TControl* DragTarget() const { return dragTarget_; }
    TPoint DragTargetPos() const { return dragTargetPos_; }
    bool Dropped() const { return dropped_; }
    bool Cancelling() const { return cancelling_; }
    // The cursor while over a target that accepts (or refuses) the drop.
    virtual TCursor GetDragCursor(bool Accepted, int X, int Y) { return Accepted ? crDrag : crNoDrop; }
    virtual TDragImageList* GetDragImages() { return nullptr; }
    // The object handed to DragOver / DragDrop as Source.
    virtual TObject* SourceObject() { return this; }

private:
    friend class TDragManager;
    TPoint dragPos_;
    TControl* dragTarget_ = nullptr;
    TPoint dragTargetPos_;
    bool dropped_ = false;
    bool cancelling_ = false;
};

class TDragControlObject : public TDragObject {
public:
    explicit TDragControlObject(TControl* Control) : control_(Control) {}
    TControl* Control() const { return control_; }
    TCursor GetDragCursor(bool Accepted, int X, int Y) override;
    TDragImageList* GetDragImages() override;
    TObject* SourceObject() override;

private:
    TControl* control_;
};

// LParam of CM_DRAG: where (screen), what, and to whom.
struct TDragRec {
    TPoint Pos;
    TDragObject* Source = nullptr;
    TControl* Target = nullptr;
};

using TDragOverEvent =
    TEvent<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = TEvent<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = TEvent<void(TObject* Sender, TDragObject*& DragObject)>;

TShiftState KeysToShiftState(WPARAM Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);

// Smallest and largest size a control may take; 0 = no limit.
class TSizeConstraints : public TPersistent {
public:
    int MinWidth() const { return minWidth_; }
    int MinHeight() const { return minHeight_; }
    int MaxWidth() const { return maxWidth_; }
    int MaxHeight() const { return maxHeight_; }
    void SetMinWidth(int Value);
    void SetMinHeight(int Value);
    void SetMaxWidth(int Value);
    void SetMaxHeight(int Value);
    void Assign(TPersistent* Source) override;
    // Applies the limits to a requested size.
    void Constrain(int& Width, int& Height) const;

    TNotifyEvent OnChange;

private:
    void Changed();
    int minWidth_ = 0;
    int minHeight_ = 0;
    int maxWidth_ = 0;
    int maxHeight_ = 0;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // --- Position and size (in the parent's client coordinates)
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
    void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
    void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
    void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& Rect) { SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()); }
    // (0, 0, client width, client height).
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().Width(); }
    int ClientHeight() { return ClientRect().Height(); }
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    // The screen point of the client area's top-left corner.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(const TPoint& Point);
    TPoint ScreenToClient(const TPoint& Point);

    // --- Parent and state
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* AParent);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    void Show();
    void Hide();
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool Value);
    // Visible, and every parent up to a parentless one visible too.
    bool Showing() const;

    AnsiString Caption() { return GetText(); }
    void SetCaption(const AnsiString& Value) { SetText(Value); }
    AnsiString Text() { return GetText(); }
    void SetText(const AnsiString& Value);

    TFont* Font() { return &font_; }
    void SetFont(TFont* Value) { font_.Assign(Value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool Value);
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool Value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& Value) { hint_ = Value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool Value);
    // The menu that pops up on a right click; freed elsewhere, forgotten when freed.
    TComponent* PopupMenu() const { return popupMenu_.Get(); }
    void SetPopupMenu(TComponent* Value);
    TAlign Align() const { return align_; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors Value) { anchors_ = Value; }
    TSizeConstraints* Constraints() { return &constraints_; }
    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle Value) { controlStyle_ = Value; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState Value) { controlState_ = Value; }

    // --- Messages
    // Replaceable: keep the old value, restore it when done (in reverse order).
    TWndMethod WindowProc;
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    // --- Painting and order
    virtual void Invalidate();
    // Paints now: a windowless control repaints its part of the parent.
    virtual void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }

    bool MouseCapture() const;
    void SetMouseCapture(bool Value);

    // Sends CM_CANCELMODE to the active control of every form this control sits on.
    void SendCancelMode(TControl* Sender);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

    // --- Drag and drop
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode Value) { dragMode_ = Value; }
    TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(TCursor Value) { dragCursor_ = Value; }
    // Starts a drag now (Immediate) or once the mouse moved Threshold pixels (-1: the
    // Mouse's threshold) with the button held. The mouse is captured until the drag ends.
    void BeginDrag(bool Immediate, int Threshold = -1);
    // Drops on the current target (Drop) or cancels.
    void EndDrag(bool Drop);
    bool Dragging() const;
    // The image shown under the cursor while this control is dragged; none by default.
    virtual TDragImageList* GetDragImages() { return nullptr; }
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TStartDragEvent OnStartDrag;

protected:
    // Accept starts true when OnDragOver is assigned, false otherwise.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    virtual void DoStartDrag(TDragObject*& DragObject);
    // Target is nullptr when the drag was cancelled or refused.
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    void CMDrag(TMessage& Message);
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // A wheel turn (MousePos in screen coordinates): OnMouseWheel, then one DoMouseWheelDown
    // or DoMouseWheelUp per notch. True when something used it.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual AnsiString GetText() { return text_; }
    virtual void SetTextValue(const AnsiString& Value);
    virtual void SetZOrder(bool TopMost);
    // The parent re-aligns its children after this control's bounds or visibility changed.
    void RequestAlign();
    virtual void VisibleChanging() {}
    virtual void Resize();
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    // The position of the control inside its parent changed (windowless controls repaint).
    virtual void BoundsChanged(const TRect& OldBounds);
    void InvalidateControl(bool IsVisible, bool IsOpaque);

    // Message handlers shared by all controls.
    void WMMouseDown(TMessage& Message, TMouseButton Button, TShiftState Extra);
    void WMMouseUp(TMessage& Message, TMouseButton Button);
    void WMMouseMove(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    // A right click or the menu key: the control's popup menu, when it pops up by itself.
    void WMContextMenu(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);

    AnsiString text_;
    TFont font_;

private:
    friend class TWinControl;
    void FontChanged(TObject* Sender);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool parentFont_ = true;
    bool parentColor_ = true;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TColor color_ = clWindow;
    TCursor cursor_ = crDefault;
    AnsiString hint_;
    TComponentRef<TComponent> popupMenu_{this};
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    TSizeConstraints constraints_;
    TControlStyle controlStyle_;
    TControlState controlState_;
    bool applyingParentFont_ = false;
    int wheelAccumulator_ = 0;
    TDragMode dragMode_ = dmManual;
    TCursor dragCursor_ = crDrag;
    friend class TDragManager;
    friend class TDragControlObject;

protected:
    TAliveFlag alive_ = std::make_shared<bool>(true);
};

// What CreateWnd asks of the platform; CreateParams overrides adjust it.
struct TCreateParams {
    AnsiString Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASSA WindowClass{};
    AnsiString WinClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // The window, created (with every parent's) on first use.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // Destroys the window and makes it again with the same state.
    void RecreateWnd();
    // Asks to hear (WM_MOUSELEAVE) when the pointer leaves this window, also for other
    // programs' windows; the system grants it only while the pointer is over the window.
    void TrackMouseLeave();

    // Children: windowless first, then windowed, each in insertion order.
    int ControlCount() const { return static_cast<int>(controls_.size() + winControls_.size()); }
    TControl* Controls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(TControl* Control) const;
    // The topmost visible windowless child at Pos (client coordinates); enabled unless
    // AllowDisabled; windowed children as well when AllowWinControls.
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
    // Sends the message to every child until one sets a non-zero result.
    void Broadcast(TMessage& Message);

    // --- Layout
    // The client area left after borders the control draws itself; align works in it.
    virtual void AdjustClientRect(TRect& Rect);
    void Realign();
    void DisableAlign();
    void EnableAlign();
    bool AlignDisabled() const { return alignLevel_ > 0; }

    // --- Focus and tab order
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool Value) { tabStop_ = Value; }
    int TabOrder() const;
    void SetTabOrder(int Value);
    virtual bool CanFocus();
    bool Focused();
    virtual void SetFocus();
    // Windowed children in tab order.
    std::vector<TWinControl*> TabList() const;
    // The next (or previous) focusable control after CurControl among this control's
    // descendants, wrapping around; nullptr when none.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetEnabled(bool Value) override;
    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    void Invalidate() override;
    void Repaint() override;
    void Update() override;
    void DefaultHandler(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    // Paints the window's content into DC: the control's own painting, then the windowless
    // children at their places.
    virtual void PaintWindow(HDC DC);
    void PaintControls(HDC DC, TControl* First);
    // The control's own painting, then its windowless children.
    void PaintHandler(HDC DC);

    // The control this window belongs to (nullptr for foreign windows).
    static TWinControl* FindControl(HWND Wnd);
    // Forms answer true; GetParentForm stops at them.
    virtual bool IsForm() const { return false; }

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    void BeforeDestruction() override;
    virtual void CreateParams(TCreateParams& Params);
    // A class of the platform (EDIT, LISTBOX...) this control's window class is made from.
    void CreateSubClass(TCreateParams& Params, const char* ControlClassName);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    void CreateHandle();
    // The windowed children's windows go first, in order, each through its DestroyWnd.
    void DestroyHandle();
    // Windowed children make their windows once the parent has one.
    void CreateChildHandles();
    void UpdateShowing();

    // Lays the aligned children out in the client rectangle.
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    void AlignNow();
    void ApplyAnchors(int DX, int DY);
    void SetTextValue(const AnsiString& Value) override;
    AnsiString GetText() override;
    void SetZOrder(bool TopMost) override;
    void BoundsChanged(const TRect& OldBounds) override;
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void DoEnter();
    virtual void DoExit();
    // The form answers this: shortcuts from CN_KEYDOWN.
    virtual bool IsShortCut(TMessage& Message) { return false; }
    // The form answers this: tell its active control that the mouse was pressed elsewhere.
    virtual void CancelModeFor(TControl* Sender) {}
    // A form with KeyPreview sees its controls' keys first.
    virtual bool PreviewsKeys() const { return false; }
    // A form hears of every control leaving it (to forget its active control).
    virtual void ControlRemoved(TControl* Control) {}
    // The form records which control has the focus; false refuses the focus.
    virtual bool SetFocusedControl(TWinControl* Control) { return true; }
    // Lets mouse messages that belong to a windowless child go to it.
    bool IsControlMouseMsg(TMessage& Message);

    // Message handlers.
    void WMPaint(TMessage& Message);
    void WMPrintClient(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMMove(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message);
    void WMCommand(TMessage& Message);
    void WMNotify(TMessage& Message);
    void WMCtlColor(TMessage& Message);
    void WMDrawItem(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMKeyUp(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void WMNCDestroy(TMessage& Message);
    void CNKeyDown(TMessage& Message);
    void CNChar(TMessage& Message);
    void CMDialogKey(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMFocusChanged(TMessage& Message);
    void CMShowingChanged(TMessage& Message);
    void CMRecreateWnd(TMessage& Message);

    WNDPROC defWndProc_ = nullptr;

private:
    friend class TControl;
    friend class TCustomForm;
    friend LRESULT CALLBACK StdWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    void AttachHandle(HWND Wnd);
    void DetachHandle();
    void ControlsAlignChanged(TControl* AControl);

    HWND handle_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> winControls_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    int alignLevel_ = 0;
    bool realigning_ = false;
    TSize anchorClient_{-1, -1};  // the client size anchored children were last placed for
    bool showing_ = false;
};

// Painted by its parent, in the parent's window: Paint draws on Canvas, whose origin is the
// control's top-left corner and which is clipped to it.
// A canvas on a control: during painting the paint DC; otherwise a DC of the control's
// window (or, for a windowless control, of its parent's, moved and clipped to the control).
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* Control) : control_(Control) {}
    ~TControlCanvas() override;
    // Lets go of a DC this canvas fetched itself.
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TControl* control_;
    HWND dcWindow_ = nullptr;
    HDC ownDc_ = nullptr;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* Canvas();

    void Dispatch(TMessage& Message) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

// A window with a canvas: WM_PAINT calls Paint, then paints the windowless children.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas();
    void PaintWindow(HDC DC) override;

protected:
    virtual void Paint() {}
    void DestroyWnd() override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

// The nearest form (a parentless windowed control, or one marked as a form) holding Control.
class TCustomForm;
TCustomForm* GetParentForm(TControl* Control);

// Where exceptions caught at an entry from the platform go (Application.HandleException once
// the application exists; the exception hooks before that).
extern void (*HandleEntryException)(TObject* Sender);
// Every control's WM_MOUSEMOVE passes here (the application's hint timing).
extern void (*HintMouseMessage)(TControl* Control, TMessage& Message);

// The pointer: where it is and how far it must move before a press becomes a drag.
class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(const TPoint& Value);
    int DragThreshold() const { return dragThreshold_; }
    void SetDragThreshold(int Value) { dragThreshold_ = Value; }
    bool WheelPresent() const;

private:
    int dragThreshold_ = 5;
};
extern TMouse* Mouse;

// The control that has the mouse captured, windowless ones included.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);

// The control under a screen point: the innermost windowed control, then a windowless child.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);

}  // namespace cl
