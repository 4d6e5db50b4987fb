#include "skinforms/categorybuttons/Model.h"

// ---------------------------------------------------------------------------------------------
// TskCategoryButtonsHost

TskButtonCategories* TskCategoryButtonsHost::CreateCategoriesCollection()
{
    return new TskButtonCategories(this);
}

TskButtonCategory* TskCategoryButtonsHost::CreateCategory(cl::TCollection* collection)
{
    return new TskButtonCategory(collection);
}

TskBaseButtonItem* TskCategoryButtonsHost::CreateButton(cl::TCollection* collection)
{
    return new TskButtonItem(collection);
}

// ---------------------------------------------------------------------------------------------
// TskBaseButtonItem

// Joining the collection reports a change, and the control lays out at once: the button must
// be whole by then, so it joins only after its own members are made.
TskBaseButtonItem::TskBaseButtonItem(cl::TCollection* collection) : cl::TCollectionItem(nullptr)
{
    SetCollection(collection);
}

TskBaseButtonItem::~TskBaseButtonItem()
{
    // Still in its collection here, so the control can be found and told.
    if (TskButtonCollection* buttons = ButtonCollection())
        if (TskCategoryButtonsHost* host = buttons->Host())
            host->ButtonDestroying(this);
}

TskButtonCollection* TskBaseButtonItem::ButtonCollection() const
{
    return dynamic_cast<TskButtonCollection*>(Collection());
}

void TskBaseButtonItem::Assign(cl::TPersistent* source)
{
    if (auto* other = dynamic_cast<TskBaseButtonItem*>(source)) {
        SetCaption(other->Caption());
        SetImageIndex(other->ImageIndex());
        hint_ = other->Hint();
        data_ = other->Data();
        return;
    }
    cl::TCollectionItem::Assign(source);
}

cl::TBasicAction* TskBaseButtonItem::Action() const
{
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TskBaseButtonItem::SetAction(cl::TBasicAction* value)
{
    if (!value) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_)
        actionLink_ = CreateActionLink();
    actionLink_->SetAction(value);
    actionLink_->OnChange = [this](cl::TObject* sender) {
        if (actionLink_ && sender == static_cast<cl::TObject*>(actionLink_->Action()))
            ActionChange(sender, false);
    };
    ActionChange(value, value->ComponentState().Contains(cl::csLoading));
    if (TskButtonCollection* buttons = ButtonCollection())
        if (TskCategoryButtonsHost* host = buttons->Host())
            host->WatchAction(value);
}

std::unique_ptr<TskButtonItemActionLink> TskBaseButtonItem::CreateActionLink()
{
    return std::make_unique<TskButtonItemActionLink>(this);
}

void TskBaseButtonItem::ActionChange(cl::TObject* sender, bool checkDefaults)
{
    auto* action = dynamic_cast<cl::TCustomAction*>(sender);
    if (!action)
        return;
    if (!checkDefaults || caption_.empty())
        SetCaption(action->Caption());
    if (!checkDefaults || hint_.empty())
        SetHint(action->Hint());
    if (!checkDefaults || imageIndex_ == -1)
        SetImageIndex(action->ImageIndex());
    if (!checkDefaults || !OnClick)
        OnClick = action->OnExecute();
}

bool TskBaseButtonItem::IsCaptionStored() const { return !actionLink_ || !actionLink_->IsCaptionLinked(); }
bool TskBaseButtonItem::IsHintStored() const { return !actionLink_ || !actionLink_->IsHintLinked(); }
bool TskBaseButtonItem::IsImageIndexStored() const { return !actionLink_ || !actionLink_->IsImageIndexLinked(); }
bool TskBaseButtonItem::IsOnClickStored() const { return !actionLink_ || !actionLink_->IsOnExecuteLinked(); }

std::string TskBaseButtonItem::DisplayName() const
{
    return caption_.empty() ? cl::TCollectionItem::DisplayName() : caption_;
}

void TskBaseButtonItem::SetCaption(const std::string& value)
{
    if (value == caption_)
        return;
    caption_ = value;
    Changed(false);
}

