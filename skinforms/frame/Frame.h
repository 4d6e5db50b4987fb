#pragma once
// TskSkinFrame: the component that turns the form owning it into a skinned window. It takes
// the form's caption away, puts its own window procedure in front of the form's, computes the
// client area from the skin, paints the whole non-client frame with its caption-area objects,
// answers hit tests, builds the window region from the skin's mask and receives the skin
// messages: before a load it tells the form's windowed skinned controls to drop their
// descriptions, after it it tells every skinned control to read its description again.
//
// Having no system caption, the frame also keeps the window states itself: maximize to the
// monitor's work area, minimize (the application, or a caption strip in a minimized place),
// roll-up to the caption, minimize to the tray, the size limits, magnetic edges, centring on
// first show and the fade-in of a layered window.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/classes/ComponentRef.h"
#include "classlib/controls/ExtCtrls.h"
#include "classlib/controls/Forms.h"
#include "classlib/graphics/GdiHandles.h"
#include "skin/data/SkinData.h"
#include "skin/drawing/Utils.h"
#include "skin/bases/WindowTimer.h"
#include "skinforms/frame/Objects.h"
#include "skinforms/frame/Placement.h"
#include "skinforms/menus/Menus.h"
#include "skinforms/menus/Mode.h"

namespace sk {

class TskSkinMainMenuBar;
class TskSkinMDITabsBar;
class TskSkinHint;

enum TskBorderIcon { biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray };
using TskBorderIcons = cl::TSet<TskBorderIcon>;
enum TskPositionInMonitor { skpDefault, skpScreenCenter, skpDesktopCenter };
// The frame's own idea of the window's state.
enum TskFrameState : std::uint8_t { fwsNormal, fwsMinimized, fwsMaximized };

using TskMouseUpEvent =
    cl::TEvent<void(const std::string& IDName, int X, int Y, const TRect& ObjectRect, cl::TMouseButton Button)>;
using TskMouseDownEvent = TskMouseUpEvent;
using TskMouseMoveEvent = cl::TEvent<void(const std::string& IDName, int X, int Y, const TRect& ObjectRect)>;
using TskMouseEnterEvent = cl::TEvent<void(const std::string& IDName)>;
using TskMouseLeaveEvent = TskMouseEnterEvent;
using TskPaintEvent = cl::TEvent<void(const std::string& IDName, cl::TCanvas* Canvas, const TRect& ObjectRect)>;
using TskActivateCustomObjectEvent = cl::TEvent<void(const std::string& IDName, bool& ObjectVisible)>;

// The geometry of the skin's form description fitted to the frame's current size.
struct TskFrameRects {
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    TRect NewCaptionRect;
    TRect NewButtonsRect;
    TPoint NewHitTestLTPoint, NewHitTestRTPoint, NewHitTestLBPoint, NewHitTestRBPoint;
    TRect NewMaskRectArea;
};

// Everything the four composed border images are made from: equal inputs, equal images.
struct TskFrameBorderKey {
    cl::TBitmap* Source = nullptr;
    HBITMAP SourceHandle = nullptr;
    int SourceWidth = 0;
    int SourceHeight = 0;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    int Width = 0;
    int Height = 0;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    friend bool operator==(const TskFrameBorderKey&, const TskFrameBorderKey&) = default;
};

// The skin's form description fitted to W by H (DW = W - PW, DH = H - PH).
TskFrameRects FitFrameRects(const TskSkinData& Data, int W, int H);
// Where an object cut from R of the frame picture lies at the new size (the nine zones).
TRect PlaceFrameObject(const TskSkinData& Data, const TskFrameRects& Rects, const TRect& R);

class TskTrayIcon;
class TskSkinStatusBar;

class TskSkinFrame : public cl::TComponent, public TskSkinMenuFrameLink {
public:
    // AOwner must be a form (EInvalidCast otherwise).
    explicit TskSkinFrame(cl::TComponent* AOwner);
    ~TskSkinFrame() override;

