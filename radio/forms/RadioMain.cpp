// The main window: its components, layout, skins and tool bar.
#include "radio/forms/RadioMain.h"

#include "classlib/ole/MediaPlayerControl.h"
#include "classlib/ole/WebBrowserControl.h"
#include "radio/forms/MainTexts.h"
#include "radio/player/Choice.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/directory/RegistryManager.h"
#include "radio/forms/SkinBinding.h"
#include "radio/forms/Loading.h"
#include "skins/StoredSkins.h"

using namespace cl;

TfrmRadioMain* frmRadioMain = nullptr;

namespace {

constexpr int ToolButtonWidth = 100;
constexpr int ToolButtonHeight = 23;
constexpr int ToolBarHeight = 25;
constexpr int SidePanelWidth = 161;
constexpr int BrowserPanelWidth = 833;
constexpr int BrowserPanelHeight = 561;
constexpr int BottomPanelHeight = 105;

}  // namespace

TRadioMainServices DefaultRadioMainServices()
{
    TRadioMainServices s;
    s.CreatePlayer = [] { return radio::CreateMediaPlayer(&CreateMediaPlayerControl); };
    s.CreateBrowser = [](TWinControl* Host) -> std::unique_ptr<TWebBrowser> {
        try {
            return std::make_unique<TWebBrowserControl>(Host);
        } catch (const EOleException&) {
            // No browser on this system: the pages are not shown, everything else works.
            return nullptr;
        }
    };
    s.ShowMessage = [](const std::string& Text) { cl::ShowMessage(Text); };
    s.CreateStoredSkins = [](TComponent* Owner) { return trebanix::CreateStoredSkins(Owner); };
    s.Directory = [] { return RadioChannelManager(); };
    return s;
}

TfrmRadioMain::TfrmRadioMain(TComponent* AOwner) : TfrmRadioMain(AOwner, DefaultRadioMainServices()) {}

TfrmRadioMain::TfrmRadioMain(TComponent* AOwner, TRadioMainServices Services)
    : TForm(AOwner), services_(std::move(Services))
{
    SetCaption(radio_texts::SMainCaption);
    SetPosition(poScreenCenter);
    // The skinned frame draws the caption and its buttons.
    SetBorderIcons({});
    SetClientWidth(1023);
    SetClientHeight(721);
    CreateComponents();
    OnCreate = TNotifyEvent(this, &TfrmRadioMain::FormCreate);
    OnResize = TNotifyEvent(this, &TfrmRadioMain::FormResize);
}

TfrmRadioMain::~TfrmRadioMain() { ReleasePlayerAndBrowser(); }

void TfrmRadioMain::BeforeDestruction()
{
    ReleasePlayerAndBrowser();
    TForm::BeforeDestruction();
}

void TfrmRadioMain::ReleasePlayerAndBrowser()
{
    // The player stops and the browser lets go of its host before the controls go.
    if (player_)
        player_->OnStatusChange = nullptr;
    player_.reset();
    browser_.reset();
    SkinList.clear();
}

TRadioChannelManager* TfrmRadioMain::Directory() const { return services_.Directory(); }

cl::TWebBrowser* TfrmRadioMain::ShownBrowser()
{
    // Made when a page is first opened or the browser first shown: a window that opens no page
    // at its start does not wait for the control.
    if (!browserAsked_) {
        browserAsked_ = true;
        browser_ = services_.CreateBrowser(tabControl);
        if (browser_) {
            browser_->OnBeforeNavigate2 = TBeforeNavigate2Event(this, &TfrmRadioMain::BrowserBeforeNavigate2);
            browser_->OnNewWindow2 = TNewWindow2Event(this, &TfrmRadioMain::BrowserNewWindow2);
            browser_->OnDocumentComplete = TDocumentCompleteEvent(this, &TfrmRadioMain::BrowserDocumentComplete);
            browser_->OnNavigateError = TNavigateErrorEvent(this, &TfrmRadioMain::BrowserNavigateError);
        }
    }
    return browser_.get();
}

