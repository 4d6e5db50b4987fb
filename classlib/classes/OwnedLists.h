#pragma once
// Shared inside the class library only: the lists of owned objects that components and
// collections keep.
#include <algorithm>
#include <vector>

#include "classlib/system/SysUtils.h"

namespace cl::detail {

// Frees the owned objects of List from the last to the first. Each one removes itself from List
// on its way out; one that did not (a subclass that skipped its base's teardown) is dropped
// here, so the loop always ends.
template <class T>
void FreeFromBack(std::vector<T*>& List)
{
    while (!List.empty()) {
        T* last = List.back();
        last->Free();
        if (!List.empty() && List.back() == last)
            List.pop_back();
    }
}

// The object at Index of List; EListError outside the list.
template <class T>
T* ItemAt(const std::vector<T*>& List, int Index)
{
    if (Index < 0 || Index >= int(List.size()))
        throw EListError(Format(consts::SListIndexError, Index));
    return List[std::size_t(Index)];
}

// Where Item stands in List, -1 when it is not there.
template <class T>
int IndexIn(const std::vector<T*>& List, const T* Item)
{
    auto it = std::find(List.begin(), List.end(), Item);
    return it == List.end() ? -1 : int(it - List.begin());
}

}  // namespace cl::detail
