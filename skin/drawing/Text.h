#pragma once
// Measuring and drawing interface texts with a canvas's current font. Wide texts take the
// platform's wide-character path where the system has one.
#include <string>

#include "classlib/graphics/Canvas.h"
#include "skin/drawing/Utils.h"

#include <windows.h>

namespace sk {

// True on the NT family: DrawSkinText then draws wide texts without converting them.
bool UnicodeTextAvailable();

// Draws Text into R with the platform's DrawText Flags; returns what the platform returns
// (the text's height). With DT_CALCRECT, R comes back as the text's extent.
int DrawSkinText(cl::TCanvas* Canvas, const std::wstring& Text, TRect& R, UINT Flags);
int GetTextWidth(cl::TCanvas* Canvas, const std::wstring& Text);
int GetTextHeight(cl::TCanvas* Canvas, const std::wstring& Text);
// Shortens Text, whole characters from its end, until it and a trailing "..." fit MaxWidth; a
// text that fits already is left as it is, one that never fits becomes "...".
void FitTextToWidth(cl::TCanvas* Canvas, std::wstring& Text, int MaxWidth);
// One line, left-aligned, vertically centred in R; nothing for an empty text.
void DrawTextInRect(cl::TCanvas* Canvas, const cl::AnsiString& Text, const TRect& R);
// Clipped to R, 2 pixels (plus Offset) from its left edge, centred vertically; nothing for an
// empty text.
void DrawItemText(cl::TCanvas* Canvas, const cl::AnsiString& Text, const TRect& R);
void DrawItemTextEx(cl::TCanvas* Canvas, const cl::AnsiString& Text, const TRect& R, int Offset);

}  // namespace sk