    // --- Properties
    TskSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TskSkinData* Value);
    TskSkinData* MenusSkinData() const { return menusSkinData_; }
    void SetMenusSkinData(TskSkinData* Value);
    TskBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TskBorderIcons Value);
    bool HideCaptionButtons() const { return hideCaptionButtons_; }
    void SetHideCaptionButtons(bool Value);
    bool ShowIcon() const { return showIcon_; }
    void SetShowIcon(bool Value);
    int MaxMenuItemsInWindow() const { return maxMenuItemsInWindow_; }
    // Negative values are ignored.
    void SetMaxMenuItemsInWindow(int Value);
    int DefMenuItemHeight() const { return defMenuItemHeight_; }
    // Values below 1 are ignored.
    void SetDefMenuItemHeight(int Value);
    // The skinned menu's own settings, read and written there.
    bool UseSkinFontInMenu() const;
    void SetUseSkinFontInMenu(bool Value);
    cl::TFont* DefMenuItemFont();
    void SetDefMenuItemFont(cl::TFont* Value);
    cl::TFont* DefCaptionFont() { return &defCaptionFont_; }
    void SetDefCaptionFont(cl::TFont* Value);
    cl::TFont* DefInActiveCaptionFont() { return &defInActiveCaptionFont_; }
    void SetDefInActiveCaptionFont(cl::TFont* Value);
    cl::TBitmap* LogoBitMap() { return &logoBitMap_; }
    void SetLogoBitMap(cl::TBitmap* Value) { logoBitMap_.Assign(Value); }
    // When > 0, applied to the form at the end of every skin change.
    int ClientWidth = 0;
    int ClientHeight = 0;
    bool LogoBitMapTransparent = false;
    bool UseFormCursorInNCArea = false;
    bool UseDefaultObjectHint = true;
    // With a SkinHint, the caption object under the pointer shows its Hint.
    bool ShowObjectHint = false;
    TskSkinHint* SkinHint() const { return skinHint_; }
    void SetSkinHint(TskSkinHint* Value);
    bool UseDefaultSysMenu = true;
    bool AlwaysShowInTray = false;
    bool AlwaysMinimizeToTray = false;
    bool MaximizeOnFullScreen = false;
    // Translucency: a shown window takes a change at once where layered windows are available;
    // a hidden one takes it when it is shown. Nothing happens while the frame is being loaded.
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool Value);
    std::uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(std::uint8_t Value);
    bool AlphaBlendAnimation = false;
    bool MenusAlphaBlend = false;
    bool MenusAlphaBlendAnimation = false;
    std::uint8_t MenusAlphaBlendValue = 200;
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    bool Magnetic = false;
    std::uint8_t MagneticSize = 5;
    TskPositionInMonitor PositionInMonitor = skpDefault;
    cl::TPopupMenu* SystemMenu = nullptr;
    // Draw the frame as active whatever the form's state (a preview).
    bool AlwaysActive = false;

    // --- Events
    cl::TNotifyEvent OnChangeSkinData;
    cl::TNotifyEvent OnBeforeChangeSkinData;
    cl::TNotifyEvent OnAfterChangeSkinData;
    cl::TNotifyEvent OnActivate;
    cl::TNotifyEvent OnDeActivate;
    cl::TNotifyEvent OnSkinMenuOpen;
    cl::TNotifyEvent OnSkinMenuClose;
    cl::TNotifyEvent OnChangeRollUpState;
    cl::TNotifyEvent OnMinimize;
    cl::TNotifyEvent OnRestore;
    cl::TNotifyEvent OnMaximize;
    cl::TNotifyEvent OnMinimizeToTray;
    cl::TNotifyEvent OnRestoreFromTray;
    TskMouseUpEvent OnMouseUpEvent;
    TskMouseDownEvent OnMouseDownEvent;
    TskMouseMoveEvent OnMouseMoveEvent;
    TskMouseEnterEvent OnMouseEnterEvent;
    TskMouseLeaveEvent OnMouseLeaveEvent;
    TskPaintEvent OnPaintEvent;
    TskActivateCustomObjectEvent OnActivateCustomObject;

    // --- State others read
    cl::TCustomForm* Form() const { return form_; }
    bool SkinnedFrame() const { return skinnedFrame_; }
    bool FrameActive() const { return frameActive_; }
    // The frame counts as active: AlwaysActive, or its form is the active form.
    bool IsActive() const;
    TskFrameState WindowState = fwsNormal;
    bool RolledUp = false;
    bool InSizeMove() const { return inSizeMove_; }
    bool InSkinMenu() const { return inSkinMenu_; }
    const TskFrameRects& Rects() const { return rects_; }
    int ObjectCount() const { return static_cast<int>(objects_.size()); }
    TskActiveSkinObject* Objects(int Index) const { return objects_[static_cast<std::size_t>(Index)].get(); }
    // The first caption object, nullptr when none.
    TskSkinCaptionObject* CaptionObject() const;
    int ActiveObject = -1;
    int OldActiveObject = -1;
    int CaptureObject = -1;
    cl::TTimer* HoverTimer() const { return hoverTimer_; }
    cl::TTimer* MorphTimer() const { return morphTimer_; }
    cl::TTimer* AnimationTimer() const { return animationTimer_; }
    // The form's caption as the frame draws it.
    const std::string& CaptionText();
    // The frame's stored size.
    int FrameWidth() const { return fw_; }
    int FrameHeight() const { return fh_; }

    // --- Skin change
    void ChangeSkinData();
    void LoadObjects();
    void CreateDefaultButtons();
    void CheckObjects();
    void LoadButtonHints();
    void UpdateActiveState(bool Repaint);

    // --- Size limits
    int GetMinWidth() const;
    int GetMinHeight() const;
    // Whether a frame of this size reaches the least sizes; asks for the work area only when
    // the skin's own least size is larger, since a paint asks this every time.
    bool ReachesMinSize(int Width, int Height) const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    // Both of the above from one look at the monitor.
    POINT MaxTrackSize() const;
    // The unskinned caption height (smaller for tool windows) and button size.
    int DefaultCaptionHeight() const;
    int DefaultButtonSize() const;

    // --- Non-client area
    void CalcRects();
    void ArrangeCaptionButtons();
    // DC nullptr (UseDC False): the window's own DC.
    void PaintNCSkin(HDC DC, bool UseDC);
    void PaintNCDefault(HDC DC, bool UseDC);
    // The skinned or the default frame, as the skin state says.
    void PaintFrame(HDC DC, bool UseDC);
    // KeepEqual: a region equal to the one the window has is not set again, which would only
    // draw the whole window anew.
    void UpdateRegion(bool Arrange, bool KeepEqual = false);
    void SetFormRegion(bool KeepEqual = false);
    // Gives the window its shape, redrawn at once except during a skin change; false when the
    // window refused it (the shape is then still the caller's).
    bool SetWindowShape(HWND Wnd, HRGN Shape);
    // Hit-test codes for a point in frame coordinates: by the skin, or by the default look.
    LRESULT HitTest(TPoint P);
    LRESULT HitTestSkin(TPoint P);
    LRESULT HitTestDefault(TPoint P);
    // The client background into a DC of the client area.
    void PaintClientBackground(HDC DC);
    // LogoBitMap centred over W by H of DC; a logo larger than that keeps its top-left corner
    // in view. Nothing without a logo.
    void DrawLogo(HDC DC, int W, int H);
    // Screen point to frame coordinates.
    TPoint ScreenToFrame(TPoint P) const;

    // --- Caption objects
    void TestActive(int X, int Y, bool InFrame);
    // The enabled, visible object under P: a button before the caption object; -1 for none.
    int ObjectAt(TPoint P) const;
    void ObjectMouseDown(TPoint P, cl::TMouseButton Button);
    void ObjectMouseUp(TPoint P, cl::TMouseButton Button);
    void ObjectMouseMove(TPoint P);
    void ObjectDblClick();
    // Hover and morph state of every object back to rest.
    void ResetObjects();
    void StartMorphTimer();
    void StartAnimationTimer();
    // The icon the system-menu button shows with ShowIcon; made once.
    HICON SmallIcon();
    cl::TSize SmallIconSize() const;

    // --- Menus
    // The frame's skinned menu, which shows its system menu, its objects' menus and the form's
    // skinned popup menus.
    TskSkinMenu* SkinMenu() override { return skinMenu_; }
    TskSkinData* SkinDataForMenus() override { return menusSkinData_ ? menusSkinData_ : skinData_; }
    // Menu mode: the keyboard goes to the open menu.
    void SkinMenuOpen() override;
    void SkinMenuClose() override;
    // The default system menu as last built (rebuilt each time it is shown).
    cl::TPopupMenu* DefaultSystemMenu() const { return defaultSystemMenu_; }
    void BuildDefaultSystemMenu();
    // A user SystemMenu with UseDefaultSysMenu: the window commands the state allows at its
    // top, close at its end.
    void MergeSystemMenu(cl::TPopupMenu* Menu);
    // Opens the system menu beside R (screen coordinates).
    void OpenSystemMenu(const TRect& R);
    // Opens Item's sub-items beside R (screen coordinates) for a caption object.
    void OpenObjectMenu(cl::TMenuItem* Item, const TRect& R);
    // The object whose menu is open, released when the menu closes.
    TskActiveSkinObject* MenuObject = nullptr;
    // Screen rectangle of an object.
    TRect ObjectScreenRect(const TskActiveSkinObject* Object) const;

    // --- Commands of the caption buttons and the system menu
    // What a caption button or animation with Command does when clicked: close, maximize,
    // minimize, roll up and minimize to the tray; the system menu and custom commands do
    // nothing here.
    void RunCaptionCommand(TskStdCommand Command);
    void DoClose();
    // Maximize, or back to normal when maximized.
    void DoMaximize();
    // Minimize (to the tray with AlwaysMinimizeToTray), or back to normal when minimized.
    void DoMinimize();
    // Roll up, or down when rolled up.
    void DoRollUp();
    void DoMinimizeToTray();
    // The system menu's restore: unroll when rolled up, else back to normal.
    void DoRestore();

    // --- Window states
    // Normal, minimized or maximized; nothing when the state is already S.
    void SetWindowState(TskFrameState S);
    // Up to the caption (true) or down again (false); only with biRollUp, never while minimized.
    void RollUp(bool Value);
    bool MaximizedRolledUp = false;
    // The bounds the window goes back to from maximized or minimized; empty when none is saved.
    const TRect& RestoreBounds() const { return restoreBounds_; }
    // The rule of a double click on the caption.
    void CaptionDblClick();
    // The bounds of the next free minimized place for this form.
    TRect MinimizedPlace() const;
    // The areas of the monitor the form is on.
    TskMonitorAreas MonitorAreas() const;

    // A status bar whose size grip shows only while the window can be sized (not maximized).
    TskSkinStatusBar* StatusBar() const { return statusBar_; }
    void SetStatusBar(TskSkinStatusBar* Value);

    // --- Tray
    TskTrayIcon* TrayIcon() const { return trayIcon_; }
    void SetTrayIcon(TskTrayIcon* Value);
    // Restore ("TRAY_BSF_RESTORE"), a line and close ("TRAY_BSF_CLOSE"); made with the frame.
    TskSkinPopupMenu* TrayMenu() const { return trayMenu_; }
    // Only with a TrayIcon.
    void MinimizeToTray();
    void RestoreFromTray();

    // --- Main menu bar: the frame routes the keyboard to it and brackets its menu mode
    TskSkinMainMenuBar* MainMenuBar() const { return mainMenuBar_; }
    void SetMainMenuBar(TskSkinMainMenuBar* Value);
    // The bar's keyboard mode (entered with Alt or F10).
    bool InMainMenuBar() const { return inMainMenuBar_; }
    void EnterMainMenuBar();
    void LeaveMainMenuBar();
    cl::TNotifyEvent OnMainMenuEnter;
    cl::TNotifyEvent OnMainMenuExit;

    // --- MDI child: restore and minimize as the menu bar's buttons ask
    void MDIChildRestore();
    void MDIChildMinimize();
    // An MDI child's frame states through the platform's MDI: maximized in the MDI client,
    // minimized to an icon there, restored.
    void SetMDIChildState(TskFrameState S);
    // --- MDI form: the tabs bar of its children, and whether one of them is maximized
    TskSkinMDITabsBar* MDITabsBar() const { return mdiTabsBar_; }
    void SetMDITabsBar(TskSkinMDITabsBar* Value);
    bool ChildMaximized() const { return childMaximized_; }

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;

