#include "SkinChecks.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <sstream>
#include <tuple>

#include "AtlasLayout.h"
#include "DimmedLook.h"
#include "SkinText.h"
#include "SkinTextParts.h"

namespace skingen {

namespace {

std::optional<Rect> rectOf(const IniText& t, const std::string& section, const std::string& key)
{
    const std::string* v = t.find(section, key);
    if (!v) return std::nullopt;
    Rect r;
    char tail = 0;
    if (std::sscanf(v->c_str(), "%d,%d,%d,%d%c", &r.left, &r.top, &r.right, &r.bottom, &tail) != 4) return std::nullopt;
    return r;
}

Point pointOf(const IniText& t, const std::string& section, const std::string& key)
{
    Point p;
    const std::string* v = t.find(section, key);
    if (v) std::sscanf(v->c_str(), "%d,%d", &p.x, &p.y);
    return p;
}

std::string show(const Rect& r)
{
    std::ostringstream s;
    s << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    return s.str();
}

// Keys whose rectangles are relative to the description's own image rather than the picture.
bool relativeKey(const std::string& type, const std::string& key)
{
    static const std::set<std::string> always{"clientrect", "trackarea", "checkimagearea", "textarea", "textrect",
                                              "itemtextrect", "rollvcaptionrect", "rollhcaptionrect"};
    if (always.count(key)) return true;
    if (key == "captionrect") return type == "panel" || type == "expanel";
    if (key == "upbuttonrect" || key == "downbuttonrect") return type == "scrollbar" || type == "updown";
    if (key == "buttonrect") return type == "combobox" || type == "edit";
    return false;
}

// Pairs of keys that name two looks of one image and so must have one size.
const std::vector<std::pair<std::string, std::string>>& sameSizePairs()
{
    static const std::vector<std::pair<std::string, std::string>> pairs{
        {"skinrect", "activeskinrect"}, {"skinrect", "downskinrect"}, {"skinrect", "disabledskinrect"},
        {"skinrect", "downrect"}, {"skinrect", "inactiveskinrect"},
        {"restorerect", "restoreactiverect"}, {"restorerect", "restoredownrect"}, {"restorerect", "restoreinactiverect"},
        {"downbuttonrect", "activedownbuttonrect"}, {"downbuttonrect", "downdownbuttonrect"},
        {"upbuttonrect", "activeupbuttonrect"}, {"upbuttonrect", "downupbuttonrect"},
        {"thumbrect", "activethumbrect"}, {"thumbrect", "downthumbrect"},
        {"buttonrect", "activebuttonrect"}, {"buttonrect", "downbuttonrect"}, {"buttonrect", "unenabledbuttonrect"},
        {"itemrect", "activeitemrect"}, {"itemrect", "focusitemrect"},
        {"tabrect", "activetabrect"}, {"tabrect", "focustabrect"}, {"tabrect", "mouseintabrect"},
        {"checkimagerect", "uncheckimagerect"}, {"checkimagerect", "activecheckimagerect"},
        {"checkimagerect", "activeuncheckimagerect"}, {"checkimagerect", "unenabledcheckimagerect"},
        {"checkimagerect", "unenableduncheckimagerect"}, {"checkimagerect", "checkimagearea"},
        {"closebuttonrect", "closebuttonactiverect"}, {"closebuttonrect", "closebuttondownrect"},
        {"vrollbuttonrect", "vrollbuttonactiverect"}, {"vrollbuttonrect", "vrollbuttondownrect"},
        {"vrestorebuttonrect", "vrestorebuttonactiverect"}, {"hrollbuttonrect", "hrollbuttonactiverect"},
        {"hrestorebuttonrect", "hrestorebuttonactiverect"}};
    return pairs;
}

const char* const RectKeys[] = {
    "skinrect", "activeskinrect", "downskinrect", "disabledskinrect", "downrect", "inactiveskinrect", "restorerect",
    "restoreactiverect", "restoredownrect", "restoreinactiverect", "clientrect", "captionrect", "trackarea",
    "upbuttonrect", "activeupbuttonrect", "downupbuttonrect", "downbuttonrect", "activedownbuttonrect",
    "downdownbuttonrect", "thumbrect", "activethumbrect", "downthumbrect", "glyphrect", "buttonrect",
    "activebuttonrect", "unenabledbuttonrect", "itemrect", "activeitemrect", "focusitemrect", "itemtextrect",
    "tabrect", "activetabrect", "focustabrect", "mouseintabrect", "tabsbgrect", "checkimagerect",
    "uncheckimagerect", "activecheckimagerect", "activeuncheckimagerect", "unenabledcheckimagerect",
    "unenableduncheckimagerect", "checkimagearea", "textarea", "textrect", "dividerrect", "gripperrect",
    "rollhskinrect", "rollvskinrect", "rollvcaptionrect", "rollhcaptionrect", "closebuttonrect",
    "closebuttonactiverect", "closebuttondownrect", "hrollbuttonrect", "hrollbuttonactiverect",
    "hrollbuttondownrect", "hrestorebuttonrect", "hrestorebuttonactiverect", "hrestorebuttondownrect",
    "vrollbuttonrect", "vrollbuttonactiverect", "vrollbuttondownrect", "vrestorebuttonrect",
    "vrestorebuttonactiverect", "vrestorebuttondownrect", "animateskinrect"};

void checkSection(const SkinBundle& skin, const std::string& section, const std::string& type,
                  std::vector<std::string>& problems)
{
    const IniText& t = skin.text;
    const Rect atlasBounds = skin.atlas.bounds();
    const auto skinRect = rectOf(t, section, "skinrect");
    // A caption lies in the frame picture; every other image in the atlas.
    const Rect pictureBounds = type == "caption" ? skin.frame.bounds() : atlasBounds;
    for (const char* key : RectKeys) {
        const auto r = rectOf(t, section, key);
        if (!r) continue;
        if (r->empty()) {
            problems.push_back("[" + section + "] " + key + " is empty");
            continue;
        }
        Rect outer = pictureBounds;
        if (relativeKey(type, key)) {
            const std::string base = std::string(key) == "itemtextrect" ? "itemrect" : "skinrect";
            const auto b = rectOf(t, section, base);
            outer = b ? Rect{0, 0, b->width(), b->height()} : Rect{};
        }
        if (!r->inside(outer))
            problems.push_back("[" + section + "] " + key + "=" + show(*r) + " lies outside " + show(outer));
    }
    for (const auto& [a, b] : sameSizePairs()) {
        const auto ra = rectOf(t, section, a), rb = rectOf(t, section, b);
        if (!ra || !rb) continue;
        if (std::string(b) == "checkimagearea" || !relativeKey(type, b) || relativeKey(type, a) == relativeKey(type, b))
            if (ra->width() != rb->width() || ra->height() != rb->height())
                problems.push_back("[" + section + "] " + b + " is not the size of " + a);
    }
    if (const auto anim = rectOf(t, section, "animateskinrect"); anim && skinRect) {
        const std::string* frames = t.find(section, "framecount");
        const int n = frames ? std::stoi(*frames) : 0;
        if (n <= 0 || anim->width() != n * skinRect->width() || anim->height() != skinRect->height())
            problems.push_back("[" + section + "] animation strip does not hold its frames side by side");
    }
}

bool inKeyedCell(int x, int y)
{
    for (const Rect& r : keyedCells())
        if (r.contains(x, y)) return true;
    return false;
}

void noKey(const Image& image, const char* what, std::vector<std::string>& problems)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.at(x, y) == KeyColour) {
                problems.push_back(std::string("key colour in the ") + what + " at " + std::to_string(x) + "," + std::to_string(y));
                return;
            }
}

}  // namespace

