// The main window's playback, browser pages and station-list reload.
#include <utility>

#include "classlib/system/SysUtils.h"
#include "radio/forms/BusyCursor.h"
#include "radio/forms/DialogTexts.h"
#include "radio/forms/MainTexts.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/directory/RadioUtils.h"
#include "radio/RadioMessages.h"
#include "radio/directory/RegistryManager.h"
#include "radio/directory/ServicePages.h"
#include "radio/forms/Loading.h"
#include "radio/forms/RadioMain.h"

using namespace cl;

// --- Stations

void TfrmRadioMain::scbRadioStationsClick(TObject*)
{
    TskButtonItem* button = scbRadioStations->SelectedItem();
    TRegManager reg;
    auto* station = button ? static_cast<TRadioChannel*>(button->Data()) : nullptr;
    if (station && player_->URL() != station->StreamURL) {
        reg.SetLastRadioURL(station->StreamURL);
        try {
            player_->SetURL(station->StreamURL);
        } catch (const Exception& e) {
            // A stream that cannot even start is said in the status line; the window goes on.
            ShowStatus(Format(radio_texts::SStreamFailed, e.what()));
        }
        Navigate(station->WebsiteURL);
        Directory()->SetCurrentChannel(*station);
        tabControl->SetTabIndex(0);
        ShowBrowser(true);
    }
    tbcTabs->SetActivePage(tsLaunch);
}

void TfrmRadioMain::btnLaunchClick(TObject*)
{
    const std::string address = URL->Text();
    try {
        player_->SetURL(address);
        TRegManager().SetLastRadioURL(address);
    } catch (const std::exception&) {
        // An address the player refuses is not remembered.
    }
    labCurrent->SetCaption("");
    // No station of the list plays now: none stays marked, and the player's next status names
    // none as the current one.
    scbRadioStations->SetSelectedItem(nullptr);
    TRadioChannel typed;
    typed.StreamURL = address;
    Directory()->SetCurrentChannel(typed);
}

void TfrmRadioMain::btnRate2Click(TObject*)
{
    tabControl->SetTabIndex(5);
    ChangeTabs();
}

// --- Player

void TfrmRadioMain::btnMuteClick(TObject*) { player_->SetMute(!player_->Mute()); }

void TfrmRadioMain::trbVolumeChange(TObject*) { player_->SetVolume(trbVolume->Value()); }

void TfrmRadioMain::WindowsMediaPlayerStatusChange(TObject*)
{
    try {
        ShowStatus(player_->Status());
        if (TskButtonItem* button = scbRadioStations->SelectedItem())
            labCurrent->SetCaption(button->Caption());
    } catch (const std::exception&) {
        // The status line is a courtesy: a player that cannot say leaves it as it was.
    }
}

// --- Pages

void TfrmRadioMain::tabControlChange(TObject*) { ChangeTabs(); }

void TfrmRadioMain::ChangeTabs(bool BringToFront)
{
    TRegManager reg;
    const std::string user = reg.GetUserName();
    const std::string password = reg.GetPassword();
    ShowBrowser(false);
    if (BringToFront)
        BringMainToFront();
    TRadioChannelManager* directory = Directory();
    switch (tabControl->TabIndex()) {
    case 0: Navigate(directory->GetCurrentWebsiteURL()); break;
    case 1:
        Navigate(directory->HasPlaylistURL() ? directory->GetCurrentPlaylistURL()
                                             : directory->GetCurrentWebsiteURL());
        break;
    case 2: Navigate(radio::ServicePageURL(radio_texts::SConfigurePage, user, password)); break;
    case 3: Navigate(radio::ServicePageURL(radio_texts::SBestStationsPage, user, password)); break;
    case 4: Navigate(radio::ServicePageURL(radio_texts::SRecentPage, user, password)); break;
    case 5: Navigate(radio::RatePageURL(user, password, directory->GetCurrentStreamURL())); break;
    default: break;
    }
    ShowBrowser(true);
}

void TfrmRadioMain::SuggestClick(TObject*)
{
    TRegManager reg;
    Navigate(radio::ServicePageURL(radio_texts::SSuggestPage, reg.GetUserName(), reg.GetPassword()));
    BringMainToFront();
}

void TfrmRadioMain::BrokenLinkClick(TObject*)
{
    TRegManager reg;
    Navigate(radio::ServicePageURL(radio_texts::SBrokenLinkPage, reg.GetUserName(), reg.GetPassword()));
    BringMainToFront();
}

void TfrmRadioMain::Navigate(const std::string& Address)
{
    // A station without this address leaves the browser on its page.
    if (Address.empty())
        return;
    if (pageHeld_) {
        heldAddress_ = Address;
        return;
    }
    if (cl::TWebBrowser* browser = ShownBrowser())
        browser->Navigate(Address);
}

void TfrmRadioMain::ShowBrowser(bool Show)
{
    if (pageHeld_) {
        heldShown_ = Show;
        return;
    }
    // A browser not made yet is hidden already; showing it makes it.
    cl::TWebBrowser* browser = Show ? ShownBrowser() : browser_.get();
    if (browser)
        browser->SetVisible(Show);
}

void TfrmRadioMain::PostPageFill()
{
    if (pageHeld_)
        PostMessageA(Handle(), radio::WM_FILLPAGE, 0, 0);
}

void TfrmRadioMain::Dispatch(TMessage& Message)
{
    if (Message.Msg == radio::WM_FILLPAGE)
        WMFillPage(Message);
    else
        TForm::Dispatch(Message);
}

