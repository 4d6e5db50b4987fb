// The frame's window states on real windows: maximize into the monitor's work area (also one
// that does not start at (0, 0)) and back, minimize to a caption strip in the minimized places
// or with the application, roll-up, the system menu's commands, size limits, centring on first
// show, restore into the work area and the magnetic edges on WM_MOVING.
#include "skinforms/frame/states_support.h"

#include <memory>

#include "skin/controls/StatusBar.h"

using namespace cl;
using namespace sk;
using namespace frametest;
using namespace statestest;

namespace {

constexpr int W = 300;
constexpr int H = 200;
// An unskinned frame's minimized strip: 120 wide, the caption and borders high.
constexpr int StripW = 120;
constexpr int StripH = 19 + 6;

// A work area with a task bar at the top and one at the left.
const TRect Work = Rect(100, 50, 900, 700);

TEST(FrameStates, MaximizeFillsAWorkAreaThatDoesNotStartAtTheOriginAndACaptionDoubleClickRestores)
{
    TInjectedAreas areas(Work);
    TFramedForm form(nullptr, W, H);
    form.Form->SetBounds(140, 90, W, H);
    form.Show();
    const TRect normal = WindowRect(form.Wnd());
    ASSERT_EQ(Text(normal), "140,90,440,290");

    NCMessage(form, WM_NCLBUTTONDBLCLK, HTCAPTION, 60, 8);
    EXPECT_EQ(form.Frame->WindowState, fwsMaximized);
    EXPECT_EQ(Text(WindowRect(form.Wnd())), Text(Work));
    EXPECT_FALSE(IsZoomed(form.Wnd())) << "the frame's own state, not the system's";

    NCMessage(form, WM_NCLBUTTONDBLCLK, HTCAPTION, 60, 8);
    EXPECT_EQ(form.Frame->WindowState, fwsNormal);
    EXPECT_EQ(Text(WindowRect(form.Wnd())), Text(normal));
    EXPECT_TRUE(IsRectEmpty(form.Frame->RestoreBounds()));

    // Moved after the restore: the next maximize saves the new bounds.
    form.Form->SetBounds(170, 120, W, H);
    form.Frame->DoMaximize();
    form.Frame->DoMaximize();
    EXPECT_EQ(Text(WindowRect(form.Wnd())), "170,120,470,320");
}

TEST(FrameStates, AWorkAreaAsLargeAsTheScreenLosesAPixelAndFullScreenTakesTheMonitor)
{
    TInjectedAreas areas(Rect(0, 0, 1024, 768));
    TFramedForm form(nullptr, W, H);
    form.Show();
    form.Frame->SetWindowState(fwsMaximized);
    EXPECT_EQ(Text(WindowRect(form.Wnd())), "1,1,1023,767");
    form.Frame->SetWindowState(fwsNormal);

    areas.Set(Rect(0, 30, 1024, 768));
    form.Frame->MaximizeOnFullScreen = true;
    form.Frame->SetWindowState(fwsMaximized);
    EXPECT_EQ(Text(WindowRect(form.Wnd())), "0,0,1024,768");
    form.Frame->SetWindowState(fwsNormal);
    EXPECT_EQ(Text(WindowRect(form.Wnd())), "40,40,340,240");
}

TEST(FrameStates, TheStatusBarsSizeGripIsGoneOnlyWhileMaximized)
{
    TInjectedAreas areas(Work);
    TFramedForm form(nullptr, W, H);
    form.Form->SetBounds(140, 90, W, H);
    auto* bar = new TskSkinStatusBar(form.Form);
    bar->SetParent(form.Form);
    bar->SetSizeGrip(true);
    form.Frame->SetStatusBar(bar);
    form.Show();
    form.Frame->SetWindowState(fwsMaximized);
    EXPECT_FALSE(bar->GripShowing());
    form.Frame->SetWindowState(fwsNormal);
    EXPECT_TRUE(bar->GripShowing());
    form.Frame->SetWindowState(fwsMinimized);
    EXPECT_TRUE(bar->GripShowing());
    form.Frame->SetWindowState(fwsMaximized);
    // A bar freed first is forgotten.
    bar->Free();
    EXPECT_EQ(form.Frame->StatusBar(), nullptr);
    form.Frame->SetWindowState(fwsNormal);
}

TEST(FrameStates, TheSizeLimitsFollowTheWorkAreaAndTheMaximumSizes)
{
    TInjectedAreas areas(Work);
    TFramedForm form(nullptr, W, H);
    MINMAXINFO info{};
    SendMessageA(form.Wnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, 800);
    EXPECT_EQ(info.ptMaxTrackSize.y, 650);
    EXPECT_EQ(info.ptMinTrackSize.x, StripW);
    EXPECT_EQ(info.ptMinTrackSize.y, StripH);
    form.Frame->MaxWidth = 500;
    form.Frame->MaxHeight = 900;
    form.Frame->MinHeight = 100;
    SendMessageA(form.Wnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, 500);
    EXPECT_EQ(info.ptMaxTrackSize.y, 650) << "a maximum beyond the work area does not count";
    EXPECT_EQ(info.ptMinTrackSize.y, 100);
    // The other corner: the height's maximum counts, the width's does not.
    form.Frame->MaxWidth = 900;
    form.Frame->MaxHeight = 600;
    SendMessageA(form.Wnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, 800);
    EXPECT_EQ(info.ptMaxTrackSize.y, 600);
    // Maximized over the full screen, the monitor's whole area is the bound.
    form.Frame->MaxWidth = 0;
    form.Frame->MaxHeight = 0;
    form.Frame->MaximizeOnFullScreen = true;
    SendMessageA(form.Wnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, 1024);
    EXPECT_EQ(info.ptMaxTrackSize.y, 768);
}

TEST(FrameStates, AFormThatIsNotTheMainFormShrinksToACaptionStripAndTheSystemMenuRestoresIt)
{
    TInjectedAreas areas(Work);
    TFramedForm form(nullptr, W, H);
    form.Form->SetBounds(140, 90, W, H);
    form.Show();
    form.Frame->DoMinimize();
    EXPECT_EQ(form.Frame->WindowState, fwsMinimized);
    EXPECT_EQ(Text(WindowRect(form.Wnd())), Text(Bounds(Work.Left, Work.Bottom - StripH, StripW, StripH)));
    EXPECT_TRUE(IsWindowVisible(form.Wnd()));

    // No minimize while minimized; restore is offered.
    EXPECT_EQ(OpenSystemMenu(form), (std::vector<std::string>{"BSF_MAXITEM", "BSF_RESTORE", "-", "BSF_CLOSE"}));
    ASSERT_TRUE(ClickSystemMenu(form, "BSF_RESTORE"));
    EXPECT_EQ(form.Frame->WindowState, fwsNormal);
    EXPECT_EQ(Text(WindowRect(form.Wnd())), "140,90,440,290");
}

TEST(FrameStates, ThreeFormsTakeThreeMinimizedPlacesAndAFreedPlaceIsTakenAgain)
{
    // Two strips fit in a row.
    TInjectedAreas areas(Rect(100, 50, 400, 700));
    std::vector<std::unique_ptr<TFramedForm>> forms;
    for (int i = 0; i < 4; ++i) {
        forms.push_back(std::make_unique<TFramedForm>(nullptr, W, H));
        forms.back()->Show();
    }
    for (int i = 0; i < 3; ++i)
        forms[static_cast<std::size_t>(i)]->Frame->SetWindowState(fwsMinimized);
    EXPECT_EQ(Text(WindowRect(forms[0]->Wnd())), Text(Bounds(100, 700 - StripH, StripW, StripH)));
    EXPECT_EQ(Text(WindowRect(forms[1]->Wnd())), Text(Bounds(220, 700 - StripH, StripW, StripH)));
    EXPECT_EQ(Text(WindowRect(forms[2]->Wnd())), Text(Bounds(100, 700 - 2 * StripH, StripW, StripH)));

    forms[1]->Frame->SetWindowState(fwsNormal);
    forms[3]->Frame->SetWindowState(fwsMinimized);
    EXPECT_EQ(Text(WindowRect(forms[3]->Wnd())), Text(Bounds(220, 700 - StripH, StripW, StripH)));
}

TEST(FrameStates, AStripOfNoHeightStillFindsItsPlace)
{
    // A frame picture that is all client: the minimum height is 0.
    TFrameSkin skin;
    skin.Data->ClRect = Rect(5, 0, 95, TFrameSkin::PH);
    TInjectedAreas areas(Rect(0, 0, 250, 700));
    std::vector<std::unique_ptr<TFramedForm>> forms;
    for (int i = 0; i < 3; ++i) {
        forms.push_back(std::make_unique<TFramedForm>(skin.Data, W, H));
        forms.back()->Show();
    }
    ASSERT_EQ(forms[0]->Frame->GetMinHeight(), 0);
    for (auto& f : forms)
        f->Frame->SetWindowState(fwsMinimized);
    EXPECT_EQ(forms[0]->Form->Left(), 0);
    EXPECT_EQ(forms[1]->Form->Left(), TFrameSkin::PW);
    EXPECT_EQ(forms[2]->Form->Left(), 0);
    EXPECT_LT(forms[2]->Form->Top(), forms[0]->Form->Top());
}

TEST(FrameStates, TheMainFormMinimizesTheApplicationAndKeepsItsState)
{
    TInjectedAreas areas(Work);
    TForm* main = nullptr;
    Application->CreateForm(main);
    auto* frame = new TskSkinFrame(main);
    main->SetBounds(40, 40, W, H);
    main->Show();
    Application->ProcessMessages();
    frame->DoMinimize();
    EXPECT_TRUE(Application->Minimized());
    EXPECT_EQ(frame->WindowState, fwsNormal);
    EXPECT_FALSE(IsWindowVisible(main->Handle()));
    Application->Restore();
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(IsIconic(main->Handle()));
    EXPECT_EQ(Text(WindowRect(main->Handle())), "40,40,340,240");
    main->Free();
    ASSERT_EQ(Application->MainForm(), nullptr);
}

TEST(FrameStates, RollUpFromTheSystemMenuKeepsTheCaptionAndItsRestoreUnrolls)
{
    TFramedForm form(nullptr, W, H);
    form.Show();
    int changes = 0;
    form.Frame->OnChangeRollUpState = [&](TObject*) { ++changes; };
    OpenSystemMenu(form);
    ASSERT_TRUE(ClickSystemMenu(form, "BSF_ROLLUP"));
    EXPECT_TRUE(form.Frame->RolledUp);
    EXPECT_EQ(form.Form->Height(), StripH);
    EXPECT_EQ(form.Form->Width(), W);
    EXPECT_EQ(changes, 1);

    // A skin change while rolled up: the strip takes the height of the new frame, and of no
    // frame again.
    TFrameSkin skin;
    form.Frame->SetSkinData(skin.Data);
    EXPECT_TRUE(form.Frame->RolledUp);
    EXPECT_EQ(form.Form->Height(), TFrameSkin::PH - 35);
    skin.Reload([&] { skin.Data->ClRect = Rect(5, 30, 95, 55); });
    EXPECT_EQ(form.Form->Height(), TFrameSkin::PH - 25);
    form.Frame->SetSkinData(nullptr);
    EXPECT_EQ(form.Form->Height(), StripH);
    EXPECT_EQ(form.Form->Width(), W);

    EXPECT_EQ(OpenSystemMenu(form),
              (std::vector<std::string>{"BSF_MINITEM", "BSF_MAXITEM", "BSF_RESTORE", "-", "BSF_CLOSE"}));
    ASSERT_TRUE(ClickSystemMenu(form, "BSF_RESTORE"));
    EXPECT_FALSE(form.Frame->RolledUp);
    EXPECT_EQ(Text(WindowRect(form.Wnd())), "40,40,340,240");
    EXPECT_EQ(changes, 2);

    // Without the roll-up icon nothing rolls.
    form.Frame->SetBorderIcons({sk::biSystemMenu, sk::biMinimize, sk::biMaximize});
    form.Frame->RollUp(true);
    EXPECT_FALSE(form.Frame->RolledUp);
    EXPECT_EQ(form.Form->Height(), H);
}

TEST(FrameStates, RolledUpWhileMaximizedUnrollsThereAndTheCaptionDoubleClickRollsAFixedWindow)
{
    TInjectedAreas areas(Work);
    TFramedForm form(nullptr, W, H);
    form.Show();
    form.Frame->SetWindowState(fwsMaximized);
    form.Frame->DoRollUp();
    EXPECT_TRUE(form.Frame->MaximizedRolledUp);
    EXPECT_EQ(form.Form->Height(), StripH);
    form.Frame->DoRestore();
    EXPECT_FALSE(form.Frame->RolledUp);
    EXPECT_EQ(form.Frame->WindowState, fwsMaximized);
    EXPECT_EQ(Text(WindowRect(form.Wnd())), Text(Work));
    form.Frame->SetWindowState(fwsNormal);

    // Not sizeable: the caption double click rolls up and down.
    form.Form->SetBorderStyle(bsSingle);
    NCMessage(form, WM_NCLBUTTONDBLCLK, HTCAPTION, 60, 8);
    EXPECT_TRUE(form.Frame->RolledUp);
    EXPECT_EQ(form.Frame->WindowState, fwsNormal);
    NCMessage(form, WM_NCLBUTTONDBLCLK, HTCAPTION, 60, 8);
    EXPECT_FALSE(form.Frame->RolledUp);
    EXPECT_EQ(form.Form->Height(), H);
}

TEST(FrameStates, AUserSystemMenuGetsTheWindowCommandsAroundItsOwnItemsOnce)
{
    TFramedForm form(nullptr, W, H);
    form.Show();
    auto* menu = new TPopupMenu(form.Form);
    auto* own = new TMenuItem(menu);
    own->SetName("OwnItem");
    own->SetCaption("Own");
    menu->Items()->Add(own);
    form.Frame->SystemMenu = menu;
    const std::vector<std::string> expected{"BSF_MINITEM", "BSF_MAXITEM", "BSF_ROLLUP", "OwnItem", "BSF_CLOSE"};
    EXPECT_EQ(OpenSystemMenu(form), expected);
    form.Frame->SkinMenu()->CloseAll();
    EXPECT_EQ(OpenSystemMenu(form), expected);
    ASSERT_TRUE(ClickSystemMenu(form, "BSF_MAXITEM"));
    EXPECT_EQ(form.Frame->WindowState, fwsMaximized);
    form.Frame->SystemMenu = nullptr;
}

TEST(FrameStates, AWindowSentAwayByItsMaximizeHandlerComesBackInItsNormalFrame)
{
    TInjectedAreas areas(Work);
    TFramedForm form(nullptr, W, H);
    form.Show();
    form.Frame->OnMaximize = [&](TObject*) { form.Form->Hide(); };
    form.Frame->DoMaximize();
    EXPECT_EQ(form.Frame->WindowState, fwsNormal);
    form.Show();
    EXPECT_EQ(Text(WindowRect(form.Wnd())), "40,40,340,240");
}

TEST(FrameStates, TheFirstShowCentresOnTheWorkAreaOrTheMonitor)
{
    TInjectedAreas areas(Work, Rect(0, 0, 1000, 700));
    TFramedForm desktop(nullptr, W, H);
    desktop.Frame->PositionInMonitor = skpDesktopCenter;
    desktop.Show();
    EXPECT_EQ(Text(WindowRect(desktop.Wnd())), Text(Bounds(100 + (800 - W) / 2, 50 + (650 - H) / 2, W, H)));
    // Only the first show places it.
    desktop.Form->SetBounds(10, 10, W, H);
    desktop.Form->Hide();
    desktop.Show();
    EXPECT_EQ(desktop.Form->Left(), 10);

    TFramedForm screen(nullptr, W + 1, H + 1);
    screen.Frame->PositionInMonitor = skpScreenCenter;
    screen.Show();
    EXPECT_EQ(Text(WindowRect(screen.Wnd())), Text(Bounds((1000 - W - 1) / 2, (700 - H - 1) / 2, W + 1, H + 1)));
}

TEST(FrameStates, ARestoredWindowIsKeptInsideAWorkAreaThatMoved)
{
    TInjectedAreas areas(Work);
    TFramedForm form(nullptr, W, H);
    form.Show();
    form.Frame->SetWindowState(fwsMaximized);
    // The task bar moved: the work area now starts far to the right and down.
    areas.Set(Rect(500, 400, 1000, 760));
    form.Frame->SetWindowState(fwsNormal);
    EXPECT_EQ(Text(WindowRect(form.Wnd())), Text(Bounds(500, 400, W, H)));
    form.Frame->SetWindowState(fwsMaximized);
    areas.Set(Rect(0, 0, 420, 300));
    form.Frame->SetWindowState(fwsNormal);
    EXPECT_EQ(Text(WindowRect(form.Wnd())), Text(Bounds(120, 100, W, H)));
}

// A WM_MOVING as the platform's move loop sends it, with the cursor where the drag has it.
TRect Moving(TFramedForm& F, int Left, int Top, int CursorX, int CursorY)
{
    SetCursorPos(CursorX, CursorY);
    RECT r{Left, Top, Left + F.Form->Width(), Top + F.Form->Height()};
    SendMessageA(F.Wnd(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r));
    return Rect(r.left, r.top, r.right, r.bottom);
}

TEST(FrameStates, MagneticEdgesSnapStrictlyWithinTheDistanceAndLetGoOnlyBeyondIt)
{
    TInjectedAreas areas(Work);
    TFramedForm form(nullptr, W, H);
    form.Frame->Magnetic = true;
    form.Show();
    SendMessageA(form.Wnd(), WM_ENTERSIZEMOVE, 0, 0);
    // Left edge 4 pixels from the work area's: snapped.
    EXPECT_EQ(Moving(form, Work.Left + 4, 300, 400, 400).Left, Work.Left);
    // The cursor moves 3 and then 5 pixels further: the window stays.
    EXPECT_EQ(Moving(form, Work.Left + 7, 300, 403, 400).Left, Work.Left);
    EXPECT_EQ(Moving(form, Work.Left + 9, 300, 405, 400).Left, Work.Left);
    // 6 pixels: it follows the cursor from the edge.
    EXPECT_EQ(Moving(form, Work.Left + 10, 300, 406, 400).Left, Work.Left + 6);
    SendMessageA(form.Wnd(), WM_EXITSIZEMOVE, 0, 0);

    SendMessageA(form.Wnd(), WM_ENTERSIZEMOVE, 0, 0);
    // 5 pixels away is not near.
    EXPECT_EQ(Text(Moving(form, Work.Left + 5, Work.Top - 5, 400, 400)), Text(Bounds(Work.Left + 5, Work.Top - 5, W, H)));
    // Right and bottom edges within the distance.
    EXPECT_EQ(Text(Moving(form, Work.Right - W + 3, Work.Bottom - H - 2, 500, 500)),
              Text(Bounds(Work.Right - W, Work.Bottom - H, W, H)));
    SendMessageA(form.Wnd(), WM_EXITSIZEMOVE, 0, 0);

    // Not magnetic: the rectangle goes through as proposed.
    form.Frame->Magnetic = false;
    EXPECT_EQ(Moving(form, Work.Left + 2, 300, 400, 400).Left, Work.Left + 2);
    // A maximized window cannot be moved at all.
    form.Frame->SetWindowState(fwsMaximized);
    EXPECT_EQ(Text(Moving(form, 300, 300, 400, 400)), Text(Work));
}

}  // namespace
