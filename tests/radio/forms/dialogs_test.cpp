// The compact window, the account and options dialogs, the splash and about windows, with
// their settings in the test prefix's registry.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/platform/Registry.h"
#include "radio/forms/DialogTexts.h"
#include "radio/directory/RadioUtils.h"
#include "radio/directory/RegistryManager.h"
#include "radio/forms/About.h"
#include "radio/forms/LumraAccount.h"
#include "radio/forms/Options.h"
#include "radio/forms/RadioSmall.h"
#include "radio/forms/Splash.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/frame/Objects.h"
#include "skins/StoredSkins.h"
#include "support/UserInput.h"

using namespace cl;

namespace {

class ProgramDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override
    {
        // Free runs the destruction the class library expects (components first).
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            (*it)->Free();
        made_.clear();
        Screen->SetWorkAreaQuery(nullptr);
        ClearSettings();
    }
    static void ClearSettings()
    {
        for (int index : {rkGeneral, rkCommunication}) {
            TRegistry reg;
            reg.SetRootKey(HKEY_CURRENT_USER);
            std::string path = TRegManager::KeyPath(index);
            if (!path.empty() && path[0] == '\\')
                path.erase(0, 1);
            reg.DeleteKey(path);
        }
    }
    template <class T>
    T& Make()
    {
        T* made = new T(nullptr);
        made_.push_back(made);
        return *made;
    }
    std::vector<TObject*> made_;

    static int StoredWindowPos()
    {
        TRegManager settings;
        return settings.GetRadioWindowPos();
    }
};

// --- The compact window

TEST_F(ProgramDialogsTest, CompactWindowGoesToTheStoredCornerOfTheWorkAreaWhereverItStarts)
{
    // A task bar on the left and one on top move the work area's origin.
    const TRect area(40, 30, 1024, 768);
    const int w = 237, h = 120;
    EXPECT_EQ(TfrmRadioSmallForm::CornerPosition(area, w, h, 0), TPoint(1024 - w, 30));
    EXPECT_EQ(TfrmRadioSmallForm::CornerPosition(area, w, h, 1), TPoint(40, 30));
    EXPECT_EQ(TfrmRadioSmallForm::CornerPosition(area, w, h, 2), TPoint(1024 - w, 768 - h));
    EXPECT_EQ(TfrmRadioSmallForm::CornerPosition(area, w, h, 3), TPoint(40, 768 - h));
    EXPECT_EQ(TfrmRadioSmallForm::CornerPosition(area, w, h, -1), TPoint(1024 - w, 30));

    Screen->SetWorkAreaQuery([] { return TRect(100, 50, 900, 650); });
    auto& form = Make<TfrmRadioSmallForm>();
    EXPECT_EQ(form.ClientWidth(), 221);
    EXPECT_EQ(form.ClientHeight(), 95);
    {
        TRegManager settings;
        settings.SetRadioWindowPos(3);
    }
    form.ShowInCorner();
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    RECT r{};
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.bottom, 650);
    EXPECT_EQ(StoredWindowPos(), 3);
    EXPECT_NE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    // A value that names no corner is stored again as the upper right one.
    for (int stored : {-1, 4, 77}) {
        {
            TRegManager settings;
            settings.SetRadioWindowPos(stored);
        }
        form.ShowInCorner();
        GetWindowRect(form.Handle(), &r);
        EXPECT_EQ(r.right, 900) << stored;
        EXPECT_EQ(r.top, 50) << stored;
        EXPECT_EQ(StoredWindowPos(), 0) << stored;
    }
}

// A real click in the middle of a control of a shown window.
void ClickOn(TControl* Control)
{
    const TPoint p = Control->ClientToScreen(TPoint(Control->Width() / 2, Control->Height() / 2));
    realinput::ClickAtScreen(p.X, p.Y);
}

// A real click on the frame's caption button that runs Command.
void ClickFrameButton(sk::TskSkinFrame* Frame, sk::TskStdCommand Command)
{
    for (int i = 0; i < Frame->ObjectCount(); ++i) {
        sk::TskActiveSkinObject* object = Frame->Objects(i);
        auto* button = dynamic_cast<sk::TskSkinStdButtonObject*>(object);
        if (!button || button->Command != Command || !object->Visible)
            continue;
        RECT window{};
        GetWindowRect(Frame->Form()->Handle(), &window);
        const TRect& r = object->ObjectRect;
        realinput::ClickAtScreen(window.left + (r.Left + r.Right) / 2, window.top + (r.Top + r.Bottom) / 2);
        return;
    }
    ADD_FAILURE() << "the frame shows no button for command " << int(Command);
}

