// The hints of the caption buttons under the real pointer: each standard button of a stored
// skin shows its command's text after the hint pause, and the hint goes when the pointer
// leaves, when a menu opens, when the form loses the activation, when the button is disabled
// or hidden, on a skin change and with the frame; a frame that shows no hints leaves the
// hints of the form's controls alone.
#include "skinforms/frame/support.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "classlib/controls/support.h"
#include "skinforms/controls/Hint.h"
#include "skins/StoredSkins.h"
#include "support/UserInput.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

// The application's main form in a stored skin, its frame showing its objects' hints through
// a skinned hint on the form. Timers run on the fake clock; the pointer is the real one.
struct THintedForm {
    visual_test::TClockScope time;
    TComponent owner{nullptr};
    TForm* Form = nullptr;
    TskSkinFrame* Frame = nullptr;
    TskSkinHint* Hint = nullptr;

    THintedForm()
    {
        auto* data = new TskSkinData(&owner);
        data->SetCompressedStoredSkin(trebanix::CreateStoredSkins(&owner).front());
        Application->CreateForm(Form);
        Form->SetBounds(60, 60, 420, 260);
        Form->SetCaption("Hints");
        Hint = new TskSkinHint(Form);
        Frame = new TskSkinFrame(Form);
        Frame->ShowObjectHint = true;
        Frame->SetSkinHint(Hint);
        Frame->SetSkinData(data);
        Form->Show();
        Application->ProcessMessages();
    }
    ~THintedForm()
    {
        Form->Free();
        Application->ProcessMessages();
    }

    TskSkinStdButtonObject* Button(TskStdCommand Command) const
    {
        for (int i = 0; i < Frame->ObjectCount(); ++i)
            if (auto* b = dynamic_cast<TskSkinStdButtonObject*>(Frame->Objects(i));
                b && b->Command == Command && b->Enabled && b->Visible)
                return b;
        return nullptr;
    }
    TPoint ScreenMiddle(const TskActiveSkinObject* O) const
    {
        RECT w{};
        GetWindowRect(Form->Handle(), &w);
        const TRect& r = O->ObjectRect;
        return {static_cast<int>(w.left) + (r.Left + r.Right) / 2, static_cast<int>(w.top) + (r.Top + r.Bottom) / 2};
    }
    // The real pointer over the object, pumped until the frame has it under the pointer.
    bool HoverOver(const TskActiveSkinObject* O)
    {
        const TPoint p = ScreenMiddle(O);
        PointerAtScreen(p.X, p.Y);
        // A pointer that came from another object is seen by the hover poll; the clock moves a
        // millisecond at a time, so that the hint's pause starts where the frame saw the pointer.
        for (int i = 0; i < 2000; ++i) {
            Application->ProcessMessages();
            if (Frame->ActiveObject >= 0 && Frame->Objects(Frame->ActiveObject) == O)
                return true;
            time.clock.Advance(1);
            if (i % 10 == 0)
                Sleep(1);
        }
        return false;
    }
    bool HintShown() const
    {
        TskSkinHintWindow* w = Hint->HintWindow();
        return w->HandleAllocated() && IsWindowVisible(w->Handle());
    }
    std::string HintText() const { return HintShown() ? std::string(Hint->HintWindow()->Caption()) : "(none)"; }

    static constexpr unsigned HoverPoll = 50;
};

const std::map<TskStdCommand, std::string> HintTexts{{cmClose, "Close"},
                                                     {cmMaximize, "Maximize"},
                                                     {cmMinimize, "Minimize"},
                                                     {cmSysMenu, "System menu"},
                                                     {cmRollUp, "Roll Up"}};

}  // namespace

