#include "Glyphs.h"

#include <cstring>
#include <vector>

namespace skingen {

namespace {

using Pattern = std::vector<const char*>;

const Pattern& pattern(Glyph g)
{
    static const Pattern close{
        "XX....XX",
        "XXX..XXX",
        ".XXXXXX.",
        "..XXXX..",
        "..XXXX..",
        ".XXXXXX.",
        "XXX..XXX",
        "XX....XX"};
    static const Pattern maximize{
        "XXXXXXXXX",
        "XXXXXXXXX",
        "X.......X",
        "X.......X",
        "X.......X",
        "X.......X",
        "X.......X",
        "XXXXXXXXX"};
    static const Pattern restore{
        "..XXXXXXX",
        "..XXXXXXX",
        "..X.....X",
        "XXXXXXX.X",
        "XXXXXXX.X",
        "X.....XXX",
        "X.....X..",
        "X.....X..",
        "XXXXXXX.."};
    static const Pattern minimize{
        "XXXXXXXX",
        "XXXXXXXX"};
    static const Pattern rollUp{
        "...XX...",
        "..XXXX..",
        ".XXXXXX.",
        "XXXXXXXX"};
    static const Pattern rollDown{
        "XXXXXXXX",
        ".XXXXXX.",
        "..XXXX..",
        "...XX..."};
    static const Pattern tray{
        "XXXXXXXX",
        "X......X",
        "X......X",
        "X..XX..X",
        "X..XX..X",
        "XXXXXXXX"};
    static const Pattern sysMenu{
        "XXXXXXXX",
        "XXXXXXXX",
        "........",
        "XXXXXXXX",
        "........",
        "XXXXXXXX"};
    static const Pattern left{
        "...X",
        "..XX",
        ".XXX",
        "XXXX",
        ".XXX",
        "..XX",
        "...X"};
    static const Pattern right{
        "X...",
        "XX..",
        "XXX.",
        "XXXX",
        "XXX.",
        "XX..",
        "X..."};
    static const Pattern up{
        "...X...",
        "..XXX..",
        ".XXXXX.",
        "XXXXXXX"};
    static const Pattern down{
        "XXXXXXX",
        ".XXXXX.",
        "..XXX..",
        "...X..."};
    static const Pattern check{
        "......X",
        ".....XX",
        "X...XXX",
        "XX.XXX.",
        "XXXXX..",
        ".XXX...",
        "..X...."};
    static const Pattern dot{
        ".XXX.",
        "XXXXX",
        "XXXXX",
        "XXXXX",
        ".XXX."};
    static const Pattern smallCross{
        "XX...XX",
        "XXX.XXX",
        ".XXXXX.",
        "..XXX..",
        ".XXXXX.",
        "XXX.XXX",
        "XX...XX"};
    static const Pattern gripH{
        "X.X.X.X.",
        "........",
        "X.X.X.X.",
        "........",
        "X.X.X.X.",
        "........",
        "X.X.X.X."};
    static const Pattern gripV{
        "X.X.X.X",
        ".......",
        "X.X.X.X",
        ".......",
        "X.X.X.X",
        ".......",
        "X.X.X.X",
        "......."};
    static const Pattern sizeGrip{
        "........XX",
        "........XX",
        "..........",
        ".....XX.XX",
        ".....XX.XX",
        "..........",
        "..XX.XX.XX",
        "..XX.XX.XX"};
    switch (g) {
    case Glyph::Close: return close;
    case Glyph::Maximize: return maximize;
    case Glyph::Restore: return restore;
    case Glyph::Minimize: return minimize;
    case Glyph::RollUp: return rollUp;
    case Glyph::RollDown: return rollDown;
    case Glyph::Tray: return tray;
    case Glyph::SysMenu: return sysMenu;
    case Glyph::ArrowLeft: return left;
    case Glyph::ArrowRight: return right;
    case Glyph::ArrowUp: return up;
    case Glyph::ArrowDown: return down;
    case Glyph::Check: return check;
    case Glyph::Dot: return dot;
    case Glyph::SmallCross: return smallCross;
    case Glyph::GripHorizontal: return gripH;
    case Glyph::GripVertical: return gripV;
    case Glyph::SizeGrip: return sizeGrip;
    }
    return close;
}

// The glyph sits low in its cell when that is how people expect it (the minimize bar).
int baselineShift(Glyph g) { return g == Glyph::Minimize ? 3 : 0; }

void plot(Image& image, Glyph g, const Rect& cell, Rgb colour, int dx, int dy, bool halo)
{
    const Pattern& p = pattern(g);
    const int w = glyphWidth(g), h = glyphHeight(g);
    const int x0 = cell.left + (cell.width() - w) / 2 + dx;
    const int y0 = cell.top + (cell.height() - h) / 2 + dy + baselineShift(g);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (p[y][x] != 'X') continue;
            if (!halo) {
                image.set(x0 + x, y0 + y, colour);
                continue;
            }
            for (int oy = -1; oy <= 1; ++oy)
                for (int ox = -1; ox <= 1; ++ox)
                    if (cell.contains(x0 + x + ox, y0 + y + oy))
                        image.blend(x0 + x + ox, y0 + y + oy, colour, (ox == 0 || oy == 0) ? 0.55 : 0.3);
        }
}

}  // namespace

int glyphWidth(Glyph g) { return static_cast<int>(std::strlen(pattern(g)[0])); }
int glyphHeight(Glyph g) { return static_cast<int>(pattern(g).size()); }

void drawGlyph(Image& image, Glyph g, const Rect& cell, Rgb colour, int dx, int dy)
{
    plot(image, g, cell, colour, dx, dy, false);
}

void drawGlyphWithHalo(Image& image, Glyph g, const Rect& cell, Rgb colour, Rgb halo, int dx, int dy)
{
    plot(image, g, cell, halo, dx, dy, true);
    plot(image, g, cell, colour, dx, dy, false);
}

}  // namespace skingen
