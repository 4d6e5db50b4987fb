#pragma once
// TskShellFolder: one node of the shell's namespace, as a file dialog walks it: the folder's
// interface, its item-id list relative to its parent and the absolute one from the desktop,
// its parent node and its depth. Item-id lists live in the shell's allocator, through
// TItemIDList.
#include <windows.h>
#include <shlobj.h>

#include <memory>

#include "classlib/classes/Classes.h"
#include "classlib/ole/ComObj.h"

namespace sk {

// Frees an item-id list through the shell's allocator.
struct TItemIDListFree {
    void operator()(ITEMIDLIST* List) const;
};
using TItemIDList = std::unique_ptr<ITEMIDLIST, TItemIDListFree>;

// The bytes of the list: its items and the 2-byte terminator; 0 for no list.
UINT ItemIDListSize(LPCITEMIDLIST List);
// A zero-filled block of the shell's allocator; raises EOutOfMemory when it has none.
TItemIDList AllocItemIDList(UINT Size);
// A copy of the whole list (nil for nil).
TItemIDList CopyItemIDList(LPCITEMIDLIST List);
// First's items followed by the whole of Second; a nil list counts as an empty one.
TItemIDList ConcatItemIDLists(LPCITEMIDLIST First, LPCITEMIDLIST Second);

class TskShellFolder : public cl::TObject {
public:
    // The node of Folder at RelativeIDList (copied) under Parent, or under the desktop node
    // when Parent is nil.
    TskShellFolder(TskShellFolder* Parent, LPCITEMIDLIST RelativeIDList, cl::TComPtr<IShellFolder> Folder);
    ~TskShellFolder() override;
    TskShellFolder(const TskShellFolder&) = delete;
    TskShellFolder& operator=(const TskShellFolder&) = delete;

    IShellFolder* ShellFolder() const { return folder_.Get(); }
    LPCITEMIDLIST RelativeIDList() const { return relative_.get(); }
    LPCITEMIDLIST AbsoluteIDList() const { return absolute_.get(); }
    // Nil only for the desktop node.
    TskShellFolder* Parent() const { return parent_; }
    // The number of ancestors: 0 for the desktop.
    int Level() const { return level_; }
    cl::TStrings* Strings() { return &strings_; }

    // The desktop's node, made on the first call and kept to the end of the program. Raises
    // EOleException when the shell gives no desktop.
    static TskShellFolder* Desktop();

private:
    TskShellFolder(TItemIDList DesktopIDList, cl::TComPtr<IShellFolder> DesktopFolder);

    cl::TComPtr<IShellFolder> folder_;
    TItemIDList relative_;
    TItemIDList absolute_;
    TskShellFolder* parent_ = nullptr;
    int level_ = 0;
    cl::TStringList strings_;
};

}  // namespace sk