// --- Building

void TfrmRadioMain::CreateComponents()
{
    skSkinData1 = new sk::TskSkinData(this);
    skSkinFrame1 = new sk::TskSkinFrame(this);
    skSkinFrame1->SetSkinData(skSkinData1);
    skSkinFrame1->SetMenusSkinData(skSkinData1);
    dlgSelectSkin = new sk::TskSelectSkinDialog(this);
    dlgSelectSkin->Title = radio_texts::SSelectSkinTitle;
    dlgSelectSkin->SetSkinData(skSkinData1);
    dlgSelectSkin->SetCtrlSkinData(skSkinData1);
    tmrUpdate = new TTimer(this);
    tmrUpdate->SetEnabled(false);
    tmrUpdate->SetInterval(ReloadDelayMs);
    tmrUpdate->OnTimer = TNotifyEvent(this, &TfrmRadioMain::tmrUpdateTimer);

    // The stored skins, in the order "Radio Skin" counts them. The start skin is read only when
    // the choice yields none: every skin read inflates a skin and tells every control of every
    // window, and the choice replaces it at once.
    std::vector<sk::TskCompressedStoredSkin*> skins = services_.CreateStoredSkins(this);
    if (StartSkinIndex < static_cast<int>(skins.size()))
        startSkin_ = skins[StartSkinIndex];
    // The chosen skin is in before the controls are made: each takes its look as it is made,
    // instead of every control's window taking a new frame, place and picture at once after.
    CollectStoredSkins();
    ApplySavedSkin();

    CreateToolBar();
    CreateStationPanels();
    CreateBrowserPanels();
    // Each control above took the skin as it was made; whatever was not given it gets it here.
    BindSkinData(this, skSkinData1);

    player_ = services_.CreatePlayer();
    player_->OnStatusChange = TNotifyEvent(this, &TfrmRadioMain::WindowsMediaPlayerStatusChange);
    // Choosing the player (trying the media player control and loading it) takes up to a good
    // part of a second: not at the first click, and not while start-up paints the window and
    // opens its page. A moment after the window shows, before a user has reached for a station,
    // nothing waits for it; a station played sooner makes the choice itself.
    tmrPreparePlayer = new TTimer(this);
    tmrPreparePlayer->SetEnabled(false);
    tmrPreparePlayer->SetInterval(PreparePlayerDelayMs);
    tmrPreparePlayer->OnTimer = TNotifyEvent(this, &TfrmRadioMain::tmrPreparePlayerTimer);
}

sk::TskSkinSpeedButton* TfrmRadioMain::AddToolButton(const char* Caption, TNotifyEvent OnClick)
{
    const int index = tbToolbar->ControlCount();
    auto* b = new sk::TskSkinSpeedButton(this);
    b->SetBounds(index * ToolButtonWidth, 1, ToolButtonWidth, ToolButtonHeight);
    b->SetCaption(Caption);
    b->SetShowCaption(true);
    b->SetAlign(alLeft);
    b->SetSkinData(skSkinData1);
    b->OnClick = OnClick;
    b->SetParent(tbToolbar);
    return b;
}

// Each part of the window is put together before it is placed on its parent: a control placed
// on a parent that has a window makes its own window at once, and every setting after that
// moves, resizes or redraws that window again. Placed last, each window is made once, as it
// will stay.

