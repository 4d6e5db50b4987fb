#pragma once
// Mask pictures shared by the drawing tests and the drawing benchmark.
#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Color.h"

namespace sktest {

// A white mask with black pixels where Rows has '#'.
inline void PaintMask(cl::TBitmap& Mask, const std::vector<std::string>& Rows)
{
    Mask.SetSize(static_cast<int>(Rows[0].size()), static_cast<int>(Rows.size()));
    for (int y = 0; y < Mask.Height(); ++y)
        for (int x = 0; x < Mask.Width(); ++x)
            Mask.SetPixels(x, y, Rows[y][x] == '#' ? cl::clBlack : cl::clWhite);
}

// A W by H mask, black inside a rounded rectangle with corners of radius R.
inline void RoundedMask(cl::TBitmap& Mask, int W, int H, int R)
{
    Mask.SetSize(W, H);
    Mask.Fill(cl::clBlack);
    for (int y = 0; y < R; ++y)
        for (int x = 0; x < R; ++x) {
            const int dx = R - x, dy = R - y;
            if (dx * dx + dy * dy > R * R) {
                Mask.SetPixels(x, y, cl::clWhite);
                Mask.SetPixels(W - 1 - x, y, cl::clWhite);
                Mask.SetPixels(x, H - 1 - y, cl::clWhite);
                Mask.SetPixels(W - 1 - x, H - 1 - y, cl::clWhite);
            }
        }
}

}  // namespace sktest