std::vector<Rect> keyedCells()
{
    std::vector<Rect> cells{atlas::HThumb, atlas::HThumbActive, atlas::VThumb, atlas::VThumbActive, atlas::SizeGrip};
    for (int i = 0; i < 6; ++i) {
        cells.push_back(atlas::checkMark(i));
        cells.push_back(atlas::radioMark(i));
    }
    return cells;
}

std::vector<std::string> checkDescribedNames(const SkinBundle& skin)
{
    std::vector<std::string> problems;
    const IniText& t = skin.text;
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "POPUPWINDOW", "HINTWINDOW", "SKINCOLORS",
                                "SKINOBJECTS", "SKINCONTROLS"})
        if (!t.hasSection(section)) problems.push_back(std::string("no [") + section + "]");
    auto checkList = [&](const char* list, const std::vector<NamedType>& wanted) {
        std::set<std::string> seen;
        const std::string* count = t.find(list, "count");
        const int n = count ? std::stoi(*count) : 0;
        for (int i = 0; i < n; ++i) {
            const std::string* entry = t.find(list, std::to_string(i));
            if (!entry) continue;
            const std::string name = entry->substr(0, entry->find(':'));
            if (!seen.insert(name).second) problems.push_back(std::string(list) + " names " + name + " twice");
            if (!t.hasSection(name)) problems.push_back(name + " has no section");
        }
        for (const NamedType& w : wanted) {
            bool found = false;
            for (int i = 0; i < n; ++i)
                if (const std::string* e = t.find(list, std::to_string(i)); e && *e == std::string(w.name) + ":" + w.type)
                    found = true;
            if (!found) problems.push_back(std::string(list) + " lacks " + w.name + ":" + w.type);
        }
    };
    checkList("SKINOBJECTS", describedObjects());
    checkList("SKINCONTROLS", describedControls());
    return problems;
}

