// The skinned message box: its layout with and without a skin, the buttons' captions, default
// and cancel flags and modal results, Enter and Escape through the message loop, the "do not
// show again" box, and messages that are empty or far wider than the screen.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "classlib/platform/CallbackWindow.h"
#include "classlib/controls/support.h"
#include "skin/controls/support.h"
#include "skin/texts/ResourceStrData.h"
#include "skinforms/dialogs/MessageBox.h"
#include "support/UserInput.h"

namespace {

using namespace cl;
using namespace sk;

constexpr TMsgDlgBtn AllKinds[] = {mbYes,   mbNo,    mbOK,      mbCancel,   mbAbort, mbRetry,
                                   mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};

// The result of a box still open once everything its answer posted was handled.
constexpr TModalResult StillOpen = -1;

struct TMessageScene {
    visual_test::TClockScope time;
    TskSkinMessage* message = new TskSkinMessage(nullptr);
    ~TMessageScene()
    {
        message->Free();
        Application->ProcessMessages();
    }
    // Builds the dialog unshown; freed with the scene.
    TskMessageForm* Build(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons)
    {
        built.reset();
        TskMessageForm* f = message->CreateMessageForm(Text, Type, Buttons);
        built = TBuilt(f, [](TskMessageForm* F) { F->Free(); });
        return f;
    }
    // Shows the dialog modally; Answer acts on it once it is on the screen, as its user does. A
    // box the answer left open ends with StillOpen, so that a wrong answer fails instead of
    // waiting.
    TModalResult Show(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons,
                      std::function<void(TskMessageForm*)> Answer)
    {
        TModalResult result = mrNone;
        const bool leftOpen = realinput::ActWhileModal([this] { return message->Form(); },
                                                       [&] { Answer(message->Form()); },
                                                       [&] { result = message->MessageDlg(Text, Type, Buttons, 0); });
        return leftOpen ? StillOpen : result;
    }
    using TBuilt = std::unique_ptr<TskMessageForm, void (*)(TskMessageForm*)>;
    TBuilt built{nullptr, [](TskMessageForm*) {}};
};

void Click(TWinControl* Control) { realinput::ClickWindow(Control->Handle(), 5, 5); }

// A key pressed on the keyboard while the box is the active window.
void PressKey(TskMessageForm* Form, WORD Key)
{
    SetForegroundWindow(Form->Handle());
    realinput::PressKey(Key);
}

TEST(SkinMessage, AOneLineOKMessageWithoutASkin)
{
    TMessageScene scene;
    TskMessageForm* f = scene.Build("Station saved.", mtInformation, {mbOK});
    TskSkinStdLabel* label = f->Message;
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(f->FindComponent("Message"), label);
    EXPECT_EQ(f->FindComponent("Image"), f->Image);
    EXPECT_EQ(f->FindComponent("checkbox"), nullptr);
    EXPECT_EQ(label->Caption(), "Station saved.");
    EXPECT_EQ(label->Left(), 50);
    EXPECT_EQ(label->Top(), 15);
    EXPECT_GT(label->Width(), 0);
    EXPECT_EQ(f->Caption(), "Information");
    EXPECT_EQ(f->ClientHeight(), 25 + 50 + label->Height());
    EXPECT_EQ(f->ClientWidth(), std::max(70, 50 + label->Width()) + 40);
    EXPECT_GE(f->ClientWidth(), 110);

    EXPECT_EQ(f->Image->Left(), 5);
    EXPECT_EQ(f->Image->Top(), std::max(10, 15 + label->Height() / 2 - 16));
    EXPECT_EQ(f->Image->Width(), 32);
    EXPECT_EQ(f->Image->Height(), 32);
    EXPECT_FALSE(f->Image->Picture()->Icon()->Empty());

    TskSkinButton* ok = f->Button(mbOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(f->FindComponent("OK"), ok);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_TRUE(ok->Default());
    EXPECT_TRUE(ok->Cancel()) << "OK answers Escape when nothing else does";
    EXPECT_EQ(ok->Left(), (f->ClientWidth() - 70) / 2);
    EXPECT_EQ(ok->Top(), f->ClientHeight() - 25 - 10);
    EXPECT_EQ(ok->Width(), 70);
    EXPECT_EQ(ok->Height(), 25);
    EXPECT_EQ(f->Button(mbCancel), nullptr);
    EXPECT_EQ(f->BorderStyle(), bsDialog);
    EXPECT_TRUE(f->Frame->BorderIcons().Empty());
}

TEST(SkinMessage, EveryButtonInKindOrderWithItsCaptionAndModalResult)
{
    TMessageScene scene;
    TMsgDlgButtons all;
    for (TMsgDlgBtn k : AllKinds)
        all += k;
    TskMessageForm* f = scene.Build("All of them", mtConfirmation, all);
    EXPECT_EQ(f->Caption(), "Confirm");
    const char* names[] = {"Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All", "NoToAll", "YesToAll", "Help"};
    const char* captions[] = {"&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry",
                              "&Ignore", "&All", "N&oToAll", "&YesToAll", "&Help"};
    const TModalResult results[] = {mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, 8, 9, 10, mrNone};
    const int row = 11 * 70 + 10 * 10;
    EXPECT_EQ(f->ClientWidth(), row + 40);
    for (int i = 0; i < 11; ++i) {
        TskSkinButton* b = f->Button(AllKinds[i]);
        ASSERT_NE(b, nullptr) << names[i];
        EXPECT_EQ(b->Name(), names[i]);
        EXPECT_EQ(b->Caption(), captions[i]) << names[i];
        EXPECT_EQ(b->ModalResult(), results[i]) << names[i];
        EXPECT_EQ(b->Left(), (f->ClientWidth() - row) / 2 + i * 80) << names[i];
        EXPECT_TRUE(b->TabStop()) << names[i];
        EXPECT_EQ(b->Default(), AllKinds[i] == mbOK) << names[i];
        EXPECT_EQ(b->Cancel(), AllKinds[i] == mbCancel) << names[i];
    }
    EXPECT_EQ(f->ActiveControl(), f->Button(mbOK));
}

TEST(SkinMessage, DefaultAndCancelButtonsOfTheUsualSets)
{
    TMessageScene scene;
    TskMessageForm* f = scene.Build("Quit?", mtConfirmation, mbOKCancel);
    EXPECT_EQ(f->Button(mbCancel)->Left() + 70 - f->Button(mbOK)->Left(), 150);
    EXPECT_TRUE(f->Button(mbOK)->Default());
    EXPECT_FALSE(f->Button(mbOK)->Cancel());
    EXPECT_TRUE(f->Button(mbCancel)->Cancel());
    EXPECT_FALSE(f->Button(mbCancel)->Default());

    f = scene.Build("Quit?", mtConfirmation, {mbYes, mbNo});
    EXPECT_TRUE(f->Button(mbYes)->Default());
    EXPECT_TRUE(f->Button(mbNo)->Cancel());
    EXPECT_FALSE(f->Button(mbNo)->Default());

    f = scene.Build("Disk error", mtError, mbAbortRetryIgnore);
    EXPECT_EQ(f->Caption(), "Error");
    EXPECT_TRUE(f->Button(mbRetry)->Default());
    for (TMsgDlgBtn k : {mbAbort, mbRetry, mbIgnore})
        EXPECT_FALSE(f->Button(k)->Cancel());
    EXPECT_FALSE(f->Button(mbAbort)->Default());

    f = scene.Build("Careful", mtWarning, {mbCancel});
    EXPECT_EQ(f->Caption(), "Warning");
    EXPECT_FALSE(f->Button(mbCancel)->Default()) << "only OK, Yes or Retry is a default button";
    EXPECT_TRUE(f->Button(mbCancel)->Cancel());
}

TEST(SkinMessage, ACustomMessageHasTheApplicationTitleAndNoIcon)
{
    TMessageScene scene;
    const std::string title = Application->Title();
    Application->SetTitle("Trebanix test title");
    TskMessageForm* f = scene.Build("Custom", mtCustom, {mbOK});
    EXPECT_EQ(f->Caption(), "Trebanix test title");
    EXPECT_TRUE(f->Image->Picture()->Icon()->Empty());
    Application->SetTitle(title);
    for (TMsgDlgType t : {mtWarning, mtError, mtInformation, mtConfirmation})
        EXPECT_FALSE(scene.Build("Typed", t, {mbOK})->Image->Picture()->Icon()->Empty()) << t;
}

TEST(SkinMessage, EachButtonClickedEndsTheBoxWithItsModalResult)
{
    TMessageScene scene;
    const TModalResult results[] = {mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, 8, 9, 10};
    for (int i = 0; i < 10; ++i) {
        const TMsgDlgBtn kind = AllKinds[i];
        const TModalResult r = scene.Show("Pick one", mtConfirmation, {kind, mbHelp},
                                          [kind](TskMessageForm* F) { Click(F->Button(kind)); });
        EXPECT_EQ(r, results[i]) << i;
        EXPECT_EQ(scene.message->Form(), nullptr) << "freed after the box closed";
    }
}

TEST(SkinMessage, HelpLeavesTheBoxOpen)
{
    TMessageScene scene;
    bool openAfterHelp = false;
    const TModalResult r = scene.Show("Help?", mtInformation, {mbOK, mbHelp}, [&](TskMessageForm* F) {
        F->Button(mbHelp)->Click();
        openAfterHelp = F->ModalResult() == mrNone && F->Visible();
        Click(F->Button(mbOK));
    });
    EXPECT_TRUE(openAfterHelp);
    EXPECT_EQ(r, mrOk);
}

TEST(SkinMessage, EnterPressesTheDefaultButtonAndEscapeTheCancelButton)
{
    TMessageScene scene;
    auto key = [](WORD Key) { return [Key](TskMessageForm* F) { PressKey(F, Key); }; };
    EXPECT_EQ(scene.Show("Quit?", mtConfirmation, mbOKCancel, key(VK_RETURN)), mrOk);
    EXPECT_EQ(scene.Show("Quit?", mtConfirmation, mbOKCancel, key(VK_ESCAPE)), mrCancel);
    EXPECT_EQ(scene.Show("Quit?", mtConfirmation, {mbYes, mbNo}, key(VK_RETURN)), mrYes);
    EXPECT_EQ(scene.Show("Quit?", mtConfirmation, {mbYes, mbNo}, key(VK_ESCAPE)), mrNo);
    EXPECT_EQ(scene.Show("Done", mtInformation, {mbOK}, key(VK_ESCAPE)), mrOk);
    // No button answers Escape here: the box stays until a button is pressed.
    bool openAfterEscape = false;
    EXPECT_EQ(scene.Show("Disk error", mtError, mbAbortRetryIgnore,
                         [&](TskMessageForm* F) {
                             PressKey(F, VK_ESCAPE);
                             Application->ProcessMessages();
                             openAfterEscape = F->ModalResult() == mrNone;
                             PressKey(F, VK_RETURN);
                         }),
              mrRetry);
    EXPECT_TRUE(openAfterEscape);
}

TEST(SkinMessage, AnEmptyTextAndAnEmptyButtonSetStillMakeABoxThatCloses)
{
    TMessageScene scene;
    TskMessageForm* f = scene.Build("", mtWarning, {});
    EXPECT_EQ(f->Message->Caption(), "");
    ASSERT_NE(f->Button(mbOK), nullptr) << "a box without buttons could never be closed";
    EXPECT_TRUE(f->Button(mbOK)->Default());
    EXPECT_EQ(f->ClientHeight(), 25 + 50 + f->Message->Height());
    EXPECT_GE(f->ClientWidth(), 110);
    EXPECT_GE(f->Image->Top(), 10);
    EXPECT_EQ(scene.Show("", mtWarning, {}, [](TskMessageForm* F) { PressKey(F, VK_ESCAPE); }), mrOk);
}

TEST(SkinMessage, ACaptionOfAThousandCharactersAndALineWiderThanTheScreen)
{
    TMessageScene scene;
    const std::string caption(1000, 'C');
    const std::string line(1000, 'W');
    const std::string saved = Application->Title();
    Application->SetTitle(caption);
    TskMessageForm* f = scene.Build(line, mtCustom, mbOKCancel);
    Application->SetTitle(saved);
    EXPECT_EQ(f->Caption(), caption);
    char text[1100] = {};
    EXPECT_EQ(GetWindowTextA(f->Handle(), text, sizeof text), 1000);
    EXPECT_GT(f->Message->Width(), f->Frame->GetMaxWidth());
    EXPECT_EQ(f->Width(), f->Frame->GetMaxWidth()) << "kept within the frame's limits";
    // The buttons stay inside what is left of the client area.
    EXPECT_GE(f->Button(mbOK)->Left(), 0);
    EXPECT_LE(f->Button(mbCancel)->Left() + 70, f->ClientWidth());

    Application->SetTitle(caption);
    const TModalResult r = scene.Show(line, mtCustom, mbOKCancel, [](TskMessageForm* F) { PressKey(F, VK_RETURN); });
    Application->SetTitle(saved);
    EXPECT_EQ(r, mrOk);
}

TEST(SkinMessage, TheShowAgainBoxStartsCheckedAndItsAnswerIsKept)
{
    TMessageScene scene;
    scene.message->ShowAgainFlag = true;
    TskMessageForm* f = scene.Build("Hi", mtInformation, {mbOK});
    TskSkinCheckRadioBox* box = f->CheckBox;
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(f->FindComponent("checkbox"), box);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(box->Caption(), "Do not display this message again");
    TBitmap probe;
    probe.SetSize(1, 1);
    probe.Canvas()->Font()->Assign(scene.message->DefaultFont());
    const int t = probe.Canvas()->TextWidth(box->Caption());
    EXPECT_EQ(f->ClientHeight(), 25 + 50 + f->Message->Height() + 40);
    EXPECT_EQ(f->ClientWidth(), std::max(std::max(70, 50 + f->Message->Width()) + 40, t + 60));
    EXPECT_EQ(box->Left(), 5);
    EXPECT_EQ(box->Top(), f->ClientHeight() - 25 - 50);
    EXPECT_EQ(box->Width(), t + 55);
    EXPECT_EQ(box->Height(), 30);

    // Closed still checked: the value stays false.
    EXPECT_EQ(scene.Show("Hi", mtInformation, {mbOK}, [](TskMessageForm* F) { PressKey(F, VK_RETURN); }), mrOk);
    EXPECT_FALSE(scene.message->ShowAgainFlagValue);
    // Unchecked by the user: the value becomes true, and the next box starts unchecked.
    scene.Show("Hi", mtInformation, {mbOK}, [](TskMessageForm* F) {
        Click(F->CheckBox);
        Click(F->Button(mbOK));
    });
    EXPECT_TRUE(scene.message->ShowAgainFlagValue);
    EXPECT_FALSE(scene.Build("Hi", mtInformation, {mbOK})->CheckBox->Checked());
    // Without the box the value is left alone.
    scene.message->ShowAgainFlag = false;
    scene.Show("Hi", mtInformation, {mbOK}, [](TskMessageForm* F) { PressKey(F, VK_RETURN); });
    EXPECT_TRUE(scene.message->ShowAgainFlagValue);
}

TEST(SkinMessage, TheControlSkinGivesTheButtonHeightAndTheTexts)
{
    TMessageScene scene;
    skctrltest::TTestSkin skin;
    skin.Picture()->SetSize(200, 200);
    controltest::AddButton(skin, "button", 0);
    auto* table = new TskResourceStrData(skin.Data);
    table->ResStrings()->Clear();
    table->ResStrings()->Add("MSG_BTN_RETRY=Once more");
    table->ResStrings()->Add("MSG_CAP_ERROR=Failure");
    skin.Data->SetResourceStrData(table);
    scene.message->SetCtrlSkinData(skin.Data);
    scene.message->ShowAgainFlag = true;

    TskMessageForm* f = scene.Build("Skinned", mtError, mbAbortRetryIgnore);
    EXPECT_EQ(f->Caption(), "Failure");
    EXPECT_EQ(f->Button(mbRetry)->Caption(), "Once more");
    // Lines the table lacks fall back to the built-in texts rather than leaving captions empty.
    EXPECT_EQ(f->Button(mbAbort)->Caption(), "&Abort");
    EXPECT_EQ(f->CheckBox->Caption(), "Do not display this message again");
    TskSkinButton* retry = f->Button(mbRetry);
    EXPECT_EQ(retry->Height(), 20) << "the skin button's picture height";
    EXPECT_EQ(retry->Top(), f->ClientHeight() - 20 - 10);
    EXPECT_EQ(f->ClientHeight(), 20 + 50 + f->Message->Height() + 40);
    EXPECT_EQ(retry->SkinData(), skin.Data);
    EXPECT_NE(retry->DescriptionIndex(), -1);

    // A button description named otherwise is not found: the default height.
    scene.message->ButtonSkinDataName = "nosuchbutton";
    EXPECT_EQ(scene.Build("Skinned", mtError, {mbOK})->Button(mbOK)->Height(), 25);

    // Freed skin data is forgotten.
    scene.built.reset();
    skin.Remove();
    EXPECT_EQ(scene.message->CtrlSkinData(), nullptr);
}

}  // namespace
