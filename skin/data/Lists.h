#pragma once
// The description lists of a skin: [SKINOBJECTS] and [SKINCONTROLS] each hold "count" and the
// entries "0", "1", ... of the form "IDName:typeword". The type word picks the description's
// class; the description then reads the section named by its IDName.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skin/data/Controls.h"
#include "skin/data/Objects.h"

namespace sk {

// A list that owns its items, in the order they were added.
template <class T>
class TskOwnedList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // nullptr for a position outside the list.
    T* Items(int Index) const
    {
        return Index >= 0 && Index < Count() ? items_[static_cast<std::size_t>(Index)].get() : nullptr;
    }
    T* operator[](int Index) const { return Items(Index); }
    // Position of the first item with exactly this IDName (letter case counts); -1 when none.
    int IndexOfID(const std::string& IDName) const
    {
        for (int i = 0; i < Count(); ++i)
            if (items_[static_cast<std::size_t>(i)]->IDName == IDName)
                return i;
        return -1;
    }
    T* Add(std::unique_ptr<T> Item)
    {
        items_.push_back(std::move(Item));
        return items_.back().get();
    }
    void Clear() { items_.clear(); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::unique_ptr<T>> items_;
};

using TskDataSkinObjectList = TskOwnedList<TskDataSkinObject>;
using TskDataSkinControlList = TskOwnedList<TskDataSkinControl>;

// Splits an entry at its first ":" into the name and the type word; without a ":" both are
// empty.
void SplitEntry(const std::string& Entry, std::string& Name, std::string& TypeWord);

// Append one description per entry of the list section whose type word is in the table, each
// read from its own section; other entries are skipped.
void LoadSkinObjects(cl::TMemIniFile& IniFile, TskDataSkinObjectList& ObjectList);
void LoadSkinControls(cl::TMemIniFile& IniFile, TskDataSkinControlList& CtrlList);

}  // namespace sk
