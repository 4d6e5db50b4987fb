#pragma once
// Skinned tab and page controls. The platform's tab control keeps the layout, selection,
// keyboard and the page list; these classes draw everything: the frame around the display area,
// the tab strip and each tab (laid on its side for left and right tabs, upside down for bottom
// tabs), from the skin's tab-control description or in a default look. When the tabs of a
// single-line control do not fit, the platform's scroll arrows give way to a skinned up-down.
// The sheets, and the tab control's inside, paint the skin's client part or background picture;
// controls that ask their parent for a background get the same picture.
#include <memory>
#include <string>

#include "classlib/stdctrls/ComCtrls.h"
#include "classlib/classes/ComponentRef.h"
#include "skin/data/SkinData.h"
#include "skin/data/Controls.h"
#include "skin/data/User.h"
#include "skinforms/controls/UpDown.h"

namespace sk {

// The twins' one design. Base is cl::TTabControl or cl::TPageControl; the page control shows
// only the sheets whose tabs are visible, so a tab's place (its visible index) and its sheet's
// place among the pages differ.
template <class Base>
class TskSkinTabsLook : public Base, public TskSkinDataUser {
public:
    explicit TskSkinTabsLook(cl::TComponent* AOwner);
    ~TskSkinTabsLook() override;

    bool TabsBGTransparent() const { return tabsBGTransparent_; }
    void SetTabsBGTransparent(bool Value);
    cl::TFont* DefaultFont() { return &defaultFont_; }
    void SetDefaultFont(cl::TFont* Value) { defaultFont_.Assign(Value); }
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool Value) { useSkinFont_ = Value; }
    int DefaultItemHeight() const { return defaultItemHeight_; }
    void SetDefaultItemHeight(int Value);
    TskSkinData* SkinData() const override { return skinData_; }
    void SetSkinData(TskSkinData* Value) override;
    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(const std::string& Value) { skinDataName_ = Value; }
    // -1 while the control has no description and draws its default look.
    int DescriptionIndex() const override { return index_; }
    // The description as last looked up; nullptr without one.
    TskDataSkinTabControl* Description() const { return desc_; }
    // The client part of the skin picture copied into Tile; false when there is none.
    bool ClientPartOf(cl::TBitmap& Tile);

    // Looks the description up again; every paint starts with it.
    void GetSkinData();
    // After a new skin: font, tab size and scroller follow it, and the control repaints.
    void ChangeSkinData() override;
    // The skin is about to be replaced: nothing may be read from it until ChangeSkinData.
    void BeforeChangeSkinData() { index_ = -1; desc_ = nullptr; }
    // TCM_SETITEMSIZE: the tabs' width (when fixed) and height.
    void SetItemSize(int W, int H);
    // Visible tab I's rectangle as drawn; empty when there is none.
    TRect GetTabRect(int I);
    // The number of tabs shown.
    virtual int VisibleTabCount() = 0;
    // The tab under the mouse (visible index), -1 when none.
    int HotTab() const { return hot_; }
    // The skinned scroller while the tabs overflow a single line; nullptr otherwise.
    TskSkinUpDown* TabScroller() const { return scroller_; }
    // Counts of visible tabs cut off by the strip's end, and of those scrolled off to the left.
    int HiddenTabCount();
    int LeftTabCount();

protected:
    // The sheet (page control) or tab (tab control) that visible tab V shows.
    virtual int PageOfTab(int V) = 0;
    virtual int PageCountOf() = 0;
    virtual std::string TabCaption(int Index) = 0;
    virtual int TabImageIndex(int Index) = 0;
    virtual bool TabEnabled(int Index) = 0;
    virtual bool IsPageControl() const = 0;
    // Inside the frame: the tab control paints its background, the page control leaves it to
    // the active sheet.
    virtual void PaintInside(HDC DC, const TRect& Frame) {}

    void Loaded() override;
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    void WndProc(cl::TMessage& Message) override;
    void PaintWindow(HDC DC) override;
    void Change() override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;