// Shows the dialog modally, lets Act close it as a user does, and gives what ShowModal answered.
int RunModal(TCustomForm& Dialog, const std::function<void()>& Act)
{
    int result = -1;
    EXPECT_FALSE(realinput::ActWhileModal([&] { return &Dialog; }, Act, [&] { result = Dialog.ShowModal(); }))
        << Dialog.Caption() << " stayed open";
    EXPECT_FALSE(IsWindowVisible(Dialog.Handle()));
    return result;
}

struct TLinkRecorder {
    std::vector<int> Volumes;
    int Mutes = 0;
    int ShowMains = 0;
    int CloseMains = 0;
    TRadioSmallFormLink Link()
    {
        TRadioSmallFormLink link;
        link.SetMainVolume = [this](int v) { Volumes.push_back(v); };
        link.ToggleMute = [this] { ++Mutes; };
        link.ShowMain = [this] { ++ShowMains; };
        link.CloseMain = [this] { ++CloseMains; };
        return link;
    }
};

TEST_F(ProgramDialogsTest, CompactSliderTellsTheMainWindowOnceAndFollowsItSilently)
{
    TLinkRecorder recorder;
    auto& form = Make<TfrmRadioSmallForm>();
    form.Link = recorder.Link();
    EXPECT_EQ(form.tbVolume->Value(), 50);

    form.tbVolume->SetValue(30);
    EXPECT_EQ(recorder.Volumes, std::vector<int>{30});

    // The main window's slider moved: the compact one follows without telling it back.
    form.SetVolume(70);
    EXPECT_EQ(form.tbVolume->Value(), 70);
    EXPECT_EQ(recorder.Volumes, std::vector<int>{30});

    form.tbVolume->SetValue(71);
    EXPECT_EQ(recorder.Volumes, (std::vector<int>{30, 71}));
}

