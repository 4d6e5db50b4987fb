#pragma once
// Skinned popup menus: the class library's menu items shown as a chain of top-most popup
// windows that never take the focus, one window per open level, drawn from the skin's
// popup-window and menu-item descriptions or in a built-in look while the skin has none.
//
//   TskSkinPopupMenu    the popup menu a form carries; shows itself through the form's frame
//   TskSkinMenu         one per frame: the open levels, the sub-menu delay and the look
//   TskSkinPopupWindow  one open level
//   TskSkinMenuItem     one shown item of a level
//
// A chosen item closes every level first, then tells the control the menu was opened for and
// the owner form (WM_SKINMENUCLOSED), then runs the item's command once, then tells the control
// again (WM_SKINMENUITEMCLICK). The command may free the menu, the control or the form, or open
// another menu. Closed levels lose their windows and timers at once; their objects go at the
// next opening or with the menu, so that code still running on them stays safe.
#include <memory>
#include <vector>

#include "classlib/classes/ComponentRef.h"
#include "classlib/controls/ExtCtrls.h"
#include "classlib/controls/Forms.h"
#include "classlib/menus/Menus.h"
#include "skin/data/SkinData.h"
#include "skin/bases/WindowTimer.h"
#include "skinforms/menus/Layout.h"
#include "skinforms/menus/Messages.h"

namespace sk {

class TskSkinMenu;
class TskSkinPopupWindow;

// What a popup menu needs of the frame of the form it is shown for. The form frame implements
// it; the first component of a form that does is that form's frame.
class TskSkinMenuFrameLink {
public:
    virtual ~TskSkinMenuFrameLink() = default;
    virtual TskSkinMenu* SkinMenu() = 0;
    // The frame's menu skin, else its own skin; nullptr when it has neither.
    virtual TskSkinData* SkinDataForMenus() = 0;
    // Menu mode: the frame routes the keyboard to the open menu between these two.
    virtual void SkinMenuOpen() = 0;
    virtual void SkinMenuClose() = 0;
};

// The frame of Form (see above); nullptr for none or no form.
TskSkinMenuFrameLink* FindSkinMenuFrame(cl::TCustomForm* Form);

// One shown item: a plain object of its level, never a control.
class TskSkinMenuItem {
public:
    TskSkinMenuItem(TskSkinPopupWindow* AParent, cl::TMenuItem* AMenuItem) : Parent(AParent), MenuItem(AMenuItem) {}
    virtual ~TskSkinMenuItem() = default;

    TskSkinPopupWindow* Parent;
    // nullptr once the menu item was freed while shown: the row then stays blank and inert.
    cl::TMenuItem* MenuItem;
    TRect ObjectRect;
    bool Active = false;
    bool Down = false;
    bool Visible = true;
    bool AutoActive = false;
    int FrameIndex = 0;
    double MorphKf = 0;

    bool IsSeparator() const { return !MenuItem || MenuItem->IsLine(); }
    bool Enabled() const { return MenuItem && MenuItem->Enabled(); }
    // Enabled and not a separator: what the keys and the mouse may make active.
    bool Selectable() const { return Enabled() && !IsSeparator(); }
    bool HasChildren() const;
    // Whether a morph step is still due toward the item's state.
    virtual bool CanMorphing();
};

class TskSkinPopupWindow : public cl::TCustomControl {
public:
    // UseDescription: draw with the skin's popup-window description (when the skin has one
    // with a picture).
    TskSkinPopupWindow(cl::TComponent* AOwner, TskSkinMenu* ASkinMenu, bool UseDescription);
    ~TskSkinPopupWindow() override;

    // Shows the visible children of AItem from StartIndex on (Show2: then those of AItem2),
    // beside R in screen coordinates (a point as an empty rectangle).
    void Show(const TRect& R, cl::TMenuItem* AItem, int StartIndex, bool ASubMenu, bool APopupToUp);
    void Show2(const TRect& R, cl::TMenuItem* AItem, cl::TMenuItem* AItem2, int StartIndex, bool ASubMenu,
               bool APopupToUp);
    // A key pressed while this level is the deepest one.
    void ProcessKey(WORD Key);
    // Takes the window, timers and region away; the object stays until the menu frees it.
    void Dismiss();

    TskSkinMenu* SkinMenu() const { return skinMenu_; }
    TskSkinData* SkinData() const;
    int ItemCount() const { return static_cast<int>(ItemList.size()); }
    TskSkinMenuItem* Items(int Index) const;
    int IndexOfItem(const TskSkinMenuItem* Item) const;
    // The rows' heights, in item order.
    std::vector<int> RowHeights();
    // Activation as the mouse or the keyboard does it.
    void ActivateItem(TskSkinMenuItem* Item, bool ByKeyboard);
    void DeactivateItem(TskSkinMenuItem* Item);
    // Clears Down of every item and redraws those that had it.
    void ClearDown();
    // Item painting, at its place (when shown).
    void RedrawItem(TskSkinMenuItem* Item);
    // The whole level into DC, as the window shows it.
    void PaintMenu(HDC DC);
    // The mouse tracking step, as the tracking timer runs it.
    void TrackCursor();
    // One scroll step (Up: toward the first row); false when there is nothing to scroll.
    bool ScrollStep(bool Up);
    // The menu item the forgotten item was showing has gone.
    void ForgetMenuItem(cl::TMenuItem* MenuItem);