std::vector<std::string> checkRectangles(const SkinBundle& skin)
{
    std::vector<std::string> problems;
    for (const NamedType& o : describedObjects()) checkSection(skin, o.name, o.type, problems);
    for (const NamedType& c : describedControls()) checkSection(skin, c.name, c.type, problems);
    const FrameLayout& f = skin.layout;
    if (!f.captionRect.inside(skin.frame.bounds())) problems.push_back("the caption lies outside the frame");
    if (f.captionRect.top < 0 || f.captionRect.bottom > f.client.top) problems.push_back("the caption leaves the caption band");
    return problems;
}

std::vector<std::string> checkKeyColour(const SkinBundle& skin)
{
    std::vector<std::string> problems;
    noKey(skin.frame, "frame", problems);
    if (!skin.inactiveFrame.empty()) noKey(skin.inactiveFrame, "inactive frame", problems);
    noKey(skin.popup, "popup frame", problems);
    noKey(skin.hint, "hint frame", problems);
    noKey(skin.tile, "client tile", problems);
    for (int y = 0; y < skin.atlas.height(); ++y)
        for (int x = 0; x < skin.atlas.width(); ++x)
            if (skin.atlas.at(x, y) == KeyColour && !inKeyedCell(x, y)) {
                problems.push_back("stray key colour in the atlas at " + std::to_string(x) + "," + std::to_string(y));
                return problems;
            }
    // The drawing takes the transparent colour from a cell's bottom-left pixel.
    for (const Rect& r : keyedCells())
        if (skin.atlas.at(r.left, r.bottom - 1) != KeyColour)
            problems.push_back("keyed cell " + show(r) + " does not start from the key colour");
    return problems;
}

namespace {

// A run the engine tiles along its rows (or its columns) must look the same all along it.
void uniformRows(const Image& image, const Rect& r, const std::string& what, std::vector<std::string>& problems)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left + 1; x < r.right; ++x)
            if (image.at(x, y) != image.at(r.left, y)) {
                problems.push_back(what + " changes along its tiled run at " + std::to_string(x) + "," + std::to_string(y));
                return;
            }
}

void uniformColumns(const Image& image, const Rect& r, const std::string& what, std::vector<std::string>& problems)
{
    for (int x = r.left; x < r.right; ++x)
        for (int y = r.top + 1; y < r.bottom; ++y)
            if (image.at(x, y) != image.at(x, r.top)) {
                problems.push_back(what + " changes along its tiled run at " + std::to_string(x) + "," + std::to_string(y));
                return;
            }
}