TEST_F(ProgramDialogsTest, CompactButtonsMuteGoBackToTheMainWindowAndClosingEndsTheProgram)
{
    TLinkRecorder recorder;
    auto& form = Make<TfrmRadioSmallForm>();
    form.Link = recorder.Link();
    form.Show();

    ClickOn(form.btnMute);
    EXPECT_EQ(recorder.Mutes, 1);

    ClickOn(form.btnReset);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(recorder.ShowMains, 1);

    // The frame's maximize button does what "Full" does.
    form.Show();
    ClickFrameButton(form.skSkinFrame1, sk::cmMaximize);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(recorder.ShowMains, 2);

    // Closing (its frame has no close button) closes the main window and leaves this one as it is.
    form.Show();
    SetForegroundWindow(form.Handle());
    realinput::PressKeys({VK_MENU, VK_F4});
    EXPECT_EQ(recorder.CloseMains, 1);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

// --- The account dialog

TEST_F(ProgramDialogsTest, AccountDialogStoresWhatWasTypedAndClosesOnlyOnAValidAccount)
{
    auto& dialog = Make<TfrmLumraAccount>();
    EXPECT_EQ(dialog.ClientWidth(), 477);
    EXPECT_EQ(dialog.ClientHeight(), 263);
    EXPECT_EQ(dialog.edtUserName->Text(), "");
    EXPECT_EQ(dialog.edtPassword->Text(), "");
    EXPECT_EQ(dialog.lncBrowser->Action(), "Explore");
    EXPECT_EQ(dialog.lncBrowser->WaitType(), wtProcessMessages);
    EXPECT_EQ(dialog.lncBrowser->Timeout(), -1);

    std::vector<std::string> seen;
    bool answer = false;
    dialog.ValidateAccount = [&] {
        TRegManager settings;
        seen.push_back(settings.GetUserName() + "/" + settings.GetPassword());
        // The check runs with the text saying so.
        seen.push_back(dialog.labLumraCheck->Caption());
        return answer;
    };
    dialog.Show();
    dialog.edtUserName->SetText("anna");
    dialog.edtPassword->SetText("Secret9");
    ClickOn(dialog.btnOK);
    EXPECT_EQ(seen, (std::vector<std::string>{"anna/Secret9", radio_texts::SAccountValidating}));
    EXPECT_EQ(dialog.labLumraCheck->Caption(), radio_texts::SAccountInvalid);
    EXPECT_EQ(dialog.labLumraCheck->Font()->Color(), clRed);
    EXPECT_EQ(dialog.labLumraCheck->DefaultFont()->Color(), clRed);
    EXPECT_EQ(dialog.ModalResult(), mrNone);

    answer = true;
    dialog.edtPassword->SetText("Secret10");
    ClickOn(dialog.btnOK);
    EXPECT_EQ(seen.at(2), "anna/Secret10");
    EXPECT_EQ(dialog.ModalResult(), mrOk);
}

TEST_F(ProgramDialogsTest, AWrongAccountIsSaidInRedWhateverColourTheSkinGivesLabels)
{
    auto& owner = Make<TComponent>();
    std::vector<sk::TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(&owner);
    auto* skin = new sk::TskSkinData(&owner);
    // The default skin, and one whose labels are light.
    for (int index : {12, 33}) {
        SCOPED_TRACE(skins[index]->Description);
        skin->SetCompressedStoredSkin(skins[index]);
        auto* dialog = new TfrmLumraAccount(nullptr, skin);
        made_.push_back(dialog);
        dialog->ValidateAccount = [] { return false; };
        dialog->Show();
        dialog->Update();
        Application->ProcessMessages();
        const TPoint ok = dialog->btnOK->ClientToScreen({dialog->btnOK->Width() / 2, dialog->btnOK->Height() / 2});
        realinput::ClickAtScreen(ok.X, ok.Y);
        ASSERT_EQ(dialog->labLumraCheck->Caption(), radio_texts::SAccountInvalid);
        dialog->Update();
        sk::TskSkinStdLabel* label = dialog->labLumraCheck;
        const TPoint from = label->ClientToScreen({0, 0});
        int red = 0;
        TWindowDC screen(nullptr);
        for (int y = 0; y < label->Height(); ++y)
            for (int x = 0; x < label->Width(); ++x)
                red += GetPixel(screen.Handle(), from.X + x, from.Y + y) == RGB(255, 0, 0);
        EXPECT_GT(red, 20);
    }
}

TEST_F(ProgramDialogsTest, AccountDialogSaysWhenTheServiceCannotBeAskedAndExitGivesTwo)
{
    auto& dialog = Make<TfrmLumraAccount>();
    dialog.ValidateAccount = []() -> bool { throw EDirectoryServiceError("connection refused"); };
    dialog.Show();
    ClickOn(dialog.btnOK);
    EXPECT_NE(dialog.labLumraCheck->Caption().find("connection refused"), std::string::npos);
    EXPECT_EQ(dialog.ModalResult(), mrNone);

    ClickOn(dialog.btnExit);
    EXPECT_EQ(dialog.ModalResult(), 2);
}

TEST_F(ProgramDialogsTest, CreateAccountOpensTheServicesSubscribePage)
{
    auto& dialog = Make<TfrmLumraAccount>();
    std::vector<std::string> opened;
    dialog.OpenPage = [&](const std::string& address) { opened.push_back(address); };
    dialog.Show();
    ClickOn(dialog.btnCreate);
    EXPECT_EQ(opened, std::vector<std::string>{TRadioUtils::ServiceURL() + "/lumraradiosubscribe.html"});
}

// --- The options dialog

TEST_F(ProgramDialogsTest, OptionsShowTheStoredSettingsAndOkWritesThem)
{
    {
        TRegManager settings;
        settings.SetRadioWindowPos(2);
        settings.SetStoreRadioSkin(true);
        settings.SetUserName("bob");
        settings.SetPassword("pw");
    }
    {
        auto& options = Make<TfrmOptions>();
        EXPECT_EQ(options.ClientWidth(), 390);
        EXPECT_EQ(options.ClientHeight(), 333);
        EXPECT_EQ(options.cmbWindowPos->ItemIndex(), 2);
        EXPECT_TRUE(options.cbxLastSkin->Checked());
        EXPECT_EQ(options.edtUserName->Text(), "bob");
        EXPECT_EQ(options.edtPassWord->Text(), "pw");
        options.cmbWindowPos->SetItemIndex(1);
        options.cbxLastSkin->SetChecked(false);
        options.edtUserName->SetText("carol");
        options.Show();
        ClickOn(options.btnOK);
        EXPECT_EQ(options.ModalResult(), mrOk);
    }
    TRegManager settings;
    EXPECT_EQ(settings.GetRadioWindowPos(), 1);
    EXPECT_FALSE(settings.GetStoreRadioSkin());
    EXPECT_EQ(settings.GetUserName(), "carol");
    EXPECT_EQ(settings.GetPassword(), "pw");
}

TEST_F(ProgramDialogsTest, OptionsWithNoCornerStoreMinusOneAndCancelWritesNothing)
{
    {
        TRegManager settings;
        settings.SetRadioWindowPos(9);
    }
    {
        auto& options = Make<TfrmOptions>();
        EXPECT_EQ(options.cmbWindowPos->ItemIndex(), -1);
        options.edtUserName->SetText("dave");
        options.Show();
        ClickOn(options.btnCancel);
        EXPECT_EQ(options.ModalResult(), mrCancel);
    }
    EXPECT_EQ(StoredWindowPos(), 9);
    {
        TRegManager settings;
        EXPECT_EQ(settings.GetUserName(), "");
    }
    {
        auto& options = Make<TfrmOptions>();
        options.Show();
        ClickOn(options.btnOK);
    }
    EXPECT_EQ(StoredWindowPos(), -1);

    // The next "Small" goes to the upper right and stores it.
    Screen->SetWorkAreaQuery([] { return TRect(0, 0, 800, 600); });
    auto& form = Make<TfrmRadioSmallForm>();
    form.ShowInCorner();
    RECT r{};
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.right, 800);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(StoredWindowPos(), 0);
}

