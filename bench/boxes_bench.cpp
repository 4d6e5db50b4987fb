// The skinned list box: 10,000 items added inside a BeginUpdate/EndUpdate bracket (the bars
// brought up to date once, afterwards) set beside the class library's plain list box filled
// the same way, both on a hidden form; and scrolling one page of it, shown and painted, set
// beside the platform's own list box (a bare LISTBOX window of the same size, font, item
// height and items) scrolled the same page by the same message, in the default look and in
// the skin the program starts with.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_windows.h"
#include "classlib/controls/Forms.h"
#include "skinforms/controls/ListBox.h"
#include "skins/StoredSkins.h"

using namespace cl;
using namespace sk;

namespace {

using bench::MedianMilliseconds;
using bench::Report;

constexpr int ItemCount = 10000;

template <class L>
void Fill(L* List)
{
    List->Items()->BeginUpdate();
    for (int i = 0; i < ItemCount; ++i)
        List->Items()->Add("Station number " + std::to_string(i));
    List->Items()->EndUpdate();
    // What is left to do once the bracket is over (the skinned bars) belongs to the fill.
    Application->ProcessMessages();
}

}  // namespace

int main()
{
    Application->Initialize();
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 400);

    auto* plain = new TListBox(form);
    plain->SetParent(form);
    plain->SetBounds(0, 0, 180, 300);
    plain->HandleNeeded();
    auto* skinned = new TskSkinListBox(form);
    skinned->SetParent(form);
    skinned->SetBounds(200, 0, 180, 300);
    skinned->HandleNeeded();

    // Filled while the form is hidden, as a dialog fills its list before it shows.
    const double plainFill = MedianMilliseconds(5, [&] {
        plain->Items()->Clear();
        Fill(plain);
    });
    const double skinnedFill = MedianMilliseconds(5, [&] {
        skinned->Items()->Clear();
        Fill(skinned);
    });
    Report("listbox_fill_10000_items", skinnedFill, plainFill, "2");

    // The platform's list box, beside the others on the same form.
    form->SetBounds(0, 0, 600, 400);
    HWND native = CreateWindowExA(0, "LISTBOX", "",
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 400, 0,
                                  skinned->Width(), skinned->Height(), form->Handle(), nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    TskListBox* list = skinned->ListBox();
    SendMessageA(native, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < ItemCount; ++i)
        SendMessageA(native, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("Station number " + std::to_string(i)).c_str()));
    SendMessageA(native, WM_SETREDRAW, TRUE, 0);

    form->Show();
    Application->ProcessMessages();
    // Both are moved by their scroll bar's message (the skinned bar sends it to the inner
    // list), page after page, taking turns so that a busy machine slows both alike. The
    // figures are the medians of the skinned page and of the platform's.
    const auto millisecondsOf = [](auto&& Work) {
        const auto start = std::chrono::steady_clock::now();
        Work();
        GdiFlush();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    const auto scrollPages = [&](double& Skinned, double& Platform, HFONT Font) {
        // The platform's list shows the same rows in a client area of the inner list's size.
        SendMessageA(native, WM_SETFONT, reinterpret_cast<WPARAM>(Font), 0);
        SendMessageA(native, LB_SETITEMHEIGHT, 0, list->ItemHeight());
        SetWindowPos(native, nullptr, 0, 0, list->Width() + GetSystemMetrics(SM_CXVSCROLL) + 2, list->Height() + 2,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Application->ProcessMessages();
        const int rows = list->Height() / list->ItemHeight();
        std::vector<double> skinnedPages, platformPages;
        for (int i = 0, top = 0; i < 51; ++i) {
            top = (top + rows) % (ItemCount - rows);
            skinnedPages.push_back(millisecondsOf([&] {
                skinned->ScrollBar()->SetPosition(top);
                UpdateWindow(list->Handle());
            }));
            platformPages.push_back(millisecondsOf([&] {
                SendMessageA(native, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, top), 0);
                UpdateWindow(native);
            }));
        }
        Skinned = bench::MedianOf(skinnedPages);
        Platform = bench::MedianOf(platformPages);
    };
    double page = 0, platform = 0;
    scrollPages(page, platform, skinned->Font()->Handle());
    Report("listbox_scroll_one_page", page, platform, "2");

    // The same in the skin the program starts with: its item pictures and client part.
    TComponent owner(nullptr);
    auto* skin = new TskSkinData(&owner);
    for (TskCompressedStoredSkin* stored : trebanix::CreateStoredSkins(&owner))
        if (stored->Description == "Progressive Green")
            skin->SetCompressedStoredSkin(stored);
    skinned->SetSkinData(skin);
    Application->ProcessMessages();
    TFont itemFont;
    int index = -1;
    if (auto* d = FindControlDescription<TskDataSkinListBox>(skin, skinned->SkinDataName(), index)) {
        itemFont.SetName(d->FontName);
        itemFont.SetHeight(d->FontHeight);
        itemFont.SetStyle(d->FontStyle);
    }
    scrollPages(page, platform, itemFont.Handle());
    Report("listbox_scroll_one_page_skinned", page, platform, "2");
    skinned->SetSkinData(nullptr);
    DestroyWindow(native);
    form->Free();
    return 0;
}