void frameEdges(const SkinBundle& skin, std::vector<std::string>& problems)
{
    const FrameLayout& f = skin.layout;
    for (const Image* frame : {&skin.frame, &skin.inactiveFrame, &skin.mask}) {
        if (frame->empty()) continue;
        uniformRows(*frame, {f.leftTop.x, 0, f.rightTop.x, f.client.top}, "the frame's top edge", problems);
        uniformRows(*frame, {f.leftBottom.x, f.client.bottom, f.rightBottom.x, frame->height()}, "the frame's bottom edge", problems);
        uniformColumns(*frame, {0, f.leftTop.y, f.client.left, f.leftBottom.y}, "the frame's left edge", problems);
        uniformColumns(*frame, {f.client.right, f.rightTop.y, frame->width(), f.rightBottom.y}, "the frame's right edge", problems);
    }
}

// Strips and nine-part controls tile their edges: those runs must not change along them.
void atlasStrips(const Image& a, std::vector<std::string>& problems)
{
    auto strip = [&](const Rect& cell, int left, int right, const std::string& what) {
        uniformRows(a, {cell.left + left, cell.top, cell.right - right, cell.bottom}, what, problems);
    };
    auto vstrip = [&](const Rect& cell, int top, int bottom, const std::string& what) {
        uniformColumns(a, {cell.left, cell.top + top, cell.right, cell.bottom - bottom}, what, problems);
    };
    for (const Rect& cell : {atlas::Edit, atlas::EditActive}) strip(cell, 3, 3, "an edit");
    for (const Rect& cell : {atlas::Combo, atlas::ComboActive}) strip(cell, 3, 19, "a combo box");
    strip(atlas::HTrackBar, 8, 8, "the track bar");
    vstrip(atlas::VTrackBar, 8, 8, "the vertical track bar");
    strip(atlas::HScroll, 19, 19, "the scroll bar");
    strip(atlas::HScrollBoth, 19, 38, "the scroll bar with corner");
    vstrip(atlas::VScroll, 19, 19, "the vertical scroll bar");
    for (const Rect& cell : atlas::HThumbs) strip(cell, 4, 4, "a scroll thumb");
    for (const Rect& cell : atlas::VThumbs) vstrip(cell, 4, 4, "a vertical scroll thumb");
    strip(atlas::RollV, 6, 6, "the rolled panel");
    vstrip(atlas::RollH, 6, 6, "the rolled panel");
    strip(atlas::CheckBox, 20, 4, "the check box");
    strip(atlas::RadioBox, 20, 4, "the radio box");
    for (const Rect& cell : {atlas::Panel, atlas::ExPanel})
        strip({cell.left, cell.top, cell.right, cell.top + atlas::PanelHeader}, 6, 6, "a panel header");
    for (const Rect& cell : atlas::Button) strip({cell.left, cell.top, cell.right, cell.top + 4}, 4, 4, "a button's top edge");
    for (const Rect& cell : atlas::Tab) strip(cell, 6, 6, "a tab");
    for (const Rect& cell : atlas::ListItem) strip(cell, 3, 3, "a list item");
    for (const Rect& cell : {atlas::MenuItem, atlas::MenuItemActive}) strip(cell, 4, 4, "a menu item");
    strip(atlas::MenuDivider, 4, 4, "the menu divider");
}

