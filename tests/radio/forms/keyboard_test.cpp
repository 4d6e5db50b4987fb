// The program's windows from the keyboard: Tab and Shift+Tab reach every control that takes the
// focus, in opposite orders, each shows on the screen that it has it, and the keys of the station
// list and the page tabs work.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "radio/forms/MainWindowTestSupport.h"
#include "radio/forms/LumraAccount.h"
#include "radio/forms/Options.h"
#include "radio/forms/RadioSmall.h"
#include "skin/controls/Button.h"
#include "skin/controls/CheckRadioBox.h"
#include "skinforms/dialogs/SelectSkin.h"
#include "support/UserInput.h"

using namespace mainwin_test;

namespace {

// What the screen shows in a window's rectangle, once it holds still (fades end, carets settle).
std::vector<COLORREF> ScreenPicture(HWND Window)
{
    RECT r{};
    GetWindowRect(Window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    auto grab = [&] {
        std::vector<COLORREF> pixels(static_cast<size_t>(w) * h);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixels[static_cast<size_t>(y) * w + x] = GetPixel(memory, x, y);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return pixels;
    };
    std::vector<COLORREF> last = grab();
    for (int i = 0; i < 100; ++i) {
        Sleep(20);
        cl::Application->ProcessMessages();
        std::vector<COLORREF> now = grab();
        if (now == last)
            return now;
        last = std::move(now);
    }
    return last;
}

// A focus change starts a fade of a button's or a box's look, one step per timer tick: the
// picture holds still between two ticks, so it is taken only once the fade has ended. A bound
// only against a fade that never ends.
void WaitFadeEnded(HWND Window)
{
    cl::TWinControl* control = cl::TWinControl::FindControl(Window);
    auto fading = [control] {
        if (auto* button = dynamic_cast<sk::TskSkinButton*>(control))
            return button->Fading();
        if (auto* box = dynamic_cast<sk::TskSkinCheckRadioBox*>(control))
            return box->Fading();
        return false;
    };
    for (int i = 0; i < 500 && fading(); ++i) {
        Sleep(10);
        cl::Application->ProcessMessages();
    }
}

std::string NameOf(HWND Window)
{
    char name[64] = "";
    GetClassNameA(Window, name, sizeof name);
    return name;
}

// Tabs (or Shift+Tabs) from the focused control round the tab order, back to where it started:
// every control the focus went to, each with whether it looked different with the focus than
// without.
struct TTabWalk {
    std::vector<HWND> Reached;
    std::map<HWND, bool> Marked;
};

TTabWalk WalkWithTab(cl::TCustomForm* Form, bool Backward)
{
    // The pointer away from every control, so that no hover look passes for a focus mark.
    realinput::PointerAtScreen(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    SetForegroundWindow(Form->Handle());
    SetActiveWindow(Form->Handle());
    cl::Application->ProcessMessages();
    TTabWalk walk;
    std::map<HWND, std::vector<COLORREF>> focused;
    HWND previous = nullptr;
    for (int step = 0; step < 30; ++step) {
        if (Backward)
            realinput::PressKeys({VK_SHIFT, VK_TAB});
        else
            realinput::PressKey(VK_TAB);
        HWND now = GetFocus();
        if (previous && previous != now) {
            WaitFadeEnded(previous);
            walk.Marked[previous] = ScreenPicture(previous) != focused[previous];
        }
        if (!now || !IsChild(Form->Handle(), now) ||
            std::find(walk.Reached.begin(), walk.Reached.end(), now) != walk.Reached.end()) {
            // Round once: the first one's unfocused look was taken when the second got the focus.
            break;
        }
        walk.Reached.push_back(now);
        WaitFadeEnded(now);
        focused[now] = ScreenPicture(now);
        previous = now;
    }
    return walk;
}

// Tab and Shift+Tab each reach every expected control and only those, each showing its focus,
// Shift+Tab in the opposite order of Tab.
void ExpectEveryControlReachedAndMarked(cl::TCustomForm* Form, std::vector<cl::TWinControl*> Expected)
{
    std::set<HWND> expected;
    for (cl::TWinControl* control : Expected)
        expected.insert(control->Handle());
    std::vector<HWND> forward;
    for (bool backward : {false, true}) {
        const std::string keys = backward ? "Shift+Tab" : "Tab";
        const TTabWalk walk = WalkWithTab(Form, backward);
        std::set<HWND> reached(walk.Reached.begin(), walk.Reached.end());
        for (cl::TWinControl* control : Expected)
            EXPECT_TRUE(reached.count(control->Handle()))
                << Form->Caption() << ": " << keys << " never reaches " << control->ClassName() << " "
                << control->Name();
        for (HWND window : walk.Reached) {
            EXPECT_TRUE(expected.count(window)) << Form->Caption() << ": " << keys << " reaches an unexpected "
                                                << NameOf(window);
            EXPECT_TRUE(walk.Marked.at(window)) << Form->Caption() << ": " << keys << " leaves no focus mark on "
                                                << NameOf(window);
        }
        if (!backward) {
            forward = walk.Reached;
            continue;
        }
        // The same round the other way, from wherever it started.
        const std::size_t n = forward.size();
        if (n == 0 || walk.Reached.size() != n)
            continue;
        const auto start = std::find(forward.begin(), forward.end(), walk.Reached[0]);
        if (start == forward.end())
            continue;
        const std::size_t k = static_cast<std::size_t>(start - forward.begin());
        for (std::size_t i = 0; i < n; ++i)
            EXPECT_EQ(walk.Reached[i], forward[(k + n - i) % n])
                << Form->Caption() << ": Shift+Tab step " << i << " reaches " << NameOf(walk.Reached[i]) << ", not "
                << NameOf(forward[(k + n - i) % n]);
    }
}

}  // namespace

TEST(ProgramKeyboard, TabAndShiftTabReachEveryControlOfEveryWindowBothWaysAndEachShowsItsFocus)
{
    TMainWindowScene scene;
    scene.Create();
    TfrmRadioMain* main = scene.form;
    main->Show();
    ExpectEveryControlReachedAndMarked(main, {main->scbRadioStations, main->btnMute, main->tabControl, main->URL,
                                              main->btnLaunch, main->btnRate2});

    auto* compact = new TfrmRadioSmallForm(nullptr, main->skSkinData1);
    compact->Show();
    // Its buttons are speed buttons and its slider takes no focus: nothing there for Tab.
    ExpectEveryControlReachedAndMarked(compact, {});
    compact->Free();

    auto* options = new TfrmOptions(main, main->skSkinData1);
    options->Show();
    ExpectEveryControlReachedAndMarked(options, {options->edtUserName, options->edtPassWord, options->cbxLastSkin,
                                                 options->cmbWindowPos, options->btnOK, options->btnCancel});
    options->Free();

    auto* account = new TfrmLumraAccount(main, main->skSkinData1);
    account->Show();
    ExpectEveryControlReachedAndMarked(account, {account->edtUserName, account->edtPassword, account->btnCreate,
                                                 account->btnOK, account->btnExit});
    account->Free();

    sk::TskSelectSkinDialog* skins = main->dlgSelectSkin;
    realinput::ActWhileModal([&] { return skins->Form(); },
                             [&] {
                                 sk::TskSelectSkinDlgForm* dialog = skins->Form();
                                 ExpectEveryControlReachedAndMarked(
                                     dialog, {dialog->ListBox->ListBox(), dialog->OKButton, dialog->CancelButton});
                                 dialog->SetModalResult(cl::mrCancel);
                             },
                             [&] { skins->Execute(nullptr); });
}

TEST(ProgramKeyboard, ArrowKeysTurnThePageTabsAndMoveThroughTheStations)
{
    TMainWindowScene scene;
    scene.Create();
    TfrmRadioMain* main = scene.form;
    main->Show();
    SetForegroundWindow(main->Handle());

    // A click on the selected tab gives the tabs the focus and changes nothing.
    RECT first{};
    SendMessageA(main->tabControl->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    realinput::ClickWindow(main->tabControl->Handle(), (first.left + first.right) / 2, (first.top + first.bottom) / 2);
    ASSERT_EQ(GetFocus(), main->tabControl->Handle());
    ASSERT_EQ(main->tabControl->TabIndex(), 0);
    realinput::PressKey(VK_RIGHT);
    EXPECT_EQ(main->tabControl->TabIndex(), 1);
    EXPECT_EQ(GetFocus(), main->tabControl->Handle());
    realinput::PressKey(VK_LEFT);
    EXPECT_EQ(main->tabControl->TabIndex(), 0);

    // Tab from the last control of the window comes round to the stations, whose keys choose.
    main->btnRate2->SetFocus();
    realinput::PressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), main->scbRadioStations->Handle());
    realinput::PressKey(VK_DOWN);
    EXPECT_EQ(scene.SelectedCaption(), "A");
    realinput::PressKey(VK_END);
    EXPECT_EQ(scene.SelectedCaption(), "E");
    realinput::PressKey(VK_HOME);
    EXPECT_EQ(scene.SelectedCaption(), "A");
    EXPECT_EQ(GetFocus(), main->scbRadioStations->Handle());
}