private:
    // The window procedure in front of the form's.
    void NewWndProc(cl::TMessage& Message);
    void CallSaved(cl::TMessage& Message);
    void CloseMenusFor(cl::TMessage& Message);
    // The frame of the active child of a visible MDI form; null on any other form.
    TskSkinFrame* ActiveChildFrame() const;
    bool HandleMessage(cl::TMessage& Message);
    // LoopRan: a move or size loop ran while the message was handled.
    void PassToObjects(cl::TMessage& Message, bool LoopRan);

    // Takes the platform's caption from the form's window.
    void RemoveFormCaption();
    // The least sizes as the skin and the form ask for them, before the work area bounds them.
    int SkinMinWidth() const;
    int SkinMinHeight() const;

    // One handler per message; true when the message must not reach the form.
    bool WMCreate(cl::TMessage& Message);
    bool WMDestroy(cl::TMessage& Message);
    bool WMSize(cl::TMessage& Message);
    bool WMActivate(cl::TMessage& Message);
    bool WMSetText(cl::TMessage& Message);
    bool WMEraseBkgnd(cl::TMessage& Message);
    bool WMShowWindow(cl::TMessage& Message);
    bool WMSetCursor(cl::TMessage& Message);
    bool WMGetMinMaxInfo(cl::TMessage& Message);
    bool WMNCCalcSize(cl::TMessage& Message);
    bool WMNCHitTest(cl::TMessage& Message);
    bool WMNCPaint(cl::TMessage& Message);
    bool WMNCActivate(cl::TMessage& Message);
    bool WMSyncPaint(cl::TMessage& Message);
    bool WMSysCommand(cl::TMessage& Message);
    bool WMSizing(cl::TMessage& Message);
    bool WMMoving(cl::TMessage& Message);
    bool WMEnterSizeMove(cl::TMessage& Message);
    bool WMExitSizeMove(cl::TMessage& Message);
    bool WMBeforeChangeSkinData(cl::TMessage& Message);
    bool WMChangeSkinData(cl::TMessage& Message);
    bool WMAfterChangeSkinData(cl::TMessage& Message);
    bool WMSkinMenuClosed(cl::TMessage& Message);
    bool WMChangeResStrData(cl::TMessage& Message);
    bool WMPaintFrameIntoDC(cl::TMessage& Message);
    bool WMTimer(cl::TMessage& Message);

    // Window states, placement and the fade-in.
    bool IsMainForm() const;
    void SetFormBounds(const TRect& R);
    void SaveRestoreBounds();
    void AllowSizeGrip(bool Value);
    void Restore();
    void Minimize();
    void Maximize();
    void PlaceOnFirstShow();
    void MagneticMoving(RECT& R);
    TRect MagneticArea() const;
    void StartFadeIn();
    void FadeIn();
    void EndFade();
    // The window is shown translucent: its layer shows what was last painted, so a new size is
    // painted whole.
    bool Translucent() const;
    // Applies AlphaBlend and AlphaBlendValue to a shown window.
    void ApplyTranslucency();
    // Neither being read, designed nor freed: what the frame's setters and its closing messages
    // act on.
    bool AtRest() const;
    // Asks the hint component for an object's hint, after its pause.
    void ShowObjectHintFor(const std::string& Hint);
    // Hides the caption object's hint, shown or still waiting for its pause.
    void HideObjectHint();
    void CreateTrayMenu();
    void UpdateTrayMenuCaptions();
    void TrayDblClick(cl::TObject* Sender);
    bool SystemMenuOffers(const char* Name) const;
    cl::TMenuItem* MakeSystemMenuItem(cl::TPopupMenu* Menu, const char* Name);
    cl::TShortCut CloseShortCut() const;

    // The skin-change walks over the form's controls.
    void BeforeChangeWalk(TskSkinData* Data);
    void AfterChangeWalk(TskSkinData* Data);
    void FitLayout();
    void FollowSize(bool KeepEqualRegion = false);
    void FreeObjects();
    void StopTimers();
    void HoverTimerTick(cl::TObject* Sender);
    void MorphTimerTick(cl::TObject* Sender);
    void AnimationTimerTick(cl::TObject* Sender);
    void ShortCut(cl::TMessage& Msg, bool& Handled);
    void CloseSkinMenu();
    void CopyMenuSettings();
    bool Bordered() const;
    bool Sizeable() const;
    // Loaded skin with a frame picture and a client rectangle in it (one without height is one).
    bool HasSkinPicture() const;
    void SendNCPaint();
    void RepaintShownFrame();
    void DrawObjects(cl::TCanvas* Canvas, int DY, bool Bottom);
    void DropWorkImages();
    // The border images for the frame's size and state, composed again only when that changed.
    void ComposeBorders(cl::TBitmap* Source);
    void PaintDefaultCaption(cl::TCanvas* Canvas, const TRect& Caption);
    void ArrangeDefaultButtons(TRect& Caption);
    bool InShape(TPoint P) const;
    // The menu bar's part of the key routing, the shortcuts and the menu-mode bracket.
    bool MainMenuBarKey(WORD Key);
    bool MainMenuBarShortCut(cl::TMessage& Msg);
    void MainMenuBarKeyMenu(cl::TMessage& Message);
    void MainMenuBarMenuClosed();
    // MDI forms and children: true when the message needs nothing more; the after-part runs
    // once the message was handled.
    bool MDIMessage(cl::TMessage& Message);
    void MDIAfterMessage(cl::TMessage& Message);
    bool MDIFormMessage(cl::TMessage& Message);
    void MDIFormAfterMessage(cl::TMessage& Message);
    bool MDIChildMessage(cl::TMessage& Message);
    void MDIChildAfterMessage(cl::TMessage& Message);
    void MDIChildSized(WPARAM Kind);
    void MDIChildDestroyed();
    // The closing messages of an MDI form's window, and the presses on any form's frame, also
    // cancel the modes of the form's combo boxes and edits.
    void CancelControlModes(const cl::TMessage& Message);
    cl::TControl* CancelModeSender(const cl::TMessage& Message) const;
    // An MDI child's item in the main form's window list.
    void AddWindowListItem();
    void RemoveWindowListItem();
    void RenameWindowListItem();
    void WindowListItemClick(cl::TObject* Sender);
    // The MDI client window, subclassed on the MDI form's first show.
    static LRESULT CALLBACK MDIClientWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    void SubclassMDIClient();
    void RestoreMDIClient();
    LRESULT MDIClientMessage(UINT Msg, WPARAM WParam, LPARAM LParam);
    void PaintMDIClientBackground(HDC DC);
    void SendToMDIChildren(UINT Msg);

    cl::TCustomForm* form_;
    cl::TWndMethod savedWndProc_;
    // The frame's and the menus' skin data may be one and the same.
    cl::TComponentRef<TskSkinData> skinData_{this};
    cl::TComponentRef<TskSkinData> menusSkinData_{this};
    TskBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize, biRollUp};
    bool hideCaptionButtons_ = false;
    bool showIcon_ = false;
    int maxMenuItemsInWindow_ = 0;
    bool alphaBlend_ = false;
    std::uint8_t alphaBlendValue_ = 200;
    cl::TComponentRef<TskSkinHint> skinHint_{this};
    // The hint component shows or waits with an object's hint that this frame asked for.
    bool objectHintUp_ = false;
    int defMenuItemHeight_ = 20;
    cl::TFont defCaptionFont_;
    cl::TFont defInActiveCaptionFont_;
    cl::TBitmap logoBitMap_;
    bool skinnedFrame_ = false;
    bool frameActive_ = false;
    // The frame has drawn itself on screen since its window was last shown.
    bool framePainted_ = false;
    bool firstShow_ = true;
    bool inSizeMove_ = false;
    // Move and size loops begun so far.
    int sizeMoveLoops_ = 0;
    bool fullDrag_ = false;
    bool changingSkin_ = false;
    bool inSkinMenu_ = false;
    int fw_ = 0;
    int fh_ = 0;
    TskFrameRects rects_;
    // The four border images as composed from the skin, and what they were composed from:
    // composing tiles the picture's edges piece by piece, and most paints are at the same size
    // in the same state. The objects draw on copies of the top and bottom images.
    cl::TBitmap borderTop_, borderLeft_, borderRight_, borderBottom_;
    std::optional<TskFrameBorderKey> borderKey_;
    cl::TBitmap workTop_, workBottom_;
    // The four mask border strips. Once the window takes a region it owns it: the frame keeps
    // only the fact that it shaped the window, never the handle.
    cl::TBitmap maskTop_, maskLeft_, maskRight_, maskBottom_;
    bool shaped_ = false;
    // The form's caption as last read from its window; renewed by WM_SETTEXT and a new window.
    std::string captionText_;
    bool captionKnown_ = false;
    cl::TTimer* hoverTimer_ = nullptr;
    cl::TTimer* morphTimer_ = nullptr;
    cl::TTimer* animationTimer_ = nullptr;
    TskSkinMenu* skinMenu_ = nullptr;
    std::unique_ptr<TskSkinMenuMode> menuMode_;
    cl::TPopupMenu* defaultSystemMenu_ = nullptr;
    std::vector<std::unique_ptr<TskActiveSkinObject>> objects_;
    cl::TOwnedIcon smallIcon_;
    cl::TComponentRef<TskSkinMainMenuBar> mainMenuBar_{this};
    bool inMainMenuBar_ = false;
    TRect restoreBounds_;
    bool restoreSaved_ = false;
    // The fade-in's window timer on the form, made at the first fade.
    std::unique_ptr<TskWindowTimer> fadeTimer_;
    int heightBeforeRollUp_ = 0;
    TskMagneticState magnetic_;
    cl::TComponentRef<TskTrayIcon> trayIcon_{this};
    cl::TComponentRef<TskSkinStatusBar> statusBar_{this};
    TskSkinPopupMenu* trayMenu_ = nullptr;
    cl::TComponentRef<TskSkinMDITabsBar> mdiTabsBar_{this};
    bool childMaximized_ = false;
    // An MDI child: the platform has it maximized.
    bool mdiMaximized_ = false;
    HWND mdiClient_ = nullptr;
    WNDPROC savedClientProc_ = nullptr;
    // Owned; the window menu frees it when it goes first.
    cl::TComponentRef<cl::TMenuItem> windowListItem_{this};
    cl::TAliveFlag alive_ = std::make_shared<bool>(true);
};

// The first component the form owns that is a TskSkinFrame; nullptr for none or a nil form.
TskSkinFrame* GetFormSkinComponent(cl::TComponent* Form);
// The frame of the first MDI child of the application's main form whose frame is maximized.
TskSkinFrame* GetMaximizeMDIChild();
// The frame of the application main form's active MDI child.
TskSkinFrame* GetActiveMDIChildSkinForm();

}  // namespace sk