// Every described image, cut as the engine cuts it by its corner points. Edges that run
// downwards only matter for controls whose height changes.
void describedImages(const SkinBundle& skin, std::vector<std::string>& problems)
{
    const Image& a = skin.atlas;
    static const std::set<std::string> growsDownwards{"panel", "expanel", "listbox", "tab", "vscrollbar", "trackbar"};
    for (const NamedType& control : describedControls()) {
        const std::string name = control.name;
        const auto skinRect = rectOf(skin.text, name, "skinrect");
        if (!skinRect) continue;
        const Point lt = pointOf(skin.text, name, "lefttoppoint"), rt = pointOf(skin.text, name, "righttoppoint");
        const Point lb = pointOf(skin.text, name, "leftbottompoint"), rb = pointOf(skin.text, name, "rightbottompoint");
        const Rect cl = rectOf(skin.text, name, "clientrect").value_or(Rect{});
        const Rect& r = *skinRect;
        const int w = r.width(), h = r.height();
        const std::string what = "[" + name + "]";
        if (rb.x != 0 && rb.y != 0) {
            uniformRows(a, Rect{lt.x, 0, rt.x, cl.top}.moved(r.left, r.top), what + " top edge", problems);
            uniformRows(a, Rect{lb.x, cl.bottom, rb.x, h}.moved(r.left, r.top), what + " bottom edge", problems);
            uniformRows(a, cl.moved(r.left, r.top), what + " client", problems);
            if (growsDownwards.count(name)) {
                uniformColumns(a, Rect{0, lt.y, cl.left, lb.y}.moved(r.left, r.top), what + " left edge", problems);
                uniformColumns(a, Rect{cl.right, rt.y, w, rb.y}.moved(r.left, r.top), what + " right edge", problems);
                uniformColumns(a, cl.moved(r.left, r.top), what + " client", problems);
            }
        } else if (rt.x != 0 || rt.y != 0) {
            uniformRows(a, Rect{lt.x, 0, rt.x, h}.moved(r.left, r.top), what + " middle", problems);
        } else if (lb.x != 0 || lb.y != 0) {
            uniformColumns(a, Rect{0, lt.y, w, lb.y}.moved(r.left, r.top), what + " middle", problems);
        }
    }
}

}  // namespace

std::vector<std::string> checkTiledStrips(const SkinBundle& skin)
{
    std::vector<std::string> problems;
    frameEdges(skin, problems);
    atlasStrips(skin.atlas, problems);
    // The popup and hint frames grow both ways around their items.
    for (const auto& [image, inner, what] : {std::tuple{&skin.popup, 6, "the popup frame"}, std::tuple{&skin.hint, 5, "the hint frame"}}) {
        const int w = image->width(), h = image->height();
        uniformRows(*image, {inner, 0, w - inner, h}, what, problems);
        uniformColumns(*image, {0, inner, w, h - inner}, what, problems);
    }
    describedImages(skin, problems);
    return problems;
}

