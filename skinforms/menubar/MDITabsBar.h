#pragma once
// TskSkinMDITabsBar: one tab per MDI child of the form it sits on. A left press on a tab brings
// its child to the front (restoring a minimized one), a drag moves the tab, a right press opens
// the child's system menu through the frame's skinned menu. The children's frames add and
// remove their tabs as they are shown, hidden and destroyed.
#include <memory>
#include <vector>

#include "classlib/classes/ComponentRef.h"
#include "classlib/controls/Forms.h"
#include "skin/bases/SkinCtrls.h"
#include "skin/data/Controls.h"

namespace sk {

class TskSkinFrame;
class TskSkinMDITabsBar;

enum TskSkinMDITabKind { sktkTab, sktkButton };

class TskMDITab {
public:
    TskMDITab(TskSkinMDITabsBar* ATabsBar, cl::TCustomForm* AChild) : TabsBar(ATabsBar), Child(AChild) {}
    TskSkinMDITabsBar* TabsBar;
    // Its child is the active MDI child.
    bool Active = false;
    bool MouseIn = false;
    TRect ObjectRect;
    cl::TCustomForm* Child;
};

using TskMDITabMouseEnterEvent = cl::TEvent<void(const TskMDITab* MDITab)>;
using TskMDITabMouseLeaveEvent = TskMDITabMouseEnterEvent;
using TskMDITabMouseDownEvent =
    cl::TEvent<void(cl::TMouseButton Button, cl::TShiftState Shift, const TskMDITab* MDITab)>;
using TskMDITabMouseUpEvent = TskMDITabMouseDownEvent;

// The tabs' rectangles for N tabs in a bar W by H: each W div N wide, at most TabWidth; when the
// bar limited the width, the last tab reaches the bar's right edge.
std::vector<TRect> LayoutMDITabs(int W, int H, int N, int TabWidth);

class TskSkinMDITabsBar : public TskSkinControl {
public:
    explicit TskSkinMDITabsBar(cl::TComponent* AOwner);
    ~TskSkinMDITabsBar() override;

    // --- Properties
    TskSkinMDITabKind TabKind() const { return tabKind_; }
    void SetTabKind(TskSkinMDITabKind Value);
    TskSkinFrame* skSkinFrame() const { return frame_; }
    void SetskSkinFrame(TskSkinFrame* Value);
    bool SupportChildMenus = true;
    bool UseSkinSize = true;
    bool UseSkinFont = true;
    bool MoveTabs = true;
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int Value);
    cl::TFont* DefaultFont() { return &defaultFont_; }
    int DefaultTabWidth = 100;

    TskMDITabMouseEnterEvent OnTabMouseEnter;
    TskMDITabMouseLeaveEvent OnTabMouseLeave;
    TskMDITabMouseDownEvent OnTabMouseDown;
    TskMDITabMouseUpEvent OnTabMouseUp;

    // --- Tabs
    void AddTab(cl::TCustomForm* Child);
    void DeleteTab(cl::TCustomForm* Child);
    void ClearTabs();
    // Marks the tab of the active MDI child.
    void UpdateActiveTab();
    // The tab whose rectangle holds (X, Y), edges included; -1 for none.
    int TabAtPos(int X, int Y) const;
    TskMDITab* TabAt(int X, int Y) const;
    int TabCount() const { return static_cast<int>(tabs_.size()); }
    TskMDITab* Tabs(int Index) const;
    int IndexOfChild(const cl::TCustomForm* Child) const;
    // The tab under the mouse (-1 none) and the pressed one.
    int ActiveTab = -1;
    int OldActiveTab = -1;
    int DownTab = -1;
    bool Dragging() const { return dragging_; }
    int DragOffset() const { return dragOffset_; }
    // Where the dragged tab would be dropped now (-1: nowhere new).
    int DropIndex() const;
    // Lays the tabs out as the next paint does.
    void ArrangeTabs();

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;
    void Dispatch(cl::TMessage& Message) override;

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;

private:
    TskDataSkinTabControl* TabDescription() const;
    void SetHover(int Index);
    void PaintTabs(cl::TBitmap* B);
    void PaintBackground(cl::TBitmap* B);
    void PaintTab(cl::TCanvas* Canvas, TskMDITab* Tab, const TRect& R);
    void SelectTabFont(cl::TCanvas* Canvas, const TskDataSkinTabControl* D);
    void PaintDropMarker(cl::TCanvas* Canvas);
    void OpenChildMenu(TskMDITab* Tab, int X, int Y);

    std::vector<std::unique_ptr<TskMDITab>> tabs_;
    TskSkinMDITabKind tabKind_ = sktkTab;
    cl::TComponentRef<TskSkinFrame> frame_{this};
    int defaultHeight_ = 21;
    cl::TFont defaultFont_;
    bool pressed_ = false;
    bool dragging_ = false;
    int downX_ = 0;
    int dragOffset_ = 0;
    cl::TBitmap* tabPicture_ = nullptr;
};

}  // namespace sk