    std::vector<std::unique_ptr<TskSkinMenuItem>> ItemList;
    int ActiveItem = -1;
    int OldActiveItem = -1;
    int TopIndex = 0;
    int VisibleCount = 0;
    bool Scroll = false;
    bool ScrollByMax = false;
    int ScrollCode = 0;
    TRect ItemsRect;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    cl::TCustomImageList* Images = nullptr;
    int ImageStripWidth = MenuNoImagesStripWidth;
    TPoint OldCursorPos{-1, -1};
    int PopupLeft = 0;
    int PopupTop = 0;
    cl::TTimer* TrackTimer;
    cl::TTimer* AnimTimer;
    // The level's font: the item description's or the menu's default.
    cl::TFont ItemFont;

    void Dispatch(cl::TMessage& Message) override;

protected:
    void CreateParams(cl::TCreateParams& Params) override;
    void Paint() override;

private:
    struct TLook;
    TLook CurrentLook() const;
    TskMenuLook SizingLook(const TLook& Look) const;
    void BuildItems(cl::TMenuItem* AItem, cl::TMenuItem* AItem2, int StartIndex);
    void ApplyFont(const TLook& Look);
    void Measure(const TLook& Look);
    void ArrangeItems();
    void ApplyRegion(const TLook& Look);
    void ShowAt(const TRect& R, bool ASubMenu, bool APopupToUp);
    void ShowItems(const TRect& R, cl::TMenuItem* AItem, cl::TMenuItem* AItem2, int StartIndex, bool ASubMenu,
                   bool APopupToUp);
    void SelectFirstItem();
    void TestPoint(const TPoint& P);
    void ClickActive();
    void ClickItem(TskSkinMenuItem* Item);
    void StartScroll(int Code);
    void StopScroll();
    void KeyMove(bool Forward);
    void EnsureShown(int Index);
    void SetActive(int Index, bool ByKeyboard);
    void PaintFrame(cl::TCanvas* Canvas, const TLook& Look);
    void PaintItem(cl::TCanvas* Canvas, TskSkinMenuItem* Item, const TLook& Look);
    void PaintDefaultItem(cl::TCanvas* Canvas, TskSkinMenuItem* Item, int W, int H);
    void PaintSkinnedItem(cl::TCanvas* Canvas, TskSkinMenuItem* Item, int W, int H, const TLook& Look);
    void PaintItemContent(cl::TCanvas* Canvas, TskSkinMenuItem* Item, const TRect& R, int Strip, cl::TColor TextColor);
    void PaintScrollMarkers(cl::TCanvas* Canvas, const TLook& Look);
    void TrackTimerTick(cl::TObject* Sender);
    void AnimTimerTick(cl::TObject* Sender);
    bool HasFrameAnimation(const TLook& Look) const;
    bool HasMorphing(const TLook& Look) const;
    void StartAnimation();
    TRect UpMarkerRect(const TLook& Look) const;
    TRect DownMarkerRect(const TLook& Look) const;
    void RedrawMarkers();

    void WMMouseActivate(cl::TMessage& Message);
    void WMEraseBkgnd(cl::TMessage& Message);
    void WMTimer(cl::TMessage& Message);
    void WMLButtonUp(cl::TMessage& Message);
    void WMPrintClient(cl::TMessage& Message);

    TskSkinMenu* skinMenu_;
    bool useDescription_;
    TskWindowTimer scrollTimer_{this, MenuScrollTimerId};
};

class TskSkinMenu : public cl::TComponent {
public:
    // AForm: the form whose monitor bounds the menu and that hears WM_SKINMENUCLOSED.
    TskSkinMenu(cl::TComponent* AOwner, cl::TCustomForm* AForm);
    ~TskSkinMenu() override;

    // Opens the first level with the visible children of AItem from StartIndex on, beside R;
    // nothing opens when AItem has no child from there.
    void Popup(cl::TControl* APopupControl, TskSkinData* ASkinData, bool APopupToUp, cl::TMenuItem* AItem,
               const TRect& R, int StartIndex);
    // The same with the children of AItem followed by those of AItem2.
    void Popup2(cl::TControl* APopupControl, TskSkinData* ASkinData, bool APopupToUp, cl::TMenuItem* AItem,
                cl::TMenuItem* AItem2, const TRect& R, int StartIndex);
    // Closes the levels from the last down to Level; 0 closes the menu.
    void CloseMenu(int Level);
    // Closes the menu and tells the owner form.
    void CloseAll();
    // The one decision point for hovering and clicking an item.
    void CheckItem(TskSkinPopupWindow* Window, TskSkinMenuItem* Item, bool ByKeyboard, bool Click);
    int IndexOfWindow(const TskSkinPopupWindow* Window) const;
    int LevelCount() const { return static_cast<int>(PopupList.size()); }
    TskSkinPopupWindow* Levels(int Index) const;
    // A key for the deepest open level.
    void ProcessKey(WORD Key);

