// The push button's action and its own background paint, and the form button that draws from
// pictures of its own while unskinned: its size, states and shape.
#include "skin/controls/support.h"

#include "classlib/menus/ActnList.h"
#include "classlib/graphics/ImgList.h"
#include "skin/controls/XFormButton.h"

using namespace controltest;

namespace {

constexpr TColor OwnNormal = 0x2050A0;
constexpr TColor OwnHot = 0x40A0E0;
constexpr TColor OwnDown = 0x702010;
constexpr TColor GlyphColour = 0x10C0C0;

std::unique_ptr<TBitmap> Filled(int W, int H, TColor C)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(W, H);
    b->Fill(C);
    return b;
}

struct XFormButton : ::testing::Test {
    visual_test::TClockScope clock;
    skctrltest::TTestForm form;
    TControlSkin skin;
    TskSkinXFormButton* button = nullptr;
    void SetUp() override
    {
        button = new TskSkinXFormButton(form.Form);
        button->SetParent(form.Form);
        button->SetDefImage(Filled(40, 20, OwnNormal).get());
        button->SetDefActiveImage(Filled(40, 20, OwnHot).get());
        button->SetDefDownImage(Filled(40, 20, OwnDown).get());
        button->SetBounds(10, 10, 75, 25);
    }
    TColor Face() { return skctrltest::Snapshot(button)->Pixels(3, 3); }
};

}  // namespace

TEST_F(XFormButton, UnskinnedItKeepsItsPicturesSizeAndDrawsThemPerState)
{
    EXPECT_FALSE(button->CanFocused());
    EXPECT_EQ(button->Width(), 40);
    EXPECT_EQ(button->Height(), 20);
    button->SetBounds(10, 10, 120, 60);
    EXPECT_EQ(button->BoundsRect(), Rect(10, 10, 50, 30)) << "whatever size is asked";
    EXPECT_EQ(Face(), OwnNormal);
    button->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Face(), OwnHot);
    Press(button->Handle(), 5, 5);
    EXPECT_EQ(Face(), OwnDown);
    Release(button->Handle(), 5, 5);
    button->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(Face(), OwnNormal);
    // Without a hot picture the normal one serves for the hot state.
    TBitmap none;
    button->SetDefActiveImage(&none);
    button->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Face(), OwnNormal);
}

TEST_F(XFormButton, ItsMaskShapesTheWindowUntilASkinAppliesAndTheSkinsSizeThen)
{
    form.Form->HandleNeeded();
    auto mask = Filled(40, 20, clWhite);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            mask->SetPixels(x, y, clBlack);
    button->SetDefMask(mask.get());
    TOwnedRegion rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(button->Handle(), rgn.Handle()), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(rgn.Handle(), 5, 5));
    EXPECT_FALSE(PtInRegion(rgn.Handle(), 30, 5)) << "the mask's white half is cut away";

    // A skin with a description: the skinned button, its size free and its shape the skin's.
    auto* d = AddButton(skin, "button", 0);
    d->Morphing = false;
    button->SetSkinData(skin.Data);
    ASSERT_EQ(button->DescriptionIndex(), 0);
    EXPECT_EQ(GetWindowRgn(button->Handle(), rgn.Handle()), ERROR) << "no mask in the skin: no region";
    button->SetBounds(10, 10, 90, 30);
    EXPECT_EQ(button->Width(), 90);
    EXPECT_EQ(Face(), Normal);

    // The skin goes: its own pictures, size and shape again.
    button->BeforeChangeSkinData();
    skin.Remove();
    button->ChangeSkinData();
    EXPECT_EQ(button->BoundsRect(), Rect(10, 10, 50, 30));
    EXPECT_EQ(Face(), OwnNormal);
    EXPECT_EQ(GetWindowRgn(button->Handle(), rgn.Handle()), SIMPLEREGION);
}

// --- The push button's action and background

