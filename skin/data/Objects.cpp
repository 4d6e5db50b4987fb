#include "skin/data/Objects.h"

#include <string_view>

#include "skin/data/Factory.h"

namespace sk {

namespace {

// The font keys in the order objects and window frames list them.
void DefineObjectFont(TskDataFiler& Filer, TskDataFont& Font)
{
    Filer.String("fontname", Font.FontName, "Arial");
    Filer.Integer("fontheight", Font.FontHeight, 14);
    Filer.FontStyles("fontstyle", Font.FontStyle);
    Filer.Color("fontcolor", Font.FontColor);
}

}  // namespace

void TskDataObjectText::DefineText(TskDataFiler& Filer)
{
    Filer.Rect("textrect", TextRect);
    DefineObjectFont(Filer, *this);
    Filer.Color("activefontcolor", ActiveFontColor);
}

void TskDataObjectAnimation::DefineAnimation(TskDataFiler& Filer)
{
    Filer.Rect("animateskinrect", AnimateSkinRect);
    Filer.Integer("framecount", FrameCount, 0);
    Filer.Integer("animateinterval", AnimateInterval, 25);
    Filer.Boolean("inactiveanimation", InactiveAnimation);
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
    DefineText(Filer);
    Filer.Color("unenabledfontcolor", UnEnabledFontColor);
    Filer.Boolean("stretcheffect", StretchEffect);
    Filer.Boolean("inactivestretcheffect", InactiveStretchEffect);
    Filer.Boolean("dividerstretcheffect", DividerStretchEffect);
    DefineAnimation(Filer);
}

void TskDataSkinMainMenuItem::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinObject::DefineFields(Filer);
    Filer.Integer("itemleftoffset", ItemLeftOffset);
    Filer.Integer("itemrightoffset", ItemRightOffset);
    Filer.Rect("downrect", DownRect);
    DefineText(Filer);
    Filer.Color("downfontcolor", DownFontColor);
    Filer.Color("unenabledfontColor", UnEnabledFontColor);
    Filer.Boolean("stretcheffect", StretchEffect);
    DefineAnimation(Filer);
}

void TskDataSkinCaption::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinObject::DefineFields(Filer);
    DefineText(Filer);
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
    DefineAnimation(Filer);
    Filer.Boolean("fullframe", FullFrame);
}

namespace {

using TObjectType = TskDataType<TskDataSkinObject>;

// In the order the loader tests the words.
const TObjectType ObjectTypes[] = {
    TObjectType::Of<TskDataSkinMenuItem>("menuitem"),
    TObjectType::Of<TskDataSkinMainMenuBarItem>("mainmenubaritem"),
    TObjectType::Of<TskDataSkinStdButton>("stdbutton"),
    TObjectType::Of<TskDataSkinMainMenuBarButton>("mainmenubarbutton"),
    TObjectType::Of<TskDataSkinButton>("button"),
    TObjectType::Of<TskDataSkinCaption>("caption"),
    TObjectType::Of<TskDataSkinAnimate>("animate"),
    TObjectType::Of<TskDataUserObject>("userobject"),
};

}  // namespace

std::unique_ptr<TskDataSkinObject> CreateSkinObjectDescription(const std::string& TypeWord, const std::string& IDName)
{
    return CreateByWord(ObjectTypes, TypeWord, IDName);
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

void TskDataSkinWindowFrame::ReadPictureAndCorners(TskDataReader& Reader)
{
    Reader.Integer("windowpictureindex", WindowPictureIndex, -1);
    Reader.Integer("maskpictureindex", MaskPictureIndex, -1);
    Reader.Corners("", LTPoint, RTPoint, LBPoint, RBPoint);
}

void TskDataSkinWindowFrame::ReadStretches(TskDataReader& Reader)
{
    Reader.Stretches(LeftStretch, RightStretch, TopStretch, BottomStretch);
}

void TskDataSkinPopupWindow::LoadFromFile(cl::TMemIniFile& IniFile)
{
    TskDataReader r(IniFile, "POPUPWINDOW");
    ReadPictureAndCorners(r);
    r.Rect("itemsrect", ItemsRect);
    r.Color("scrollmarkercolor", ScrollMarkerColor);
    r.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
    ReadStretches(r);
}

void TskDataSkinHintWindow::LoadFromFile(cl::TMemIniFile& IniFile)
{
    TskDataReader r(IniFile, "HINTWINDOW");
    ReadPictureAndCorners(r);
    r.Rect("clientrect", ClRect);
    DefineObjectFont(r, *this);
    ReadStretches(r);
}

}  // namespace sk
