#pragma once
// Tab and page controls over the platform's tab control (SysTabControl32). A tab control
// shows strings as tabs; a page control shows its sheets' captions and shows the active sheet,
// aligned to the display area, hiding the others.
#include <memory>
#include <vector>

#include "classlib/classes/ComponentRef.h"
#include "classlib/graphics/ImgList.h"
#include "classlib/stdctrls/StdCtrls.h"

namespace cl {

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
using TTabChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;
class TCustomTabControl;
using TDrawTabEvent = TEvent<void(TCustomTabControl* Control, int TabIndex, const TRect& Rect, bool Active)>;
using TTabGetImageEvent = TEvent<void(TObject* Sender, int TabIndex, int& ImageIndex)>;

class TCustomTabControl : public TWinControl {
public:
    explicit TCustomTabControl(TComponent* AOwner);
    ~TCustomTabControl() override;

    // -1: none; an index outside the tabs selects none.
    int TabIndex();
    void SetTabIndex(int Value);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle Value);
    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition Value);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool Value);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool Value);
    bool RaggedRight() const { return raggedRight_; }
    void SetRaggedRight(bool Value);
    bool ScrollOpposite() const { return scrollOpposite_; }
    void SetScrollOpposite(bool Value);
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool Value);
    // 0: each tab as wide as its text / the platform's height.
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int Value);
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int Value);
    // Kept for descendants that draw their tabs; the platform's tabs show no images.
    TCustomImageList* Images() const { return images_.Get(); }
    void SetImages(TCustomImageList* Value);

    // The area inside the frame: the client rectangle adjusted by TCM_ADJUSTRECT, asked of
    // this control's own WindowProc so that descendants can correct it.
    TRect DisplayRect();
    // Tab Index's rectangle (TCM_GETITEMRECT through WindowProc); empty when there is none.
    TRect TabRect(int Index);
    // The tab under a client point; -1 when none.
    int IndexOfTabAt(int X, int Y);
    void AdjustClientRect(TRect& Rect) override;
    void Dispatch(TMessage& Message) override;

    // While a tab is drawn (OwnerDraw): the canvas on the draw message's DC.
    TCanvas* Canvas() { return &canvas_; }
    // The image of a tab: its index unless OnGetImageIndex says otherwise.
    virtual int GetImageIndex(int TabIndex);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    // Owner-drawn tabs (OwnerDraw) are drawn by this handler.
    TDrawTabEvent OnDrawTab;
    TTabGetImageEvent OnGetImageIndex;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // Keeps the tabs and the index in the object.
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual bool CanChange();
    virtual void Change();
    // The tab strings; the page control keeps them equal to its visible sheets.
    TStrings* TabStrings() const { return tabs_.get(); }
    void SetItemSize();

    // An owner-drawn tab: OnDrawTab.
    virtual void DrawTab(int TabIndex, const TRect& Rect, bool Active);

    void CNNotify(TMessage& Message);
    void CNDrawItem(TMessage& Message);
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    friend class TTabStrings;
    LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

    std::unique_ptr<TStrings> tabs_;
    std::unique_ptr<TStringList> saved_;
    int savedTabIndex_ = -1;
    TTabStyle style_ = tsTabs;
    TTabPosition tabPosition_ = tpTop;
    bool multiLine_ = false;
    bool hotTrack_ = false;
    bool raggedRight_ = false;
    bool scrollOpposite_ = false;
    bool ownerDraw_ = false;
    int tabWidth_ = 0;
    int tabHeight_ = 0;
    TComponentRef<TCustomImageList> images_{this};
    TCanvas canvas_;
};

class TTabControl : public TCustomTabControl {
public:
    using TCustomTabControl::TCustomTabControl;
    TStrings* Tabs() const { return TabStrings(); }
    void SetTabs(TStrings* Value) { TabStrings()->Assign(Value); }
};

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return pageControl_; }
    // Joins (or, with nullptr, leaves) a page control: it becomes the sheet's parent.
    void SetPageControl(TPageControl* Value);
    // The sheet's place among the pages.
    int PageIndex() const;
    void SetPageIndex(int Value);
    // The sheet's place among the shown tabs; -1 when its tab is hidden.
    int TabIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool Value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value) { imageIndex_ = Value; }

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void BeforeDestruction() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = -1;
};

class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int Index) const;
    // The sheet shown; nullptr when none. Another page control's sheet is refused.
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* Page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int Value);
    // The next (or previous) sheet with a visible tab after CurrentPage, wrapping around.
    TTabSheet* FindNextPage(TTabSheet* CurrentPage, bool GoForward, bool CheckTabVisible);
    void SelectNextPage(bool GoForward);

protected:
    void Change() override;
    void BeforeDestruction() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void MovePage(TTabSheet* Page, int NewIndex);
    // Makes the tab strings match the sheets whose tabs are visible.
    void UpdateTabs();
    void ShowActivePage();

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    bool updatingTabs_ = false;
};

}  // namespace cl