void TfrmRadioMain::CreateToolBar()
{
    tbToolbar = new sk::TskSkinToolBar(this);
    tbToolbar->SetAlign(alTop);
    tbToolbar->SetHeight(ToolBarHeight);
    tbToolbar->SetSkinData(skSkinData1);
    skSkinSpeedButton1 = AddToolButton(radio_texts::SExit, TNotifyEvent(this, &TfrmRadioMain::ExitClick));
    // The compact window, options and about windows are not part of this window.
    btnSmall = AddToolButton(radio_texts::SSmall, nullptr);
    skSkinSpeedButton3 = AddToolButton(radio_texts::SChangeSkin, TNotifyEvent(this, &TfrmRadioMain::ChangeSkinClick));
    skSkinSpeedButton11 = AddToolButton(radio_texts::SReload, TNotifyEvent(this, &TfrmRadioMain::ReloadClick));
    skSkinSpeedButton12 = AddToolButton(radio_texts::SOptions, nullptr);
    skSkinSpeedButton13 = AddToolButton(radio_texts::SAboutUs, nullptr);
    skSkinSpeedButton2 = AddToolButton(radio_texts::SSuggest, TNotifyEvent(this, &TfrmRadioMain::SuggestClick));
    skSkinSpeedButton4 = AddToolButton(radio_texts::SBrokenLink, TNotifyEvent(this, &TfrmRadioMain::BrokenLinkClick));
    tbToolbar->SetParent(this);
}

void TfrmRadioMain::CreateStationPanels()
{
    panStations = new sk::TskSkinExPanel(this);
    panStations->SetCaption(radio_texts::SRadioStations);
    panStations->SetRollKind(sk::rkRollVertical);
    panStations->SetShowCloseButton(false);
    panStations->SetBounds(5, ToolBarHeight + 5, SidePanelWidth, BrowserPanelHeight);
    panStations->SetSkinData(skSkinData1);

    scbRadioStations = new TskSkinCategoryButtons(this);
    scbRadioStations->SetAlign(alClient);
    scbRadioStations->SetShowBoder(false);
    scbRadioStations->SetButtonFlow(skcbfVertical);
    scbRadioStations->SetButtonHeight(20);
    scbRadioStations->SetButtonWidth(70);
    scbRadioStations->SetButtonOptions(
        {skboFullSize, skboShowCaptions, skboBoldCaptions, skboAllowReorder, skboAllowCopyingButtons});
    scbRadioStations->SetButtonsSkinDataName("resizebutton");
    scbRadioStations->SetHotButtonColor(clMaroon);
    scbRadioStations->SetRegularButtonColor(clBlack);
    scbRadioStations->SetSelectedButtonColor(clBlack);
    scbRadioStations->SetSkinData(skSkinData1);
    scbRadioStations->OnClick = TNotifyEvent(this, &TfrmRadioMain::scbRadioStationsClick);
    scbRadioStations->SetParent(panStations);
    panStations->SetParent(this);

    panVolume = new sk::TskSkinPanel(this);
    panVolume->SetBounds(5, ToolBarHeight + BrowserPanelHeight + 13, SidePanelWidth, BottomPanelHeight);
    panVolume->SetSkinData(skSkinData1);

    btnMute = new sk::TskSkinButton(this);
    btnMute->SetBounds(43, 20, 75, 25);
    btnMute->SetCaption(radio_texts::SMute);
    btnMute->SetHint(radio_texts::SMuteHint);
    btnMute->SetShowHint(true);
    btnMute->SetSkinData(skSkinData1);
    btnMute->OnClick = TNotifyEvent(this, &TfrmRadioMain::btnMuteClick);
    btnMute->SetParent(panVolume);

    trbVolume = new sk::TskSkinTrackBar(this);
    trbVolume->SetBounds(8, 60, SidePanelWidth - 16, 20);
    trbVolume->SetHint(radio_texts::SVolumeHint);
    trbVolume->SetShowHint(true);
    trbVolume->SetCanFocused(false);
    trbVolume->SetJumpWhenClick(true);
    trbVolume->SetMouseSupport(true);
    trbVolume->SetMinValue(0);
    trbVolume->SetMaxValue(100);
    // Set before the handler is bound: the program writes no volume at start.
    trbVolume->SetValue(50);
    trbVolume->SetSkinData(skSkinData1);
    trbVolume->OnChange = TNotifyEvent(this, &TfrmRadioMain::trbVolumeChange);
    trbVolume->SetParent(panVolume);
    panVolume->SetParent(this);
}