TEST(FrameObjectHint, EachCaptionButtonShowsItsTextAfterThePauseUnderTheRealPointer)
{
    THintedForm form;
    ASSERT_TRUE(form.Frame->IsActive());
    const unsigned pause = static_cast<unsigned>(Application->HintPause());
    int seen = 0;
    for (const auto& [command, text] : HintTexts) {
        TskSkinStdButtonObject* button = form.Button(command);
        if (!button)
            continue;
        ++seen;
        ASSERT_TRUE(form.HoverOver(button)) << text;
        EXPECT_EQ(form.HintText(), "(none)") << "the last button's hint went with the pointer, " << text;
        form.time.clock.Advance(pause / 2);
        EXPECT_EQ(form.HintText(), "(none)") << "the pause is not over, " << text;
        form.time.clock.Advance(pause / 2);
        EXPECT_EQ(form.HintText(), text);
    }
    EXPECT_GE(seen, 3);
    // Switched off, the hint up goes with the pointer and the next one shows nothing.
    form.Frame->ShowObjectHint = false;
    ASSERT_TRUE(form.HoverOver(form.Button(cmClose)));
    form.time.clock.Advance(pause);
    EXPECT_EQ(form.HintText(), "(none)");
    // A control's hint on the same component stays while the frame's closing messages come.
    form.Hint->ActivateHintDelayed("Volume");
    form.time.clock.Advance(pause);
    form.Form->SetBounds(80, 70, 420, 260);
    EXPECT_EQ(form.HintText(), "Volume");
    ParkPointer();
}

TEST(FrameObjectHint, TheHintGoesWhenThePointerLeavesAMenuOpensOrTheFormIsDeactivated)
{
    struct TCase {
        const char* What;
        std::function<void(THintedForm&)> Act;
    };
    const TCase cases[] = {
        {"the pointer leaves for the client area",
         [](THintedForm& F) {
             RECT c{};
             GetClientRect(F.Form->Handle(), &c);
             POINT p{c.right / 2, c.bottom / 2};
             ClientToScreen(F.Form->Handle(), &p);
             PointerAtScreen(p.x, p.y);
             Application->ProcessMessages();
             F.time.clock.Advance(THintedForm::HoverPoll);
         }},
        {"a press opens the system menu",
         [](THintedForm& F) {
             const TPoint p = F.ScreenMiddle(F.Button(cmSysMenu));
             ClickAtScreen(p.X, p.Y);
             EXPECT_TRUE(F.Frame->SkinMenu()->Visible);
         }},
        {"another form takes the activation",
         [](THintedForm& F) {
             auto* other = new TForm(F.Form);
             other->SetBounds(520, 360, 200, 120);
             other->Show();
             Application->ProcessMessages();
             EXPECT_FALSE(F.Frame->IsActive());
         }},
        {"Alt+Space opens the system menu",
         [](THintedForm& F) {
             realinput::PressKeys({VK_MENU, VK_SPACE});
             EXPECT_TRUE(F.Frame->SkinMenu()->Visible);
         }},
        {"the button is disabled",
         [](THintedForm& F) {
             F.Frame->SetHideCaptionButtons(true);
             F.time.clock.Advance(THintedForm::HoverPoll);
         }},
        {"the button is hidden",
         [](THintedForm& F) {
             TskBorderIcons icons = F.Frame->BorderIcons();
             icons -= biSystemMenu;
             F.Frame->SetBorderIcons(icons);
             F.time.clock.Advance(THintedForm::HoverPoll);
         }},
        {"the skin changes",
         [](THintedForm& F) {
             F.Frame->SkinData()->SetCompressedStoredSkin(trebanix::CreateStoredSkins(&F.owner)[7]);
             Application->ProcessMessages();
         }},
        {"the frame goes", [](THintedForm& F) { F.Frame->Free(); }},
    };
    for (const TCase& c : cases) {
        THintedForm form;
        TskSkinStdButtonObject* button = form.Button(cmSysMenu);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(form.HoverOver(button)) << c.What;
        form.time.clock.Advance(static_cast<unsigned>(Application->HintPause()));
        ASSERT_EQ(form.HintText(), "System menu") << c.What;
        c.Act(form);
        EXPECT_EQ(form.HintText(), "(none)") << c.What;
        // Nothing brings it back while the pointer stays.
        form.time.clock.Advance(static_cast<unsigned>(Application->HintPause()));
        EXPECT_EQ(form.HintText(), "(none)") << c.What;
        ParkPointer();
    }
}
