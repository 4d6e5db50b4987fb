// The control descriptions: every control the program's windows ask for.
#include "AtlasLayout.h"
#include "SkinText.h"
#include "SkinTextParts.h"

namespace skingen {

namespace {

using namespace atlas;

const char* morphWord(int kind)
{
    static const char* const words[] = {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient",
                                        "mkleftslide", "mkrightslide", "mkpush"};
    return words[kind >= 0 && kind < 7 ? kind : 0];
}

// The corner points of a nine-part image and its client rectangle, relative to the image.
void corners(IniText& t, Point lt, Point rt, Point lb, Point rb, const Rect& client)
{
    cornerPoints(t, lt, rt, lb, rb);
    t.key("clientrect", client);
}

void font(IniText& t, Rgb colour, bool bold = false, const std::string& prefix = "")
{
    t.key(prefix + "fontname", SkinFont);
    if (bold) t.key(prefix + "fontstyle", "fsbold");
    t.key(prefix + "fontheight", 13);
    t.colour(prefix + "fontcolor", colour);
}

void start(IniText& t, const char* name, const Rect& skin)
{
    t.section(name);
    t.key("pictureindex", AtlasPicture);
    t.key("skinrect", skin);
}

void pushButton(IniText& t, const SkinParams& p, const Palette& c, const char* name,
                const std::array<Rect, 4>& cells, int inset, const Rect& animation)
{
    const int w = cells[0].width(), h = cells[0].height();
    start(t, name, cells[0]);
    insetCornerPoints(t, w, h, inset);
    t.key("clientrect", Rect{inset, inset, w - inset, h - inset});
    font(t, c.faceText);
    t.colour("activefontcolor", c.faceHotText);
    t.colour("downfontcolor", c.faceDownText);
    t.colour("disabledfontcolor", c.faceDisabledText);
    t.key("activeskinrect", cells[1]);
    t.key("downskinrect", cells[2]);
    t.key("disabledskinrect", cells[3]);
    t.key("morphing", p.morphing ? 1 : 0);
    t.key("morphkind", morphWord(p.morphKind));
    if (p.animated) {
        t.key("animateskinrect", animation);
        t.key("framecount", AnimationFrames);
        t.key("animateinterval", 40);
    }
    t.key("showfocus", 1);
}

void itemKeys(IniText& t, const Palette& c)
{
    t.key("itemrect", ListItem[0]);
    t.key("activeitemrect", ListItem[1]);
    t.key("focusitemrect", ListItem[2]);
    t.key("itemleftoffset", 3);
    t.key("itemrightoffset", 3);
    t.key("itemtextrect", Rect{3, 0, ListItem[0].width() - 3, ListItem[0].height()});
    font(t, c.windowText);
    t.colour("activefontcolor", c.selectionText);
    t.colour("focusfontcolor", c.selectionText);
}

void scrollBar(IniText& t, const char* name, const Rect& skin, bool vertical)
{
    start(t, name, skin);
    // Along the bar: the near arrow, the track and the far arrow; the bar's whole width across.
    const auto along = [vertical](int from, int to) {
        return vertical ? Rect{0, from, ScrollSize, to} : Rect{from, 0, to, ScrollSize};
    };
    const auto pointAt = [&t, vertical](const char* key, int at) {
        if (vertical)
            t.point(key, 0, at);
        else
            t.point(key, at, 0);
    };
    pointAt("lefttoppoint", 19);
    pointAt(vertical ? "leftbottompoint" : "righttoppoint", 80);
    t.key("trackarea", along(19, 81));
    t.key("downbuttonrect", along(0, 19));
    t.key("upbuttonrect", along(81, 100));
    t.key("activedownbuttonrect", vertical ? VArrowNearHot : HArrowNearHot);
    t.key("downdownbuttonrect", vertical ? VArrowNearDown : HArrowNearDown);
    t.key("activeupbuttonrect", vertical ? VArrowFarHot : HArrowFarHot);
    t.key("downupbuttonrect", vertical ? VArrowFarDown : HArrowFarDown);
    const auto& thumbs = vertical ? VThumbs : HThumbs;
    t.key("thumbrect", thumbs[0]);
    t.key("activethumbrect", thumbs[1]);
    t.key("downthumbrect", thumbs[2]);
    t.key("glyphrect", vertical ? VGrip : HGrip);
    t.key("thumboffset1", 4);
    t.key("thumboffset2", 4);
}

void trackBar(IniText& t, const char* name, const Rect& skin, bool vertical)
{
    start(t, name, skin);
    // The track runs from 8 to 92 along the bar and from 8 to 12 across it.
    if (vertical) {
        t.point("lefttoppoint", 0, 8);
        t.point("leftbottompoint", 0, 92);
        t.key("trackarea", Rect{8, 8, 12, 92});
    } else {
        t.point("lefttoppoint", 8, 0);
        t.point("righttoppoint", 92, 0);
        t.key("trackarea", Rect{8, 8, 92, 12});
    }
    t.key("buttonrect", vertical ? VThumb : HThumb);
    t.key("activebuttonrect", vertical ? VThumbActive : HThumbActive);
    if (vertical) t.key("vertical", 1);
    t.key("buttontransparent", 1);
    t.colour("buttontransparentcolor", KeyColour);
}

void checkRadio(IniText& t, const SkinParams& p, const Palette& c, const char* name, const Rect& skin,
                const Rect& active, bool radio)
{
    auto markAt = [radio](int i) { return radio ? radioMark(i) : checkMark(i); };
    start(t, name, skin);
    t.point("lefttoppoint", 20, 0);
    t.point("righttoppoint", skin.width() - 4, 0);
    t.key("clientrect", Rect{20, 0, skin.width() - 4, skin.height()});
    font(t, c.panelText);
    t.colour("activefontcolor", readableOn(c.panelText, mix(c.panel, c.accent, 0.10)));
    t.colour("unenabledfontcolor", mix(c.panelText, c.panel, 0.55));
    t.key("activeskinrect", active);
    t.key("checkimagearea", Rect{2, 3, 2 + MarkSize, 3 + MarkSize});
    t.key("textarea", Rect{20, 0, skin.width() - 2, skin.height()});
    t.key("uncheckimagerect", markAt(0));
    t.key("checkimagerect", markAt(1));
    t.key("activeuncheckimagerect", markAt(2));
    t.key("activecheckimagerect", markAt(3));
    t.key("unenableduncheckimagerect", markAt(4));
    t.key("unenabledcheckimagerect", markAt(5));
    t.key("morphing", p.morphing ? 1 : 0);
    t.key("morphkind", morphWord(p.morphKind));
    t.colour("framefontcolor", c.panelText);
}

void panels(IniText& t, const Palette& c)
{
    start(t, "panel", Panel);
    corners(t, {6, PanelHeader}, {58, PanelHeader}, {6, 58}, {58, 58}, {3, PanelHeader, 61, 61});
    t.key("captionrect", Rect{4, 2, 60, PanelHeader - 2});
    t.key("alignment", "taleftjustify");
    font(t, c.headerText, true);
    t.key("uncheckimagerect", checkMark(0));
    t.key("checkimagerect", checkMark(1));

    start(t, "toolpanel", ToolPanel);
    corners(t, {2, 2}, {30, 2}, {2, 23}, {30, 23}, {2, 2, 30, 23});
    font(t, c.headerText);

    start(t, "statusbar", StatusBar);
    corners(t, {2, 2}, {30, 2}, {2, 19}, {30, 19}, {2, 2, 30, 19});
    font(t, c.panelText);
    t.key("gripperrect", SizeGrip);
    t.key("grippertransparent", 1);
    t.colour("grippertransparentcolor", KeyColour);
}

void exPanel(IniText& t, const Palette& c)
{
    start(t, "expanel", ExPanel);
    corners(t, {6, ExPanelHeader}, {58, ExPanelHeader}, {6, 58}, {58, 58}, {3, ExPanelHeader, 61, 61});
    t.key("rollhskinrect", RollH);
    t.key("rollvskinrect", RollV);
    t.key("rollleftoffset", 6);
    t.key("rollrightoffset", 6);
    t.key("rolltopoffset", 6);
    t.key("rollbottomoffset", 6);
    t.key("rollvcaptionrect", Rect{4, 3, 60, 17});
    t.key("rollhcaptionrect", Rect{3, 4, 17, 60});
    t.key("closebuttonrect", panelClose(0));
    t.key("closebuttonactiverect", panelClose(1));
    t.key("closebuttondownrect", panelClose(2));
    t.key("hrollbuttonrect", hRoll(0));
    t.key("hrollbuttonactiverect", hRoll(1));
    t.key("hrollbuttondownrect", hRoll(2));
    t.key("hrestorebuttonrect", hRestore(0));
    t.key("hrestorebuttonactiverect", hRestore(1));
    t.key("hrestorebuttondownrect", hRestore(2));
    t.key("vrollbuttonrect", vRoll(0));
    t.key("vrollbuttonactiverect", vRoll(1));
    t.key("vrollbuttondownrect", vRoll(2));
    t.key("vrestorebuttonrect", vRestore(0));
    t.key("vrestorebuttonactiverect", vRestore(1));
    t.key("vrestorebuttondownrect", vRestore(2));
    t.key("captionrect", Rect{4, 3, 60, 17});
    font(t, c.headerText, true);
}

void upDown(IniText& t)
{
    start(t, "hupdown", UpDown);
    t.key("downbuttonrect", Rect{0, 0, 18, 18});
    t.key("upbuttonrect", Rect{18, 0, 36, 18});
    t.key("activedownbuttonrect", UpDownDownHot);
    t.key("downdownbuttonrect", UpDownDownPressed);
    t.key("activeupbuttonrect", UpDownUpHot);
    t.key("downupbuttonrect", UpDownUpPressed);
}

void tab(IniText& t, const Palette& c)
{
    start(t, "tab", TabSheet);
    t.key("tabrect", Tab[0]);
    t.key("activetabrect", Tab[1]);
    t.key("focustabrect", Tab[2]);
    t.key("mouseintabrect", Tab[3]);
    corners(t, {6, 6}, {58, 6}, {6, 58}, {58, 58}, {3, 3, 61, 61});
    t.key("tabsbgrect", TabBackground);
    t.key("tableftoffset", 6);
    t.key("tabrightoffset", 6);
    font(t, c.faceText);
    t.colour("activefontcolor", c.tabActiveText);
    t.colour("focusfontcolor", c.tabActiveText);
    t.colour("mouseinfontcolor", c.faceHotText);
    t.key("updown", "hupdown");
    t.key("showfocus", 1);
}

// The edit, the combo box and its list box, and the plain label's colours.
void textControls(IniText& t, const Palette& c)
{
    start(t, "edit", Edit);
    t.point("lefttoppoint", 3, 0);
    t.point("righttoppoint", 61, 0);
    t.key("clientrect", Rect{3, 3, 61, 17});
    t.key("activeskinrect", EditActive);
    font(t, c.windowText);
    t.colour("disabledfontcolor", mix(c.windowText, c.window, 0.55));
    t.colour("activefontcolor", c.windowText);

    start(t, "combobox", Combo);
    t.point("lefttoppoint", 3, 0);
    t.point("righttoppoint", 61, 0);
    t.key("clientrect", Rect{3, 3, 60, 17});
    itemKeys(t, c);
    t.key("buttonrect", ComboButtonInCombo);
    t.key("activebuttonrect", ComboButtonHot);
    t.key("downbuttonrect", ComboButtonDown);
    t.key("unenabledbuttonrect", ComboButtonDisabled);
    t.key("activeskinrect", ComboActive);
    t.key("listboxname", "listbox");
    t.key("showfocus", 1);

    start(t, "listbox", ListBox);
    corners(t, {4, 4}, {60, 4}, {4, 60}, {60, 60}, {2, 2, 62, 62});
    itemKeys(t, c);
    t.key("showfocus", 1);

    t.section("stdlabel");
    font(t, c.panelText);
    t.colour("activefontcolor", c.accent == c.panel ? c.panelText : readableOn(c.accent, c.panel));
}

}  // namespace

const std::vector<NamedType>& describedControls()
{
    static const std::vector<NamedType> list{
        {"button", "button"},         {"toolbutton", "button"},       {"resizebutton", "button"},
        {"panel", "panel"},           {"toolpanel", "panel"},         {"statusbar", "panel"},
        {"expanel", "expanel"},       {"checkbox", "checkradio"},     {"radiobox", "checkradio"},
        {"htrackbar", "trackbar"},    {"trackbar", "trackbar"},       {"hscrollbar", "scrollbar"},
        {"vscrollbar", "scrollbar"},  {"bothhscrollbar", "scrollbar"}, {"hupdown", "updown"},
        {"tab", "tab"},               {"edit", "edit"},               {"combobox", "combobox"},
        {"listbox", "listbox"},       {"stdlabel", "stdlabel"}};
    return list;
}

void describeControls(IniText& t, const SkinParams& p, const Palette& c)
{
    t.section("SKINCONTROLS");
    const auto& list = describedControls();
    t.key("count", static_cast<int>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i)
        t.key(std::to_string(i), std::string(list[i].name) + ":" + list[i].type);

    pushButton(t, p, c, "button", Button, 4, ButtonAnimation);
    pushButton(t, p, c, "toolbutton", ToolButton, 3, ToolButtonAnimation);
    pushButton(t, p, c, "resizebutton", ResizeButton, 3, ResizeButtonAnimation);
    panels(t, c);
    exPanel(t, c);
    checkRadio(t, p, c, "checkbox", CheckBox, CheckBoxActive, false);
    checkRadio(t, p, c, "radiobox", RadioBox, RadioBoxActive, true);
    trackBar(t, "htrackbar", HTrackBar, false);
    trackBar(t, "trackbar", VTrackBar, true);
    scrollBar(t, "hscrollbar", HScroll, false);
    scrollBar(t, "vscrollbar", VScroll, true);
    scrollBar(t, "bothhscrollbar", HScrollBoth, false);
    upDown(t);
    tab(t, c);
    textControls(t, c);
}

}  // namespace skingen