void TfrmRadioMain::CreateBrowserPanels()
{
    panBrowser = new sk::TskSkinExPanel(this);
    panBrowser->SetCaption(radio_texts::SMore);
    panBrowser->SetRollKind(sk::rkRollHorizontal);
    panBrowser->SetShowCloseButton(false);
    panBrowser->SetBounds(5 + SidePanelWidth + 8, ToolBarHeight + 5, BrowserPanelWidth, BrowserPanelHeight);
    panBrowser->SetSkinData(skSkinData1);
    panBrowser->OnChangeRollState = TNotifyEvent(this, &TfrmRadioMain::panBrowserChangeRollState);
    panBrowser->SetParent(this);
    CreatePageTabs();

    PanTabs = new sk::TskSkinPanel(this);
    PanTabs->SetBounds(panBrowser->Left(), panVolume->Top(), BrowserPanelWidth, BottomPanelHeight);
    PanTabs->SetSkinData(skSkinData1);
    PanTabs->SetParent(this);
    CreateLaunchPage();
}

void TfrmRadioMain::CreatePageTabs()
{
    tabControl = new sk::TskSkinTabControl(this);
    // The style and a fixed tab size make a placed control's window anew: given before it is
    // placed, its window is made once.
    tabControl->SetStyle(tsButtons);
    tabControl->SetTabWidth(120);
    tabControl->SetTabHeight(22);
    tabControl->SetSkinData(skSkinData1);
    tabControl->SetAlign(alClient);
    // The tabs live in the control's window: they are added once it is placed.
    tabControl->SetParent(panBrowser);
    for (const char* tab : radio_texts::SPageTabs)
        tabControl->Tabs()->Add(tab);
    tabControl->OnChange = TNotifyEvent(this, &TfrmRadioMain::tabControlChange);
}

void TfrmRadioMain::CreateLaunchPage()
{
    // The pages live in the page control's window, so it is placed before its page.
    tbcTabs = new sk::TskSkinPageControl(this);
    tbcTabs->SetAlign(alClient);
    // Its one page's tab is hidden: nothing there for the keys, so Tab passes it by.
    tbcTabs->SetTabStop(false);
    tbcTabs->SetSkinData(skSkinData1);
    tbcTabs->SetParent(PanTabs);
    tsLaunch = new sk::TskSkinTabSheet(this);
    tsLaunch->SetCaption(radio_texts::SLaunchPage);
    tsLaunch->SetPageControl(tbcTabs);

    panAdditional = new sk::TskSkinPanel(this);
    panAdditional->SetAlign(alClient);
    panAdditional->SetCaptionMode(true);
    panAdditional->SetCaption(radio_texts::SAdditional);
    panAdditional->SetSkinData(skSkinData1);
    CreateLaunchControls();
    panAdditional->SetParent(tsLaunch);
}

void TfrmRadioMain::CreateLaunchControls()
{
    labStatus = AddLaunchLabel(radio_texts::SStatusLabel, 12, 23, 120);
    labWMPState = AddLaunchLabel("", 135, 23, 640);
    // A message longer than the line ends in "..." there; the whole of it is its hint.
    labWMPState->SetEndEllipsis(true);
    labWMPState->SetShowHint(true);
    labCurrentStation = AddLaunchLabel(radio_texts::SCurrentStationLabel, 12, 39, 120);
    labCurrent = AddLaunchLabel("", 135, 39, 640);
    // Station names come from the directory: "&" is a letter there.
    labCurrent->SetShowAccelChar(false);
    labURL = AddLaunchLabel(radio_texts::SURLLabel, 12, 57, 120);

    URL = new sk::TskSkinEdit(this);
    URL->SetSkinData(skSkinData1);
    URL->SetBounds(135, 55, 425, 20);
    URL->SetParent(panAdditional);

    btnLaunch = AddLaunchButton(radio_texts::SLaunch, 570, 80, TNotifyEvent(this, &TfrmRadioMain::btnLaunchClick));
    btnRate2 = AddLaunchButton(radio_texts::SRateStation, 660, 120, TNotifyEvent(this, &TfrmRadioMain::btnRate2Click));
}

