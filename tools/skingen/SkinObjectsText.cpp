// The caption, the caption buttons and the menu item.
#include "AtlasLayout.h"
#include "SkinText.h"
#include "SkinTextParts.h"

namespace skingen {

namespace {

const char* morphKindWord(int kind)
{
    static const char* const words[] = {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient",
                                        "mkleftslide", "mkrightslide", "mkpush"};
    return words[kind >= 0 && kind < 7 ? kind : 0];
}

struct CaptionButton {
    const char* name;
    int kind;
    int restoreKind;  // -1: the button has no second look
    const char* command;
};

const CaptionButton CaptionButtons[] = {
    {"closebutton", atlas::CapClose, -1, "cmclose"},
    {"maxbutton", atlas::CapMaximize, atlas::CapRestore, "cmmaximize"},
    {"minbutton", atlas::CapMinimize, atlas::CapRestore, "cmminimize"},
    {"rollupbutton", atlas::CapRollUp, atlas::CapRollDown, "cmrollup"},
    {"traybutton", atlas::CapTray, -1, "cmminimizetotray"},
    {"sysmenubutton", atlas::CapSysMenu, -1, "cmsysmenu"},
};

}  // namespace

const std::vector<NamedType>& describedObjects()
{
    static const std::vector<NamedType> list{
        {"caption", "caption"},         {"closebutton", "stdbutton"},  {"maxbutton", "stdbutton"},
        {"minbutton", "stdbutton"},     {"rollupbutton", "stdbutton"}, {"traybutton", "stdbutton"},
        {"sysmenubutton", "stdbutton"}, {"menuitem", "menuitem"}};
    return list;
}

void describeObjects(IniText& t, const SkinParams& p, const Palette& c, const FrameLayout& f)
{
    t.section("SKINOBJECTS");
    const auto& list = describedObjects();
    t.key("count", static_cast<int>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i)
        t.key(std::to_string(i), std::string(list[i].name) + ":" + list[i].type);

    t.section("caption");
    t.key("skinrect", f.captionRect);
    t.key("activepictureindex", -1);
    t.key("textrect", Rect{4, 0, f.captionRect.width() - 4, f.captionRect.height()});
    t.key("fontname", SkinFont);
    t.key("fontheight", 13);
    t.key("fontstyle", "fsbold");
    // A frame that dims itself dims its caption text with it: that text is chosen for the band
    // as the dimming leaves it.
    t.colour("fontcolor", p.drawnInactive ? c.captionTextInactive : c.captionTextDimmed);
    t.colour("activefontcolor", c.captionText);
    t.key("alignment", p.align == CaptionAlign::Left ? "taleftjustify"
                       : p.align == CaptionAlign::Center ? "tacenter" : "tarightjustify");
    if (p.captionShadow) {
        t.key("shadow", 1);
        t.colour("shadowcolor", mix(c.captionInactive.bottom, Rgb{0, 0, 0}, 0.25));
        t.colour("activeshadowcolor", mix(c.caption.bottom, Rgb{0, 0, 0}, 0.45));
    }

    for (const CaptionButton& b : CaptionButtons) {
        t.section(b.name);
        t.key("activepictureindex", atlas::AtlasPicture);
        t.key("skinrectinapicture", 1);
        t.key("skinrect", atlas::captionNormal(b.kind));
        t.key("activeskinrect", atlas::captionHot(b.kind));
        t.key("inactiveskinrect", atlas::captionInactive(b.kind));
        t.key("morphing", p.morphing ? 1 : 0);
        t.key("morphkind", morphKindWord(p.morphKind));
        t.key("downrect", atlas::captionDown(b.kind));
        t.key("command", b.command);
        if (b.restoreKind >= 0) {
            t.key("restorerect", atlas::captionNormal(b.restoreKind));
            t.key("restoreactiverect", atlas::captionHot(b.restoreKind));
            t.key("restoredownrect", atlas::captionDown(b.restoreKind));
            t.key("restoreinactiverect", atlas::captionInactive(b.restoreKind));
        }
    }

    t.section("menuitem");
    t.key("activepictureindex", atlas::AtlasPicture);
    t.key("skinrectinapicture", 1);
    t.key("skinrect", atlas::MenuItem);
    t.key("activeskinrect", atlas::MenuItemActive);
    t.key("itemleftoffset", 4);
    t.key("itemrightoffset", 4);
    t.key("dividerrect", atlas::MenuDivider);
    t.key("dividerleftoffset", 4);
    t.key("dividerrightoffset", 4);
    t.key("textrect", Rect{4, 0, atlas::MenuItem.width() - 4, atlas::MenuItem.height()});
    t.key("fontname", SkinFont);
    t.key("fontheight", 13);
    t.colour("fontcolor", c.menuText);
    t.colour("activefontcolor", c.selectionText);
    t.colour("unenabledfontcolor", c.menuDisabledText);
}

}  // namespace skingen
