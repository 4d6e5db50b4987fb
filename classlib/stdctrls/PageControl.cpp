// TPageControl and TTabSheet: the tabs follow the sheets whose tabs are visible, so a sheet's
// place among the pages and its place among the tabs differ when some tabs are hidden.
#include <algorithm>

#include "classlib/stdctrls/ComCtrls.h"
#include "classlib/system/CoreConsts.h"

namespace cl {

// ---------------------------------------------------------------------------------------------
// TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle({csAcceptsControls, csNoDesignVisible});
    SetAlign(alClient);
    SetVisible(false);
}

TTabSheet::~TTabSheet()
{
    if (pageControl_)
        pageControl_->RemovePage(this);
}

void TTabSheet::BeforeDestruction()
{
    if (pageControl_)
        pageControl_->RemovePage(this);
    TWinControl::BeforeDestruction();
}

void TTabSheet::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TTabSheet::SetPageControl(TPageControl* Value)
{
    if (Value == pageControl_)
        return;
    if (pageControl_)
        pageControl_->RemovePage(this);
    TWinControl::SetParent(Value);
    if (Value)
        Value->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!pageControl_)
        return -1;
    const auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int Value)
{
    if (pageControl_)
        pageControl_->MovePage(this, Value);
}

int TTabSheet::TabIndex() const
{
    if (!pageControl_ || !tabVisible_)
        return -1;
    int index = 0;
    for (TTabSheet* page : pageControl_->pages_) {
        if (page == this)
            return index;
        if (page->tabVisible_)
            ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool Value)
{
    if (Value == tabVisible_)
        return;
    tabVisible_ = Value;
    if (pageControl_)
        pageControl_->UpdateTabs();
}

void TTabSheet::Dispatch(TMessage& Message)
{
    TWinControl::Dispatch(Message);
    if (Message.Msg == CM_TEXTCHANGED && pageControl_)
        pageControl_->UpdateTabs();
}

// ---------------------------------------------------------------------------------------------
// TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl()
{
    for (TTabSheet* page : pages_)
        page->pageControl_ = nullptr;
}

void TPageControl::BeforeDestruction()
{
    // The sheets go with their parent or leave it; either way they are no pages any more.
    for (TTabSheet* page : pages_)
        page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
    TCustomTabControl::BeforeDestruction();
}

TTabSheet* TPageControl::Pages(int Index) const
{
    if (Index < 0 || Index >= PageCount())
        throw EListError(Format(consts::SListIndexError, Index));
    return pages_[static_cast<std::size_t>(Index)];
}

void TPageControl::InsertPage(TTabSheet* Page)
{
    pages_.push_back(Page);
    Page->pageControl_ = this;
    UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* Page)
{
    auto it = std::find(pages_.begin(), pages_.end(), Page);
    if (it == pages_.end())
        return;
    TTabSheet* next = Page == activePage_ ? FindNextPage(Page, true, false) : activePage_;
    if (next == Page)
        next = nullptr;
    pages_.erase(std::find(pages_.begin(), pages_.end(), Page));
    Page->pageControl_ = nullptr;
    if (Page == activePage_) {
        activePage_ = nullptr;
        SetActivePage(next);
    }
    UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* Page, int NewIndex)
{
    auto it = std::find(pages_.begin(), pages_.end(), Page);
    if (it == pages_.end())
        return;
    pages_.erase(it);
    NewIndex = std::clamp(NewIndex, 0, PageCount());
    pages_.insert(pages_.begin() + NewIndex, Page);
    UpdateTabs();
}

void TPageControl::UpdateTabs()
{
    if (updatingTabs_ || ComponentState().Contains(csDestroying))
        return;
    updatingTabs_ = true;
    try {
        TStrings* tabs = TabStrings();
        std::vector<TTabSheet*> shown;
        for (TTabSheet* page : pages_)
            if (page->TabVisible())
                shown.push_back(page);
        // Rebuilt only where it differs, so that unchanged tabs keep their state.
        while (tabs->Count() > static_cast<int>(shown.size()))
            tabs->Delete(tabs->Count() - 1);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const AnsiString caption = shown[i]->Caption();
            const int index = static_cast<int>(i);
            if (index >= tabs->Count())
                tabs->AddObject(caption, shown[i]);
            else if (tabs->Objects(index) != shown[i] || tabs->Get(index) != caption) {
                tabs->Put(index, caption);
                tabs->SetObjects(index, shown[i]);
            }
        }
        SetTabIndex(activePage_ ? activePage_->TabIndex() : -1);
    } catch (...) {
        updatingTabs_ = false;
        throw;
    }
    updatingTabs_ = false;
    Realign();
}

void TPageControl::SetActivePage(TTabSheet* Page)
{
    if (Page && Page->pageControl_ != this)
        return;
    if (Page == activePage_) {
        SetTabIndex(Page ? Page->TabIndex() : -1);
        return;
    }
    TTabSheet* old = activePage_;
    activePage_ = Page;
    if (Page) {
        Page->BringToFront();
        Page->SetVisible(true);
    }
    if (old && old != Page)
        old->SetVisible(false);
    SetTabIndex(Page ? Page->TabIndex() : -1);
    Realign();
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value)
{
    SetActivePage(Value >= 0 && Value < PageCount() ? pages_[static_cast<std::size_t>(Value)] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurrentPage, bool GoForward, bool CheckTabVisible)
{
    const int count = PageCount();
    if (count == 0)
        return nullptr;
    auto it = std::find(pages_.begin(), pages_.end(), CurrentPage);
    int start = it == pages_.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(it - pages_.begin());
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* page = pages_[static_cast<std::size_t>(i)];
        if (!CheckTabVisible || page->TabVisible())
            return page;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward)
{
    TTabSheet* page = FindNextPage(activePage_, GoForward, true);
    if (!page || page == activePage_ || !CanChange())
        return;
    SetActivePage(page);
    TCustomTabControl::Change();
}

void TPageControl::Change()
{
    // The user picked a tab: its sheet becomes the active one, then OnChange.
    const int tab = TabIndex();
    for (TTabSheet* page : pages_)
        if (page->TabIndex() == tab && tab >= 0) {
            SetActivePage(page);
            break;
        }
    TCustomTabControl::Change();
}

}  // namespace cl