void TskBaseButtonItem::SetImageIndex(int value)
{
    if (value == imageIndex_)
        return;
    imageIndex_ = value;
    Changed(false);
}

// ---------------------------------------------------------------------------------------------
// TskButtonItemActionLink

// The button is no component: the link has no client of the class library's kind, and an
// action it executes sees the executing control instead.
TskButtonItemActionLink::TskButtonItemActionLink(TskBaseButtonItem* button) : cl::TActionLink(nullptr), button_(button)
{
}

cl::TCustomAction* TskButtonItemActionLink::CustomAction() const
{
    return dynamic_cast<cl::TCustomAction*>(Action());
}

bool TskButtonItemActionLink::IsCaptionLinked()
{
    return cl::TActionLink::IsCaptionLinked() && button_->Caption() == CustomAction()->Caption();
}

bool TskButtonItemActionLink::IsHintLinked()
{
    return cl::TActionLink::IsHintLinked() && button_->Hint() == CustomAction()->Hint();
}

bool TskButtonItemActionLink::IsImageIndexLinked()
{
    return cl::TActionLink::IsImageIndexLinked() && button_->ImageIndex() == CustomAction()->ImageIndex();
}

bool TskButtonItemActionLink::IsOnExecuteLinked()
{
    return cl::TActionLink::IsOnExecuteLinked() && button_->OnClick == Action()->OnExecute();
}

void TskButtonItemActionLink::SetCaption(const cl::AnsiString& value)
{
    if (IsCaptionLinked())
        button_->SetCaption(value);
}

void TskButtonItemActionLink::SetHint(const cl::AnsiString& value)
{
    if (IsHintLinked())
        button_->SetHint(value);
}

void TskButtonItemActionLink::SetImageIndex(int value)
{
    if (IsImageIndexLinked())
        button_->SetImageIndex(value);
}

void TskButtonItemActionLink::SetOnExecute(const cl::TNotifyEvent& value)
{
    if (IsOnExecuteLinked())
        button_->OnClick = value;
}

// ---------------------------------------------------------------------------------------------
// TskButtonItem

TskCategoryButtonsHost* TskButtonItem::ButtonGroup() const
{
    TskButtonCollection* buttons = ButtonCollection();
    return buttons ? buttons->Host() : nullptr;
}

void TskButtonItem::ScrollIntoView()
{
    if (TskCategoryButtonsHost* host = ButtonGroup())
        host->ScrollButtonIntoView(this);
}

