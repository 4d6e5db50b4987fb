#pragma once
// TskSkinMainMenuBar: a skinned bar at the top of a form in place of the system's menu bar. It
// shows the top-level items of a main menu, opens their drop-downs through the frame's skinned
// menu, and, while an MDI child is maximized, carries that child's system-menu, close, restore
// and minimize buttons. Items that do not fit are hidden; with ScrollMenu a 5-pixel mark at the
// right end opens a menu of exactly the hidden ones.
//
// The form frame (skSkinFrame) routes the keyboard to the bar: Alt or F10 enters keyboard mode,
// the arrows move, Enter or Down opens, a letter presses the item it marks, Escape leaves.
//
// Objects are plain objects of the bar, never controls: the system buttons first, then the items.
#include <memory>
#include <string>
#include <vector>

#include "classlib/classes/ComponentRef.h"
#include "classlib/controls/ExtCtrls.h"
#include "classlib/menus/Menus.h"
#include "skin/drawing/Effects.h"
#include "skin/bases/SkinCtrls.h"
#include "skin/data/Controls.h"
#include "skin/data/Objects.h"

namespace sk {

class TskSkinFrame;
class TskSkinMainMenuBar;

using TskItemEnterEvent = cl::TEvent<void(cl::TMenuItem* MenuItem)>;
using TskItemLeaveEvent = TskItemEnterEvent;

// The commands of the buttons a maximized MDI child lends the bar.
enum TskMenuBarCommand : std::uint8_t { mbcClose = 0, mbcRestore = 1, mbcMinimize = 2, mbcSysMenu = 3 };

class TskMenuBarObject {
public:
    TskMenuBarObject(TskSkinMainMenuBar* AParent, TskDataSkinObject* AData);
    virtual ~TskMenuBarObject() = default;
    TskMenuBarObject(const TskMenuBarObject&) = delete;
    TskMenuBarObject& operator=(const TskMenuBarObject&) = delete;

    TskSkinMainMenuBar* Parent;
    bool MouseIn = false;
    // One of the skin data's pictures (not owned); none without a description.
    cl::TBitmap* Picture = nullptr;
    bool Down = false;
    double MorphKf = 0;
    std::string IDName;
    TRect SkinRect, ActiveSkinRect, DownSkinRect, ObjectRect;
    // Drawn hot.
    bool Active = false;
    bool Enabled = true;
    // Laid out inside the bar.
    bool Visible = true;
    bool Morphing = false;
    TskMorphKind MorphKind = mkDefault;
    bool HasDescription = false;

    virtual void ReDraw();
    virtual void Draw(cl::TCanvas* Canvas) {}
    virtual void MouseDown(int X, int Y, cl::TMouseButton Button) {}
    virtual void MouseUp(int X, int Y, cl::TMouseButton Button) {}
    virtual void DblClick() {}
    virtual void MouseEnter();
    virtual void MouseLeave();
    // Whether the object takes the mouse and the keys now.
    virtual bool IsEnabled() const { return Enabled; }
    // Whether a morph step is still due toward the object's state.
    virtual bool CanMorphing() const;
    // Morphing is on and the bar's skin allows effects.
    bool MorphingApplies() const;
    // Starts what a change of state needs over the next ticks: the morph toward it (and, for an
    // item, its frames). Every redraw after a change passes here.
    virtual void FollowState();
};

class TskSkinMainMenuBarItem : public TskMenuBarObject {
public:
    TskSkinMainMenuBarItem(TskSkinMainMenuBar* AParent, TskDataSkinMainMenuBarItem* AData, cl::TMenuItem* AMenuItem);

    cl::TMenuItem* MenuItem;
    TskDataSkinMainMenuBarItem* Data;
    // The enabled state a hidden item had when it was hidden.
    bool SavedEnabled;
    // Enabled while shown, and its menu item enabled now: a later change of the menu item
    // counts at once.
    bool IsEnabled() const override { return Enabled && MenuItem && MenuItem->Enabled(); }

