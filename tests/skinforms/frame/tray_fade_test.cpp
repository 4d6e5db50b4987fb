// The frame minimizing the application to the tray and coming back from it, and the fade-in and
// translucency of a layered window, driven on both sides of the version test.
#include "skinforms/frame/states_support.h"

#include <functional>
#include <string>
#include <vector>

#include "classlib/classes/FormLoader.h"
#include "classlib/controls/support.h"
#include "skin/drawing/System.h"
#include "skinforms/frame/Fade.h"
#include "skinforms/controls/TrayIcon.h"

using namespace cl;
using namespace sk;
using namespace frametest;
using namespace statestest;

namespace {

// What the shell would have been told, instead of telling it.
struct TShellLog {
    std::string Log;
    TShellLog()
    {
        SetNotifyIconCall([this](DWORD Message, const NOTIFYICONDATAA&) {
            Log += Message == NIM_ADD ? "add " : Message == NIM_DELETE ? "delete " : "modify ";
            return true;
        });
    }
    ~TShellLog() { SetNotifyIconCall(nullptr); }
    std::string Take()
    {
        std::string s;
        s.swap(Log);
        return s;
    }
};

// The main form of the application, framed, with a tray icon.
struct TTrayMain {
    TShellLog shell;
    TForm* Main = nullptr;
    TskSkinFrame* Frame = nullptr;
    TskTrayIcon* Tray = nullptr;
    TTrayMain()
    {
        Application->CreateForm(Main);
        Frame = new TskSkinFrame(Main);
        Main->SetBounds(40, 40, 300, 200);
        Tray = new TskTrayIcon(Main);
        Main->Show();
        Application->ProcessMessages();
    }
    ~TTrayMain()
    {
        if (Application->Minimized())
            Application->Restore();
        Main->Free();
        Application->ProcessMessages();
    }
};

TEST(FrameTray, MinimizingToTheTrayHidesTheMainFormAndTheIconBringsItBack)
{
    TTrayMain app;
    app.Frame->SetTrayIcon(app.Tray);
    EXPECT_FALSE(app.Tray->IconVisible()) << "shown only while in the tray";
    EXPECT_FALSE(app.Tray->MinimizeToTray);
    ASSERT_EQ(app.Tray->PopupMenu(), app.Frame->TrayMenu());
    TMenuItem* items = app.Frame->TrayMenu()->Items();
    ASSERT_EQ(items->Count(), 3);
    EXPECT_EQ(items->Items(0)->Name(), "TRAY_BSF_RESTORE");
    EXPECT_TRUE(items->Items(1)->IsLine());
    EXPECT_EQ(items->Items(2)->Name(), "TRAY_BSF_CLOSE");
    std::vector<std::string> events;
    app.Frame->OnMinimizeToTray = [&](TObject*) { events.push_back("to tray"); };
    app.Frame->OnRestoreFromTray = [&](TObject*) { events.push_back("from tray"); };
    app.shell.Take();

    app.Frame->DoMinimizeToTray();
    EXPECT_TRUE(Application->Minimized());
    EXPECT_FALSE(app.Main->Visible());
    EXPECT_FALSE(IsWindowVisible(app.Main->Handle()));
    EXPECT_FALSE(IsWindowVisible(Application->Handle())) << "no taskbar button either";
    EXPECT_TRUE(app.Tray->IconVisible());
    EXPECT_EQ(app.shell.Take(), "add ");

    // A double click on the icon, as the shell reports it.
    SendMessageA(app.Tray->Handle(), WM_TRAYICONNOTIFY, 1, WM_LBUTTONDBLCLK);
    Application->ProcessMessages();
    EXPECT_FALSE(Application->Minimized());
    EXPECT_TRUE(app.Main->Visible());
    EXPECT_TRUE(IsWindowVisible(app.Main->Handle()));
    EXPECT_FALSE(IsIconic(app.Main->Handle()));
    EXPECT_EQ(Text(WindowRect(app.Main->Handle())), "40,40,340,240");
    EXPECT_FALSE(app.Tray->IconVisible());
    EXPECT_EQ(app.shell.Take(), "delete ");
    EXPECT_EQ(events, (std::vector<std::string>{"to tray", "from tray"}));

    // With AlwaysMinimizeToTray the minimize button goes to the tray; its menu's restore comes back.
    app.Frame->AlwaysMinimizeToTray = true;
    app.Frame->AlwaysShowInTray = true;
    app.Frame->DoMinimize();
    EXPECT_FALSE(IsWindowVisible(app.Main->Handle()));
    items->Items(0)->Click();
    EXPECT_TRUE(IsWindowVisible(app.Main->Handle()));
    EXPECT_TRUE(app.Tray->IconVisible()) << "always shown";
}

TEST(FrameTray, AnIconThatOutlivesItsFrameKeepsNothingOfIt)
{
    TTrayMain app;
    app.Frame->SetTrayIcon(app.Tray);
    ASSERT_TRUE(static_cast<bool>(app.Tray->OnDblClick));
    app.Frame->Free();
    EXPECT_EQ(app.Tray->PopupMenu(), nullptr);
    EXPECT_FALSE(static_cast<bool>(app.Tray->OnDblClick));
    SendMessageA(app.Tray->Handle(), WM_TRAYICONNOTIFY, 1, WM_LBUTTONDBLCLK);
    Application->ProcessMessages();
}

// ---------------------------------------------------------------------------------------------
// Fade-in

DWORD WindowsXP() { return 0x0105; }

// Every alpha the frame sets, and the version the skin engine sees. Without Log the alphas
// reach the window.
struct TFadeLog {
    std::vector<int> Alphas;
    explicit TFadeLog(bool LayeredSystem, bool Log = true)
    {
        SetWindowsVersionSource(LayeredSystem ? &WindowsXP : nullptr);
        if (Log)
            SetFrameAlphaCall([this](HWND, BYTE Alpha) { Alphas.push_back(Alpha); });
    }
    ~TFadeLog()
    {
        SetFrameAlphaCall(nullptr);
        SetWindowsVersionSource(nullptr);
    }
    // Pumps until the fade has reached Last (bounded).
    bool WaitFor(int Last)
    {
        const DWORD start = GetTickCount();
        while (Alphas.empty() || Alphas.back() != Last) {
            if (GetTickCount() - start > 5000)
                return false;
            Application->ProcessMessages();
            Sleep(1);
        }
        return true;
    }
};

std::vector<int> Steps(int Target)
{
    std::vector<int> v{0};
    for (int a = 5; a < Target; a += 5)
        v.push_back(a);
    v.push_back(Target);
    return v;
}

bool Layered(HWND Wnd) { return (GetWindowLongA(Wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

// The alpha the window itself holds; -1 when it holds none.
int WindowAlpha(HWND Wnd)
{
    BYTE alpha = 0;
    DWORD flags = 0;
    return GetLayeredWindowAttributes(Wnd, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : -1;
}

// A form that owns the skin data of another form's frame: that frame has free-notification
// partners, as every secondary window of the program has.
struct TSkinOwner {
    TForm* Form = new TForm(nullptr);
    TFrameSkin Skin{Form};
    ~TSkinOwner()
    {
        // The skin data goes first, as the skin holds it.
        Skin.Data->Free();
        Skin.Data = nullptr;
        Form->Free();
        Application->ProcessMessages();
    }
};

TEST(FrameFade, AnAnimatedTranslucentWindowRisesInStepsOfFiveAMillisecondAfterTheShowAndStaysLayered)
{
    visual_test::TClockScope clock;
    TFadeLog fade(true);
    TFramedForm form(nullptr, 300, 200);
    form.Frame->SetAlphaBlend(true);
    form.Frame->AlphaBlendAnimation = true;
    form.Frame->SetAlphaBlendValue(200);
    form.Show();
    Application->ProcessMessages();
    EXPECT_EQ(fade.Alphas, std::vector<int>{0}) << "invisible until the fade's timer";
    clock.clock.Advance(1);
    EXPECT_EQ(fade.Alphas, Steps(200));
    EXPECT_TRUE(Layered(form.Wnd()));
    form.Form->Hide();
    EXPECT_FALSE(Layered(form.Wnd())) << "a hidden translucent window drops its layer";
}

TEST(FrameFade, AnAnimationAloneEndsOpaqueWithoutTheLayer)
{
    TFadeLog fade(true);
    TFramedForm form(nullptr, 300, 200);
    form.Frame->AlphaBlendAnimation = true;
    // Out of its layer, the window would show the layer's last picture until it painted again.
    int paintsAtFullAlpha = 0;
    form.Form->WindowProc = [&, saved = form.Form->WindowProc](TMessage& Message) {
        if (Message.Msg == WM_PAINT && !fade.Alphas.empty() && fade.Alphas.back() == 255)
            ++paintsAtFullAlpha;
        saved(Message);
    };
    form.Show();
    ASSERT_TRUE(fade.WaitFor(255));
    Application->ProcessMessages();
    EXPECT_EQ(fade.Alphas, Steps(255));
    EXPECT_FALSE(Layered(form.Wnd()));
    EXPECT_GT(paintsAtFullAlpha, 0);
}

TEST(FrameFade, WithoutAnimationTheValueIsSetAtOnceAndOnlyOnLayeredSystems)
{
    {
        TFadeLog fade(true);
        TFramedForm form(nullptr, 300, 200);
        form.Frame->SetAlphaBlend(true);
        form.Frame->SetAlphaBlendValue(120);
        form.Show();
        ASSERT_TRUE(fade.WaitFor(120));
        EXPECT_EQ(fade.Alphas, (std::vector<int>{0, 120}));
        EXPECT_TRUE(Layered(form.Wnd()));
    }
    {
        // The system this runs on reports a later version: no layer, no alpha.
        TFadeLog fade(false);
        TFramedForm form(nullptr, 300, 200);
        form.Frame->SetAlphaBlend(true);
        form.Frame->AlphaBlendAnimation = true;
        form.Show();
        Application->ProcessMessages();
        EXPECT_FALSE(Layered(form.Wnd()));
        EXPECT_TRUE(fade.Alphas.empty());
        // A timer of the same number that is not the fade's reaches the form.
        int ticks = 0;
        form.Form->WindowProc = [&, saved = form.Form->WindowProc](TMessage& Message) {
            if (Message.Msg == WM_TIMER && Message.WParam == FadeInTimerId)
                ++ticks;
            saved(Message);
        };
        SendMessageA(form.Wnd(), WM_TIMER, FadeInTimerId, 0);
        EXPECT_EQ(ticks, 1);
        EXPECT_TRUE(fade.Alphas.empty());
    }
}

// ---------------------------------------------------------------------------------------------
// Translucency set on a shown window

TEST(FrameTranslucency, TheSettersActOnAShownWindowOnlyWhereLayeredWindowsAre)
{
    struct TStep {
        const char* What;
        std::function<void(TskSkinFrame*)> Set;
        bool Layered;
        std::vector<int> Alphas;
    };
    const std::vector<TStep> steps{
        {"on", [](TskSkinFrame* F) { F->SetAlphaBlend(true); }, true, {200}},
        {"a new value", [](TskSkinFrame* F) { F->SetAlphaBlendValue(120); }, true, {120}},
        {"off", [](TskSkinFrame* F) { F->SetAlphaBlend(false); }, false, {}},
        {"a value while off", [](TskSkinFrame* F) { F->SetAlphaBlendValue(90); }, false, {}},
        {"on again", [](TskSkinFrame* F) { F->SetAlphaBlend(true); }, true, {90}},
        {"fully opaque", [](TskSkinFrame* F) { F->SetAlphaBlendValue(255); }, false, {}},
        {"below full again", [](TskSkinFrame* F) { F->SetAlphaBlendValue(100); }, true, {100}},
    };
    struct TSetting {
        const char* What;
        bool LayeredSystem;
        // A skinned window whose skin data another form owns, read back from the window.
        bool ForeignSkin;
    };
    const TSetting settings[] = {
        {"", true, false},
        {", on a later system", false, false},
        {", skinned from another form", true, true},
    };
    for (const TSetting& setting : settings) {
        TSkinOwner owner;
        TFadeLog fade(setting.LayeredSystem, !setting.ForeignSkin);
        TFramedForm form(setting.ForeignSkin ? owner.Skin.Data : nullptr, 300, 200);
        form.Show();
        for (const TStep& step : steps) {
            fade.Alphas.clear();
            step.Set(form.Frame);
            const std::string what = std::string(step.What) + setting.What;
            EXPECT_EQ(Layered(form.Wnd()), step.Layered && setting.LayeredSystem) << what;
            if (setting.ForeignSkin) {
                if (step.Layered) {
                    EXPECT_EQ(WindowAlpha(form.Wnd()), step.Alphas.back()) << what;
                }
            } else {
                EXPECT_EQ(fade.Alphas, setting.LayeredSystem ? step.Alphas : std::vector<int>{}) << what;
            }
        }
    }
}

TEST(FrameTranslucency, AHiddenOrLoadingFrameKeepsTheValuesForTheShow)
{
    TFadeLog fade(true);
    TFramedForm form(nullptr, 300, 200);
    form.Frame->SetAlphaBlend(true);
    form.Frame->SetAlphaBlendValue(150);
    EXPECT_TRUE(fade.Alphas.empty()) << "hidden";
    form.Show();
    ASSERT_TRUE(fade.WaitFor(150));
    fade.Alphas.clear();
    {
        TFormLoader load(form.Form);
        load.Add(form.Frame, "Frame");
        form.Frame->SetAlphaBlendValue(60);
        form.Frame->SetAlphaBlend(false);
        EXPECT_TRUE(Layered(form.Wnd())) << "refused while loading";
        EXPECT_TRUE(fade.Alphas.empty());
        load.Finish();
    }
    EXPECT_EQ(form.Frame->AlphaBlendValue(), 60);
    EXPECT_FALSE(form.Frame->AlphaBlend());
    form.Form->Hide();
    form.Show();
    EXPECT_FALSE(Layered(form.Wnd())) << "shown again without the translucency switched off while loading";
}

TEST(FrameTranslucency, ATranslucentWindowIsRepaintedWhileItsSizeChanges)
{
    struct TCase {
        const char* What;
        bool LayeredSystem;
        bool AlphaBlend;
        std::uint8_t Value;
        bool Repainted;
    };
    const TCase cases[] = {
        {"translucent", true, true, 200, true},
        {"opaque", true, false, 200, false},
        {"fully opaque value", true, true, 255, false},
        {"later system", false, true, 200, false},
    };
    for (const TCase& c : cases) {
        TFadeLog fade(c.LayeredSystem);
        TFramedForm form(nullptr, 300, 200);
        form.Frame->SetAlphaBlend(c.AlphaBlend);
        form.Frame->SetAlphaBlendValue(c.Value);
        form.Show();
        Application->ProcessMessages();
        // Paints that come while the window takes its new size, not the ones it queues after.
        bool sizing = false;
        int paints = 0;
        const TWndMethod saved = form.Form->WindowProc;
        form.Form->WindowProc = [&](TMessage& Message) {
            if (sizing && Message.Msg == WM_PAINT)
                ++paints;
            const bool outer = Message.Msg == WM_SIZE && !sizing;
            sizing = sizing || outer;
            saved(Message);
            if (outer)
                sizing = false;
        };
        form.Form->SetBounds(40, 40, 260, 170);
        form.Form->WindowProc = saved;
        EXPECT_EQ(paints > 0, c.Repainted) << c.What;
    }
}

}  // namespace
