#pragma once
// Control descriptions: one plain record per kind of skinned control, saying which picture and
// which rectangles, fonts and colours the control is cut from. Each reads the section of the
// skin text named by its IDName; a key that is missing takes its default. A control finds its
// description by name (TskSkinData::IndexOfControl) and tests its class before using it.
#include <memory>
#include <string>

#include "classlib/system/System.h"
#include "skin/data/Text.h"

namespace sk {

// Groups of fields that several descriptions share, each with the keys it is read from. A
// description inherits the group, so the fields keep their names on the description.

// An up and a down arrow button, each normal, active and pressed.
struct TskDataUpDownButtons {
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;

protected:
    void DefineUpDownButtons(TskDataFiler& Filer);
};

// The button inside an edit box or a combo box, normal, active, pressed and disabled.
struct TskDataDropButton {
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;

protected:
    void DefineDropButton(TskDataFiler& Filer);
};

// The item of a list: normal, active and focused, its stretchable edges and its text area.
struct TskDataListItems {
    TRect ItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;

protected:
    void DefineListItems(TskDataFiler& Filer);
};

class TskDataSkinControl : public TskDataDescription {
public:
    using TskDataDescription::TskDataDescription;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinCustomControl : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ClRect;
    bool StretchEffect = false;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinPanelControl : public TskDataSkinCustomControl, public TskDataFont {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect CaptionRect;
    TAlignment Alignment = taCenter;
    int BGPictureIndex = -1;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect MarkFrameRect;
    TRect FrameRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinExPanelControl : public TskDataSkinCustomControl, public TskDataFont {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect RollHSkinRect;
    TRect RollVSkinRect;
    int RollLeftOffset = 0;
    int RollRightOffset = 0;
    int RollTopOffset = 0;
    int RollBottomOffset = 0;
    TRect RollVCaptionRect;
    TRect RollHCaptionRect;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    TRect HRollButtonRect;
    TRect HRollButtonActiveRect;
    TRect HRollButtonDownRect;
    TRect HRestoreButtonRect;
    TRect HRestoreButtonActiveRect;
    TRect HRestoreButtonDownRect;
    TRect VRollButtonRect;
    TRect VRollButtonActiveRect;
    TRect VRollButtonDownRect;
    TRect VRestoreButtonRect;
    TRect VRestoreButtonActiveRect;
    TRect VRestoreButtonDownRect;
    TRect CaptionRect;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinButtonControl : public TskDataSkinCustomControl, public TskDataFont {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect ActiveSkinRect;
    TRect DownSkinRect;
    TRect DisabledSkinRect;
    bool Morphing = false;
    TskMorphKind MorphKind = mkDefault;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool ShowFocus = false;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinMenuButtonControl : public TskDataSkinButtonControl {
public:
    using TskDataSkinButtonControl::TskDataSkinButtonControl;
    TRect TrackButtonRect;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinCheckRadioControl : public TskDataSkinCustomControl, public TskDataFont {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TColor ActiveFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TRect ActiveSkinRect;
    TRect CheckImageArea;
    TRect TextArea;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect ActiveCheckImageRect;
    TRect ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect;
    TRect UnEnabledUnCheckImageRect;
    bool Morphing = false;
    TskMorphKind MorphKind = mkDefault;
    TColor FrameFontColor = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinGaugeControl : public TskDataSkinCustomControl, public TskDataFont {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect ProgressArea;
    TRect ProgressRect;
    bool Vertical = false;
    int BeginOffset = 0;
    int EndOffset = 0;
    bool ProgressTransparent = false;
    TColor ProgressTransparentColor = 0;
    bool ProgressStretch = false;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinSplitterControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinTrackBarControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect TrackArea;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    bool Vertical = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinLabelControl : public TskDataSkinCustomControl, public TskDataFont {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinStdLabelControl : public TskDataSkinControl, public TskDataFont {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TColor ActiveFontColor = 16711680;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinUpDownControl : public TskDataSkinCustomControl, public TskDataUpDownButtons {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinGridControl : public TskDataSkinControl, public TskDataFont {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TRect FixedCellRect;
    TRect SelectCellRect;
    TRect FocusCellRect;
    int FixedCellLeftOffset = 0;
    int FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0;
    int CellRightOffset = 0;
    TRect CellTextRect;
    TColor LinesColor = 0;
    TColor BGColor = 0;
    TColor SelectFontColor = 0;
    TColor FocusFontColor = 0;
    std::string FixedFontName = "Arial";
    cl::TFontStyles FixedFontStyle;
    int FixedFontHeight = 14;
    TColor FixedFontColor = 0;
    bool FixedCellStretchEffect = false;
    bool CellStretchEffect = false;
    bool ShowFocus = false;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinTabControl : public TskDataSkinControl, public TskDataFont {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TRect TabRect;
    TRect ActiveTabRect;
    TRect FocusTabRect;
    TRect MouseInTabRect;
    TRect ClRect;
    TRect TabsBGRect;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    int TabLeftOffset = 0;
    int TabRightOffset = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TColor MouseInFontColor = 0;
    std::string UpDown;
    int BGPictureIndex = -1;
    bool TabStretchEffect = false;
    bool ShowFocus = false;
    int FocusOffsetX = 0;
    int FocusOffsetY = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinMainMenuBar : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TRect ItemsRect;
    std::string MenuBarItem;
    std::string CloseButton;
    std::string MaxButton;
    std::string MinButton;
    std::string SysMenuButton;
    TColor TrackMarkColor = 0;
    TColor TrackMarkActiveColor = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinControlBar : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect ItemRect;
    int BGPictureIndex = -1;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinEditControl : public TskDataSkinCustomControl,
                               public TskDataFont,
                               public TskDataDropButton {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect ActiveSkinRect;
    TColor DisabledFontColor = 0;
    TColor ActiveFontColor = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinMemoControl : public TskDataSkinEditControl {
public:
    using TskDataSkinEditControl::TskDataSkinEditControl;
    TColor BGColor = 0;
    TColor ActiveBGColor = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinListBox : public TskDataSkinCustomControl,
                           public TskDataListItems,
                           public TskDataFont,
                           public TskDataUpDownButtons {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TRect CaptionRect;
    std::string CaptionFontName = "Arial";
    cl::TFontStyles CaptionFontStyle;
    int CaptionFontHeight = 14;
    TColor CaptionFontColor = 0;
    TRect CheckButtonRect;
    TRect ActiveCheckButtonRect;
    TRect DownCheckButtonRect;
    std::string HScrollBarName = "hscrollbar";
    std::string VScrollBarName = "vscrollbar";
    std::string BothHScrollBarName = "bothhscrollbar";
    bool ShowFocus = false;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinCheckListBox : public TskDataSkinListBox {
public:
    using TskDataSkinListBox::TskDataSkinListBox;
    TRect UnCheckImageRect;
    TRect CheckImageRect;
    TRect ItemCheckRect;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinComboBox : public TskDataSkinCustomControl,
                            public TskDataListItems,
                            public TskDataFont,
                            public TskDataDropButton {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TColor FocusFontColor = 0;
    TColor ActiveFontColor = 0;
    bool ItemStretchEffect = false;
    bool FocusItemStretchEffect = false;
    TRect ActiveSkinRect;
    std::string ListBoxName;
    bool ShowFocus = false;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinScrollBarControl : public TskDataSkinCustomControl, public TskDataUpDownButtons {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect TrackArea;
    TRect ThumbRect;
    TRect ActiveThumbRect;
    TRect DownThumbRect;
    int ThumbOffset1 = 0;
    int ThumbOffset2 = 0;
    TRect GlyphRect;
    TRect ActiveGlyphRect;
    TRect DownGlyphRect;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinSpinEditControl : public TskDataSkinCustomControl,
                                  public TskDataFont,
                                  public TskDataUpDownButtons {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    TRect ActiveSkinRect;
    TColor ActiveFontColor = 0;
    TColor DisabledFontColor = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinScrollBoxControl : public TskDataSkinCustomControl {
public:
    using TskDataSkinCustomControl::TskDataSkinCustomControl;
    int BGPictureIndex = -1;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

// The tree, list and rich-text views: text in one font on a background colour.
class TskDataSkinTextViewControl : public TskDataSkinControl, public TskDataFont {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TColor BGColor = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinTreeView : public TskDataSkinTextViewControl {
public:
    using TskDataSkinTextViewControl::TskDataSkinTextViewControl;
};

class TskDataSkinBevel : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TColor LightColor = 0;
    TColor DarkColor = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinSlider : public TskDataSkinControl {
public:
    using TskDataSkinControl::TskDataSkinControl;
    TRect HRulerRect;
    TRect HThumbRect;
    TRect VRulerRect;
    TRect VThumbRect;
    int EdgeSize = 0;
    TColor BGColor = 0;
    TColor PointsColor = 0;

protected:
    void DefineFields(TskDataFiler& Filer) override;
};

class TskDataSkinListView : public TskDataSkinTextViewControl {
public:
    using TskDataSkinTextViewControl::TskDataSkinTextViewControl;
};

class TskDataSkinRichEdit : public TskDataSkinTextViewControl {
public:
    using TskDataSkinTextViewControl::TskDataSkinTextViewControl;
};

// The description class for a [SKINCONTROLS] type word (exact comparison, first match of the
// type table); nullptr for a word outside the table.
std::unique_ptr<TskDataSkinControl> CreateSkinControlDescription(const std::string& TypeWord,
                                                                 const std::string& IDName);

}  // namespace sk
