#pragma once
// TfrmRadioMain: the program's main window: the tool bar, the station list, the volume
// controls, the browser with its page tabs and the launch page with the player's status. It
// holds the program's skin data and the stored skins, plays the stations through the chosen
// player and shows the station's and the service's pages in the browser.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "classlib/stdctrls/ComCtrls.h"
#include "classlib/controls/ExtCtrls.h"
#include "classlib/controls/Forms.h"
#include "classlib/ole/MediaPlayer.h"
#include "classlib/stdctrls/StdCtrls.h"
#include "classlib/ole/WebBrowser.h"
#include "skin/controls/Button.h"
#include "skin/data/SkinData.h"
#include "skin/controls/ExPanel.h"
#include "skin/controls/Panel.h"
#include "skin/controls/SpeedButton.h"
#include "skin/controls/StdLabel.h"
#include "skin/controls/ToolBar.h"
#include "skin/controls/TrackBar.h"
#include "skinforms/dialogs/SelectSkin.h"
#include "skinforms/categorybuttons/Control.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/controls/Tabs.h"

class TfrmLoading;
class TRadioChannelManager;

// What the window plays and browses with; tests hand in recording ones.
struct TRadioMainServices {
    std::function<std::unique_ptr<cl::TMediaPlayer>()> CreatePlayer;
    // Host: the control the browser fills.
    std::function<std::unique_ptr<cl::TWebBrowser>(cl::TWinControl* Host)> CreateBrowser;
    // A message for the user (a message box by default).
    std::function<void(const std::string&)> ShowMessage;
    // The program's stored skins, made for Owner (the program's own by default).
    std::function<std::vector<sk::TskCompressedStoredSkin*>(cl::TComponent* Owner)> CreateStoredSkins;
    // The station directory (the process's own by default).
    std::function<TRadioChannelManager*()> Directory;
};

// The player, browser and stored skins of the program itself.
TRadioMainServices DefaultRadioMainServices();

class TfrmRadioMain : public cl::TForm {
public:
    static constexpr int DefaultSkinIndex = 12;  // "Progressive Green"
    static constexpr int StartSkinIndex = 33;    // "Sirius", when the chosen skin yields none
    static constexpr int RolledInWidth = 205;
    static constexpr int RolledOutWidth = 1040;
    static constexpr unsigned ReloadDelayMs = 1000;
    // From the window's show to the player's choice, unless a station plays sooner.
    static constexpr unsigned PreparePlayerDelayMs = 250;

    explicit TfrmRadioMain(cl::TComponent* AOwner);
    TfrmRadioMain(cl::TComponent* AOwner, TRadioMainServices Services);
    ~TfrmRadioMain() override;

    // --- Components
    sk::TskSkinToolBar* tbToolbar = nullptr;
    sk::TskSkinSpeedButton* skSkinSpeedButton1 = nullptr;   // "Exit"
    sk::TskSkinSpeedButton* btnSmall = nullptr;             // "Small"
    sk::TskSkinSpeedButton* skSkinSpeedButton3 = nullptr;   // "Change skin"
    sk::TskSkinSpeedButton* skSkinSpeedButton11 = nullptr;  // "Reload"
    sk::TskSkinSpeedButton* skSkinSpeedButton12 = nullptr;  // "Options"
    sk::TskSkinSpeedButton* skSkinSpeedButton13 = nullptr;  // "About Us"
    sk::TskSkinSpeedButton* skSkinSpeedButton2 = nullptr;   // "Suggest"
    sk::TskSkinSpeedButton* skSkinSpeedButton4 = nullptr;   // "Broken Link"
    sk::TskSkinExPanel* panStations = nullptr;
    TskSkinCategoryButtons* scbRadioStations = nullptr;
    sk::TskSkinPanel* panVolume = nullptr;
    sk::TskSkinButton* btnMute = nullptr;
    sk::TskSkinTrackBar* trbVolume = nullptr;
    sk::TskSkinExPanel* panBrowser = nullptr;
    sk::TskSkinTabControl* tabControl = nullptr;
    // Null until a page is first opened or the browser first shown, once the page is filled.
    cl::TWebBrowser* Browser() const { return browser_.get(); }
    sk::TskSkinPanel* PanTabs = nullptr;
    sk::TskSkinPageControl* tbcTabs = nullptr;
    sk::TskSkinTabSheet* tsLaunch = nullptr;
    sk::TskSkinPanel* panAdditional = nullptr;
    sk::TskSkinStdLabel* labStatus = nullptr;
    sk::TskSkinStdLabel* labWMPState = nullptr;
    sk::TskSkinStdLabel* labCurrentStation = nullptr;
    sk::TskSkinStdLabel* labCurrent = nullptr;
    sk::TskSkinStdLabel* labURL = nullptr;
    sk::TskSkinEdit* URL = nullptr;
    sk::TskSkinButton* btnLaunch = nullptr;
    sk::TskSkinButton* btnRate2 = nullptr;
    cl::TMediaPlayer* WindowsMediaPlayer() const { return player_.get(); }
    cl::TTimer* tmrUpdate = nullptr;
    cl::TTimer* tmrPreparePlayer = nullptr;  // settles the player a moment after the window shows
    sk::TskSkinFrame* skSkinFrame1 = nullptr;
    sk::TskSkinData* skSkinData1 = nullptr;
    sk::TskSelectSkinDialog* dlgSelectSkin = nullptr;
    TfrmLoading* frmLoading = nullptr;  // made when the first page loads

    // The stored skins in component order; an index into it is the setting "Radio Skin".
    std::vector<sk::TskCompressedStoredSkin*> SkinList;

