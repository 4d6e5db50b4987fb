// The compact window's frame: maximize is its only caption button, with a skin and without,
// across skin changes; and maximizing sends it away without ever showing it at the size of
// the work area.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "radio/forms/RadioSmall.h"
#include "skinforms/frame/Objects.h"
#include "skinforms/frame/Messages.h"
#include "skins/StoredSkins.h"

using namespace cl;
using namespace sk;

namespace {

struct TCompactScene {
    std::unique_ptr<TComponent, void (*)(TComponent*)> owner{new TComponent(nullptr),
                                                             [](TComponent* C) { C->Free(); }};
    std::vector<TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(owner.get());
    TskSkinData* program = new TskSkinData(owner.get());
    TfrmRadioSmallForm* form = nullptr;

    explicit TCompactScene(bool Skinned)
    {
        if (Skinned)
            program->SetCompressedStoredSkin(skins[12]);
        form = new TfrmRadioSmallForm(nullptr, Skinned ? program : nullptr);
    }
    ~TCompactScene()
    {
        form->Free();
        Application->ProcessMessages();
    }
    // The commands of the caption buttons one can see and press (as numbers, to be readable).
    std::vector<int> ShownButtons() const
    {
        // The frame makes its default buttons when it first paints without a skin.
        TBitmap b;
        b.SetSize(form->Width(), form->Height());
        SendMessageA(form->Handle(), WM_PAINTFRAMEINTODC, reinterpret_cast<WPARAM>(b.Canvas()->Handle()),
                     PaintIntoDCAnswer);
        std::vector<int> shown;
        TskSkinFrame* frame = form->skSkinFrame1;
        for (int i = 0; i < frame->ObjectCount(); ++i) {
            TskActiveSkinObject* o = frame->Objects(i);
            if (!o->Visible || !o->Enabled)
                continue;
            if (auto* button = dynamic_cast<TskSkinStdButtonObject*>(o))
                shown.push_back(button->Command);
            else if (auto* animate = dynamic_cast<TskSkinAnimateObject*>(o); animate && animate->ButtonStyle)
                shown.push_back(animate->Command);
        }
        return shown;
    }
};

const std::vector<int> OnlyMaximize{cmMaximize};

// Records the largest size the window had while it could be seen.
struct TSizeSpy {
    static inline HWND Watched = nullptr;
    static inline int LargestVisibleWidth = 0;
    static inline int LargestVisibleHeight = 0;
    HHOOK hook;

    explicit TSizeSpy(HWND Wnd)
    {
        Watched = Wnd;
        LargestVisibleWidth = LargestVisibleHeight = 0;
        hook = SetWindowsHookExA(WH_CALLWNDPROCRET, Record, nullptr, GetCurrentThreadId());
    }
    ~TSizeSpy() { UnhookWindowsHookEx(hook); }

    static LRESULT CALLBACK Record(int Code, WPARAM WParam, LPARAM LParam)
    {
        const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(LParam);
        if (Code == HC_ACTION && m->hwnd == Watched &&
            (m->message == WM_WINDOWPOSCHANGED || m->message == WM_SIZE || m->message == WM_SHOWWINDOW) &&
            IsWindowVisible(Watched)) {
            RECT r{};
            GetWindowRect(Watched, &r);
            LargestVisibleWidth = std::max(LargestVisibleWidth, static_cast<int>(r.right - r.left));
            LargestVisibleHeight = std::max(LargestVisibleHeight, static_cast<int>(r.bottom - r.top));
        }
        return CallNextHookEx(nullptr, Code, WParam, LParam);
    }
};

}  // namespace

TEST(CompactWindow, MaximizeIsTheOnlyCaptionButtonWithASkinWithoutOneAndAfterAChange)
{
    {
        TCompactScene scene(false);
        scene.form->Show();
        EXPECT_EQ(scene.ShownButtons(), OnlyMaximize);
    }
    TCompactScene scene(true);
    scene.form->Show();
    ASSERT_TRUE(scene.form->skSkinFrame1->SkinnedFrame());
    EXPECT_EQ(scene.ShownButtons(), OnlyMaximize);
    // The skin the program starts with, and one whose caption buttons lie elsewhere.
    for (int skin : {33, 0, 12}) {
        scene.program->SetCompressedStoredSkin(scene.skins[skin]);
        EXPECT_EQ(scene.ShownButtons(), OnlyMaximize) << skin;
    }
}

TEST(CompactWindow, MaximizeSendsTheWindowAwayWithoutShowingItLargerAndItComesBackAsItWas)
{
    TCompactScene scene(true);
    TfrmRadioSmallForm& form = *scene.form;
    int showMains = 0;
    form.Link.ShowMain = [&] { ++showMains; };
    form.ShowInCorner();
    Application->ProcessMessages();
    RECT before{};
    GetWindowRect(form.Handle(), &before);
    const int w = before.right - before.left, h = before.bottom - before.top;
    ASSERT_LT(w, Screen->WorkAreaRect().Width());

    {
        TSizeSpy spy(form.Handle());
        form.skSkinFrame1->DoMaximize();
        Application->ProcessMessages();
        EXPECT_LE(TSizeSpy::LargestVisibleWidth, w);
        EXPECT_LE(TSizeSpy::LargestVisibleHeight, h);
    }
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(showMains, 1);
    EXPECT_EQ(form.skSkinFrame1->WindowState, fwsNormal);
    EXPECT_EQ(form.Width(), w);
    EXPECT_EQ(form.Height(), h);

    // "Small" again: the same small window, and maximize works a second time.
    {
        TSizeSpy spy(form.Handle());
        form.ShowInCorner();
        Application->ProcessMessages();
        RECT again{};
        GetWindowRect(form.Handle(), &again);
        EXPECT_EQ(again.right - again.left, w);
        EXPECT_EQ(again.bottom - again.top, h);
        form.skSkinFrame1->DoMaximize();
        EXPECT_LE(TSizeSpy::LargestVisibleWidth, w);
    }
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(showMains, 2);
}
