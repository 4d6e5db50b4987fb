#pragma once
// The main window's own texts and the service's page addresses, in one place.
namespace radio_texts {

inline constexpr const char* SMainCaption = "Trebanix Web Radio 4.1";

// Tool bar.
inline constexpr const char* SExit = "Exit";
inline constexpr const char* SSmall = "Small";
inline constexpr const char* SChangeSkin = "Change skin";
inline constexpr const char* SReload = "Reload";
inline constexpr const char* SOptions = "Options";
inline constexpr const char* SAboutUs = "About Us";
inline constexpr const char* SSuggest = "Suggest";
inline constexpr const char* SBrokenLink = "Broken Link";

// Panels, volume and the launch page.
inline constexpr const char* SRadioStations = "Radio Stations";
inline constexpr const char* SMore = "More...";
inline constexpr const char* SAdditional = "Additional";
inline constexpr const char* SMute = "Mute";
inline constexpr const char* SMuteHint = "Mute Volume";
inline constexpr const char* SVolumeHint = "Volume";
inline constexpr const char* SLaunchPage = "Launch";
inline constexpr const char* SStatusLabel = "Status: ";
inline constexpr const char* SCurrentStationLabel = "Current Station:";
inline constexpr const char* SURLLabel = "URL:";
inline constexpr const char* SLaunch = "Launch";
inline constexpr const char* SRateStation = "Rate Station!";
inline constexpr const char* SSelectSkinTitle = "Select skin";
// The group of the user's favourite stations, the only one open at start.
inline constexpr const char* SFavorites = "Favorites";
// The group of the stations that the directory gives no category.
inline constexpr const char* SNoCategory = "(No category)";
// The stored skin used when no other is chosen.
inline constexpr const char* SDefaultSkin = "Progressive Green";

// Browser page tabs, by index.
inline constexpr const char* SPageTabs[] = {"Web Site", "PlayList", "Configure", "Best Stations", "Recently Added",
                                            "Rate"};

// Messages.
inline constexpr const char* SNoAccount = "Username or password of Lumra Account not found";
inline constexpr const char* SSkinNotApplied = "The skin \"%s\" could not be read; the previous skin stays.";
inline constexpr const char* SStationListError = "The station list could not be loaded: %s";
inline constexpr const char* SStationListNotStored =
    "The new station list is shown, but it could not be stored on this computer: %s";
inline constexpr const char* SStreamFailed = "The stream could not be played: %s";

// The loading overlay.
inline constexpr const char* SLoadingCaption = "Loading...";
inline constexpr const char* SLoadingText = "Loading web page, please wait...";

// Service pages, under the directory service's address.
inline constexpr const char* SHomePage = "/";
inline constexpr const char* SConfigurePage = "/qsradio30.html?username=%s&password=%s";
inline constexpr const char* SBestStationsPage = "/qs-best-radio30.html?username=%s&password=%s";
inline constexpr const char* SRecentPage = "/qs-recent.html?username=%s&password=%s";
inline constexpr const char* SRatePage = "/qs-rate-radio30.html?username=%s&password=%s&stream_url=%s";
inline constexpr const char* SSuggestPage = "/suggest30.html?username=%s&password=%s";
inline constexpr const char* SBrokenLinkPage = "/qs-broken.html?username=%s&password=%s";
// What the browser shows in place of a page that would carry the account to a server whose
// certificate was refused; the reason completes it.
inline constexpr const char* SLocalPagePrefix = "about:";
inline constexpr const char* SAccountPageRefused =
    "This page of the Lumra service was not opened, so that your Lumra Account is not sent to a server "
    "that could not prove who it is: %s.";
// Pages where the user edits the station list: opening one reloads the list a moment later.
inline constexpr const char* SEditPageSuffixes[] = {"/video/editradiostations.html", "/video/bestradiostation.html",
                                                    "/video/recentlyadded.html", "/video/myconfig.html"};

}  // namespace radio_texts