void TfrmRadioMain::WMFillPage(TMessage&)
{
    if (!pageHeld_)
        return;
    pageHeld_ = false;
    // In the order the window asked: the page opened, then the browser shown or hidden.
    Navigate(std::exchange(heldAddress_, std::string()));
    if (heldShown_)
        ShowBrowser(*heldShown_);
}

void TfrmRadioMain::BringMainToFront()
{
    SetVisible(true);
    BringToFront();
}

void TfrmRadioMain::BrowserBeforeNavigate2(TObject*, const AnsiString& Address, bool& Cancel)
{
    // The overlay is made when a page first loads: nothing shows it before.
    if (!frmLoading)
        frmLoading = new TfrmLoading(this, skSkinData1);
    frmLoading->ShowOver(this);
    Cancel = false;
    if (radio::IsEditPageURL(Address)) {
        // Restarted: the list is fetched once, a moment after the last editing page.
        tmrUpdate->SetEnabled(false);
        tmrUpdate->SetEnabled(true);
    }
}

void TfrmRadioMain::BrowserNewWindow2(TObject*, bool& Cancel) { Cancel = true; }

void TfrmRadioMain::BrowserDocumentComplete(TObject*, const AnsiString&)
{
    if (frmLoading)
        frmLoading->HideOverlay();
}

void TfrmRadioMain::BrowserNavigateError(TObject*, const AnsiString&)
{
    if (frmLoading)
        frmLoading->HideOverlay();
}

// --- Station list

void TfrmRadioMain::tmrUpdateTimer(TObject*)
{
    tmrUpdate->SetEnabled(false);
    LoadChannelsFromWeb(false);
}

bool TfrmRadioMain::LoadChannelsFromWeb(bool ShowHomePage)
{
    TRegManager reg;
    const std::string user = reg.GetUserName();
    const std::string password = reg.GetPassword();
    if (user.empty() || password.empty()) {
        services_.ShowMessage(radio_texts::SNoAccount);
        return false;
    }
    try {
        RefreshStationList(user, password);
    } catch (const EStationCacheError& e) {
        services_.ShowMessage(Format(radio_texts::SStationListNotStored, e.what()));
        return false;
    } catch (const EAccountRefused&) {
        // The stations stay as they are; the account is what needs putting right.
        if (!OnAccountRefused) {
            services_.ShowMessage(radio_texts::SAccountInvalid);
            return false;
        }
        return OnAccountRefused() && LoadChannelsFromWeb(ShowHomePage);
    } catch (const Exception& e) {
        services_.ShowMessage(Format(radio_texts::SStationListError, e.what()));
        return false;
    }
    if (ShowHomePage)
        Navigate(radio::HomePageURL());
    return true;
}

void TfrmRadioMain::RefreshStationList(const std::string& User, const std::string& Password)
{
    TRadioChannelManager* directory = Directory();
    const unsigned before = directory->Revision();
    try {
        FetchStationList(User, Password);
    } catch (...) {
        // A step after the new stations were taken in failed (writing the cache): the buttons
        // still point at the stations that made way for them.
        if (directory->Revision() != before)
            FillStationButtons();
        throw;
    }
    FillStationButtons();
    // What an earlier load said went wrong is over now: the player's status again.
    if (statusTellsListLoad_)
        ShowStatus(player_->Status());
}

void TfrmRadioMain::ShowStatus(const std::string& Text, bool ListLoad)
{
    labWMPState->SetCaption(Text);
    labWMPState->SetHint(Text);
    statusTellsListLoad_ = ListLoad;
}

void TfrmRadioMain::FillStationButtons()
{
    TskButtonCategories* categories = scbRadioStations->Categories();
    categories->BeginUpdate();
    try {
        scbRadioStations->SetSelectedItem(nullptr);
        scbRadioStations->SetFocusedItem(nullptr);
        Directory()->FillCategoryButtons(categories);
        MarkCurrentStation();
    } catch (...) {
        categories->EndUpdate();
        throw;
    }
    categories->EndUpdate();
}

void TfrmRadioMain::MarkCurrentStation()
{
    // The station that plays keeps its mark (and so its name in the compact window) when the
    // list is made again; it goes on playing untouched.
    TRadioChannelManager* directory = Directory();
    if (!directory->HasStreamURL())
        return;
    if (TskButtonItem* playing = FindChannelCategoryButton(directory->GetCurrentStreamURL())) {
        playing->GetCategory()->SetCollapsed(false);
        scbRadioStations->SetSelectedItem(playing);
    }
}

void TfrmRadioMain::FetchStationListWhenNoneCached()
{
    if (Directory()->CategoryCount() > 0)
        return;
    TRegManager reg;
    const std::string user = reg.GetUserName();
    const std::string password = reg.GetPassword();
    if (user.empty() || password.empty())
        return;
    try {
        RefreshStationList(user, password);
    } catch (const EStationCacheError& e) {
        // The stations are there all the same.
        ShowStatus(Format(radio_texts::SStationListNotStored, e.what()), true);
    } catch (const Exception& e) {
        // Nothing to lose yet: the list stays empty and the status line says why.
        ShowStatus(Format(radio_texts::SStationListError, e.what()), true);
        return;
    }
    // The list a damaged or missing cache did not give: the last station goes on as it would
    // have from the cache.
    ResumeLastStation();
}

void TfrmRadioMain::FetchStationList(const std::string& User, const std::string& Password)
{
    radio::TBusyCursor busy;
    Directory()->DownloadChannels(User, Password);
}