    void Draw(cl::TCanvas* Canvas) override;
    void MouseDown(int X, int Y, cl::TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool HasChildren() const { return MenuItem && MenuItem->Count() > 0; }
    // The width the item's caption asks for.
    int CalcWidth(cl::TCanvas* Canvas);

    // --- Frame animation: frames 1..FrameCount of the skin's strip are drawn in place of the
    // hot face; 0 and FrameCount + 1 are the faces at rest. Hot items play up, the others back
    // down when the skin asks for it, else they drop to rest at once.
    int FrameIndex = 0;
    // The skin gives a strip of at least one pixel per frame, and effects are on.
    bool HasFrameAnimation() const;
    // The frame the next tick shows.
    int NextFrameIndex() const;
    // The strip's rectangle of the frame FrameIndex shows, empty at rest.
    TRect FrameRect() const;
    void FollowState() override;

private:
    void DrawDefault(cl::TCanvas* Canvas);
    void DrawSkinned(cl::TCanvas* Canvas);
    void SelectFont(cl::TCanvas* Canvas);
    // The hot state the frames last started from.
    bool framesLit_ = false;
};

class TskSkinMainMenuBarButton : public TskMenuBarObject {
public:
    TskSkinMainMenuBarButton(TskSkinMainMenuBar* AParent, TskDataSkinMainMenuBarButton* AData,
                             TskMenuBarCommand ACommand);

    TskMenuBarCommand Command;

    void Draw(cl::TCanvas* Canvas) override;
    void MouseDown(int X, int Y, cl::TMouseButton Button) override;
    void MouseUp(int X, int Y, cl::TMouseButton Button) override;
    void DblClick() override;

private:
    void DrawDefault(cl::TCanvas* Canvas);
    void DrawSkinned(cl::TCanvas* Canvas);
};

class TskSkinMainMenuBar : public TskSkinControl {
public:
    explicit TskSkinMainMenuBar(cl::TComponent* AOwner);
    ~TskSkinMainMenuBar() override;

    // --- Properties
    bool ScrollMenu = true;
    bool PopupToUp = false;
    bool UseSkinFont = true;
    cl::TFont* DefItemFont() { return &defItemFont_; }
    void SetDefItemFont(cl::TFont* Value);
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int Value);
    TskSkinFrame* skSkinFrame() const { return frame_; }
    void SetskSkinFrame(TskSkinFrame* Value);
    cl::TMainMenu* MainMenu() const { return mainMenu_; }
    // Rebuilds the items and repaints.
    void SetMainMenu(cl::TMainMenu* Value);

    TskItemEnterEvent OnItemMouseEnter;
    TskItemLeaveEvent OnItemMouseLeave;

    // --- State
    int ObjectCount() const { return static_cast<int>(objects_.size()); }
    TskMenuBarObject* Objects(int Index) const;
    int IndexOfObject(const TskMenuBarObject* Object) const;
    int SysButtonCount() const { return sysButtonCount_; }
    bool ChildMaximized() const { return childMaximized_; }
    bool MenuMode() const { return menuMode_; }
    // At least one item did not fit at the last arrangement.
    bool Overflow() const { return overflow_; }
    bool TrackMarkHot = false;
    int MouseInObject = -1;
    int OldMouseInObject = -1;
    int DownObject = -1;
    TRect ItemsArea;
    bool ChildMenuMerged() const { return childMenuMerged_; }
    cl::TTimer* TrackTimer() const { return trackTimer_; }
    cl::TTimer* MorphTimer() const { return morphTimer_; }
    cl::TTimer* AnimateTimer() const { return animateTimer_; }
    TskDataSkinMainMenuBar* BarDescription() const;

    // --- Items
    void CreateMenuItems();
    void ClearObjects();
    // Drops what the objects took from the skin: their pictures and descriptions.
    void ForgetSkinObjects();
    // The merged menu may have changed (called by the form frame).
    void UpdateMenuItems();
    // The first main menu of the active MDI child of the application's main form.
    cl::TMainMenu* GetChildMainMenu() const;
    // Rebuilds the items when the active child's menu is not the one merged.
    void CheckChildMenu();
    void MDIChildMaximize();
    void MDIChildRestore();
    // The item whose drop-down is open, -1 for none.
    int OpenItem() const;

