#include "skinforms/dialogs/ShellFolder.h"

#include <cstring>

#include "classlib/system/SysUtils.h"

namespace sk {

using namespace cl;

namespace {

constexpr UINT TerminatorSize = sizeof(USHORT);

TComPtr<IMalloc> ShellAllocator()
{
    TComPtr<IMalloc> allocator;
    OleCheck(SHGetMalloc(allocator.Put()));
    return allocator;
}

const SHITEMID* NextItem(const SHITEMID* Item)
{
    return reinterpret_cast<const SHITEMID*>(reinterpret_cast<const BYTE*>(Item) + Item->cb);
}

}  // namespace

void TItemIDListFree::operator()(ITEMIDLIST* List) const
{
    TComPtr<IMalloc> allocator;
    if (SUCCEEDED(SHGetMalloc(allocator.Put())))
        allocator->Free(List);
}

UINT ItemIDListSize(LPCITEMIDLIST List)
{
    if (!List)
        return 0;
    UINT size = TerminatorSize;
    for (const SHITEMID* item = &List->mkid; item->cb; item = NextItem(item))
        size += item->cb;
    return size;
}

TItemIDList AllocItemIDList(UINT Size)
{
    void* block = ShellAllocator()->Alloc(Size);
    if (!block)
        throw EOutOfMemory("The shell's allocator has no memory for an item-id list");
    std::memset(block, 0, Size);
    return TItemIDList(static_cast<ITEMIDLIST*>(block));
}

TItemIDList CopyItemIDList(LPCITEMIDLIST List)
{
    if (!List)
        return nullptr;
    const UINT size = ItemIDListSize(List);
    TItemIDList copy = AllocItemIDList(size);
    std::memcpy(copy.get(), List, size);
    return copy;
}

TItemIDList ConcatItemIDLists(LPCITEMIDLIST First, LPCITEMIDLIST Second)
{
    // The first list's terminator goes: the second list's ends the whole.
    const UINT first = First ? ItemIDListSize(First) - TerminatorSize : 0;
    const UINT second = Second ? ItemIDListSize(Second) : TerminatorSize;
    TItemIDList list = AllocItemIDList(first + second);
    auto* bytes = reinterpret_cast<BYTE*>(list.get());
    if (First)
        std::memcpy(bytes, First, first);
    if (Second)
        std::memcpy(bytes + first, Second, second);
    return list;
}

TskShellFolder::TskShellFolder(TskShellFolder* Parent, LPCITEMIDLIST RelativeIDList, TComPtr<IShellFolder> Folder)
    : folder_(std::move(Folder)), parent_(Parent ? Parent : Desktop())
{
    relative_ = CopyItemIDList(RelativeIDList);
    absolute_ = ConcatItemIDLists(parent_->AbsoluteIDList(), relative_.get());
    level_ = parent_->Level() + 1;
}

TskShellFolder::TskShellFolder(TItemIDList DesktopIDList, TComPtr<IShellFolder> DesktopFolder)
    : folder_(std::move(DesktopFolder)), relative_(std::move(DesktopIDList))
{
    absolute_ = CopyItemIDList(relative_.get());
}

TskShellFolder::~TskShellFolder() = default;

TskShellFolder* TskShellFolder::Desktop()
{
    static const std::unique_ptr<TskShellFolder> desktop = [] {
        ITEMIDLIST* location = nullptr;
        OleCheck(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &location));
        TItemIDList list(location);
        TComPtr<IShellFolder> folder;
        OleCheck(SHGetDesktopFolder(folder.Put()));
        return std::unique_ptr<TskShellFolder>(new TskShellFolder(std::move(list), std::move(folder)));
    }();
    return desktop.get();
}

}  // namespace sk
