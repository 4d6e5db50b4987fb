#include "skin/skSkinDataObjects.h"

#include <string_view>

namespace sk {

void TskDataSkinObject::LoadFromFile(cl::TMemIniFile& IniFile)
{
    TskDataReader reader(IniFile, IDName);
    DefineFields(reader);
}

void TskDataSkinObject::SaveToFile(cl::TMemIniFile& IniFile)
{
    IniFile.EraseSection(IDName);
    TskDataWriter writer(IniFile, IDName);
    DefineFields(writer);
}

void TskDataSkinObject::DefineFields(TskDataFiler& Filer)
{
    Filer.String("hint", Hint);
    Filer.Integer("activepictureindex", ActivePictureIndex, -1);
    Filer.Boolean("skinrectinapicture", SkinRectInAPicture);
    Filer.Rect("skinrect", SkinRect);
    Filer.Rect("activeskinrect", ActiveSkinRect);
    Filer.Rect("inactiveskinrect", InactiveSkinRect);
    Filer.Boolean("morphing", Morphing);
    Filer.MorphKind("morphkind", MorphKind);
}

void TskDataUserObject::DefineFields(TskDataFiler& Filer)
{
    Filer.Rect("skinrect", SkinRect);
}

void TskDataSkinButton::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinObject::DefineFields(Filer);
    Filer.Rect("downrect", DownRect);
    // The key is spelled so in every skin.
    Filer.Rect("disableskinrsect", DisableSkinRect);
}

void TskDataSkinStdButton::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinButton::DefineFields(Filer);
    Filer.Command("command", Command);
    Filer.Rect("restorerect", RestoreRect);
    Filer.Rect("restoreactiverect", RestoreActiveRect);
    Filer.Rect("restoredownrect", RestoreDownRect);
    Filer.Rect("restoreinactiverect", RestoreInactiveRect);
}

void TskDataSkinAnimate::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinObject::DefineFields(Filer);
    if (Filer.Reading())
        Morphing = false;
    Filer.Integer("countframes", CountFrames, 1);
    Filer.Boolean("cycle", Cycle);
    Filer.Boolean("buttonstyle", ButtonStyle);
    Filer.Integer("timerinterval", TimerInterval, 50);
    Filer.Command("command", Command);
    Filer.Rect("downskinrect", DownSkinRect);
}

void TskDataSkinMenuItem::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinObject::DefineFields(Filer);
    Filer.Integer("itemleftoffset", ItemLeftOffset);
    Filer.Integer("itemrightoffset", ItemRightOffset);
    Filer.Rect("dividerrect", DividerRect);
    Filer.Integer("dividerleftoffset", DividerLeftOffset);
    Filer.Integer("dividerrightoffset", DividerRightOffset);
    Filer.Rect("textrect", TextRect);
    Filer.String("fontname", FontName, "Arial");
    Filer.Integer("fontheight", FontHeight, 14);
    Filer.FontStyles("fontstyle", FontStyle);
    Filer.Color("fontcolor", FontColor);
    Filer.Color("activefontcolor", ActiveFontColor);
    Filer.Color("unenabledfontcolor", UnEnabledFontColor);
    Filer.Boolean("stretcheffect", StretchEffect);
    Filer.Boolean("inactivestretcheffect", InactiveStretchEffect);
    Filer.Boolean("dividerstretcheffect", DividerStretchEffect);
    Filer.Rect("animateskinrect", AnimateSkinRect);
    Filer.Integer("framecount", FrameCount, 0);
    Filer.Integer("animateinterval", AnimateInterval, 25);
    Filer.Boolean("inactiveanimation", InactiveAnimation);
}

void TskDataSkinMainMenuItem::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinObject::DefineFields(Filer);
    Filer.Integer("itemleftoffset", ItemLeftOffset);
    Filer.Integer("itemrightoffset", ItemRightOffset);
    Filer.Rect("downrect", DownRect);
    Filer.Rect("textrect", TextRect);
    Filer.String("fontname", FontName, "Arial");
    Filer.Integer("fontheight", FontHeight, 14);
    Filer.FontStyles("fontstyle", FontStyle);
    Filer.Color("fontcolor", FontColor);
    Filer.Color("activefontcolor", ActiveFontColor);
    Filer.Color("downfontcolor", DownFontColor);
    Filer.Color("unenabledfontColor", UnEnabledFontColor);
    Filer.Boolean("stretcheffect", StretchEffect);
    Filer.Rect("animateskinrect", AnimateSkinRect);
    Filer.Integer("framecount", FrameCount, 0);
    Filer.Integer("animateinterval", AnimateInterval, 25);
    Filer.Boolean("inactiveanimation", InactiveAnimation);
}