    // Open levels, first level first.
    std::vector<TskSkinPopupWindow*> PopupList;
    bool Visible = false;
    bool FirstShow = false;
    cl::TControl* PopupControl() const { return popupControl_; }
    cl::TControl* NotifyControl() const { return notifyControl_; }
    cl::TCustomForm* ForForm() const { return forForm_; }
    TRect WorkArea;
    TskSkinData* SkinData() const { return skinData_; }
    TskSkinMenuItem* WaitItem = nullptr;
    cl::TTimer* WaitTimer;

    // Look settings; the frame copies its own in.
    bool UseSkinFont = true;
    int DefMenuItemHeight = 20;
    cl::TFont DefMenuItemFont;
    bool AlphaBlend = false;
    unsigned char AlphaBlendValue = 150;
    bool AlphaBlendAnimation = false;
    int MaxMenuItemsInWindow = 0;

    // Fired once when the menu closes, then cleared.
    cl::TNotifyEvent OnMenuClose;

    // Where the work area comes from: the monitor of the owner form unless a test says.
    std::function<TRect()> WorkAreaQuery;

    // Held by every entry from the platform into the menu (a level's messages and timers, a
    // key): closed levels are freed only when no such entry is running.
    class TEntry {
    public:
        explicit TEntry(TskSkinMenu* Menu) : menu_(Menu), alive_(Menu->alive_) { ++menu_->busy_; }
        ~TEntry()
        {
            if (*alive_)
                --menu_->busy_;
        }
        TEntry(const TEntry&) = delete;
        TEntry& operator=(const TEntry&) = delete;

    private:
        TskSkinMenu* menu_;
        std::shared_ptr<bool> alive_;
    };

    // Opens the next level for a parent item (used by CheckItem).
    void OpenSubMenu(TskSkinPopupWindow* Window, TskSkinMenuItem* Item);
    // A menu item on show is being freed elsewhere.
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    // Notes a shown menu item so that its freeing is heard of.
    void WatchMenuItem(cl::TMenuItem* Item);

private:
    void PopupLevel(cl::TControl* APopupControl, TskSkinData* ASkinData, bool APopupToUp, cl::TMenuItem* AItem,
                    cl::TMenuItem* AItem2, const TRect& R, int StartIndex);
    TskSkinPopupWindow* NewLevel();
    void SetPopupControl(cl::TControl* Value);
    void SetNotifyControl(cl::TControl* Value);
    void SetSkinData(TskSkinData* Value);
    void FreeClosedLevels();
    void UnwatchMenuItems();
    void WaitTimerTick(cl::TObject* Sender);
    void SendToControl(cl::TControl* Control, UINT Msg);

    cl::TCustomForm* forForm_;
    cl::TComponentRef<cl::TControl> popupControl_{this};
    cl::TComponentRef<cl::TControl> notifyControl_{this};
    cl::TComponentRef<TskSkinData> skinData_{this};
    std::vector<std::unique_ptr<TskSkinPopupWindow>> levels_;
    std::vector<std::unique_ptr<TskSkinPopupWindow>> closed_;
    std::vector<cl::TMenuItem*> watched_;
    int busy_ = 0;
    // Set while levels are being taken down: what that makes the platform send (an owner
    // form activated again) must not close the menu a second time.
    bool closing_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

class TskSkinPopupMenu : public cl::TPopupMenu {
public:
    explicit TskSkinPopupMenu(cl::TComponent* AOwner);
    ~TskSkinPopupMenu() override;

    void Popup(int X, int Y) override;
    // Beside the screen rectangle R; APopupToUp asks for the first level above it.
    void PopupFromRect(const TRect& R, bool APopupToUp);
    // At (X, Y) for AControl, which then hears WM_SKINMENUCLOSED and WM_SKINMENUITEMCLICK.
    // Nothing shows while no skin is known.
    void PopupForControl(cl::TControl* AControl, int X, int Y);

    TskSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TskSkinData* Value);
    cl::TCustomForm* ComponentForm() const { return componentForm_; }
    void SetComponentForm(cl::TCustomForm* Value);

    cl::TNotifyEvent OnMenuClose;

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;

private:
    TskSkinMenuFrameLink* FindFrame();
    void ShowMenu(cl::TControl* AControl, const TRect& R, bool APopupToUp, bool NeedsSkin);

    cl::TComponentRef<TskSkinData> skinData_{this};
    cl::TComponentRef<cl::TCustomForm> componentForm_{this};
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace sk