sk::TskSkinStdLabel* TfrmRadioMain::AddLaunchLabel(const char* Caption, int X, int Y, int Width)
{
    auto* l = new sk::TskSkinStdLabel(this);
    l->SetAutoSize(false);
    l->SetTransparent(true);
    l->SetSkinData(skSkinData1);
    l->SetCaption(Caption);
    l->SetBounds(X, Y, Width, 16);
    l->SetParent(panAdditional);
    return l;
}

sk::TskSkinButton* TfrmRadioMain::AddLaunchButton(const char* Caption, int X, int Width, TNotifyEvent OnClick)
{
    auto* b = new sk::TskSkinButton(this);
    b->SetBounds(X, 54, Width, 22);
    b->SetCaption(Caption);
    b->SetSkinData(skSkinData1);
    b->OnClick = OnClick;
    b->SetParent(panAdditional);
    return b;
}

// --- Window events

void TfrmRadioMain::FormCreate(TObject*)
{
    TRadioChannelManager* directory = Directory();
    scbRadioStations->SetSelectedItem(nullptr);
    scbRadioStations->SetFocusedItem(nullptr);
    directory->FillCategoryButtons(scbRadioStations->Categories());
    ShowStatus(player_->Status());
    ResumeLastStation();
    tsLaunch->SetTabVisible(false);
    tbcTabs->SetActivePage(tsLaunch);
}

void TfrmRadioMain::ResumeLastStation()
{
    TRegManager reg;
    if (TskButtonItem* button = FindChannelCategoryButton(reg.GetLastRadioURL())) {
        button->GetCategory()->SetCollapsed(false);
        scbRadioStations->SetSelectedItem(button);
        scbRadioStationsClick(this);
    }
}

void TfrmRadioMain::DoShow()
{
    TForm::DoShow();
    if (auto* player = dynamic_cast<radio::TPlayerChosenOnFirstUse*>(player_.get()); player && !player->Chosen())
        tmrPreparePlayer->SetEnabled(true);
}

void TfrmRadioMain::tmrPreparePlayerTimer(TObject*)
{
    tmrPreparePlayer->SetEnabled(false);
    if (auto* player = dynamic_cast<radio::TPlayerChosenOnFirstUse*>(player_.get()))
        player->Prepare();
}

void TfrmRadioMain::FormResize(TObject*)
{
    const int toolBar = tbToolbar->Height();
    panBrowser->SetBounds(panBrowser->Left(), panBrowser->Top(), Width() - 15 - panStations->Width() - 18,
                          Height() - 35 - PanTabs->Height() - 18 - toolBar);
    panStations->SetBounds(5, toolBar + 5, panStations->Width(), panBrowser->Height());
    panVolume->SetBounds(5, toolBar + panStations->Height() + 13, panVolume->Width(), panVolume->Height());
    panBrowser->SetBounds(panStations->Left() + panStations->Width() + 8, panStations->Top(), panBrowser->Width(),
                          panBrowser->Height());
    PanTabs->SetBounds(panBrowser->Left(), panVolume->Top(), panBrowser->Width(), PanTabs->Height());
}

// --- Skins

void TfrmRadioMain::CollectStoredSkins()
{
    SkinList.clear();
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* skin = dynamic_cast<sk::TskCompressedStoredSkin*>(Components(i)))
            SkinList.push_back(skin);
}

int TfrmRadioMain::FindStoredSkinIndex(const std::string& Description) const
{
    for (std::size_t i = 0; i < SkinList.size(); ++i)
        if (SkinList[i]->Description == Description)
            return static_cast<int>(i);
    return -1;
}

void TfrmRadioMain::ApplySavedSkin()
{
    ApplyChosenSkin();
    // Nothing of the choice could be read: the window wears the skin it starts with.
    if (skSkinData1->Empty && startSkin_)
        SetStoredSkin(startSkin_);
}

