// TCollection and its items.
#include "classlib/classes/Classes.h"
#include "classlib/classes/OwnedLists.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace cl {

using namespace detail;

// Collections

TCollectionItem::TCollectionItem(TCollection* Collection)
{
    SetCollection(Collection);
}

TCollectionItem::~TCollectionItem()
{
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (collection_ == Value)
        return;
    if (collection_)
        collection_->RemoveItem(this);
    if (Value)
        Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
    return collection_ ? IndexIn(collection_->items_, this) : -1;
}

void TCollectionItem::SetIndex(int Value)
{
    int current = Index();
    if (current < 0 || current == Value)
        return;
    auto& items = collection_->items_;
    if (Value < 0 || Value >= int(items.size()))
        throw EListError(Format(consts::SListIndexError, Value));
    items.erase(items.begin() + current);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

std::string TCollectionItem::DisplayName() const
{
    return ClassName();
}

std::string TCollectionItem::GetNamePath() const
{
    if (collection_)
        return Format("%s[%d]", collection_->GetNamePath(), Index());
    return ClassName();
}

void TCollectionItem::Changed(bool AllItems)
{
    if (collection_ && collection_->updateCount_ == 0)
        collection_->Update(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() const
{
    return collection_;
}

TCollection::TCollection(TItemFactory ItemFactory) : factory_(std::move(ItemFactory)) {}

TCollection::~TCollection()
{
    // No Update calls while going: subclasses are gone already.
    updateCount_ = 1;
    FreeFromBack(items_);
}

TCollectionItem* TCollection::Items(int Index) const
{
    return ItemAt(items_, Index);
}

void TCollection::SetItem(int Index, TCollectionItem* Value)
{
    Items(Index)->Assign(Value);
}

TCollectionItem* TCollection::Add()
{
    if (factory_) {
        TCollectionItem* item = factory_(this);
        // A factory that did not pass the collection to the item still gets it added.
        if (item && item->Collection() != this)
            item->SetCollection(this);
        return item;
    }
    return new TCollectionItem(this);
}

TCollectionItem* TCollection::Insert(int Index)
{
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

void TCollection::Delete(int Index)
{
    TCollectionItem* item = Items(Index);
    Notify(item, cnDeleting);
    item->Free();
}

void TCollection::Clear()
{
    if (items_.empty())
        return;
    WithinUpdate(*this, [&] {
        FreeFromBack(items_);
    });
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
    for (TCollectionItem* item : items_)
        if (item->id_ == ID)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate()
{
    ++updateCount_;
}

void TCollection::EndUpdate()
{
    if (updateCount_ > 0)
        --updateCount_;
    Changed();
}

void TCollection::Changed()
{
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    items_.push_back(Item);
    Item->collection_ = this;
    Item->id_ = nextID_++;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    Notify(Item, cnExtracting);
    // Searched from the back: a collection is emptied from its last item, which would make a
    // search from the front quadratic in the number of items.
    auto it = std::find(items_.rbegin(), items_.rend(), Item);
    if (it != items_.rend())
        items_.erase(std::next(it).base());
    Item->collection_ = nullptr;
    Changed();
}

void TCollection::Assign(TPersistent* Source)
{
    if (auto* source = dynamic_cast<TCollection*>(Source)) {
        if (source == this)
            return;
        WithinUpdate(*this, [&] {
            Clear();
            for (TCollectionItem* item : source->items_)
                Add()->Assign(item);
        });
        return;
    }
    TPersistent::Assign(Source);
}

}  // namespace cl