namespace {

std::optional<Rgb> colourOf(const IniText& t, const std::string& section, const std::string& key)
{
    const std::string* v = t.find(section, key);
    if (!v) return std::nullopt;
    const unsigned long value = std::stoul(*v);
    return Rgb{static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
               static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

// Text is drawn centred across the area: the column through its middle meets every shade the
// text stands on, top to bottom.
void textOverPixels(const Image& picture, const Rect& area, Rgb text, const std::string& what,
                    std::vector<std::string>& problems)
{
    const int x = (area.left + area.right) / 2;
    for (int y = area.top; y < area.bottom; ++y)
        if (contrastRatio(text, picture.at(x, y)) < 4.5) {
            problems.push_back(what + " has a contrast of only " + std::to_string(contrastRatio(text, picture.at(x, y))) +
                               " at " + std::to_string(x) + "," + std::to_string(y));
            return;
        }
}

}  // namespace

std::vector<std::string> checkTextContrast(const SkinBundle& skin)
{
    std::vector<std::string> problems;
    const IniText& t = skin.text;
    const Image& atlas = skin.atlas;
    // Font colour key, image key, and the text area within the image (relative; empty: the
    // image less two rows of edge at top and bottom).
    auto check = [&](const std::string& section, const char* colourKey, const char* imageKey, const Rect& relative) {
        const auto colour = colourOf(t, section, colourKey);
        const auto image = rectOf(t, section, imageKey);
        if (!colour || !image) return;
        const Rect area = relative.empty() ? Rect{image->left, image->top + 2, image->right, image->bottom - 2}
                                           : relative.moved(image->left, image->top);
        textOverPixels(atlas, area, *colour, "[" + section + "] " + colourKey, problems);
    };
    auto relativeRect = [&](const std::string& section, const char* key) {
        return rectOf(t, section, key).value_or(Rect{});
    };

    for (const char* b : {"button", "toolbutton", "resizebutton"}) {
        const Rect client = relativeRect(b, "clientrect");
        check(b, "fontcolor", "skinrect", client);
        check(b, "activefontcolor", "activeskinrect", client);
        check(b, "downfontcolor", "downskinrect", client);
    }
    for (const char* p : {"panel", "expanel"}) check(p, "fontcolor", "skinrect", relativeRect(p, "captionrect"));
    check("toolpanel", "fontcolor", "skinrect", {});
    check("statusbar", "fontcolor", "skinrect", {});
    for (const char* c : {"checkbox", "radiobox"}) {
        check(c, "fontcolor", "skinrect", relativeRect(c, "textarea"));
        check(c, "activefontcolor", "activeskinrect", relativeRect(c, "textarea"));
    }
    // Inactive tabs stand two rows lower than the selected one, under their edge.
    const Rect tabText{0, 5, atlas::Tab[0].width(), atlas::Tab[0].height() - 1};
    check("tab", "fontcolor", "tabrect", tabText);
    check("tab", "activefontcolor", "activetabrect", tabText);
    check("tab", "focusfontcolor", "focustabrect", tabText);
    check("tab", "mouseinfontcolor", "mouseintabrect", tabText);
    check("edit", "fontcolor", "skinrect", relativeRect("edit", "clientrect"));
    check("edit", "activefontcolor", "activeskinrect", relativeRect("edit", "clientrect"));
    for (const char* l : {"listbox", "combobox"}) {
        check(l, "fontcolor", "itemrect", {});
        check(l, "activefontcolor", "activeitemrect", {});
        check(l, "focusfontcolor", "focusitemrect", {});
    }
    check("combobox", "fontcolor", "skinrect", relativeRect("combobox", "clientrect"));
    check("menuitem", "fontcolor", "skinrect", {});
    check("menuitem", "activefontcolor", "activeskinrect", {});

    // The caption over the frame's caption band, active and inactive.
    const Rect caption = skin.layout.captionRect;
    if (const auto active = colourOf(t, "caption", "activefontcolor"))
        textOverPixels(skin.frame, caption, *active, "[caption] activefontcolor", problems);
    if (const auto inactive = colourOf(t, "caption", "fontcolor")) {
        if (!skin.inactiveFrame.empty()) {
            textOverPixels(skin.inactiveFrame, caption, *inactive, "[caption] fontcolor", problems);
        } else {
            const std::string* effect = t.find("FORMINFO", "inactiveeffect");
            const double dimmed = dimmedContrastOver(skin.frame, caption, effect ? *effect : "", *inactive);
            if (dimmed < 4.5)
                problems.push_back("[caption] fontcolor has a contrast of only " + std::to_string(dimmed) +
                                   " once the inactive effect dims the caption");
        }
    }
    // Hints inside their frame; labels on the window's background tile.
    if (const auto hint = colourOf(t, "HINTWINDOW", "fontcolor"))
        textOverPixels(skin.hint, rectOf(t, "HINTWINDOW", "clientrect").value_or(Rect{}), *hint, "[HINTWINDOW] fontcolor",
                       problems);
    if (const auto label = colourOf(t, "stdlabel", "fontcolor"))
        for (int x = 0; x < skin.tile.width(); ++x)
            textOverPixels(skin.tile, {x, 0, x + 1, skin.tile.height()}, *label, "[stdlabel] fontcolor", problems);
    return problems;
}

std::vector<std::string> checkMask(const SkinBundle& skin)
{
    std::vector<std::string> problems;
    const Image& m = skin.mask;
    if (m.width() != skin.frame.width() || m.height() != skin.frame.height())
        problems.push_back("the mask is not the frame's size");
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x) {
            const Rgb p = m.at(x, y);
            if (p != Rgb{0, 0, 0} && p != Rgb{255, 255, 255}) {
                problems.push_back("the mask holds a grey pixel");
                return problems;
            }
            if (p == Rgb{255, 255, 255} && skin.layout.client.contains(x, y)) {
                problems.push_back("the mask cuts into the client area");
                return problems;
            }
        }
    return problems;
}

std::vector<std::string> checkSkin(const SkinBundle& skin)
{
    std::vector<std::string> all;
    for (auto part : {checkDescribedNames, checkRectangles, checkKeyColour, checkTiledStrips, checkTextContrast, checkMask})
        for (auto& p : part(skin)) all.push_back(std::move(p));
    return all;
}

}  // namespace skingen
