#include "radio/RadioProgram.h"

#include <cstdlib>
#include <exception>
#include <string>

#include "classlib/controls/Forms.h"
#include "classlib/system/SysUtils.h"
#include "radio/forms/DialogTexts.h"
#include "radio/forms/MainTexts.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/directory/RadioUtils.h"
#include "radio/directory/RegistryManager.h"
#include "radio/forms/About.h"
#include "radio/forms/Loading.h"
#include "radio/forms/LumraAccount.h"
#include "radio/forms/Options.h"
#include "radio/forms/RadioMain.h"
#include "radio/forms/RadioSmall.h"
#include "radio/forms/Splash.h"

using namespace cl;

TInstanceMutex::TInstanceMutex()
{
    handle_.reset(CreateMutexA(nullptr, TRUE, radio_texts::SInstanceMutex));
    first_ = handle_ && GetLastError() != ERROR_ALREADY_EXISTS;
}

unsigned SplashWaitMs()
{
    // Read as the rest of the program reads its environment: the C runtime's copy misses what
    // was set in the process's environment after start.
    const std::string text = GetEnvVar("TREBANIX_SPLASH_MS");
    if (text.empty())
        return TfrmSplash::ShowMs;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    return (*end == '\0' && value <= 60000) ? static_cast<unsigned>(value) : TfrmSplash::ShowMs;
}

