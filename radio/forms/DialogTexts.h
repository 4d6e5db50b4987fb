#pragma once
// The texts of the program's smaller windows and of its start-up, in one place.
namespace radio_texts {

// The compact window.
inline constexpr const char* SSmallCaption = "Trebanix Web Radio";
inline constexpr const char* SSmallMute = "Mute";
inline constexpr const char* SSmallFull = "Full";

// The options dialog.
inline constexpr const char* SOptionsCaption = "Options";
inline constexpr const char* SOptionsLine1 = "A Lumra Account, made at the Lumra web site, is needed";
inline constexpr const char* SOptionsLine2 = "to access the database of radio statiions. Lumra accounts are free";
inline constexpr const char* SOptionsLine3 = "of charge as well as spam free!";
inline constexpr const char* SOptionsUserName = "Username:";
inline constexpr const char* SOptionsPassword = "Password: ";
inline constexpr const char* SOptionsLastSkin = " Save last used skin";
inline constexpr const char* SOptionsWindowPos = "When made small, move to: ";
inline constexpr const char* SWindowPosItems[] = {"Upper right", "Upper left", "Bottom right", "Bottom left"};
inline constexpr const char* SOk = "OK";
inline constexpr const char* SCancel = "Cancel";

// The account dialog.
inline constexpr const char* SAccountCaption = "Enter Lumra Account";
inline constexpr const char* SAccountLines[] = {
    "You need a Lumra Account to configure your Trebanix Radio. The Lumra Account provides",
    "access to the 1000's of radio channels, and their web sites and playlists.",
    "If you have a Lumra Account, enter  the username and password of your Lumra Account below.",
    "If you have none yet, register at the Lumra web site: the Lumra Account",
    "is free of charge!"};
inline constexpr const char* SAccountPanel = "Lumra Account";
inline constexpr const char* SAccountUserName = "Username:";
inline constexpr const char* SAccountPassword = "Password: ";
inline constexpr const char* SAccountOr = "or";
inline constexpr const char* SAccountCreate = "Create Lumra Account";
inline constexpr const char* SAccountExit = "Exit";
inline constexpr const char* SAccountValidating = "Validating Lumra Account...";
inline constexpr const char* SAccountInvalid = "Not a valid Lumra Account";
inline constexpr const char* SAccountCheckFailed = "The Lumra Account could not be checked: %s";
inline constexpr const char* SSubscribePage = "/lumraradiosubscribe.html";
inline constexpr const char* SOpenVerb = "open";
inline constexpr const char* SExploreVerb = "Explore";

// The splash and about windows.
inline constexpr const char* SProductName = "Trebanix Web Radio 4.1";
inline constexpr const char* SProductLine = "Internet radio, skinned";

// Start-up.
inline constexpr const char* SInstanceMutex = "mtxRadio";
inline constexpr const char* SServiceDown = "%s\n\nThe stations stored on this computer are shown.";

}  // namespace radio_texts