TskButtonCategory* TskButtonItem::GetCategory() const
{
    TskButtonCollection* buttons = ButtonCollection();
    return buttons ? buttons->Category() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// TskButtonCollection

TskButtonCollection::TskButtonCollection(TskButtonCategory* category)
    : cl::TCollection([this](cl::TCollection* collection) -> cl::TCollectionItem* {
          TskCategoryButtonsHost* host = Host();
          return host ? host->CreateButton(collection) : new TskButtonItem(collection);
      }),
      category_(category)
{
}

TskButtonCollection::~TskButtonCollection()
{
    // The buttons go while this object is still whole: each one tells the control.
    BeginUpdate();
    while (Count() > 0)
        Items(Count() - 1)->Free();
}

TskCategoryButtonsHost* TskButtonCollection::Host() const
{
    return category_ ? category_->Host() : nullptr;
}

// A new button joins at the end; finding it there again to "move" it in place would cost a
// search per button and make filling a category quadratic.
void TskButtonCollection::MoveAddedTo(TskBaseButtonItem* item, int index)
{
    if (index >= 0 && index < Count() - 1)
        item->SetIndex(index);
}

TskBaseButtonItem* TskButtonCollection::Insert(int index)
{
    TskBaseButtonItem* item = Add();
    MoveAddedTo(item, index);
    return item;
}

TskBaseButtonItem* TskButtonCollection::AddItem(TskBaseButtonItem* item, int index)
{
    if (!item)
        return Insert(index);
    if (item->Collection() == this) {
        // A negative index, or one past the last, means the end.
        item->SetIndex(index >= 0 && index < Count() ? index : Count() - 1);
        return item;
    }
    item->SetCollection(this);
    MoveAddedTo(item, index);
    // From another control's list, the button's action must now be watched by this one.
    if (cl::TBasicAction* action = item->Action())
        if (TskCategoryButtonsHost* host = Host())
            host->WatchAction(action);
    return item;
}

void TskButtonCollection::Update(cl::TCollectionItem* item)
{
    cl::TCollection::Update(item);
    TskCategoryButtonsHost* host = Host();
    TskButtonCategories* categories = category_ ? category_->Categories() : nullptr;
    if (!host || UpdateCount() > 0 || (categories && categories->UpdateCount() > 0) || host->IsReordering())
        return;
    if (item)
        host->InvalidateButton(static_cast<TskBaseButtonItem*>(item));
    else
        host->Relayout();
}

// ---------------------------------------------------------------------------------------------
// TskButtonCategory

// As for buttons: the category joins only once it has its button collection.
TskButtonCategory::TskButtonCategory(cl::TCollection* collection)
    : cl::TCollectionItem(nullptr), items_(new TskButtonCollection(this))
{
    SetCollection(collection);
}

TskButtonCategory::~TskButtonCategory()
{
    if (TskCategoryButtonsHost* host = Host())
        host->CategoryDestroying(this);
    // The buttons go while the category still lies in the list (each tells the control), then
    // the category leaves it, so that no layout ever meets a category without its collection.
    items_->Clear();
    SetCollection(nullptr);
    delete items_;
    items_ = nullptr;
}

TskButtonCategories* TskButtonCategory::Categories() const
{
    return dynamic_cast<TskButtonCategories*>(Collection());
}

TskCategoryButtonsHost* TskButtonCategory::Host() const
{
    TskButtonCategories* categories = Categories();
    return categories ? categories->Host() : nullptr;
}

void TskButtonCategory::Assign(cl::TPersistent* source)
{
    if (auto* other = dynamic_cast<TskButtonCategory*>(source)) {
        SetCaption(other->Caption());
        SetCollapsed(other->Collapsed());
        data_ = other->Data();
        return;
    }
    cl::TCollectionItem::Assign(source);
}

void TskButtonCategory::SetIndex(int value)
{
    int current = Index();
    if (value == current)
        return;
    TskButtonCategories* categories = Categories();
    TskButtonCategory* target = nullptr;
    if (categories && value >= 0 && value < categories->Count())
        target = categories->Items(value);
    cl::TCollectionItem::SetIndex(value);
    if (TskCategoryButtonsHost* host = Host()) {
        host->ScrollCategoryIntoView(this);
        host->CategoryReordered(this, target);
    }
}

void TskButtonCategory::SetCaption(const std::string& value)
{
    if (value == caption_)
        return;
    caption_ = value;
    Changed(false);
}

void TskButtonCategory::SetCollapsed(bool value)
{
    if (value == collapsed_)
        return;
    collapsed_ = value;
    Changed(true);
    if (TskCategoryButtonsHost* host = Host())
        host->CategoryCollapsed(this);
}

void TskButtonCategory::SetItems(TskButtonCollection* value)
{
    items_->Assign(value);
}

// ---------------------------------------------------------------------------------------------
// TskButtonCategories

TskButtonCategories::TskButtonCategories(TskCategoryButtonsHost* host)
    : cl::TCollection([this](cl::TCollection* collection) -> cl::TCollectionItem* {
          return host_ ? host_->CreateCategory(collection) : new TskButtonCategory(collection);
      }),
      host_(host)
{
}

TskButtonCategories::~TskButtonCategories()
{
    // The control is going too: nobody to tell, and its parts may be gone already.
    host_ = nullptr;
    BeginUpdate();
    while (Count() > 0)
        Items(Count() - 1)->Free();
}

void TskButtonCategories::Update(cl::TCollectionItem* item)
{
    cl::TCollection::Update(item);
    if (host_ && UpdateCount() == 0 && !host_->IsReordering())
        host_->Relayout();
}
