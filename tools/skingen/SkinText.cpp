#include "SkinText.h"

#include "AtlasLayout.h"
#include "SkinTextParts.h"

namespace skingen {

const char* inactiveEffectWord(int effect)
{
    static const char* const words[] = {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
    return words[effect >= 0 && effect < 6 ? effect : 0];
}

namespace {

void describeWindow(IniText& t, const SkinParams& p, const Palette& c, const FrameLayout& f)
{
    t.section("VERSION");
    t.key("skinname", p.name);
    t.key("skinauthor", "Trebanix skin generator");
    t.key("ver", 1);

    t.section("PICTURES");
    t.key("picture", pictureFiles::Frame);
    t.key("inactivepicture", p.drawnInactive ? pictureFiles::InactiveFrame : "");
    t.key("mask", pictureFiles::Mask);
    t.key("activepicturescount", 4);
    t.key("0", pictureFiles::Atlas);
    t.key("1", pictureFiles::Popup);
    t.key("2", pictureFiles::Hint);
    t.key("3", pictureFiles::Tile);

    const int w = atlas::FrameWidth, h = atlas::FrameHeight;
    t.section("FORMINFO");
    cornerPoints(t, f.leftTop, f.rightTop, f.leftBottom, f.rightBottom);
    t.key("clientrect", f.client);
    t.key("maskrectarea", f.client);
    // Sizing grabs the corners within 12 pixels of them.
    insetCornerPoints(t, w, h, 12, "hittest");
    t.key("captionrect", f.captionRect);
    t.key("buttonsoffset", f.buttonsOffset);
    t.key("buttonsinleft", p.buttonsInLeft ? 1 : 0);
    t.key("borderwidth", f.border);
    t.key("formminwidth", 120);
    t.key("bgpictureindex", atlas::TilePicture);
    t.key("autorenderinginactiveimage", p.drawnInactive ? 0 : 1);
    t.key("inactiveeffect", inactiveEffectWord(p.inactiveEffect));

    t.section("POPUPWINDOW");
    t.key("windowpictureindex", atlas::PopupPicture);
    insetCornerPoints(t, atlas::PopupWidth, atlas::PopupHeight, 6);
    t.key("itemsrect", Rect{3, 3, atlas::PopupWidth - 3, atlas::PopupHeight - 3});
    t.colour("scrollmarkercolor", c.menuText);
    t.colour("scrollmarkeractivecolor", c.accent);

    t.section("HINTWINDOW");
    t.key("windowpictureindex", atlas::HintPicture);
    insetCornerPoints(t, atlas::HintWidth, atlas::HintHeight, 5);
    t.key("clientrect", Rect{4, 4, atlas::HintWidth - 4, atlas::HintHeight - 4});
    t.key("fontname", SkinFont);
    t.key("fontheight", 13);
    t.colour("fontcolor", c.hintText);

    t.section("SKINCOLORS");
    t.colour("cbtnface", c.panel);
    t.colour("cbtntext", c.panelText);
    t.colour("cwindow", c.window);
    t.colour("cwindowtext", c.windowText);
    t.colour("chighlight", c.selection);
    t.colour("chighlighttext", c.selectionText);
    t.colour("cbtnhighlight", c.light);
    t.colour("cbtnshadow", c.shade);
}

}  // namespace

void cornerPoints(IniText& t, Point lt, Point rt, Point lb, Point rb, const std::string& prefix)
{
    t.point(prefix + "lefttoppoint", lt.x, lt.y);
    t.point(prefix + "righttoppoint", rt.x, rt.y);
    t.point(prefix + "leftbottompoint", lb.x, lb.y);
    t.point(prefix + "rightbottompoint", rb.x, rb.y);
}

void insetCornerPoints(IniText& t, int w, int h, int inset, const std::string& prefix)
{
    cornerPoints(t, {inset, inset}, {w - inset, inset}, {inset, h - inset}, {w - inset, h - inset}, prefix);
}

IniText describeSkin(const SkinParams& p, const Palette& c, const FrameLayout& f)
{
    IniText t;
    describeWindow(t, p, c, f);
    describeObjects(t, p, c, f);
    describeControls(t, p, c);
    return t;
}

}  // namespace skingen
