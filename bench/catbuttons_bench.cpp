// The category-buttons control with 1,000, 10,000 and 20,000 buttons in 50 categories: filling,
// laying out, painting the visible part, scrolling from top to bottom, hit tests and memory per
// button. Each figure is set beside the same work on the smallest list in this run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "classlib/controls/Forms.h"
#include "skinforms/categorybuttons/Control.h"

using namespace cl;

namespace {

// Bytes handed out by operator new while counting is on.
std::size_t allocatedBytes = 0;
bool counting = false;

}  // namespace

void* operator new(std::size_t Size)
{
    if (counting)
        allocatedBytes += Size;
    if (void* p = std::malloc(Size ? Size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* P) noexcept { std::free(P); }
void operator delete(void* P, std::size_t) noexcept { std::free(P); }

namespace {

using TClock = std::chrono::steady_clock;

template <class F>
double Milliseconds(F&& Work)
{
    const auto start = TClock::now();
    Work();
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

using bench::MedianMilliseconds;
using bench::Report;

// The station list as the radio sets it up, 161 by 561, every category expanded so that the
// whole list can be scrolled.
struct TList {
    TForm* form = new TForm(nullptr);
    TskSkinCategoryButtons* control = new TskSkinCategoryButtons(form);
    TBitmap image;
    TList()
    {
        form->SetBounds(0, 0, 300, 700);
        control->SetParent(form);
        control->SetBounds(0, 0, 161, 561);
        control->SetButtonHeight(20);
        control->SetButtonWidth(70);
        control->SetButtonOptions(
            {skboFullSize, skboShowCaptions, skboBoldCaptions, skboAllowReorder, skboAllowCopyingButtons});
        control->HandleNeeded();
        image.SetSize(161, 561);
    }
    ~TList() { form->Free(); }
    void Fill(int Buttons)
    {
        TskButtonCategories* cats = control->Categories();
        cats->BeginUpdate();
        cats->Clear();
        const int per = Buttons / 50;
        for (int c = 0; c < 50; ++c) {
            TskButtonCategory* cat = cats->Add();
            cat->SetCaption("Category " + std::to_string(c));
            for (int i = 0; i < per; ++i) {
                TskBaseButtonItem* b = cat->Items()->Insert(i);
                b->SetCaption("Station " + std::to_string(i));
            }
            cat->SetCollapsed(false);
        }
        cats->EndUpdate();
        control->Relayout();
    }
    void Paint()
    {
        SendMessageA(control->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.Canvas()->Handle()),
                     PRF_CLIENT);
        GdiFlush();
    }
};

}  // namespace

int main()
{
    const int sizes[] = {1000, 10000, 20000};
    double fill[3], layout[3], paintTop[3], paintEnd[3], scroll[3], hits[3];
    for (int s = 0; s < 3; ++s) {
        TList list;
        fill[s] = MedianMilliseconds(3, [&] { list.Fill(sizes[s]); });
        layout[s] = MedianMilliseconds(21, [&] { list.control->Relayout(); });
        list.control->ScrollBy(6);
        paintTop[s] = MedianMilliseconds(21, [&] { list.Paint(); });
        list.control->ScrollBy(7);
        paintEnd[s] = MedianMilliseconds(21, [&] { list.Paint(); });
        // From top to bottom one unit at a time, each step painted.
        list.control->ScrollBy(6);
        const int steps = list.control->ScrollMax();
        scroll[s] = Milliseconds([&] {
            for (int i = 0; i < steps; ++i) {
                list.control->ScrollBy(1);
                list.Paint();
            }
        }) / std::max(steps, 1);
        std::mt19937 random(7);
        std::uniform_int_distribution<int> x(0, 160), y(0, 560), position(0, list.control->ScrollMax());
        // 100 scroll positions, 100 points at each; only the hit tests are timed.
        hits[s] = 0;
        for (int batch = 0; batch < 100; ++batch) {
            list.control->ScrollBy(4, position(random));
            hits[s] += Milliseconds([&] {
                for (int i = 0; i < 100; ++i) {
                    volatile auto* b = list.control->GetButtonAt(x(random), y(random));
                    (void)b;
                }
            });
        }
    }
    for (int s = 0; s < 3; ++s) {
        const std::string n = std::to_string(sizes[s]);
        // Filling grows linearly: the reference is the smallest fill scaled to this size.
        const double linear = fill[0] * sizes[s] / sizes[0];
        Report("catbuttons_fill_" + n, fill[s], "ms", linear, "1.5");
        // An absolute budget (20 ms), reported only.
        Report("catbuttons_layout_" + n, layout[s], "ms", layout[0], "-");
        Report("catbuttons_paint_top_" + n, paintTop[s], "ms", paintTop[0], "1.5");
        Report("catbuttons_paint_end_" + n, paintEnd[s], "ms", paintTop[0], "1.5");
        Report("catbuttons_scroll_step_" + n, scroll[s], "ms", scroll[0], "1.5");
        Report("catbuttons_hittest_10000_" + n, hits[s], "ms", hits[0], "1.5");
    }

    // Memory: what 20,000 buttons in 50 categories take, per button.
    {
        TList list;
        list.Fill(50);
        allocatedBytes = 0;
        counting = true;
        list.Fill(20000);
        counting = false;
        const double perButton = static_cast<double>(allocatedBytes) / 20000;
        // At most 300 bytes a button, as a bound of the ratio to the button object itself.
        const double itemBytes = static_cast<double>(sizeof(TskButtonItem));
        char bound[32];
        std::snprintf(bound, sizeof bound, "%.3f", 300.0 / itemBytes);
        Report("catbuttons_memory_per_button", perButton, "bytes", itemBytes, bound);
    }
    return 0;
}