void TskDataSkinCaption::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinObject::DefineFields(Filer);
    Filer.Rect("textrect", TextRect);
    Filer.String("fontname", FontName, "Arial");
    Filer.Integer("fontheight", FontHeight, 14);
    Filer.FontStyles("fontstyle", FontStyle);
    Filer.Color("fontcolor", FontColor);
    Filer.Color("activefontcolor", ActiveFontColor);
    Filer.Alignment("alignment", Alignment);
    Filer.Boolean("light", Light);
    Filer.Color("lightcolor", LightColor);
    Filer.Color("activelightcolor", ActiveLightColor);
    Filer.Boolean("shadow", Shadow);
    Filer.Color("shadowcolor", ShadowColor);
    Filer.Color("activeshadowcolor", ActiveShadowColor);
    Filer.Rect("framerect", FrameRect);
    Filer.Rect("activeframerect", ActiveFrameRect);
    Filer.Rect("frametextrect", FrameTextRect);
    Filer.Integer("frameleftoffset", FrameLeftOffset);
    Filer.Integer("framerightoffset", FrameRightOffset);
    Filer.Boolean("stretcheffect", StretchEffect);
    Filer.Rect("animateskinrect", AnimateSkinRect);
    Filer.Integer("framecount", FrameCount, 0);
    Filer.Integer("animateinterval", AnimateInterval, 25);
    Filer.Boolean("inactiveanimation", InactiveAnimation);
    Filer.Boolean("fullframe", FullFrame);
}

namespace {

template <class T>
std::unique_ptr<TskDataSkinObject> Create(const std::string& IDName)
{
    return std::make_unique<T>(IDName);
}

struct TObjectType {
    std::string_view Word;
    std::unique_ptr<TskDataSkinObject> (*Make)(const std::string&);
};

// In the order the loader tests the words.
const TObjectType ObjectTypes[] = {
    {"menuitem", &Create<TskDataSkinMenuItem>},
    {"mainmenubaritem", &Create<TskDataSkinMainMenuBarItem>},
    {"stdbutton", &Create<TskDataSkinStdButton>},
    {"mainmenubarbutton", &Create<TskDataSkinMainMenuBarButton>},
    {"button", &Create<TskDataSkinButton>},
    {"caption", &Create<TskDataSkinCaption>},
    {"animate", &Create<TskDataSkinAnimate>},
    {"userobject", &Create<TskDataUserObject>},
};

}  // namespace

std::unique_ptr<TskDataSkinObject> CreateSkinObjectDescription(const std::string& TypeWord, const std::string& IDName)
{
    for (const TObjectType& type : ObjectTypes)
        if (type.Word == TypeWord)
            return type.Make(IDName);
    return nullptr;
}

// ---------------------------------------------------------------------------------------------

void TskSkinColors::SetDefaults()
{
    cBtnFace = cl::clBtnFace;
    cBtnText = cl::clBtnText;
    cWindow = cl::clWindow;
    cWindowText = cl::clWindowText;
    cHighLight = cl::clHighlight;
    cHighLightText = cl::clHighlightText;
    cBtnHighLight = cl::clBtnHighlight;
    cBtnShadow = cl::clBtnShadow;
}

void TskSkinColors::LoadFromFile(cl::TMemIniFile& IniFile)
{
    TskDataReader r(IniFile, "SKINCOLORS");
    r.Color("cbtnface", cBtnFace, cl::clBtnFace);
    r.Color("cbtntext", cBtnText, cl::clBtnText);
    r.Color("cwindow", cWindow, cl::clWindow);
    r.Color("cwindowtext", cWindowText, cl::clWindowText);
    r.Color("chighlight", cHighLight, cl::clHighlight);
    r.Color("chighlighttext", cHighLightText, cl::clHighlightText);
    r.Color("cbtnhighlight", cBtnHighLight, cl::clBtnHighlight);
    r.Color("cbtnshadow", cBtnShadow, cl::clBtnShadow);
}

void TskDataSkinPopupWindow::LoadFromFile(cl::TMemIniFile& IniFile)
{
    TskDataReader r(IniFile, "POPUPWINDOW");
    r.Integer("windowpictureindex", WindowPictureIndex, -1);
    r.Integer("maskpictureindex", MaskPictureIndex, -1);
    r.Point("lefttoppoint", LTPoint);
    r.Point("righttoppoint", RTPoint);
    r.Point("leftbottompoint", LBPoint);
    r.Point("rightbottompoint", RBPoint);
    r.Rect("itemsrect", ItemsRect);
    r.Color("scrollmarkercolor", ScrollMarkerColor);
    r.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
    r.Boolean("leftstretch", LeftStretch);
    r.Boolean("rightstretch", RightStretch);
    r.Boolean("topstretch", TopStretch);
    r.Boolean("bottomstretch", BottomStretch);
}

void TskDataSkinHintWindow::LoadFromFile(cl::TMemIniFile& IniFile)
{
    TskDataReader r(IniFile, "HINTWINDOW");
    r.Integer("windowpictureindex", WindowPictureIndex, -1);
    r.Integer("maskpictureindex", MaskPictureIndex, -1);
    r.Point("lefttoppoint", LTPoint);
    r.Point("righttoppoint", RTPoint);
    r.Point("leftbottompoint", LBPoint);
    r.Point("rightbottompoint", RBPoint);
    r.Rect("clientrect", ClRect);
    r.String("fontname", FontName, "Arial");
    r.Integer("fontheight", FontHeight, 14);
    r.FontStyles("fontstyle", FontStyle);
    r.Color("fontcolor", FontColor);
    r.Boolean("leftstretch", LeftStretch);
    r.Boolean("rightstretch", RightStretch);
    r.Boolean("topstretch", TopStretch);
    r.Boolean("bottomstretch", BottomStretch);
}

}  // namespace sk
