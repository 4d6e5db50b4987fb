#pragma once
// Object descriptions (what a form's caption area and menus are drawn from: caption text area,
// caption buttons, animations, menu items, menu-bar items and buttons, user objects), the eight
// skin colours, and the popup-menu and hint window frames. Each reads one section of the skin
// text; a missing key takes its default.
#include <memory>
#include <string>

#include "classlib/system/System.h"
#include "skin/data/Text.h"

namespace sk {

// Groups of fields that several objects share, each with the keys it is read from. An object
// inherits the group, so the fields keep their names on the object.

// The text of a menu item, a menu-bar item or a caption: its area, its font and the font's
// colour while active. Objects list the font keys in their own order: name, height, style,
// colour.
struct TskDataObjectText : TskDataFont {
    TRect TextRect;
    TColor ActiveFontColor = 0;
    friend bool operator==(const TskDataObjectText&, const TskDataObjectText&) = default;

protected:
    void DefineText(TskDataFiler& Filer);
};

// Frames played over the object: their strip, number and pace, and whether they also play
// while the form is inactive.
struct TskDataObjectAnimation {
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InactiveAnimation = false;

protected:
    void DefineAnimation(TskDataFiler& Filer);
};

class TskDataSkinObject : public TskDataDescription {
public:
    using TskDataDescription::TskDataDescription;
    std::string Hint;
    int ActivePictureIndex = -1;
    bool SkinRectInAPicture = false;
    TRect SkinRect;
    TRect ActiveSkinRect;
    TRect InactiveSkinRect;
    bool Morphing = false;
    TskMorphKind MorphKind = mkDefault;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

// Knows only its "skinrect": none of the common object keys.
class TskDataUserObject : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinButton : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    TRect DownRect;
    TRect DisableSkinRect;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinStdButton : public TskDataSkinButton {
public:
    using TskDataSkinButton::TskDataSkinButton;
    TskStdCommand Command = cmDefault;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInactiveRect;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinMainMenuBarButton : public TskDataSkinStdButton {
public:
    using TskDataSkinStdButton::TskDataSkinStdButton;
};

// Never morphs, whatever its "morphing" key says.
class TskDataSkinAnimate : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;
    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 50;
    TskStdCommand Command = cmDefault;
    TRect DownSkinRect;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinMenuItem : public TskDataSkinObject,
                            public TskDataObjectText,
                            public TskDataObjectAnimation {
public:
    using TskDataSkinObject::TskDataSkinObject;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect DividerRect;
    int DividerLeftOffset = 0;
    int DividerRightOffset = 0;
    TColor UnEnabledFontColor = 0;
    bool StretchEffect = false;
    bool InactiveStretchEffect = false;
    bool DividerStretchEffect = false;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinMainMenuItem : public TskDataSkinObject,
                                public TskDataObjectText,
                                public TskDataObjectAnimation {
public:
    using TskDataSkinObject::TskDataSkinObject;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect DownRect;
    TColor DownFontColor = 0;
    TColor UnEnabledFontColor = 0;
    bool StretchEffect = false;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinMainMenuBarItem : public TskDataSkinMainMenuItem {
public:
    using TskDataSkinMainMenuItem::TskDataSkinMainMenuItem;
};

// How the skin draws a caption's text and the frame behind it. The form frame's caption object
// is made of it and takes it whole from its description.
struct TskCaptionLook : TskDataObjectText {
    TAlignment Alignment = taCenter;
    bool Light = false;
    TColor LightColor = 0;
    TColor ActiveLightColor = 0;
    bool Shadow = false;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    TRect FrameRect;
    TRect ActiveFrameRect;
    TRect FrameTextRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    bool StretchEffect = false;
    bool FullFrame = false;
    friend bool operator==(const TskCaptionLook&, const TskCaptionLook&) = default;
};

class TskDataSkinCaption : public TskDataSkinObject,
                           public TskCaptionLook,
                           public TskDataObjectAnimation {
public:
    using TskDataSkinObject::TskDataSkinObject;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

// The description class for a [SKINOBJECTS] type word (exact comparison, first match of the
// type table); nullptr for a word outside the table.
std::unique_ptr<TskDataSkinObject> CreateSkinObjectDescription(const std::string& TypeWord, const std::string& IDName);

// ---------------------------------------------------------------------------------------------

// Replacement system colours; until a skin names them, the system's own.
class TskSkinColors : public cl::TObject {
public:
    TskSkinColors() { SetDefaults(); }

    TColor cBtnFace;
    TColor cBtnText;
    TColor cWindow;
    TColor cWindowText;
    TColor cHighLight;
    TColor cHighLightText;
    TColor cBtnHighLight;
    TColor cBtnShadow;

    void SetDefaults();
    // Section [SKINCOLORS].
    void LoadFromFile(cl::TMemIniFile& IniFile);
};

// What the popup-menu and hint window frames share: the picture, the mask, the corners and
// which edges stretch.
class TskDataSkinWindowFrame : public cl::TObject {
public:
    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool TopStretch = false;
    bool BottomStretch = false;

protected:
    // The keys before the frame's own: picture, mask and corners.
    void ReadPictureAndCorners(TskDataReader& Reader);
    // The keys after the frame's own.
    void ReadStretches(TskDataReader& Reader);
};

// The popup-menu window frame, section [POPUPWINDOW].
class TskDataSkinPopupWindow : public TskDataSkinWindowFrame {
public:
    TRect ItemsRect;
    TColor ScrollMarkerColor = 0;
    TColor ScrollMarkerActiveColor = 0;

    void LoadFromFile(cl::TMemIniFile& IniFile);
};

// The hint window frame, section [HINTWINDOW]. A new one has a font height of 12; a missing
// "fontheight" key reads as 14.
class TskDataSkinHintWindow : public TskDataSkinWindowFrame, public TskDataFont {
public:
    TskDataSkinHintWindow() { FontHeight = 12; }
    TRect ClRect;

    void LoadFromFile(cl::TMemIniFile& IniFile);
};

}  // namespace sk
