#include "Preview.h"

#include "AtlasLayout.h"
#include "TinyFont.h"

namespace skingen {

namespace {

// Source index for destination D of a span tiled from 0 with the run [RunStart, RunEnd), whose
// ends [0, EndA) and [Size - EndB, Size) of a picture of PictureSize are copied unchanged.
int tiledSource(int d, int size, int pictureSize, int runStart, int runEnd, int endA, int endB)
{
    if (d < endA) return d;
    if (d >= size - endB) return d - (size - pictureSize);
    const int run = runEnd - runStart;
    return run > 0 ? runStart + d % run : runStart;
}

// The frame picture (or the mask) stretched to W x H as the frame composes its borders.
Image composeBorders(const Image& picture, const FrameLayout& f, int w, int h)
{
    const int pw = picture.width(), ph = picture.height();
    const Rect& cl = f.client;
    const int top = cl.top, bottom = ph - cl.bottom, left = cl.left, right = pw - cl.right;
    Image out(w, h, Rgb{255, 255, 255});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sx, sy;
            if (y < top) {
                sy = y;
                sx = tiledSource(x, w, pw, f.leftTop.x, f.rightTop.x, f.leftTop.x, pw - f.rightTop.x);
            } else if (y >= h - bottom) {
                sy = y - (h - ph);
                sx = tiledSource(x, w, pw, f.leftBottom.x, f.rightBottom.x, f.leftBottom.x, pw - f.rightBottom.x);
            } else if (x < left || x >= w - right) {
                // Side strips cover the rows between the top and bottom strips.
                const int lh = h - top - bottom;
                const int ly = y - top;
                const bool leftSide = x < left;
                const Point a = leftSide ? f.leftTop : f.rightTop, b = leftSide ? f.leftBottom : f.rightBottom;
                const int endA = a.y - cl.top, endB = cl.bottom - b.y;
                sy = cl.top + tiledSource(ly, lh, cl.height(), a.y - cl.top, b.y - cl.top, endA, endB);
                sx = leftSide ? x : x - (w - pw);
            } else {
                continue;
            }
            out.set(x, y, picture.at(sx, sy));
        }
    return out;
}

// Copies an atlas cell to (x, y), leaving out key-coloured pixels when Keyed and anything
// outside Clip.
void drawCell(Image& out, const Image& atlas, const Rect& cell, int x, int y, bool keyed, const Rect& clip)
{
    for (int sy = cell.top; sy < cell.bottom; ++sy)
        for (int sx = cell.left; sx < cell.right; ++sx) {
            const Rgb c = atlas.at(sx, sy);
            const int dx = x + sx - cell.left, dy = y + sy - cell.top;
            if ((keyed && c == KeyColour) || !clip.contains(dx, dy)) continue;
            out.set(dx, dy, c);
        }
}

}  // namespace

Image previewWindow(const SkinBundle& skin, int width, int height, Rgb background, bool active)
{
    const FrameLayout& f = skin.layout;
    const Image& source = active || skin.inactiveFrame.empty() ? skin.frame : skin.inactiveFrame;
    Image window = composeBorders(source, f, width, height);
    const Image mask = composeBorders(skin.mask, f, width, height);
    const int dw = width - atlas::FrameWidth, dh = height - atlas::FrameHeight;
    const Rect client{f.client.left, f.client.top, f.client.right + dw, f.client.bottom + dh};
    for (int y = client.top; y < client.bottom; ++y)
        for (int x = client.left; x < client.right; ++x)
            window.set(x, y, skin.tile.at((x - client.left) % skin.tile.width(), (y - client.top) % skin.tile.height()));

    // Caption buttons, laid out as the frame lays out its own.
    const int order[] = {atlas::CapClose, atlas::CapMaximize, atlas::CapMinimize, atlas::CapRollUp, atlas::CapTray};
    const Rect caption{f.captionRect.left, f.captionRect.top, f.captionRect.right + dw, f.captionRect.bottom};
    int x = skin.params.buttonsInLeft ? caption.left : caption.right;
    for (int kind : order) {
        const Rect cell = active ? atlas::captionNormal(kind) : atlas::captionInactive(kind);
        if (skin.params.buttonsInLeft) {
            drawCell(window, skin.atlas, cell, x, caption.top, false, window.bounds());
            x += cell.width() + f.buttonsOffset;
        } else {
            x -= cell.width();
            drawCell(window, skin.atlas, cell, x, caption.top, false, window.bounds());
            x -= f.buttonsOffset;
        }
    }
    const Rect sys = active ? atlas::captionNormal(atlas::CapSysMenu) : atlas::captionInactive(atlas::CapSysMenu);
    drawCell(window, skin.atlas, sys, skin.params.buttonsInLeft ? x : caption.left, caption.top, false, window.bounds());

    // The skin's name as the caption, where the caption object would write the window's.
    {
        const std::string& name = skin.params.name;
        const int textWidth = tinyTextWidth(name);
        const int left = skin.params.buttonsInLeft ? x + 6 : caption.left + 16 + 6;
        const int right = skin.params.buttonsInLeft ? caption.right : x - 6;
        int textX = left;
        if (skin.params.align == CaptionAlign::Center) textX = (left + right - textWidth) / 2;
        if (skin.params.align == CaptionAlign::Right) textX = right - textWidth;
        const Rgb ink = active || !skin.params.drawnInactive ? skin.palette.captionText : skin.palette.captionTextInactive;
        drawTinyText(window, textX, caption.top + (caption.height() - 7) / 2, name, ink);
    }

    // A sample of controls in the client area.
    const int cx = client.left + 8, cy = client.top + 8;
    drawCell(window, skin.atlas, atlas::ExPanel, cx, cy, false, client);
    drawCell(window, skin.atlas, atlas::Button[0], cx + 72, cy, false, client);
    drawCell(window, skin.atlas, atlas::Button[1], cx + 72, cy + 29, false, client);
    drawCell(window, skin.atlas, atlas::Button[2], cx + 140, cy, false, client);
    drawCell(window, skin.atlas, atlas::Edit, cx + 140, cy + 31, false, client);
    drawCell(window, skin.atlas, atlas::CheckBox, cx, cy + 70, false, client);
    drawCell(window, skin.atlas, atlas::checkMark(1), cx + 2, cy + 73, true, client);
    drawCell(window, skin.atlas, atlas::HTrackBar, cx + 100, cy + 70, false, client);
    drawCell(window, skin.atlas, atlas::HThumb, cx + 140, cy + 70, true, client);
    drawCell(window, skin.atlas, atlas::HScroll, cx, cy + 96, false, client);
    drawCell(window, skin.atlas, atlas::HThumbs[0], cx + 30, cy + 96, false, client);
    drawCell(window, skin.atlas, atlas::HGrip, cx + 41, cy + 102, false, client);
    drawCell(window, skin.atlas, atlas::Tab[1], cx + 108, cy + 96, false, client);
    drawCell(window, skin.atlas, atlas::Tab[0], cx + 156, cy + 96, false, client);

    for (int y = 0; y < height; ++y)
        for (int x2 = 0; x2 < width; ++x2)
            if (mask.at(x2, y) != Rgb{0, 0, 0} && !client.contains(x2, y)) window.set(x2, y, background);
    return window;
}

}  // namespace skingen