// --- Splash and about

TEST_F(ProgramDialogsTest, SplashStartsItsTimerWhenShownAndHidesAtItsFirstEvent)
{
    auto& splash = Make<TfrmSplash>();
    EXPECT_EQ(splash.ClientWidth(), 520);
    EXPECT_EQ(splash.ClientHeight(), 415);
    EXPECT_EQ(splash.Timer1->Interval(), 4000u);
    EXPECT_FALSE(splash.Timer1->Enabled());
    splash.Show();
    EXPECT_TRUE(splash.Timer1->Enabled());
    EXPECT_NE(GetWindowLongA(splash.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    splash.Timer1->OnTimer(splash.Timer1);
    EXPECT_FALSE(splash.Visible());
    EXPECT_FALSE(splash.Timer1->Enabled());
}

TEST_F(ProgramDialogsTest, AboutClosesOnOneClickOnItsPictureEnterEscapeAndAltF4)
{
    const std::pair<const char*, std::function<void(TfrmAbout&)>> ways[] = {
        {"click", [](TfrmAbout& A) { ClickOn(A.Image1); }},
        {"Enter", [](TfrmAbout&) { realinput::PressKey(VK_RETURN); }},
        {"Escape", [](TfrmAbout&) { realinput::PressKey(VK_ESCAPE); }},
        {"Alt+F4", [](TfrmAbout&) { realinput::PressKeys({VK_MENU, VK_F4}); }},
    };
    for (const auto& [name, act] : ways) {
        SCOPED_TRACE(name);
        auto& about = Make<TfrmAbout>();
        EXPECT_EQ(about.ClientWidth(), 521);
        EXPECT_EQ(about.ClientHeight(), 415);
        RunModal(about, [&] { act(about); });
    }
}

// --- Every way a user closes the dialogs

TEST_F(ProgramDialogsTest, OptionsCloseWithTheirButtonsEnterEscapeAndTheCloseBox)
{
    struct TWay {
        const char* Name;
        std::function<void(TfrmOptions&)> Act;
        int Result;
        int Stored;  // the corner stored afterwards
    };
    const TWay ways[] = {
        {"OK", [](TfrmOptions& D) { ClickOn(D.btnOK); }, mrOk, 1},
        {"Cancel", [](TfrmOptions& D) { ClickOn(D.btnCancel); }, mrCancel, 3},
        {"Enter", [](TfrmOptions&) { realinput::PressKey(VK_RETURN); }, mrOk, 1},
        {"Escape", [](TfrmOptions&) { realinput::PressKey(VK_ESCAPE); }, mrCancel, 3},
        {"close box", [](TfrmOptions& D) { ClickFrameButton(D.skSkinFrame1, sk::cmClose); }, mrCancel, 3},
    };
    for (const TWay& way : ways) {
        {
            TRegManager settings;
            settings.SetRadioWindowPos(3);
        }
        auto& options = Make<TfrmOptions>();
        options.cmbWindowPos->SetItemIndex(1);
        EXPECT_EQ(RunModal(options, [&] { way.Act(options); }), way.Result) << way.Name;
        EXPECT_EQ(StoredWindowPos(), way.Stored) << way.Name;
    }
}

TEST_F(ProgramDialogsTest, AccountDialogClosesWithOkOnAValidAccountWithExitEnterAndEscape)
{
    struct TWay {
        const char* Name;
        std::function<void(TfrmLumraAccount&)> Act;
        int Result;
    };
    const TWay ways[] = {
        {"OK", [](TfrmLumraAccount& D) { ClickOn(D.btnOK); }, mrOk},
        {"Exit", [](TfrmLumraAccount& D) { ClickOn(D.btnExit); }, 2},
        {"Enter", [](TfrmLumraAccount&) { realinput::PressKey(VK_RETURN); }, mrOk},
        {"Escape", [](TfrmLumraAccount&) { realinput::PressKey(VK_ESCAPE); }, 2},
    };
    for (const TWay& way : ways) {
        auto& dialog = Make<TfrmLumraAccount>();
        int checks = 0;
        dialog.ValidateAccount = [&] { return ++checks > 0; };
        EXPECT_EQ(RunModal(dialog, [&] { way.Act(dialog); }), way.Result) << way.Name;
        EXPECT_EQ(checks, way.Result == mrOk ? 1 : 0) << way.Name;
    }
}

}  // namespace
