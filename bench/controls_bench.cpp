// The basic skinned controls: a tool bar of eight speed buttons repainted during one morph tick
// of one of them, against one BitBlt of the bar; how many buttons repaint when the mouse moves
// from one button to the next; and one fade tick of a push button against one BitBlt of it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>
#include <vector>

#include "bench/bench_windows.h"
#include "classlib/controls/ExtCtrls.h"
#include "classlib/controls/Forms.h"
#include "skin/controls/Button.h"
#include "skin/controls/SpeedButton.h"
#include "skin/controls/ToolBar.h"
#include "skins/StoredSkins.h"

using namespace cl;
using namespace sk;

namespace {

using bench::MedianFlushedMilliseconds;
using bench::Pump;
using bench::Report;

// Median milliseconds of Work over Runs runs, each after an untimed Prepare; timed to the end of
// its drawing like the other figures.
template <class P, class F>
double MedianMillisecondsAfter(int Runs, P&& Prepare, F&& Work)
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        Prepare();
        GdiFlush();
        times.push_back(MedianFlushedMilliseconds(1, Work));
    }
    return bench::MedianOf(std::move(times));
}

// Fires the timers by hand, so that one morph tick can be timed on its own.
class TManualClock : public TTimerClock {
public:
    void Start(TTimer* Timer, unsigned) override { running_.push_back(Timer); }
    void Stop(TTimer* Timer) override { std::erase(running_, Timer); }
    void FireAll()
    {
        for (TTimer* t : std::vector<TTimer*>(running_))
            if (std::find(running_.begin(), running_.end(), t) != running_.end())
                Fire(t);
    }

private:
    std::vector<TTimer*> running_;
};

// A speed button that notes its paints.
class TCountingButton : public TskSkinSpeedButton {
public:
    using TskSkinSpeedButton::TskSkinSpeedButton;
    static std::set<TCountingButton*>& Painted()
    {
        static std::set<TCountingButton*> painted;
        return painted;
    }

protected:
    void Paint() override
    {
        Painted().insert(this);
        TskSkinSpeedButton::Paint();
    }
};

}  // namespace

int main()
{
    Application->Initialize();
    TManualClock clock;
    SetTimerClock(&clock);
    TComponent owner(nullptr);
    std::vector<TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(&owner);
    auto* skin = new TskSkinData(&owner);
    skin->SetCompressedStoredSkin(skins[12]);

    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 900, 120);
    auto* bar = new TskSkinToolBar(form);
    bar->SetParent(form);
    bar->SetAlign(alTop);
    std::vector<TCountingButton*> buttons;
    for (int i = 0; i < 8; ++i) {
        auto* b = new TCountingButton(form);
        b->SetParent(bar);
        b->SetBounds(i * 100, 0, 100, 23);
        b->SetAlign(alLeft);
        b->SetCaption("Button");
        buttons.push_back(b);
    }
    bar->SetSkinData(skin);
    form->Show();
    Pump();

    // One morph tick of one button: its fade steps and it repaints through the bar.
    TBitmap source;
    source.SetSize(bar->Width(), bar->Height());
    source.Fill(0x336699);
    TWindowDC barDc(bar->Handle());
    const double blit = MedianFlushedMilliseconds(31, [&] {
        BitBlt(barDc.Handle(), 0, 0, bar->Width(), bar->Height(), source.Canvas()->Handle(), 0, 0, SRCCOPY);
    });
    TskSkinSpeedButton* fading = buttons[3];
    // The tick alone: the mouse crossing and the pump of what it queued come before the clock,
    // untimed. A fade step paints the button itself, so the tick's own painting is all in it.
    const double tick = MedianMillisecondsAfter(
        31,
        [&] {
            fading->Perform(fading->MouseInside() ? CM_MOUSELEAVE : CM_MOUSEENTER);
            Pump();
        },
        [&] { clock.FireAll(); });
    Report("toolbar_morph_tick_8_buttons", tick, blit, "4");
    // What a user sees of a mouse crossing: the crossing, the tick and an idle pump together.
    const double tickWithPump = MedianFlushedMilliseconds(31, [&] {
        fading->Perform(fading->MouseInside() ? CM_MOUSELEAVE : CM_MOUSEENTER);
        clock.FireAll();
        Pump();
    });
    Report("toolbar_morph_tick_with_pump", tickWithPump, blit, "-");

    // The mouse going from each button to the next, as the application's idle tracking tells it.
    int repainted = 0;
    for (int i = 0; i + 1 < 8; ++i) {
        buttons[i]->Perform(CM_MOUSEENTER);
        while (buttons[i]->Fading())
            clock.FireAll();
        Pump();
        TCountingButton::Painted().clear();
        buttons[i]->Perform(CM_MOUSELEAVE);
        buttons[i + 1]->Perform(CM_MOUSEENTER);
        for (int t = 0; t < 10; ++t)
            clock.FireAll();
        Pump();
        repainted += static_cast<int>(TCountingButton::Painted().size());
        buttons[i + 1]->Perform(CM_MOUSELEAVE);
        for (int t = 0; t < 10; ++t)
            clock.FireAll();
        Pump();
    }
    Report("toolbar_mouse_move_buttons_repainted", repainted / 7.0, "buttons", 2, "-");
    form->Free();

    // A push button in the middle of its fade: each tick blends the normal and the hot face.
    TForm* dialog = new TForm(nullptr);
    dialog->SetBounds(0, 0, 300, 100);
    auto* push = new TskSkinButton(dialog);
    push->SetParent(dialog);
    push->SetCanFocused(false);
    push->SetCaption("Options");
    push->SetSkinData(skin);
    const int pushIndex = skin->IndexOfControl("button");
    if (auto* d = pushIndex < 0 ? nullptr : dynamic_cast<TskDataSkinButtonControl*>(skin->CtrlList.Items(pushIndex)))
        d->Morphing = true;
    push->SetBounds(10, 10, 120, 30);
    dialog->Show();
    Pump();
    TBitmap face;
    face.SetSize(push->Width(), push->Height());
    face.Fill(0x336699);
    TWindowDC pushDc(push->Handle());
    const double faceBlit = MedianFlushedMilliseconds(31, [&] {
        BitBlt(pushDc.Handle(), 0, 0, push->Width(), push->Height(), face.Canvas()->Handle(), 0, 0, SRCCOPY);
    });
    // Ticks 1 to 4 of each fade are timed; the crossing that starts the next fade is not.
    std::vector<double> ticks;
    for (int fade = 0; fade < 12; ++fade) {
        push->Perform(push->Hot() ? CM_MOUSELEAVE : CM_MOUSEENTER);
        Pump();
        for (int step = 0; step < 4; ++step)
            ticks.push_back(MedianFlushedMilliseconds(1, [&] { clock.FireAll(); }));
        while (push->Fading())
            clock.FireAll();
        Pump();
    }
    Report("push_button_fade_tick", bench::MedianOf(ticks), faceBlit, "-");
    dialog->Free();
    SetTimerClock(nullptr);
    return 0;
}
