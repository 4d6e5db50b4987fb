// Opening a 30-item skinned popup menu (building its rows, measuring, placing, showing and
// painting the level, then closing it), set beside one BitBlt of a bitmap of the menu's size.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_windows.h"
#include "classlib/controls/Forms.h"
#include "skinforms/menus/Menus.h"

using namespace cl;
using namespace sk;

namespace {

using bench::MedianMilliseconds;
using bench::Report;

}  // namespace

int main()
{
    Application->Initialize();
    auto* form = new TForm(nullptr);
    form->HandleNeeded();
    auto* menu = new TskSkinMenu(form, form);
    auto* popup = new TPopupMenu(form);
    for (int i = 0; i < 30; ++i) {
        auto* item = new TMenuItem(popup);
        item->SetCaption(i % 7 == 6 ? "-" : "Menu item number " + std::to_string(i));
        popup->Items()->Add(item);
    }
    const TRect at{100, 100, 100, 100};
    int w = 0;
    int h = 0;
    const double open = MedianMilliseconds(51, [&] {
        menu->Popup(nullptr, nullptr, false, popup->Items(), at, 0);
        TskSkinPopupWindow* level = menu->Levels(0);
        UpdateWindow(level->Handle());
        w = level->Width();
        h = level->Height();
        menu->CloseMenu(0);
    });
    TBitmap source;
    source.SetSize(w, h);
    TBitmap target;
    target.SetSize(w, h);
    const double blit = bench::MedianFlushedMilliseconds(51, [&] {
        BitBlt(target.Canvas()->Handle(), 0, 0, w, h, source.Canvas()->Handle(), 0, 0, SRCCOPY);
    });
    Report("menu_open_30_items", open, blit, "-");
    form->Free();
    return 0;
}
