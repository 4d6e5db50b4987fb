// The file and text dialogs keep their settings and let go of what they name when it is
// freed; the shell-namespace nodes build their item-id lists from the real shell.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <vector>

#include "classlib/ole/ComObj.h"
#include "skinforms/dialogs/ShellFolder.h"
#include "skinforms/dialogs/OpenSave.h"
#include "skinforms/dialogs/TextInput.h"

namespace {

using namespace sk;

using TOwner = std::unique_ptr<cl::TComponent, void (*)(cl::TComponent*)>;
TOwner NewOwner()
{
    return TOwner(new cl::TComponent(nullptr), [](cl::TComponent* C) { C->Free(); });
}

// An item-id list of items of the given sizes, each item's bytes holding its number.
std::vector<BYTE> MakeList(std::initializer_list<USHORT> Sizes, BYTE FirstNumber = 1)
{
    std::vector<BYTE> bytes;
    BYTE number = FirstNumber;
    for (USHORT size : Sizes) {
        bytes.push_back(static_cast<BYTE>(size & 0xFF));
        bytes.push_back(static_cast<BYTE>(size >> 8));
        bytes.insert(bytes.end(), size - 2, number++);
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

LPCITEMIDLIST AsList(const std::vector<BYTE>& Bytes) { return reinterpret_cast<LPCITEMIDLIST>(Bytes.data()); }

std::vector<BYTE> BytesOf(LPCITEMIDLIST List)
{
    const auto* begin = reinterpret_cast<const BYTE*>(List);
    return std::vector<BYTE>(begin, begin + ItemIDListSize(List));
}

std::string PathOf(LPCITEMIDLIST List)
{
    char path[MAX_PATH] = {};
    return SHGetPathFromIDListA(List, path) ? path : "";
}

}  // namespace

TEST(DialogShells, FileDialogsStartWithTheirDefaultsAndForgetFreedSkins)
{
    TOwner owner = NewOwner();
    auto* open = new TskSkinOpenDialog(owner.get());
    auto* save = new TskSkinSaveDialog(owner.get());
    EXPECT_EQ(open->Title, "Open file");
    EXPECT_EQ(save->Title, "Save file");
    EXPECT_FALSE(open->SaveMode());
    EXPECT_TRUE(save->SaveMode());
    for (TskSkinOpenDialog* d : {open, static_cast<TskSkinOpenDialog*>(save)}) {
        EXPECT_EQ(d->Filter, "All files|*.*");
        EXPECT_EQ(d->FilterIndex, 1);
        EXPECT_TRUE(d->CheckFileExists);
        EXPECT_EQ(d->AlphaBlendValue, 225);
        EXPECT_EQ(d->CtrlAlphaBlendValue, 225);
        EXPECT_EQ(d->LVHeaderSkinDataName, "resizebutton");
        EXPECT_EQ(d->DefaultFont()->Name(), "Arial");
        EXPECT_EQ(d->DefaultFont()->Height(), 14);
    }

    // Skin data of another owner, named twice: its freeing clears both references, also after
    // one of them was pointed elsewhere and back.
    TOwner other = NewOwner();
    auto* skin = new TskSkinData(other.get());
    auto* second = new TskSkinData(other.get());
    open->SetSkinData(skin);
    open->SetCtrlSkinData(skin);
    open->SetSkinData(second);
    open->SetSkinData(skin);
    skin->Free();
    EXPECT_EQ(open->SkinData(), nullptr);
    EXPECT_EQ(open->CtrlSkinData(), nullptr);
    save->SetCtrlSkinData(second);
    second->Free();
    EXPECT_EQ(save->CtrlSkinData(), nullptr);
}

TEST(DialogShells, TheTextDialogKeepsItsSizeAboveZeroCopiesItsLinesAndForgetsFreedDialogs)
{
    TOwner owner = NewOwner();
    auto* text = new TskSkinTextDialog(owner.get());
    EXPECT_EQ(text->Caption, "Input text");
    EXPECT_TRUE(text->ShowToolBar);
    EXPECT_EQ(text->ButtonSkinDataName, "button");
    EXPECT_EQ(text->MemoSkinDataName, "memo");
    EXPECT_EQ(text->AlphaBlendValue, 200);
    EXPECT_EQ(text->DefaultMemoFont()->Height(), 14);

    EXPECT_EQ(text->ClientWidth(), 350);
    EXPECT_EQ(text->ClientHeight(), 200);
    text->SetClientWidth(0);
    text->SetClientHeight(-5);
    EXPECT_EQ(text->ClientWidth(), 350);
    EXPECT_EQ(text->ClientHeight(), 200);
    text->SetClientWidth(1);
    EXPECT_EQ(text->ClientWidth(), 1);

    cl::TStringList lines;
    lines.Add("first");
    lines.Add("second");
    text->SetLines(&lines);
    lines.Clear();
    ASSERT_EQ(text->Lines()->Count(), 2);
    EXPECT_EQ(text->Lines()->Get(1), "second");

    TOwner other = NewOwner();
    auto* open = new TskSkinOpenDialog(other.get());
    auto* save = new TskSkinSaveDialog(other.get());
    auto* skin = new TskSkinData(other.get());
    text->SetSkinOpenDialog(open);
    text->SetSkinSaveDialog(save);
    text->SetSkinData(skin);
    open->Free();
    EXPECT_EQ(text->SkinOpenDialog(), nullptr);
    EXPECT_EQ(text->SkinSaveDialog(), save);
    save->Free();
    skin->Free();
    EXPECT_EQ(text->SkinSaveDialog(), nullptr);
    EXPECT_EQ(text->SkinData(), nullptr);
}

TEST(ShellFolder, ItemIdListsAreMeasuredCopiedAndJoinedWithOneTerminator)
{
    const std::vector<BYTE> first = MakeList({5, 7});
    const std::vector<BYTE> second = MakeList({4}, 3);
    EXPECT_EQ(ItemIDListSize(AsList(first)), 14u);
    EXPECT_EQ(ItemIDListSize(AsList(MakeList({}))), 2u);
    EXPECT_EQ(ItemIDListSize(nullptr), 0u);

    TItemIDList copy = CopyItemIDList(AsList(first));
    EXPECT_NE(static_cast<const void*>(copy.get()), static_cast<const void*>(first.data()));
    EXPECT_EQ(BytesOf(copy.get()), first);
    EXPECT_EQ(CopyItemIDList(nullptr), nullptr);

    TItemIDList joined = ConcatItemIDLists(AsList(first), AsList(second));
    EXPECT_EQ(BytesOf(joined.get()), MakeList({5, 7, 4}));
    EXPECT_EQ(BytesOf(ConcatItemIDLists(nullptr, AsList(second)).get()), second);
    EXPECT_EQ(BytesOf(ConcatItemIDLists(AsList(first), nullptr).get()), first);
}

TEST(ShellFolder, NodesBuildTheirAbsoluteListsFromTheDesktopDown)
{
    cl::TComApartment apartment;
    TskShellFolder* desktop = TskShellFolder::Desktop();
    ASSERT_NE(desktop, nullptr);
    EXPECT_EQ(desktop->Parent(), nullptr);
    EXPECT_EQ(desktop->Level(), 0);
    EXPECT_EQ(TskShellFolder::Desktop(), desktop);

    // C:\windows as the desktop parses it, a node with no parent given.
    wchar_t windowsPath[] = L"C:\\windows";
    ITEMIDLIST* parsed = nullptr;
    ASSERT_HRESULT_SUCCEEDED(desktop->ShellFolder()->ParseDisplayName(nullptr, nullptr, windowsPath, nullptr, &parsed,
                                                                      nullptr));
    TItemIDList windowsList(parsed);
    cl::TComPtr<IShellFolder> windowsFolder;
    ASSERT_HRESULT_SUCCEEDED(
        desktop->ShellFolder()->BindToObject(windowsList.get(), nullptr, IID_IShellFolder, windowsFolder.PutVoid()));
    TskShellFolder windows(nullptr, windowsList.get(), windowsFolder);
    EXPECT_EQ(windows.Parent(), desktop);
    EXPECT_EQ(windows.Level(), 1);
    EXPECT_EQ(BytesOf(windows.RelativeIDList()), BytesOf(windowsList.get()));
    windowsList.reset();  // the node holds copies
    EXPECT_EQ(PathOf(windows.AbsoluteIDList()), "C:\\windows");

    // system32 relative to it: one item, joined under the parent's absolute list.
    wchar_t systemName[] = L"system32";
    ASSERT_HRESULT_SUCCEEDED(
        windowsFolder->ParseDisplayName(nullptr, nullptr, systemName, nullptr, &parsed, nullptr));
    TItemIDList systemList(parsed);
    TskShellFolder system(&windows, systemList.get(), nullptr);
    EXPECT_EQ(system.Parent(), &windows);
    EXPECT_EQ(system.Level(), 2);
    EXPECT_EQ(PathOf(system.AbsoluteIDList()), "C:\\windows\\system32");
    system.Strings()->Add("kept");
    EXPECT_EQ(system.Strings()->Count(), 1);
}
