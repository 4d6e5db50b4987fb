// The check and radio box on a real form: OnClick on assignment, radio groups, the grayed
// cycle, the space bar, the check image per state in both looks, and the fade of a box that
// is not flat.
#include "skin/controls/support.h"

#include "skin/controls/CheckRadioBox.h"

using namespace controltest;

namespace {

constexpr TColor Key = 0xFF00FF;
constexpr TColor Unchecked = 0x204080;
constexpr TColor CheckedImage = 0x20A020;
constexpr TColor ActiveUnchecked = 0x4080C0;
constexpr TColor ActiveChecked = 0x40C040;
constexpr TColor DisabledUnchecked = 0x606060;
constexpr TColor DisabledChecked = 0x909090;
constexpr TColor BoxNormal = 0xC0A080;
constexpr TColor BoxHot = 0xE0D0B0;

struct CheckBox : ::testing::Test {
    visual_test::TClockScope clock;
    skctrltest::TTestForm form;
    TControlSkin skin;
    TskSkinCheckRadioBox* box = nullptr;
    int clicks = 0;
    void SetUp() override { box = Make(10, 10); }
    TskSkinCheckRadioBox* Make(int X, int Y)
    {
        auto* b = new TskSkinCheckRadioBox(form.Form);
        b->SetParent(form.Form);
        b->SetBounds(X, Y, 150, 25);
        b->OnClick = [this](TObject*) { ++clicks; };
        return b;
    }
    TskDataSkinCheckRadioControl* AddSkin()
    {
        TBitmap* p = skin.Picture();
        PaintArea(p, Rect(0, 130, 96, 150), Edge, BoxNormal);
        PaintArea(p, Rect(96, 130, 192, 150), Edge, BoxHot);
        const TColor images[] = {Unchecked, CheckedImage, ActiveUnchecked, ActiveChecked, DisabledUnchecked,
                                 DisabledChecked};
        for (int i = 0; i < 6; ++i) {
            PaintArea(p, Rect(i * 14, 180, i * 14 + 14, 194), Key, images[i]);
            // Only a one-pixel margin is the transparent colour.
            for (int y = 181; y < 193; ++y)
                for (int x = i * 14 + 1; x < i * 14 + 13; ++x)
                    p->SetPixels(x, y, images[i]);
        }
        auto* d = skin.Add<TskDataSkinCheckRadioControl>("checkbox");
        d->PictureIndex = 0;
        d->SkinRect = Rect(0, 130, 96, 150);
        d->ActiveSkinRect = Rect(96, 130, 192, 150);
        d->LTPoint = {20, 0};
        d->RTPoint = {92, 0};
        d->ClRect = Rect(20, 0, 92, 20);
        d->CheckImageArea = Rect(2, 3, 16, 17);
        d->TextArea = Rect(20, 0, 94, 20);
        d->UnCheckImageRect = Rect(0, 180, 14, 194);
        d->CheckImageRect = Rect(14, 180, 28, 194);
        d->ActiveUnCheckImageRect = Rect(28, 180, 42, 194);
        d->ActiveCheckImageRect = Rect(42, 180, 56, 194);
        d->UnEnabledUnCheckImageRect = Rect(56, 180, 70, 194);
        d->UnEnabledCheckImageRect = Rect(70, 180, 84, 194);
        return d;
    }
    // The middle of the flat box's check image (at x = 3, centred on the height).
    TColor Image() { return skctrltest::Snapshot(box)->Pixels(10, 12); }
    void ClickOn(TskSkinCheckRadioBox* B)
    {
        B->Perform(CM_MOUSEENTER);
        Press(B->Handle(), 5, 5);
        Release(B->Handle(), 5, 5);
    }
};

}  // namespace

TEST_F(CheckBox, EveryAssignmentOfACheckBoxIsReported)
{
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(box->State(), cbChecked);
}

TEST_F(CheckBox, ARadioGroupUnchecksItsSiblingsSilently)
{
    auto* other = Make(10, 40);
    for (auto* b : {box, other}) {
        b->SetRadio(true);
        b->SetGroupIndex(1);
    }
    int otherClicks = 0;
    other->OnClick = [&](TObject*) { ++otherClicks; };
    ClickOn(other);
    EXPECT_EQ(otherClicks, 1);
    ClickOn(box);
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(other->Checked());
    EXPECT_EQ(otherClicks, 1) << "the sibling is unchecked without its OnClick";
    ClickOn(box);
    EXPECT_TRUE(box->Checked()) << "a checked radio box stays checked";
    box->SetChecked(false);
    EXPECT_EQ(clicks, 1) << "a radio box reports only becoming checked";
}

