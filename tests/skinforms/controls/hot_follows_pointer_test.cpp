// A control drawn hot while the real pointer is over it follows that pointer when a new skin or
// a move takes it away from under a pointer that stays still, or brings it there: a windowed
// button, and a windowless speed button whose window under the pointer stays the same. A control
// made hot so, with no move its window saw, still cools when the pointer then jumps out of the
// window in one move.
#include "skinforms/frame/support.h"

#include <functional>
#include <optional>
#include <vector>

#include "skin/controls/Button.h"
#include "skin/controls/SpeedButton.h"
#include "skins/StoredSkins.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

struct TKind {
    const char* name;
    std::function<TControl*(TComponent* Owner, TskSkinData* Skin)> make;
    std::function<bool(TControl*)> hot;
};

struct THotScene {
    TComponent owner{nullptr};
    std::vector<TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(&owner);
    TskSkinData* data = new TskSkinData(&owner);
    TFramedForm form{nullptr, 320, 200};
    const TKind& kind;
    TControl* control;
    explicit THotScene(const TKind& Kind) : kind(Kind)
    {
        data->SetCompressedStoredSkin(skins[0]);
        form.Frame->SetSkinData(data);
        control = Kind.make(form.Form, data);
        control->SetParent(form.Form);
        control->SetBounds(20, 20, 90, 25);
        form.Show();
    }
    void UseSkin(std::size_t Index)
    {
        data->SetCompressedStoredSkin(skins[Index]);
        Application->ProcessMessages();
    }
    TRect OnScreen()
    {
        const TPoint at = control->ClientToScreen({0, 0});
        return {at.X, at.Y, at.X + control->Width(), at.Y + control->Height()};
    }
    // Waits (bounded) until the control's hot state is Hot.
    bool HotBecomes(bool Hot)
    {
        for (int i = 0; i < 300 && kind.hot(control) != Hot; ++i) {
            Sleep(5);
            Application->ProcessMessages();
        }
        return kind.hot(control) == Hot;
    }
};

// Puts the real pointer at a screen point and waits (bounded) until it rests there: the display
// may still deliver a motion from the pointer's earlier place, which would move it back.
void PointerRestsAt(const TPoint& At)
{
    PointerAtScreen(At.X, At.Y);
    for (int calm = 0, i = 0; calm < 10 && i < 400; ++i) {
        Sleep(5);
        Application->ProcessMessages();
        POINT now{};
        GetCursorPos(&now);
        if (now.x != At.X || now.y != At.Y)
            PointerAtScreen(At.X, At.Y);
        calm = now.x == At.X && now.y == At.Y && !GetQueueStatus(QS_MOUSEMOVE) ? calm + 1 : 0;
    }
}

// A point of Inside that is in Other exactly when Shared, when there is one.
std::optional<TPoint> PointOf(const TRect& Inside, const TRect& Other, bool Shared)
{
    for (int y = Inside.Top + 1; y < Inside.Bottom - 1; ++y)
        for (int x = Inside.Left + 1; x < Inside.Right - 1; ++x)
            if (PtInRect(Other, {x, y}) == Shared)
                return TPoint{x, y};
    return std::nullopt;
}

struct TChange {
    const char* name;
    // Whether the pointer is over the control before the change, and after it.
    bool overBefore;
    bool overAfter;
    bool skinChange;
    // The pointer comes while the window is disabled (as under a modal dialog), so it sees no move.
    bool comesDisabled = false;
    // Where the pointer rests for the change, when there is such a point.
    std::optional<TPoint> PointerFor(const TRect& Before, const TRect& After) const
    {
        return overBefore ? PointOf(Before, After, overAfter) : PointOf(After, Before, false);
    }
};

// The first stored skin after the first one that puts the control where the change needs it.
std::size_t SkinMovingTheControl(THotScene& S, const TChange& Change, TRect& Before, TRect& After)
{
    Before = S.OnScreen();
    for (std::size_t i = 1; i < S.skins.size(); ++i) {
        S.UseSkin(i);
        After = S.OnScreen();
        if (After != Before && Change.PointerFor(Before, After)) {
            S.UseSkin(0);
            return i;
        }
    }
    return 0;
}

}  // namespace

TEST(HotFollowsPointer, AControlMovedByASkinOrBoundsUnderAStillPointerIsHotExactlyWhenUnderIt)
{
    const TKind kinds[] = {
        {"a button",
         [](TComponent* Owner, TskSkinData* Skin) {
             auto* b = new TskSkinButton(Owner);
             b->SetCaption("Launch");
             b->SetSkinData(Skin);
             return static_cast<TControl*>(b);
         },
         [](TControl* C) { return static_cast<TskSkinButton*>(C)->Hot(); }},
        {"a speed button",
         [](TComponent* Owner, TskSkinData* Skin) {
             auto* b = new TskSkinSpeedButton(Owner);
             b->SetCaption("Mute");
             b->SetSkinData(Skin);
             return static_cast<TControl*>(b);
         },
         [](TControl* C) { return static_cast<TskSkinSpeedButton*>(C)->MouseInside(); }},
    };
    const TChange changes[] = {
        {"a new skin takes it away", true, false, true},
        {"a new skin brings it", false, true, true},
        {"a move takes it away", true, false, false},
        {"a move brings it", false, true, false},
        {"a new skin after the pointer came while the window was disabled", true, true, true, true},
    };
    for (const TKind& kind : kinds) {
        for (const TChange& change : changes) {
            SCOPED_TRACE(std::string(kind.name) + ": " + change.name);
            THotScene s(kind);
            TRect before, after;
            std::size_t skin = 0;
            if (change.skinChange) {
                skin = SkinMovingTheControl(s, change, before, after);
                ASSERT_NE(skin, 0u) << "no stored skin moves the control";
            } else {
                before = s.OnScreen();
                after = OffsetRect(before, RectWidth(before) + 10, 0);
            }
            const std::optional<TPoint> at = change.PointerFor(before, after);
            HWND window = s.form.Wnd();
            if (change.comesDisabled)
                EnableWindow(window, FALSE);
            PointerRestsAt(*at);
            ASSERT_TRUE(s.HotBecomes(change.overBefore && !change.comesDisabled));
            EnableWindow(window, TRUE);

            if (change.skinChange) {
                s.UseSkin(skin);
            } else {
                TControl* c = s.control;
                c->SetBounds(c->Left() + RectWidth(before) + 10, c->Top(), c->Width(), c->Height());
                Application->ProcessMessages();
            }
            ASSERT_EQ(s.OnScreen(), after);
            EXPECT_TRUE(s.HotBecomes(change.overAfter)) << "the pointer stayed at " << at->X << "," << at->Y;
            if (change.overAfter) {
                PointerRestsAt({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
                EXPECT_TRUE(s.HotBecomes(false)) << "after a jump out of the window";
            }
        }
    }
}
