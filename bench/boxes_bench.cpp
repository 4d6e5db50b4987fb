// The skinned list box: 10,000 items added inside a BeginUpdate/EndUpdate bracket (the bars
// brought up to date once, afterwards) set beside the class library's plain list box filled
// the same way, both on a hidden form; and scrolling one page of it, shown and painted, set
// beside one BitBlt of its client area.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_windows.h"
#include "classlib/Forms.h"
#include "skinforms/skSkinListBox.h"

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

    form->Show();
    Application->ProcessMessages();
    TskListBox* list = skinned->ListBox();
    const int rows = list->Height() / list->ItemHeight();
    int top = 0;
    const double page = MedianMilliseconds(51, [&] {
        top = (top + rows) % (ItemCount - rows);
        skinned->ScrollBar()->SetPosition(top);
        UpdateWindow(list->Handle());
    });
    const int w = list->Width();
    const int h = list->Height();
    TBitmap target;
    target.SetSize(w, h);
    HDC dc = GetDC(list->Handle());
    const double blit = bench::MedianFlushedMilliseconds(51, [&] {
        BitBlt(target.Canvas()->Handle(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    });
    ReleaseDC(list->Handle(), dc);
    Report("listbox_scroll_one_page", page, blit, "-");
    form->Free();
    return 0;
}
