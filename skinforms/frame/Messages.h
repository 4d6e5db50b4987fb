#pragma once
// The private window messages of the skinned forms and menus, beside the skin data's own
// skin-change messages (skin/data/SkinData.h), and the codes that travel with them.
#include <windows.h>

#include "skin/data/SkinData.h"
#include "skinforms/menus/Messages.h"

namespace sk {

// WM_SKINMENUCLOSED (1228) and WM_SKINMENUITEMCLICK (1229) are the menus' own.
// Between MDI children and the main form.
constexpr UINT WM_FITMAXIMIZEDCHILD = WM_USER + 206;  // 1230
constexpr UINT WM_CHILDMAXIMIZED = WM_USER + 207;     // 1231
constexpr UINT WM_CHILDRESTORED = WM_USER + 208;      // 1232

// The skinned list box's inner list brings its skinned bars up to date once a filling of its
// items is over. WParam and LParam are 0.
constexpr UINT WM_LISTBOXUPDATEBARS = WM_USER + 210;  // 1234

// Paint the non-client frame into the DC in WParam; the receiver answers PaintIntoDCAnswer.
constexpr UINT WM_PAINTFRAMEINTODC = 48203;
// The list box's inner list paints its empty look into the DC in WParam.
constexpr UINT WM_PAINTEMPTYLISTINTODC = 48202;
// The LParam of both requests, and the answer of a receiver that painted.
constexpr LPARAM PaintIntoDCAnswer = 16802;

// The window timer on a skinned form that starts its fade-in, and its interval in ms.
constexpr UINT_PTR FadeInTimerId = 1;
constexpr UINT FadeInTimerInterval = 1;

// A caption-area object (a button, an animation, a user object) answers hit tests with the
// platform's HTOBJECT (19).
static_assert(HTOBJECT == 19);

}  // namespace sk