namespace {

// The action's handler, a method as a form's would be (so that the button can tell it apart).
struct THandler {
    TAction* Action = nullptr;
    int Executed = 0;
    TComponent* ExecutedBy = nullptr;
    void Execute(TObject*)
    {
        ++Executed;
        ExecutedBy = Action->ActionComponent();
    }
};

struct ButtonAction : ::testing::Test {
    visual_test::TClockScope clock;
    skctrltest::TTestForm form;
    TActionList* actions = new TActionList(form.Form);
    TImageList* images = new TImageList(form.Form);
    TAction* action = new TAction(form.Form);
    TskSkinButton* button = new TskSkinButton(form.Form);
    THandler handler;
    int& executed = handler.Executed;
    int clicked = 0;
    void SetUp() override
    {
        images->SetWidth(16);
        images->SetHeight(16);
        images->AddMasked(Filled(16, 16, clRed).get(), clNone);
        // A 12-pixel square in a 2-pixel frame the list leaves out.
        auto image = Filled(16, 16, clWhite);
        for (int y = 2; y < 14; ++y)
            for (int x = 2; x < 14; ++x)
                image->SetPixels(x, y, GlyphColour);
        images->AddMasked(image.get(), clWhite);
        actions->SetImages(images);
        action->SetActionList(actions);
        action->SetCaption("Play");
        action->SetImageIndex(1);
        handler.Action = action;
        action->SetOnExecute(TNotifyEvent(&handler, &THandler::Execute));
        button->SetParent(form.Form);
        button->SetCanFocused(false);
        button->SetBounds(10, 10, 100, 30);
    }
    void ClickOn()
    {
        button->Perform(CM_MOUSEENTER);
        Press(button->Handle(), 10, 10);
        Release(button->Handle(), 10, 10);
    }
};

}  // namespace

TEST_F(ButtonAction, TheButtonShowsItsActionsCaptionStateAndImageAndRunsIt)
{
    button->SetAction(action);
    EXPECT_EQ(button->Action(), action);
    EXPECT_EQ(std::string(button->Caption()), "Play");
    ASSERT_FALSE(button->Glyph()->Empty());
    EXPECT_EQ(button->Glyph()->Width(), 16);
    EXPECT_EQ(button->Glyph()->Pixels(8, 8), GlyphColour) << "the action's image";
    EXPECT_EQ(button->Glyph()->Pixels(0, 0), 0xFF00FF) << "on a fuchsia background";
    auto shot = skctrltest::Snapshot(button);
    int glyphPixels = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            glyphPixels += shot->Pixels(x, y) == GlyphColour;
    EXPECT_EQ(glyphPixels, 12 * 12) << "the glyph drawn on the button, its background left out";

    ClickOn();
    EXPECT_EQ(executed, 1) << "a click runs the action once";
    EXPECT_EQ(handler.ExecutedBy, button) << "through the action, on the button's behalf";
    action->SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    action->SetEnabled(true);
    action->SetCaption("Stop");
    EXPECT_EQ(std::string(button->Caption()), "Stop");

    // A handler of the button's own runs instead of the action.
    button->OnClick = [this](TObject*) { ++clicked; };
    ClickOn();
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(executed, 1);

    // An action freed first leaves a working button.
    action->Free();
    EXPECT_EQ(button->Action(), nullptr);
    ClickOn();
    EXPECT_EQ(clicked, 2);
}

TEST_F(ButtonAction, AButtonWithAGlyphOfItsOwnKeepsIt)
{
    button->SetGlyph(Filled(8, 8, clBlue).get());
    button->SetAction(action);
    EXPECT_EQ(button->Glyph()->Width(), 8);
    EXPECT_EQ(button->Glyph()->Pixels(4, 4), clBlue);
    // An image index past the list's end gives no glyph.
    auto* other = new TskSkinButton(form.Form);
    other->SetParent(form.Form);
    action->SetImageIndex(5);
    other->SetAction(action);
    EXPECT_TRUE(other->Glyph()->Empty());
}

TEST_F(ButtonAction, EraseBackgroundPaintsTheWholeButtonIntoTheGivenContext)
{
    TControlSkin skin;
    AddButton(skin, "button", 0)->Morphing = false;
    button->SetSkinData(skin.Data);
    TBitmap b;
    b.SetSize(button->Width(), button->Height());
    b.Fill(0x00FF00FF);
    EXPECT_NE(SendMessageA(button->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0), 0);
    GdiFlush();
    EXPECT_EQ(b.Pixels(0, 0), Edge);
    EXPECT_EQ(b.Pixels(10, 10), Normal);
}