TEST_F(CheckBox, ACheckUnchecksOnlyTheCheckedBoxesOfItsGroupOnItsParent)
{
    skctrltest::TTestForm elsewhere;
    // The group: the parent's first box, one in the middle and its last one.
    auto* middle = Make(10, 40);
    auto* grayed = Make(10, 70);
    auto* otherGroup = Make(10, 100);
    auto* ungrouped = Make(10, 130);
    auto* last = Make(10, 160);
    auto* otherParent = new TskSkinCheckRadioBox(elsewhere.Form);
    otherParent->SetParent(elsewhere.Form);
    const std::pair<const char*, TskSkinCheckRadioBox*> group[] = {{"first", box}, {"middle", middle}, {"last", last}};
    for (auto* b : {box, middle, grayed, last, otherParent})
        b->SetGroupIndex(1);
    otherGroup->SetGroupIndex(2);
    for (const auto& [name, checked] : group) {
        SCOPED_TRACE(std::string("checking the ") + name);
        // Checked through the state, which leaves the group alone.
        for (auto* b : {box, middle, last, otherGroup, ungrouped, otherParent})
            b->SetState(cbChecked);
        grayed->SetState(cbGrayed);
        checked->SetChecked(true);
        for (const auto& [otherName, other] : group) {
            EXPECT_EQ(other->Checked(), other == checked) << otherName;
            EXPECT_EQ(other->State(), other == checked ? cbChecked : cbUnchecked) << otherName;
        }
        EXPECT_EQ(grayed->State(), cbGrayed) << "only a checked box is unchecked";
        EXPECT_TRUE(otherGroup->Checked());
        EXPECT_TRUE(ungrouped->Checked());
        EXPECT_TRUE(otherParent->Checked());
    }
    // Boxes without a group never exclude each other.
    box->SetGroupIndex(0);
    box->SetChecked(true);
    EXPECT_TRUE(ungrouped->Checked());
}

TEST_F(CheckBox, TheDefaultLookMarksEachStateEnabledOrNotAndAGrayedRadioBoxNot)
{
    auto marks = [&](TColor C) {
        auto shot = skctrltest::Snapshot(box);
        int n = 0;
        // Inside the box's one-pixel frame (3, 5, 17, 19).
        for (int y = 6; y < 18; ++y)
            for (int x = 4; x < 16; ++x)
                n += shot->Pixels(x, y) == C;
        return n;
    };
    const TColor gray = skctrltest::Rgb(clGrayText);
    const TColor shadow = skctrltest::Rgb(clBtnShadow);
    const TColor none = skctrltest::Rgb(clBtnFace);
    const struct {
        bool radio;
        TskCheckBoxState state;
        bool enabled;
        TColor mark;  // clBtnFace: no mark
    } cases[] = {
        {false, cbUnchecked, true, none},  {false, cbChecked, true, clBlack}, {false, cbGrayed, true, gray},
        {false, cbUnchecked, false, none}, {false, cbChecked, false, shadow}, {false, cbGrayed, false, gray},
        {true, cbUnchecked, true, none},   {true, cbChecked, true, clBlack},  {true, cbGrayed, true, none},
        {true, cbUnchecked, false, none},  {true, cbChecked, false, shadow},  {true, cbGrayed, false, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.radio ? "radio" : "check") << " state " << c.state
                                        << (c.enabled ? " enabled" : " disabled"));
        box->SetRadio(c.radio);
        box->SetState(c.state);
        box->SetEnabled(c.enabled);
        for (TColor colour : {clBlack, gray, shadow})
            if (colour == c.mark)
                EXPECT_GT(marks(colour), 3);
            else
                EXPECT_EQ(marks(colour), 0) << std::hex << colour;
    }
}

TEST_F(CheckBox, WithAllowGrayedThreeClicksGoGrayedCheckedUnchecked)
{
    box->SetAllowGrayed(true);
    ClickOn(box);
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_FALSE(box->Checked());
    ClickOn(box);
    EXPECT_EQ(box->State(), cbChecked);
    ClickOn(box);
    EXPECT_EQ(box->State(), cbUnchecked);
    box->SetState(cbGrayed);
    box->SetChecked(false);
    EXPECT_EQ(box->State(), cbGrayed) << "unchecking leaves a grayed box grayed";
}