void TfrmRadioMain::ApplyChosenSkin()
{
    TRegManager reg;
    const int stored = reg.GetRadioSkin();
    if (reg.GetStoreRadioSkin() && stored >= 0 && stored < static_cast<int>(SkinList.size())) {
        SetStoredSkin(SkinList[stored]);
        return;
    }
    const std::string file = reg.GetSkin();
    if (!file.empty() && FileExists(file)) {
        try {
            // A file that yields no skin leaves the current one.
            skSkinData1->LoadFromCompressedFile(file);
            return;
        } catch (const Exception&) {
            // Unreadable: the default skin below.
        }
    }
    const int standard = FindStoredSkinIndex(radio_texts::SDefaultSkin);
    if (standard != -1)
        SetStoredSkin(SkinList[standard]);
}

namespace {

// A skin change reaches the frame and every control of the window, each of which would draw
// itself at once; with drawing suspended the window is drawn once, when the change is over.
class TRedrawSuspension {
public:
    explicit TRedrawSuspension(TWinControl* Control)
        : handle_(Control->HandleAllocated() && IsWindowVisible(Control->Handle()) ? Control->Handle() : nullptr)
    {
        if (handle_)
            SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
    }
    ~TRedrawSuspension()
    {
        if (!handle_)
            return;
        SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    TRedrawSuspension(const TRedrawSuspension&) = delete;
    TRedrawSuspension& operator=(const TRedrawSuspension&) = delete;

private:
    HWND handle_;
};

}  // namespace

bool TfrmRadioMain::SetStoredSkin(sk::TskCompressedStoredSkin* Skin)
{
    sk::TskCompressedStoredSkin* previous = skSkinData1->CompressedStoredSkin();
    bool applied = false;
    {
        TRedrawSuspension quiet(this);
        try {
            skSkinData1->SetCompressedStoredSkin(Skin);
            applied = !skSkinData1->Empty;
        } catch (const std::exception&) {
            // Told below, once the window shows its skin again.
        }
        if (!applied && previous && previous != Skin) {
            try {
                skSkinData1->SetCompressedStoredSkin(previous);
            } catch (const std::exception&) {
                // The previous skin was read once; should it fail now, the default look stays.
            }
        }
    }
    if (applied)
        return true;
    services_.ShowMessage(Format(radio_texts::SSkinNotApplied, Skin->Description.c_str()));
    return false;
}

void TfrmRadioMain::ChangeSkinClick(TObject*)
{
    if (!dlgSelectSkin->Execute(skSkinData1->CompressedStoredSkin()))
        return;
    sk::TskCompressedStoredSkin* chosen = dlgSelectSkin->SelectedSkin();
    if (!SetStoredSkin(chosen))
        return;
    const int index = FindStoredSkinIndex(chosen->Description);
    if (index != -1)
        TRegManager().SetRadioSkin(index);
}

// --- Rolling the browser panel

void TfrmRadioMain::panBrowserChangeRollState(TObject*)
{
    if (panBrowser->RollState())
        RollIn();
    else
        RollOut();
}

void TfrmRadioMain::RollIn()
{
    panAdditional->SetVisible(false);
    SetWidth(RolledInWidth);
}

void TfrmRadioMain::RollOut()
{
    panAdditional->SetVisible(true);
    SetWidth(RolledOutWidth);
}

// --- Tool bar

void TfrmRadioMain::ExitClick(TObject*) { Close(); }

void TfrmRadioMain::ReloadClick(TObject*) { LoadChannelsFromWeb(true); }

TskButtonItem* TfrmRadioMain::FindChannelCategoryButton(const std::string& StreamURL) const
{
    TskButtonCategories* categories = scbRadioStations->Categories();
    for (int c = 0; c < categories->Count(); ++c) {
        TskButtonCollection* items = categories->Items(c)->Items();
        for (int i = 0; i < items->Count(); ++i) {
            auto* button = static_cast<TskButtonItem*>(items->Items(i));
            auto* station = static_cast<TRadioChannel*>(button->Data());
            if (station && station->StreamURL == StreamURL)
                return button;
        }
    }
    return nullptr;
}
