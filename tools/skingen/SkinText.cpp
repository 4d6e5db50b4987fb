#include "SkinText.h"

#include "AtlasLayout.h"
#include "SkinTextParts.h"

namespace skingen {

namespace {

const char* inactiveEffectWord(int effect)
{
    static const char* const words[] = {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
    return words[effect >= 0 && effect < 6 ? effect : 0];
}

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
    t.point("lefttoppoint", f.leftTop.x, f.leftTop.y);
    t.point("righttoppoint", f.rightTop.x, f.rightTop.y);
    t.point("leftbottompoint", f.leftBottom.x, f.leftBottom.y);
    t.point("rightbottompoint", f.rightBottom.x, f.rightBottom.y);
    t.key("clientrect", f.client);
    t.key("maskrectarea", f.client);
    // Sizing grabs the corners within 12 pixels of them.
    t.point("hittestlefttoppoint", 12, 12);
    t.point("hittestrighttoppoint", w - 12, 12);
    t.point("hittestleftbottompoint", 12, h - 12);
    t.point("hittestrightbottompoint", w - 12, h - 12);
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
    t.point("lefttoppoint", 6, 6);
    t.point("righttoppoint", atlas::PopupWidth - 6, 6);
    t.point("leftbottompoint", 6, atlas::PopupHeight - 6);
    t.point("rightbottompoint", atlas::PopupWidth - 6, atlas::PopupHeight - 6);
    t.key("itemsrect", Rect{3, 3, atlas::PopupWidth - 3, atlas::PopupHeight - 3});
    t.colour("scrollmarkercolor", c.menuText);
    t.colour("scrollmarkeractivecolor", c.accent);

    t.section("HINTWINDOW");
    t.key("windowpictureindex", atlas::HintPicture);
    t.point("lefttoppoint", 5, 5);
    t.point("righttoppoint", atlas::HintWidth - 5, 5);
    t.point("leftbottompoint", 5, atlas::HintHeight - 5);
    t.point("rightbottompoint", atlas::HintWidth - 5, atlas::HintHeight - 5);
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

IniText describeSkin(const SkinParams& p, const Palette& c, const FrameLayout& f)
{
    IniText t;
    describeWindow(t, p, c, f);
    describeObjects(t, p, c, f);
    describeControls(t, p, c);
    return t;
}

}  // namespace skingen