TEST_F(CheckBox, TheSpaceBarTogglesOnKeyUpOnly)
{
    form.Form->Show();
    box->SetFocus();
    ASSERT_TRUE(box->Focused());
    SendMessageA(box->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(box->Checked());
    SendMessageA(box->Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(box->Checked());
}

TEST_F(CheckBox, TheFlatSkinnedBoxShowsTheCheckImageOfItsState)
{
    AddSkin();
    box->SetSkinData(skin.Data);
    ASSERT_EQ(box->DescriptionIndex(), 0);
    EXPECT_EQ(box->Width(), 150) << "the skin never sizes a flat box";
    // Grayed: the image of a checked box brightened by half.
    auto grayed = [](TColor C) { return Blend(C, 0xFFFFFF, 0.5); };
    const struct {
        TskCheckBoxState state;
        bool hot;
        bool enabled;
        TColor image;
    } cases[] = {
        {cbUnchecked, false, true, Unchecked},        {cbChecked, false, true, CheckedImage},
        {cbGrayed, false, true, grayed(CheckedImage)}, {cbUnchecked, true, true, ActiveUnchecked},
        {cbChecked, true, true, ActiveChecked},        {cbGrayed, true, true, grayed(ActiveChecked)},
        {cbUnchecked, false, false, DisabledUnchecked}, {cbChecked, false, false, DisabledChecked},
        {cbGrayed, false, false, grayed(DisabledChecked)}, {cbUnchecked, true, false, DisabledUnchecked},
        {cbChecked, true, false, DisabledChecked},     {cbGrayed, true, false, grayed(DisabledChecked)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << c.state << (c.hot ? " hot" : "")
                                        << (c.enabled ? " enabled" : " disabled"));
        box->SetEnabled(true);
        box->Perform(c.hot ? CM_MOUSEENTER : CM_MOUSELEAVE);
        box->SetState(c.state);
        box->SetEnabled(c.enabled);
        EXPECT_EQ(Image(), c.image);
    }
    EXPECT_EQ(skctrltest::Snapshot(box)->Pixels(3, 5), skctrltest::Snapshot(box)->Pixels(1, 1))
        << "the image's margin is transparent";
}

TEST_F(CheckBox, TheDefaultLookFramesTheBoxNavyUnderTheMouse)
{
    auto shot = skctrltest::Snapshot(box);
    EXPECT_EQ(shot->Pixels(3, 12), skctrltest::Rgb(clBtnShadow));
    EXPECT_EQ(shot->Pixels(10, 12), skctrltest::Rgb(clBtnFace));
    box->Perform(CM_MOUSEENTER);
    EXPECT_EQ(skctrltest::Snapshot(box)->Pixels(3, 12), clSkinDefaultFrame);
    box->SetChecked(true);
    shot = skctrltest::Snapshot(box);
    int marks = 0;
    for (int y = 5; y < 20; ++y)
        for (int x = 4; x < 16; ++x)
            marks += shot->Pixels(x, y) == 0;
    EXPECT_GT(marks, 3) << "a black check mark";
    // A description of another kind: the default look at its own size.
    skin.Add<TskDataSkinPanelControl>("checkbox");
    box->SetSkinData(skin.Data);
    EXPECT_EQ(box->DescriptionIndex(), -1);
    EXPECT_EQ(box->Height(), 25);
}

TEST_F(CheckBox, ABoxThatIsNotFlatFadesToItsActiveImage)
{
    auto* d = AddSkin();
    d->Morphing = true;
    box->SetFlat(false);
    box->SetSkinData(skin.Data);
    EXPECT_EQ(box->Height(), 20) << "a horizontal strip takes the skin's height";
    auto face = [&] { return skctrltest::Snapshot(box)->Pixels(60, 10); };
    EXPECT_EQ(face(), BoxNormal);
    box->Perform(CM_MOUSEENTER);
    clock.clock.Advance(40);
    EXPECT_EQ(face(), Blend(BoxNormal, BoxHot, 0.4));
    clock.clock.Advance(60);
    EXPECT_EQ(face(), BoxHot);
    box->SetEnabled(false);
    EXPECT_FALSE(box->Fading());
    EXPECT_EQ(box->MorphValue(), 0.0);
    // Without morphing the highlight changes at once.
    box->SetEnabled(true);
    d->Morphing = false;
    box->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(face(), BoxNormal);
    box->Perform(CM_MOUSEENTER);
    EXPECT_EQ(face(), BoxHot);
}