    // --- Keyboard (the frame calls these while it routes keys here)
    void NextMainMenuItem();
    void PrevMainMenuItem();
    bool FindHotKeyItem(WORD Key);
    // Enter or Down on the hot item: opens its drop-down or runs its command.
    bool CheckMenuItem();
    void EnterMenuMode();
    void RestoreMenuItem();
    void LeaveMenuMode();

    // --- Layout and drawing
    // Places the system buttons and the items as the next paint does (the canvas measures).
    void ArrangeObjects(cl::TCanvas* Canvas);
    // The overflow mark's rectangle (empty while nothing is hidden or without ScrollMenu).
    TRect TrackMarkRect() const;
    // The whole bar into B, sized to the bar.
    void PaintBar(cl::TBitmap* B);
    void DrawObject(TskMenuBarObject* Object);
    TRect ObjectScreenRect(const TskMenuBarObject* Object);
    // The items shown, from the first.
    int ShownItemCount() const;
    void OpenOverflowMenu();
    // One step of the mouse tracking (the track timer runs it).
    void TrackCursor();
    // Opens Item's drop-down (closing another one); used by the mouse and the keyboard.
    void OpenItemMenu(TskSkinMainMenuBarItem* Item);
    // Runs the command of an item without children once menu mode has ended.
    void RunItem(TskSkinMainMenuBarItem* Item);
    void StartMorphTimer();
    // Runs the frame animation at the skin's pace (a negative interval plays no frames).
    void StartAnimateTimer(int Interval);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;
    void Dispatch(cl::TMessage& Message) override;

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;

private:
    friend class TskSkinMainMenuBarItem;
    friend class TskSkinMainMenuBarButton;

    void AddSystemButtons();
    void UpdateSystemButtons();
    void TestObject(TPoint P);
    void SetHot(int Index);
    void MoveHot(bool Forward);
    TskSkinMainMenuBarItem* ItemAt(int Index) const;
    TskSkinData* MenuSkin() const;
    TskDataSkinObject* FindObjectData(const std::string& Name) const;
    void TrackTimerTick(cl::TObject* Sender);
    void MorphTimerTick(cl::TObject* Sender);
    void AnimateTimerTick(cl::TObject* Sender);
    void WMSkinMenuClosed(cl::TMessage& Message);
    void WMEraseBkgnd(cl::TMessage& Message);
    void WMSize(cl::TMessage& Message);
    void CMMouseLeave(cl::TMessage& Message);
    void PaintDefaultBackground(cl::TCanvas* Canvas);
    void PaintSkinnedBackground(cl::TBitmap* B);
    void PaintTrackMark(cl::TCanvas* Canvas);

    std::vector<std::unique_ptr<TskMenuBarObject>> objects_;
    int sysButtonCount_ = 0;
    bool childMaximized_ = false;
    bool menuMode_ = false;
    bool overflow_ = false;
    bool childMenuMerged_ = false;
    cl::TMainMenu* mergedMenu_ = nullptr;
    // While one drop-down replaces another, the old one's closing ends nothing.
    bool switching_ = false;
    // The item whose drop-down the press now being handled closed: that press does not open
    // it again.
    int closedByPress_ = -1;
    cl::TFont defItemFont_;
    int defaultWidth_ = 0;
    int defaultHeight_ = 22;
    cl::TComponentRef<TskSkinFrame> frame_{this};
    cl::TComponentRef<cl::TMainMenu> mainMenu_{this};
    cl::TTimer* trackTimer_;
    cl::TTimer* morphTimer_;
    cl::TTimer* animateTimer_;
    cl::TBitmap* barPicture_ = nullptr;
    cl::TAliveFlag alive_ = std::make_shared<bool>(true);
};

}  // namespace sk
