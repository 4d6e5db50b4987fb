#pragma once
// For the window-state tests: monitor areas put in place of the system's, the window's real
// rectangle, and the frame's system menu opened and clicked as a user would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skinforms/frame/support.h"
#include "skinforms/frame/WorkArea.h"

namespace statestest {

using cl::TRect;

// The monitor areas every frame sees while this lives.
struct TInjectedAreas {
    explicit TInjectedAreas(TRect Work, TRect Monitor = cl::Rect(0, 0, 1024, 768),
                            TRect Screen = cl::Rect(0, 0, 1024, 768))
    {
        Set(Work, Monitor, Screen);
    }
    ~TInjectedAreas() { sk::SetMonitorAreasSource(nullptr); }
    TInjectedAreas(const TInjectedAreas&) = delete;
    TInjectedAreas& operator=(const TInjectedAreas&) = delete;
    void Set(TRect Work, TRect Monitor = cl::Rect(0, 0, 1024, 768), TRect Screen = cl::Rect(0, 0, 1024, 768))
    {
        sk::SetMonitorAreasSource([=](HWND) { return sk::TskMonitorAreas{Work, Monitor, Screen}; });
    }
};

// Where the window really is.
inline TRect WindowRect(HWND Wnd)
{
    RECT r{};
    GetWindowRect(Wnd, &r);
    return cl::Rect(r.left, r.top, r.right, r.bottom);
}

inline std::string Text(const TRect& R)
{
    return std::to_string(R.Left) + "," + std::to_string(R.Top) + "," + std::to_string(R.Right) + "," +
           std::to_string(R.Bottom);
}

// A message on the non-client area at a point in window coordinates.
inline void NCMessage(frametest::TFramedForm& F, UINT Msg, WPARAM Hit, int X, int Y)
{
    // The platform holds a right press on the caption until the release comes.
    if (Msg == WM_NCRBUTTONDOWN && Hit == HTCAPTION)
        PostMessageA(F.Wnd(), WM_RBUTTONUP, 0, 0);
    const TRect w = WindowRect(F.Wnd());
    SendMessageA(F.Wnd(), Msg, Hit, MAKELPARAM(w.Left + X, w.Top + Y));
}

// The system menu, opened by a right click on the caption: the names of its rows.
inline std::vector<std::string> OpenSystemMenu(frametest::TFramedForm& F)
{
    NCMessage(F, WM_NCRBUTTONDOWN, HTCAPTION, 60, 8);
    std::vector<std::string> names;
    sk::TskSkinMenu* menu = F.Frame->SkinMenu();
    if (!menu->Visible || menu->LevelCount() < 1)
        return names;
    sk::TskSkinPopupWindow* level = menu->Levels(0);
    for (int i = 0; i < level->ItemCount(); ++i) {
        cl::TMenuItem* item = level->Items(i)->MenuItem;
        names.push_back(!item ? "?" : item->IsLine() ? "-" : item->Name());
    }
    return names;
}

// A left click on the open system menu's row of that name, released on the row as the
// platform delivers it. False when the menu has no such row.
inline bool ClickSystemMenu(frametest::TFramedForm& F, const std::string& Name)
{
    sk::TskSkinMenu* menu = F.Frame->SkinMenu();
    if (!menu->Visible || menu->LevelCount() < 1)
        return false;
    sk::TskSkinPopupWindow* level = menu->Levels(0);
    for (int i = 0; i < level->ItemCount(); ++i) {
        cl::TMenuItem* item = level->Items(i)->MenuItem;
        if (item && item->Name() == Name) {
            const TRect r = level->Items(i)->ObjectRect;
            const LPARAM at = MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
            SendMessageA(level->Handle(), WM_MOUSEMOVE, 0, at);
            SendMessageA(level->Handle(), WM_LBUTTONUP, 0, at);
            cl::Application->ProcessMessages();
            return true;
        }
    }
    return false;
}

}  // namespace statestest