namespace {

// Set when the main window closes: a close that comes while start-up still runs (its message
// processing lets the user's clicks through) ends the program instead of the message loop.
bool mainWindowClosed = false;

// --- The windows' links to one another (the main window knows only itself)

void ShowMainWindow()
{
    frmRadioMain->Show();
    if (IsIconic(frmRadioMain->Handle()))
        ShowWindow(frmRadioMain->Handle(), SW_RESTORE);
    if (Application->Minimized())
        Application->Restore();
    SetForegroundWindow(frmRadioMain->Handle());
}

// The compact window, made the first time it takes the main window's place: until then
// nobody sees it, and start-up does not wait for it.
TfrmRadioSmallForm* CompactWindow()
{
    if (frmRadioSmallForm)
        return frmRadioSmallForm;
    Application->CreateForm(frmRadioSmallForm);
    frmRadioSmallForm->SetSkinData(frmRadioMain->skSkinData1);
    frmRadioSmallForm->Link.SetMainVolume = [](int Volume) { frmRadioMain->trbVolume->SetValue(Volume); };
    frmRadioSmallForm->Link.ToggleMute = [] { frmRadioMain->btnMuteClick(frmRadioSmallForm); };
    frmRadioSmallForm->Link.ShowMain = [] { ShowMainWindow(); };
    frmRadioSmallForm->Link.CloseMain = [] { frmRadioMain->Close(); };
    frmRadioSmallForm->SetVolume(frmRadioMain->trbVolume->Value());
    return frmRadioSmallForm;
}

// "Small", and minimizing the main window: the compact window takes its place, so that a
// minimized main window is never what the user sees.
void SwitchToSmall(TObject*)
{
    if (frmRadioMain->frmLoading)
        frmRadioMain->frmLoading->HideOverlay();
    TfrmRadioSmallForm* compact = CompactWindow();
    if (TskButtonItem* selected = frmRadioMain->scbRadioStations->SelectedItem())
        compact->labChannel->SetCaption(selected->Caption());
    compact->ShowInCorner();
    frmRadioMain->Hide();
}

void ShowOptions(TObject*)
{
    TfrmOptions* options = new TfrmOptions(Application, frmRadioMain->skSkinData1);
    try {
        options->ShowModal();
    } catch (...) {
        options->Free();
        throw;
    }
    options->Free();
}

// The about window, made the first time it is asked for.
void ShowAbout(TObject*)
{
    if (!frmAbout)
        Application->CreateForm(frmAbout);
    frmAbout->ShowModal();
}

// The account dialog is needed only when the service refuses the stored account: it is made
// then, so that a valid account costs start-up nothing before the main window answers.
TfrmLumraAccount* AccountDialog()
{
    if (!frmLumraAccount) {
        Application->CreateForm(frmLumraAccount);
        frmLumraAccount->SetSkinData(frmRadioMain->skSkinData1);
    }
    return frmLumraAccount;
}

// The service refused the account while the program runs: the account dialog, saying so
// already; true when it closed on a valid account.
bool AskForAnotherAccount()
{
    TfrmLumraAccount* dialog = AccountDialog();
    dialog->ShowRefused();
    return dialog->ShowModal() == mrOk;
}

void LinkWindows()
{
    // The main window's slider sets the player's volume; the compact one only follows it.
    TNotifyEvent mainVolumeChange = frmRadioMain->trbVolume->OnChange;
    frmRadioMain->trbVolume->OnChange = [mainVolumeChange](TObject* Sender) {
        if (mainVolumeChange)
            mainVolumeChange(Sender);
        if (frmRadioSmallForm)
            frmRadioSmallForm->SetVolume(frmRadioMain->trbVolume->Value());
    };
    TCloseEvent mainClose = frmRadioMain->OnClose;
    frmRadioMain->OnClose = [mainClose](TObject* Sender, TCloseAction& Action) {
        if (mainClose)
            mainClose(Sender, Action);
        if (Action != caNone)
            mainWindowClosed = true;
    };
    frmRadioMain->btnSmall->OnClick = TNotifyEvent(&SwitchToSmall);
    frmRadioMain->skSkinFrame1->OnMinimize = TNotifyEvent(&SwitchToSmall);
    frmRadioMain->skSkinSpeedButton12->OnClick = TNotifyEvent(&ShowOptions);
    frmRadioMain->skSkinSpeedButton13->OnClick = TNotifyEvent(&ShowAbout);
    frmRadioMain->OnAccountRefused = &AskForAnotherAccount;
}

// --- Start-up steps

// The splash paints, then the program waits with it on top.
void ShowSplash()
{
    frmSplash->Show();
    Application->ProcessMessages();
    Sleep(SplashWaitMs());
}

// True when start-up goes on. A service that cannot be reached or fails (the check raises) is
// said plainly and the stations and account stored on this computer are used; the account
// dialog is for the service saying no, and only its "Exit" ends start-up.
bool CheckAccount()
{
    bool valid = false;
    std::string failure;
    try {
        valid = TRadioUtils::ValidateAccount();
    } catch (const std::exception& E) {
        failure = E.what();
    }
    // What the user did while the service was asked comes first: a message box or the account
    // dialog would take the main window's input away, an "Exit" clicked meanwhile with it.
    Application->ProcessMessages();
    if (mainWindowClosed)
        return false;
    if (!failure.empty()) {
        MessageBoxA(frmRadioMain->Handle(), Format(radio_texts::SServiceDown, failure).c_str(),
                    radio_texts::SMainCaption, MB_OK | MB_ICONINFORMATION);
        return true;
    }
    if (valid)
        return true;
    return AccountDialog()->ShowModal() != mrCancel;
}

// With the last station gone from the list, the browser opens the page where stations are
// chosen.
void OpenConfigureWhenLastStationGone()
{
    TRegManager settings;
    if (frmRadioMain->FindChannelCategoryButton(settings.GetLastRadioURL()))
        return;
    TNotifyEvent change = frmRadioMain->tabControl->OnChange;
    frmRadioMain->tabControl->OnChange = nullptr;
    frmRadioMain->tabControl->SetTabIndex(2);
    frmRadioMain->tabControl->OnChange = change;
    // "Small" pressed while start-up ran is not undone: the page opens behind the compact window.
    frmRadioMain->ChangeTabs(!(frmRadioSmallForm && frmRadioSmallForm->Visible()));
}

// Returns false when the program is to end without its message loop.
bool StartUp()
{
    Application->Initialize();
    Randomize();
    Application->SetTitle(radio_texts::SMainCaption);
    Application->CreateForm(frmRadioMain);
    Application->CreateForm(frmSplash);
    LinkWindows();

    ShowSplash();
    frmRadioMain->Show();
    Application->ProcessMessages();
    // The window is painted: the page it was asked for (the last station's site, or the
    // "Configure" page below) is made and opened once messages run again.
    frmRadioMain->PostPageFill();

    if (!CheckAccount())
        return false;
    frmRadioMain->FetchStationListWhenNoneCached();
    OpenConfigureWhenLastStationGone();
    return true;
}

// Windows first (the player stops with the main window), then the directory, which writes its
// cache while COM is still up, then the class library's global objects in the reverse order of
// their use: the application (which releases COM), the screen, the mouse.
void ShutDown()
{
    try {
        Application->DestroyComponents();
    } catch (...) {
        Application->HandleException(Application);
    }
    frmRadioMain = nullptr;
    frmSplash = nullptr;
    frmRadioSmallForm = nullptr;
    frmAbout = nullptr;
    frmLumraAccount = nullptr;
    FreeRadioChannelManager();
    delete Application;
    Application = nullptr;
    delete Screen;
    Screen = nullptr;
    delete Mouse;
    Mouse = nullptr;
}

}  // namespace

int RunRadioProgram()
{
    TInstanceMutex instance;
    if (!instance.First())
        return 0;
    try {
        if (StartUp() && !mainWindowClosed && !Application->Terminated()) {
            // Start-up has shown the main window already; a switch to the compact window made
            // meanwhile stays.
            Application->SetShowMainForm(false);
            Application->Run();
        }
    } catch (...) {
        Application->HandleException(Application);
    }
    ShutDown();
    return 0;
}
