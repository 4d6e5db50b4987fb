#include "Glyphs.h"

#include <cstring>
#include <vector>

namespace skingen {

namespace {

using Pattern = std::vector<const char*>;

// Each glyph as rows of its cell: "X" drawn, "." left alone.
const Pattern closePattern{
    "XX....XX",
    "XXX..XXX",
    ".XXXXXX.",
    "..XXXX..",
    "..XXXX..",
    ".XXXXXX.",
    "XXX..XXX",
    "XX....XX"};
const Pattern maximizePattern{
    "XXXXXXXXX",
    "XXXXXXXXX",
    "X.......X",
    "X.......X",
    "X.......X",
    "X.......X",
    "X.......X",
    "XXXXXXXXX"};
const Pattern restorePattern{
    "..XXXXXXX",
    "..XXXXXXX",
    "..X.....X",
    "XXXXXXX.X",
    "XXXXXXX.X",
    "X.....XXX",
    "X.....X..",
    "X.....X..",
    "XXXXXXX.."};
const Pattern minimizePattern{
    "XXXXXXXX",
    "XXXXXXXX"};
const Pattern rollUpPattern{
    "...XX...",
    "..XXXX..",
    ".XXXXXX.",
    "XXXXXXXX"};
const Pattern rollDownPattern{
    "XXXXXXXX",
    ".XXXXXX.",
    "..XXXX..",
    "...XX..."};
const Pattern trayPattern{
    "XXXXXXXX",
    "X......X",
    "X......X",
    "X..XX..X",
    "X..XX..X",
    "XXXXXXXX"};
const Pattern sysMenuPattern{
    "XXXXXXXX",
    "XXXXXXXX",
    "........",
    "XXXXXXXX",
    "........",
    "XXXXXXXX"};
const Pattern leftPattern{
    "...X",
    "..XX",
    ".XXX",
    "XXXX",
    ".XXX",
    "..XX",
    "...X"};
const Pattern rightPattern{
    "X...",
    "XX..",
    "XXX.",
    "XXXX",
    "XXX.",
    "XX..",
    "X..."};
const Pattern upPattern{
    "...X...",
    "..XXX..",
    ".XXXXX.",
    "XXXXXXX"};
const Pattern downPattern{
    "XXXXXXX",
    ".XXXXX.",
    "..XXX..",
    "...X..."};
const Pattern checkPattern{
    "......X",
    ".....XX",
    "X...XXX",
    "XX.XXX.",
    "XXXXX..",
    ".XXX...",
    "..X...."};
const Pattern dotPattern{
    ".XXX.",
    "XXXXX",
    "XXXXX",
    "XXXXX",
    ".XXX."};
const Pattern smallCrossPattern{
    "XX...XX",
    "XXX.XXX",
    ".XXXXX.",
    "..XXX..",
    ".XXXXX.",
    "XXX.XXX",
    "XX...XX"};
const Pattern gripHPattern{
    "X.X.X.X.",
    "........",
    "X.X.X.X.",
    "........",
    "X.X.X.X.",
    "........",
    "X.X.X.X."};
const Pattern gripVPattern{
    "X.X.X.X",
    ".......",
    "X.X.X.X",
    ".......",
    "X.X.X.X",
    ".......",
    "X.X.X.X",
    "......."};
const Pattern sizeGripPattern{
    "........XX",
    "........XX",
    "..........",
    ".....XX.XX",
    ".....XX.XX",
    "..........",
    "..XX.XX.XX",
    "..XX.XX.XX"};

const Pattern& pattern(Glyph g)
{
    switch (g) {
    case Glyph::Close: return closePattern;
    case Glyph::Maximize: return maximizePattern;
    case Glyph::Restore: return restorePattern;
    case Glyph::Minimize: return minimizePattern;
    case Glyph::RollUp: return rollUpPattern;
    case Glyph::RollDown: return rollDownPattern;
    case Glyph::Tray: return trayPattern;
    case Glyph::SysMenu: return sysMenuPattern;
    case Glyph::ArrowLeft: return leftPattern;
    case Glyph::ArrowRight: return rightPattern;
    case Glyph::ArrowUp: return upPattern;
    case Glyph::ArrowDown: return downPattern;
    case Glyph::Check: return checkPattern;
    case Glyph::Dot: return dotPattern;
    case Glyph::SmallCross: return smallCrossPattern;
    case Glyph::GripHorizontal: return gripHPattern;
    case Glyph::GripVertical: return gripVPattern;
    case Glyph::SizeGrip: return sizeGripPattern;
    }
    return closePattern;
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