    // --- Window events and helpers
    void FormCreate(cl::TObject* Sender);
    void FormResize(cl::TObject* Sender);
    void CollectStoredSkins();
    int FindStoredSkinIndex(const std::string& Description) const;
    void ApplySavedSkin();
    // The first button, Favorites first, whose station streams exactly from StreamURL.
    TskButtonItem* FindChannelCategoryButton(const std::string& StreamURL) const;
    void panBrowserChangeRollState(cl::TObject* Sender);
    void RollIn();
    void RollOut();

    // --- Tool bar
    void ExitClick(cl::TObject* Sender);
    void ChangeSkinClick(cl::TObject* Sender);
    void ReloadClick(cl::TObject* Sender);
    void SuggestClick(cl::TObject* Sender);
    void BrokenLinkClick(cl::TObject* Sender);

    // --- Playback and pages
    void scbRadioStationsClick(cl::TObject* Sender);
    void btnLaunchClick(cl::TObject* Sender);
    void btnRate2Click(cl::TObject* Sender);
    void btnMuteClick(cl::TObject* Sender);
    void trbVolumeChange(cl::TObject* Sender);
    void WindowsMediaPlayerStatusChange(cl::TObject* Sender);
    void tabControlChange(cl::TObject* Sender);
    // Opens the page of the selected tab; BringToFront false leaves the windows as they are
    // (start-up's page opens behind a compact window the user switched to meanwhile).
    void ChangeTabs(bool BringToFront = true);
    void BrowserBeforeNavigate2(cl::TObject* Sender, const cl::AnsiString& URL, bool& Cancel);
    void BrowserNewWindow2(cl::TObject* Sender, bool& Cancel);
    void BrowserDocumentComplete(cl::TObject* Sender, const cl::AnsiString& URL);
    void BrowserNavigateError(cl::TObject* Sender, const cl::AnsiString& URL);
    void tmrUpdateTimer(cl::TObject* Sender);
    void tmrPreparePlayerTimer(cl::TObject* Sender);
    // The service refused the stored account when the list was fetched: asks for another one;
    // true when a valid one is stored then. Unset, the window only says so.
    std::function<bool()> OnAccountRefused;
    // Fetches the station list and fills the station buttons again. Without an account stored,
    // or when the list cannot be fetched or stored, the user is told once; false then.
    bool LoadChannelsFromWeb(bool ShowHomePage);
    // A first run, or a cache that could not be read, has no list: with an account stored it
    // is fetched once, so that the stations show at once and the last station plays as it
    // would have from the cache. A failure leaves the list empty and is said in the status line.
    void FetchStationListWhenNoneCached();
    // Selects and plays the station last played, when the list holds it.
    void ResumeLastStation();
    // The stored skin as the program's skin; on a skin that cannot be read the previous one
    // is set again and the user told. False then. The window is drawn once, when the skin is in.
    bool SetStoredSkin(sk::TskCompressedStoredSkin* Skin);

    // Until the page is filled, the pages asked for (the last station's site, the "Configure"
    // page) are only noted: making the browser and starting its navigation take long, and the
    // window is to be on the screen first. Posts the message that fills the page with the last
    // of them; start-up calls it once the window is painted. A window destroyed before the
    // message comes makes no browser.
    void PostPageFill();

protected:
    void BeforeDestruction() override;
    void DoShow() override;
    void Dispatch(cl::TMessage& Message) override;

private:
    void ReleasePlayerAndBrowser();
    // The page noted before the fill: the browser made, the page opened and shown as asked.
    void WMFillPage(cl::TMessage& Message);
    // The saved skin, else the skin file, else the default skin, as far as any of them reads.
    void ApplyChosenSkin();
    TRadioChannelManager* Directory() const;
    // The browser, made on this first call; null where the system has none.
    cl::TWebBrowser* ShownBrowser();
    void CreateComponents();
    void CreateToolBar();
    void CreateStationPanels();
    void CreateBrowserPanels();
    void CreatePageTabs();
    void CreateLaunchPage();
    void CreateLaunchControls();
    sk::TskSkinStdLabel* AddLaunchLabel(const char* Caption, int X, int Y, int Width);
    sk::TskSkinButton* AddLaunchButton(const char* Caption, int X, int Width, cl::TNotifyEvent OnClick);
    sk::TskSkinSpeedButton* AddToolButton(const char* Caption, cl::TNotifyEvent OnClick);
    void Navigate(const std::string& Address);
    void ShowBrowser(bool Show);
    void BringMainToFront();
    // While the directory service is asked: a busy cursor, and the windows keep painting.
    void FetchStationList(const std::string& User, const std::string& Password);
    // Fetches the list; whatever step fails, the buttons show the stations the directory holds.
    void RefreshStationList(const std::string& User, const std::string& Password);
    // The buttons made again from the directory, none selected but the current station's.
    void FillStationButtons();
    void MarkCurrentStation();
    // The status line's text; ListLoad: it tells how loading the station list went.
    void ShowStatus(const std::string& Text, bool ListLoad = false);

    TRadioMainServices services_;
    std::unique_ptr<cl::TMediaPlayer> player_;
    std::unique_ptr<cl::TWebBrowser> browser_;
    bool browserAsked_ = false;
    // Until the fill message comes: the address last asked for, and whether the browser was
    // last asked to show or to hide (nothing when neither).
    bool pageHeld_ = true;
    std::string heldAddress_;
    std::optional<bool> heldShown_;
    sk::TskCompressedStoredSkin* startSkin_ = nullptr;
    bool statusTellsListLoad_ = false;
};

extern TfrmRadioMain* frmRadioMain;
