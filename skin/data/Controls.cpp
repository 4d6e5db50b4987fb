#include "skin/data/Controls.h"

#include <string_view>

#include "skin/data/Factory.h"

namespace sk {

void TskDataUpDownButtons::DefineUpDownButtons(TskDataFiler& Filer)
{
    Filer.Rect("upbuttonrect", UpButtonRect);
    Filer.Rect("activeupbuttonrect", ActiveUpButtonRect);
    Filer.Rect("downupbuttonrect", DownUpButtonRect);
    Filer.Rect("downbuttonrect", DownButtonRect);
    Filer.Rect("activedownbuttonrect", ActiveDownButtonRect);
    Filer.Rect("downdownbuttonrect", DownDownButtonRect);
}

void TskDataDropButton::DefineDropButton(TskDataFiler& Filer)
{
    Filer.Rect("buttonrect", ButtonRect);
    Filer.Rect("activebuttonrect", ActiveButtonRect);
    Filer.Rect("downbuttonrect", DownButtonRect);
    Filer.Rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TskDataListItems::DefineListItems(TskDataFiler& Filer)
{
    Filer.Rect("itemrect", ItemRect);
    Filer.Rect("activeitemrect", ActiveItemRect);
    Filer.Rect("focusitemrect", FocusItemRect);
    Filer.Integer("itemleftoffset", ItemLeftOffset);
    Filer.Integer("itemrightoffset", ItemRightOffset);
    Filer.Rect("itemtextrect", ItemTextRect);
}

void TskDataSkinControl::DefineFields(TskDataFiler& Filer)
{
    Filer.Integer("pictureindex", PictureIndex, -1);
    Filer.Integer("maskpictureindex", MaskPictureIndex, -1);
    Filer.Rect("skinrect", SkinRect);
}

void TskDataSkinCustomControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinControl::DefineFields(Filer);
    Filer.Corners("", LTPoint, RTPoint, LBPoint, RBPoint);
    Filer.Rect("clientrect", ClRect);
    Filer.Boolean("stretcheffect", StretchEffect);
}

void TskDataSkinPanelControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    Filer.Rect("captionrect", CaptionRect);
    Filer.Alignment("alignment", Alignment);
    DefineFont(Filer);
    Filer.Integer("bgpictureindex", BGPictureIndex, -1);
    Filer.Rect("checkimagerect", CheckImageRect);
    Filer.Rect("uncheckimagerect", UnCheckImageRect);
    Filer.Rect("markframerect", MarkFrameRect);
    Filer.Rect("framerect", FrameRect);
    Filer.Integer("frameleftoffset", FrameLeftOffset);
    Filer.Integer("framerightoffset", FrameRightOffset);
    Filer.Rect("frametextrect", FrameTextRect);
    Filer.Rect("gripperrect", GripperRect);
    Filer.Boolean("grippertransparent", GripperTransparent);
    Filer.Color("grippertransparentcolor", GripperTransparentColor);
}

void TskDataSkinExPanelControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    Filer.Rect("rollhskinrect", RollHSkinRect);
    Filer.Rect("rollvskinrect", RollVSkinRect);
    Filer.Integer("rollleftoffset", RollLeftOffset);
    Filer.Integer("rollrightoffset", RollRightOffset);
    Filer.Integer("rolltopoffset", RollTopOffset);
    Filer.Integer("rollbottomoffset", RollBottomOffset);
    Filer.Rect("rollvcaptionrect", RollVCaptionRect);
    Filer.Rect("rollhcaptionrect", RollHCaptionRect);
    Filer.Rect("closebuttonrect", CloseButtonRect);
    Filer.Rect("closebuttonactiverect", CloseButtonActiveRect);
    Filer.Rect("closebuttondownrect", CloseButtonDownRect);
    Filer.Rect("hrollbuttonrect", HRollButtonRect);
    Filer.Rect("hrollbuttonactiverect", HRollButtonActiveRect);
    Filer.Rect("hrollbuttondownrect", HRollButtonDownRect);
    Filer.Rect("hrestorebuttonrect", HRestoreButtonRect);
    Filer.Rect("hrestorebuttonactiverect", HRestoreButtonActiveRect);
    Filer.Rect("hrestorebuttondownrect", HRestoreButtonDownRect);
    Filer.Rect("vrollbuttonrect", VRollButtonRect);
    Filer.Rect("vrollbuttonactiverect", VRollButtonActiveRect);
    Filer.Rect("vrollbuttondownrect", VRollButtonDownRect);
    Filer.Rect("vrestorebuttonrect", VRestoreButtonRect);
    Filer.Rect("vrestorebuttonactiverect", VRestoreButtonActiveRect);
    Filer.Rect("vrestorebuttondownrect", VRestoreButtonDownRect);
    Filer.Rect("captionrect", CaptionRect);
    DefineFont(Filer);
}

void TskDataSkinButtonControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    DefineFont(Filer);
    Filer.Color("activefontcolor", ActiveFontColor);
    Filer.Color("downfontcolor", DownFontColor);
    Filer.Color("disabledfontcolor", DisabledFontColor);
    Filer.Rect("activeskinrect", ActiveSkinRect);
    Filer.Rect("downskinrect", DownSkinRect);
    Filer.Rect("disabledskinrect", DisabledSkinRect);
    Filer.Boolean("morphing", Morphing);
    Filer.MorphKind("morphkind", MorphKind);
    Filer.Rect("animateskinrect", AnimateSkinRect);
    Filer.Integer("framecount", FrameCount);
    Filer.Integer("animateinterval", AnimateInterval, 25);
    Filer.Boolean("showfocus", ShowFocus);
}

void TskDataSkinMenuButtonControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinButtonControl::DefineFields(Filer);
    Filer.Rect("trackbuttonrect", TrackButtonRect);
}

void TskDataSkinCheckRadioControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    DefineFont(Filer);
    Filer.Color("activefontcolor", ActiveFontColor);
    Filer.Color("unenabledfontcolor", UnEnabledFontColor);
    Filer.Rect("activeskinrect", ActiveSkinRect);
    Filer.Rect("checkimagearea", CheckImageArea);
    Filer.Rect("textarea", TextArea);
    Filer.Rect("checkimagerect", CheckImageRect);
    Filer.Rect("uncheckimagerect", UnCheckImageRect);
    Filer.Rect("activecheckimagerect", ActiveCheckImageRect);
    Filer.Rect("activeuncheckimagerect", ActiveUnCheckImageRect);
    Filer.Rect("unenabledcheckimagerect", UnEnabledCheckImageRect);
    Filer.Rect("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
    Filer.Boolean("morphing", Morphing);
    Filer.MorphKind("morphkind", MorphKind);
    Filer.Color("framefontcolor", FrameFontColor);
}

void TskDataSkinGaugeControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    Filer.Rect("progressarea", ProgressArea);
    Filer.Rect("progressrect", ProgressRect);
    Filer.Boolean("vertical", Vertical);
    Filer.Integer("beginoffset", BeginOffset);
    Filer.Integer("endoffset", EndOffset);
    DefineFont(Filer);
    Filer.Boolean("progresstransparent", ProgressTransparent);
    Filer.Color("progresstransparentcolor", ProgressTransparentColor);
    Filer.Boolean("progressstretch", ProgressStretch);
}

void TskDataSkinSplitterControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    Filer.Rect("gripperrect", GripperRect);
    Filer.Boolean("grippertransparent", GripperTransparent);
    Filer.Color("grippertransparentcolor", GripperTransparentColor);
}

void TskDataSkinTrackBarControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    Filer.Rect("trackarea", TrackArea);
    Filer.Rect("buttonrect", ButtonRect);
    Filer.Rect("activebuttonrect", ActiveButtonRect);
    Filer.Boolean("vertical", Vertical);
    Filer.Boolean("buttontransparent", ButtonTransparent);
    Filer.Color("buttontransparentcolor", ButtonTransparentColor);
}

void TskDataSkinLabelControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    DefineFont(Filer);
}

void TskDataSkinStdLabelControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinControl::DefineFields(Filer);
    DefineFont(Filer);
    Filer.Color("activefontcolor", ActiveFontColor, 16711680);
}

void TskDataSkinUpDownControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    DefineUpDownButtons(Filer);
}

void TskDataSkinGridControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinControl::DefineFields(Filer);
    Filer.Rect("fixedcellrect", FixedCellRect);
    Filer.Rect("selectcellrect", SelectCellRect);
    Filer.Rect("focuscellrect", FocusCellRect);
    Filer.Integer("fixedcellleftoffset", FixedCellLeftOffset);
    Filer.Integer("fixedcellrightoffset", FixedCellRightOffset);
    Filer.Rect("fixedcelltextrect", FixedCellTextRect);
    Filer.Integer("cellleftoffset", CellLeftOffset);
    Filer.Integer("cellrightoffset", CellRightOffset);
    Filer.Rect("celltextrect", CellTextRect);
    Filer.Color("linescolor", LinesColor);
    Filer.Color("bgcolor", BGColor);
    DefineFont(Filer);
    Filer.Color("selectfontcolor", SelectFontColor);
    Filer.Color("focusfontcolor", FocusFontColor);
    Filer.FontGroup("fixed", FixedFontName, FixedFontStyle, FixedFontHeight, FixedFontColor);
    Filer.Boolean("fixedcellstretcheffect", FixedCellStretchEffect);
    Filer.Boolean("cellstretcheffect", CellStretchEffect);
    Filer.Boolean("showfocus", ShowFocus);
}

void TskDataSkinTabControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinControl::DefineFields(Filer);
    Filer.Rect("tabrect", TabRect);
    Filer.Rect("activetabrect", ActiveTabRect);
    Filer.Rect("focustabrect", FocusTabRect);
    Filer.Rect("mouseintabrect", MouseInTabRect);
    Filer.Rect("clientrect", ClRect);
    Filer.Rect("tabsbgrect", TabsBGRect);
    Filer.Corners("", LTPoint, RTPoint, LBPoint, RBPoint);
    Filer.Integer("tableftoffset", TabLeftOffset);
    Filer.Integer("tabrightoffset", TabRightOffset);
    DefineFont(Filer);
    Filer.Color("activefontcolor", ActiveFontColor);
    Filer.Color("focusfontcolor", FocusFontColor);
    Filer.Color("mouseinfontcolor", MouseInFontColor);
    Filer.String("updown", UpDown);
    Filer.Integer("bgpictureindex", BGPictureIndex, -1);
    Filer.Boolean("tabstretcheffect", TabStretchEffect);
    Filer.Boolean("showfocus", ShowFocus);
    Filer.Integer("focusoffsetx", FocusOffsetX);
    Filer.Integer("focusoffsety", FocusOffsetY);
}

void TskDataSkinMainMenuBar::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinControl::DefineFields(Filer);
    Filer.Rect("itemsrect", ItemsRect);
    Filer.String("menubaritem", MenuBarItem);
    Filer.String("closebutton", CloseButton);
    Filer.String("maxbutton", MaxButton);
    Filer.String("minbutton", MinButton);
    Filer.String("sysmenubutton", SysMenuButton);
    Filer.Color("trackmarkcolor", TrackMarkColor);
    Filer.Color("trackmarkactivecolor", TrackMarkActiveColor);
}

void TskDataSkinControlBar::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    Filer.Rect("itemrect", ItemRect);
    Filer.Integer("bgpictureindex", BGPictureIndex, -1);
}

void TskDataSkinEditControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    Filer.Rect("activeskinrect", ActiveSkinRect);
    DefineFont(Filer);
    Filer.Color("disabledfontcolor", DisabledFontColor);
    Filer.Color("activefontcolor", ActiveFontColor);
    DefineDropButton(Filer);
}

void TskDataSkinMemoControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinEditControl::DefineFields(Filer);
    Filer.Color("bgcolor", BGColor);
    Filer.Color("activebgcolor", ActiveBGColor);
}

void TskDataSkinListBox::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    DefineListItems(Filer);
    DefineFont(Filer);
    Filer.Color("activefontcolor", ActiveFontColor);
    Filer.Color("focusfontcolor", FocusFontColor);
    Filer.Rect("captionrect", CaptionRect);
    Filer.FontGroup("caption", CaptionFontName, CaptionFontStyle, CaptionFontHeight, CaptionFontColor);
    DefineUpDownButtons(Filer);
    Filer.Rect("checkbuttonrect", CheckButtonRect);
    Filer.Rect("activecheckbuttonrect", ActiveCheckButtonRect);
    Filer.Rect("downcheckbuttonrect", DownCheckButtonRect);
    Filer.String("hscrollbarname", HScrollBarName, "hscrollbar");
    Filer.String("vscrollbarname", VScrollBarName, "vscrollbar");
    Filer.String("bothhscrollbarname", BothHScrollBarName, "bothhscrollbar");
    Filer.Boolean("showfocus", ShowFocus);
}

void TskDataSkinCheckListBox::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinListBox::DefineFields(Filer);
    Filer.Rect("uncheckimagerect", UnCheckImageRect);
    Filer.Rect("checkimagerect", CheckImageRect);
    Filer.Rect("itemcheckrect", ItemCheckRect);
}

void TskDataSkinComboBox::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    DefineListItems(Filer);
    DefineFont(Filer);
    Filer.Color("focusfontcolor", FocusFontColor);
    Filer.Color("activefontcolor", ActiveFontColor);
    DefineDropButton(Filer);
    Filer.Boolean("itemstretcheffect", ItemStretchEffect);
    Filer.Boolean("focusitemstretcheffect", FocusItemStretchEffect);
    Filer.Rect("activeskinrect", ActiveSkinRect);
    Filer.String("listboxname", ListBoxName);
    Filer.Boolean("showfocus", ShowFocus);
}

void TskDataSkinScrollBarControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    Filer.Rect("trackarea", TrackArea);
    DefineUpDownButtons(Filer);
    Filer.Rect("thumbrect", ThumbRect);
    Filer.Rect("activethumbrect", ActiveThumbRect);
    Filer.Rect("downthumbrect", DownThumbRect);
    Filer.Integer("thumboffset1", ThumbOffset1);
    Filer.Integer("thumboffset2", ThumbOffset2);
    Filer.Rect("glyphrect", GlyphRect);
    Filer.Rect("activeglyphrect", ActiveGlyphRect);
    Filer.Rect("downglyphrect", DownGlyphRect);
    Filer.Boolean("thumbtransparent", ThumbTransparent);
    Filer.Color("thumbtransparentcolor", ThumbTransparentColor);
}

void TskDataSkinSpinEditControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    Filer.Rect("activeskinrect", ActiveSkinRect);
    DefineFont(Filer);
    Filer.Color("activefontcolor", ActiveFontColor);
    Filer.Color("disabledfontcolor", DisabledFontColor);
    DefineUpDownButtons(Filer);
}

void TskDataSkinScrollBoxControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinCustomControl::DefineFields(Filer);
    Filer.Integer("bgpictureindex", BGPictureIndex, -1);
}

void TskDataSkinTextViewControl::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinControl::DefineFields(Filer);
    DefineFont(Filer);
    Filer.Color("bgcolor", BGColor);
}

void TskDataSkinBevel::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinControl::DefineFields(Filer);
    Filer.Color("lightcolor", LightColor);
    Filer.Color("darkcolor", DarkColor);
}

void TskDataSkinSlider::DefineFields(TskDataFiler& Filer)
{
    TskDataSkinControl::DefineFields(Filer);
    Filer.Rect("hrulerrect", HRulerRect);
    Filer.Rect("hthumbrect", HThumbRect);
    Filer.Rect("vrulerrect", VRulerRect);
    Filer.Rect("vthumbrect", VThumbRect);
    Filer.Integer("edgesize", EdgeSize);
    Filer.Color("bgcolor", BGColor);
    Filer.Color("pointscolor", PointsColor);
}

namespace {

using TControlType = TskDataType<TskDataSkinControl>;

// In the order the loader tests the words.
const TControlType ControlTypes[] = {
    TControlType::Of<TskDataSkinPanelControl>("panel"),
    TControlType::Of<TskDataSkinExPanelControl>("expanel"),
    TControlType::Of<TskDataSkinMenuButtonControl>("menubutton"),
    TControlType::Of<TskDataSkinButtonControl>("button"),
    TControlType::Of<TskDataSkinCheckRadioControl>("checkradio"),
    TControlType::Of<TskDataSkinGaugeControl>("gauge"),
    TControlType::Of<TskDataSkinSplitterControl>("splitter"),
    TControlType::Of<TskDataSkinTrackBarControl>("trackbar"),
    TControlType::Of<TskDataSkinLabelControl>("label"),
    TControlType::Of<TskDataSkinStdLabelControl>("stdlabel"),
    TControlType::Of<TskDataSkinUpDownControl>("updown"),
    TControlType::Of<TskDataSkinGridControl>("grid"),
    TControlType::Of<TskDataSkinTabControl>("tab"),
    TControlType::Of<TskDataSkinMainMenuBar>("mainmenubar"),
    TControlType::Of<TskDataSkinControlBar>("controlbar"),
    TControlType::Of<TskDataSkinMemoControl>("memo"),
    TControlType::Of<TskDataSkinEditControl>("edit"),
    TControlType::Of<TskDataSkinCheckListBox>("checklistbox"),
    TControlType::Of<TskDataSkinListBox>("listbox"),
    TControlType::Of<TskDataSkinComboBox>("combobox"),
    TControlType::Of<TskDataSkinScrollBarControl>("scrollbar"),
    TControlType::Of<TskDataSkinSpinEditControl>("spinedit"),
    TControlType::Of<TskDataSkinScrollBoxControl>("scrollbox"),
    TControlType::Of<TskDataSkinTreeView>("treeview"),
    TControlType::Of<TskDataSkinBevel>("bevel"),
    TControlType::Of<TskDataSkinSlider>("slider"),
    TControlType::Of<TskDataSkinListView>("listview"),
    TControlType::Of<TskDataSkinRichEdit>("richedit"),
};

}  // namespace

std::unique_ptr<TskDataSkinControl> CreateSkinControlDescription(const std::string& TypeWord,
                                                                 const std::string& IDName)
{
    return CreateByWord(ControlTypes, TypeWord, IDName);
}

}  // namespace sk