    void DrawTabs(cl::TCanvas* Canvas);
    void DrawTab(int Index, const TRect& R, cl::TCanvas* Canvas, bool MouseIn, bool Active);
    // The margins between the frame and the display area.
    TRect Margins();
    // The frame around the display area, in client coordinates.
    TRect FrameRect();
    bool Focused();
    bool Designing() const { return this->ComponentState().Contains(cl::csDesigning); }
    void CheckTabScroller();
    void UpdateTabScroller();
    // The messages both twins handle alike, after their own.
    void HandleCommon(cl::TMessage& Message);
    // The tab height follows the skin from the first window on, also in forms built in code.
    void CreateWnd() override;

    TskDataSkinTabControl* desc_ = nullptr;
    cl::TBitmap* picture_ = nullptr;
    int index_ = -1;

private:
    void DrawDefaultFrame(cl::TCanvas* Canvas);
    void DrawSkinFrame(HDC DC);
    void DrawDefaultTabFace(cl::TCanvas* C, int W, int H, bool Hot, bool Active);
    // The skin's piece for the tab's state, with its font and focus mark, into B (the tab upright).
    void DrawSkinTabFace(cl::TBitmap& B, bool Hot, bool Active);
    TRect SkinTabPiece(bool Hot, bool Active);
    void SetSkinTabFont(cl::TFont& F, bool Hot, bool Active);
    void DrawTabCaption(int Index, cl::TCanvas* C, int W, int H);
    void ScrollerChange(cl::TObject* Sender);
    void HotTest(int X, int Y);
    void DrawTabAt(int V, cl::TCanvas* Canvas, bool MouseIn);
    void CMMouseLeave();
    void ApplyItemSize();
    void SetCharset(cl::TFont& F);

    bool tabsBGTransparent_ = false;
    cl::TFont defaultFont_;
    bool useSkinFont_ = true;
    int defaultItemHeight_ = 20;
    cl::TComponentRef<TskSkinData> skinData_{this};
    std::string skinDataName_ = "tab";
    TskSkinUpDown* scroller_ = nullptr;
    int hot_ = -1;
    int previousHot_ = -1;
    bool checkingScroller_ = false;
};

class TskSkinTabControl : public TskSkinTabsLook<cl::TTabControl> {
public:
    explicit TskSkinTabControl(cl::TComponent* AOwner);

    int VisibleTabCount() override;
    // The skin's client part tiled, or its background picture, over DC.
    void PaintBackground(HDC DC);

protected:
    int PageOfTab(int V) override { return V; }
    int PageCountOf() override { return Tabs()->Count(); }
    std::string TabCaption(int Index) override { return Tabs()->Get(Index); }
    int TabImageIndex(int Index) override { return Index; }
    bool TabEnabled(int) override { return true; }
    bool IsPageControl() const override { return false; }
    void PaintInside(HDC DC, const TRect& Frame) override;
    void Dispatch(cl::TMessage& Message) override;
};

class TskSkinCustomTabSheet;

class TskSkinPageControl : public TskSkinTabsLook<cl::TPageControl> {
public:
    explicit TskSkinPageControl(cl::TComponent* AOwner);

    int VisibleTabCount() override;

protected:
    int PageOfTab(int V) override;
    int PageCountOf() override { return PageCount(); }
    std::string TabCaption(int Index) override;
    int TabImageIndex(int Index) override;
    bool TabEnabled(int Index) override;
    bool IsPageControl() const override { return true; }
    void Change() override;
    void Dispatch(cl::TMessage& Message) override;
};

class TskSkinCustomTabSheet : public cl::TTabSheet {
public:
    explicit TskSkinCustomTabSheet(cl::TComponent* AOwner);
    ~TskSkinCustomTabSheet() override;

    // Tiled over the sheet instead of the skin's picture when not empty.
    cl::TBitmap* WallPaper() const { return wallPaper_.get(); }
    void SetWallPaper(cl::TBitmap* Value);
    // The wallpaper, the skin's background picture, its client part or plain face, over DC.
    void PaintBackground(HDC DC);
    void Dispatch(cl::TMessage& Message) override;

private:
    std::unique_ptr<cl::TBitmap> wallPaper_;
};

class TskSkinTabSheet : public TskSkinCustomTabSheet {
public:
    using TskSkinCustomTabSheet::TskSkinCustomTabSheet;
};

// Plain face colour where a skin gives nothing to draw.
void FillFace(HDC DC, const TRect& R);

}  // namespace sk
