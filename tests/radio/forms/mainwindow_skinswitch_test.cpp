// A skin switch of the shown main window: once the skin is in, the whole window shows it,
// exactly as a full repaint draws it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/GdiHandles.h"
#include "radio/forms/MainWindowTestSupport.h"

using namespace mainwin_test;

namespace {

// What the screen shows of the window, its frame included, one row after another.
std::vector<std::uint8_t> ScreenPicture(HWND Wnd)
{
    RECT r{};
    GetWindowRect(Wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    cl::TBitmap picture;
    picture.SetSize(w, h);
    cl::TWindowDC screen(nullptr);
    BitBlt(picture.Canvas()->Handle(), 0, 0, w, h, screen.Handle(), r.left, r.top, SRCCOPY);
    GdiFlush();
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = picture.ScanLine(y);
        pixels.insert(pixels.end(), row, row + 3 * w);
    }
    return pixels;
}

// The picture once the screen has stopped changing: the platform puts what the window drew on
// the screen on its own time. A bound only against a window that never settles.
std::vector<std::uint8_t> Shown(HWND Wnd)
{
    std::vector<std::uint8_t> last = ScreenPicture(Wnd);
    for (int i = 0; i < 100; ++i) {
        Sleep(50);
        cl::Application->ProcessMessages();
        std::vector<std::uint8_t> now = ScreenPicture(Wnd);
        if (now == last)
            return now;
        last = std::move(now);
    }
    return last;
}

int DifferingBytes(const std::vector<std::uint8_t>& Before, const std::vector<std::uint8_t>& After)
{
    int differing = 0;
    for (std::size_t i = 0; i < std::min(Before.size(), After.size()); ++i)
        differing += Before[i] != After[i];
    return differing;
}

}  // namespace

TEST(MainWindowSkinSwitch, TheShownWindowIsDrawnOnceTheSkinIsInAsAFullRepaintDrawsIt)
{
    TMainWindowScene scene;
    scene.Create();
    TfrmRadioMain* form = scene.form;
    form->SetBounds(0, 0, TfrmRadioMain::RolledOutWidth, 760);
    form->Show();
    cl::Application->ProcessMessages();
    HWND wnd = form->Handle();
    for (int index : {33, 0, 12}) {
        const std::vector<std::uint8_t> before = Shown(wnd);
        ASSERT_TRUE(form->SetStoredSkin(form->SkinList[static_cast<std::size_t>(index)]));
        cl::Application->ProcessMessages();
        const std::vector<std::uint8_t> afterSwitch = Shown(wnd);
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        cl::Application->ProcessMessages();
        const std::vector<std::uint8_t> repainted = Shown(wnd);
        EXPECT_GT(DifferingBytes(before, afterSwitch), 0) << "skin " << index << " changed nothing on the screen";
        EXPECT_EQ(DifferingBytes(afterSwitch, repainted), 0) << "skin " << index;
    }
}
