#pragma once
// The messages of the skinned popup menus, and the form messages that close an open one.
#include <windows.h>

namespace sk {

// A skinned menu's last level has closed (to the control the menu was opened for, and, when
// everything closed, to the owner form). WParam and LParam are 0.
constexpr UINT WM_SKINMENUCLOSED = 0x0400 + 204;  // 1228
// A chosen item's command has run (to the control the menu was opened for). WParam and LParam
// are 0.
constexpr UINT WM_SKINMENUITEMCLICK = 0x0400 + 205;  // 1229

// Messages a form gets when the user turns to something else while its skinned menu is open:
// moving or sizing it, activation changes, cancel-mode and any mouse press on it.
constexpr bool IsSkinMenuClosingMessage(UINT Msg)
{
    switch (Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_PARENTNOTIFY: return true;
    default: return false;
    }
}

}  // namespace sk
