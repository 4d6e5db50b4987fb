// The frame on a real form: taking over the window procedure and the caption, the client area
// from the skin, and the skin messages passed on to the form's controls.
#include "skinforms/frame/support.h"

#include <algorithm>
#include <string>
#include <vector>

#include "skin/bases/SkinCtrls.h"
#include "skin/bases/Graphic.h"
#include "skin/controls/StdLabel.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/controls/Tabs.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

// Skinned controls that write what they are told into one log.
class TSpyControl : public TskSkinControl {
public:
    TSpyControl(TComponent* AOwner, std::string Label, std::vector<std::string>& Log)
        : TskSkinControl(AOwner), label_(std::move(Label)), log_(Log)
    {
    }
    void BeforeChangeSkinData() override
    {
        log_.push_back("before " + label_);
        TskSkinControl::BeforeChangeSkinData();
    }
    void ChangeSkinData() override
    {
        log_.push_back("change " + label_);
        TskSkinControl::ChangeSkinData();
    }

private:
    std::string label_;
    std::vector<std::string>& log_;
};

class TSpyGraphic : public TskGraphicSkinControl {
public:
    TSpyGraphic(TComponent* AOwner, std::string Label, std::vector<std::string>& Log)
        : TskGraphicSkinControl(AOwner), label_(std::move(Label)), log_(Log)
    {
    }
    void BeforeChangeSkinData() override
    {
        log_.push_back("before " + label_);
        TskGraphicSkinControl::BeforeChangeSkinData();
    }
    void ChangeSkinData() override
    {
        log_.push_back("change " + label_);
        TskGraphicSkinControl::ChangeSkinData();
    }

private:
    std::string label_;
    std::vector<std::string>& log_;
};

template <class T>
T* Put(TWinControl* Parent, TskSkinData* Skin, std::string Label, std::vector<std::string>& Log)
{
    auto* c = new T(Parent, std::move(Label), Log);
    c->SetParent(Parent);
    c->SetBounds(0, 0, 20, 20);
    c->SetSkinData(Skin);
    return c;
}

// A panel of the class library holding controls.
TWinControl* PutPanel(TWinControl* Parent)
{
    auto* p = new TCustomControl(Parent);
    p->SetParent(Parent);
    p->SetBounds(0, 30, 100, 100);
    return p;
}

struct FrameSkinMessages : ::testing::Test {
    TFrameSkin skin;
    TFrameSkin other;
    TFramedForm form{skin.Data};
    std::vector<std::string> log;
    // The form: graphic "g1", windowed "w1", a panel holding "w2" (other skin) and graphic
    // "g2", then windowed "w3".
    void Build()
    {
        Put<TSpyGraphic>(form.Form, skin.Data, "g1", log);
        Put<TSpyControl>(form.Form, skin.Data, "w1", log);
        TWinControl* panel = PutPanel(form.Form);
        Put<TSpyControl>(panel, other.Data, "w2", log);
        Put<TSpyGraphic>(panel, skin.Data, "g2", log);
        Put<TSpyControl>(form.Form, skin.Data, "w3", log);
        log.clear();
    }
    LRESULT Send(UINT Msg, TskSkinData* Data)
    {
        return SendMessageA(form.Wnd(), Msg, reinterpret_cast<WPARAM>(Data), SkinMessageLParam);
    }
};

}  // namespace

TEST(FrameAttach, TakesTheCaptionAndGivesTheWindowProcedureBackWhenRemoved)
{
    TForm* form = new TForm(nullptr);
    form->SetBounds(10, 10, 200, 150);
    form->HandleNeeded();
    EXPECT_NE(GetWindowLongA(form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    auto* frame = new TskSkinFrame(form);
    EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
    EXPECT_EQ(GetFormSkinComponent(form), frame);
    TBitmap b;
    b.SetSize(200, 150);
    EXPECT_EQ(SendMessageA(form->Handle(), WM_PAINTFRAMEINTODC, reinterpret_cast<WPARAM>(b.Canvas()->Handle()),
                           PaintIntoDCAnswer),
              PaintIntoDCAnswer);
    frame->Free();
    EXPECT_EQ(GetFormSkinComponent(form), nullptr);
    // The form's own procedure answers again: the request is nobody's.
    EXPECT_EQ(SendMessageA(form->Handle(), WM_PAINTFRAMEINTODC, reinterpret_cast<WPARAM>(b.Canvas()->Handle()),
                           PaintIntoDCAnswer),
              0);
    form->Free();
    EXPECT_THROW(TskSkinFrame(nullptr), EInvalidCast);
}

TEST(FrameAttach, ClientAreaComesFromTheSkinOrTheDefaultBorders)
{
    TFrameSkin skin;
    TFramedForm form(nullptr, 300, 200);
    form.Form->HandleNeeded();
    TRect c = form.Form->ClientRect();
    EXPECT_EQ(c.Width(), 300 - 6);
    EXPECT_EQ(c.Height(), 200 - 19 - 6);
    form.Form->SetBorderStyle(bsSizeToolWin);
    SetWindowPos(form.Wnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(form.Form->ClientRect().Height(), 200 - 15 - 6) << "tool windows have a smaller caption";
    form.Form->SetBorderStyle(bsSizeable);

    form.Frame->SetSkinData(skin.Data);
    c = form.Form->ClientRect();
    EXPECT_EQ(c.Width(), 300 - 5 - 5);
    EXPECT_EQ(c.Height(), 200 - 20 - 5);
    // A client rectangle that covers the whole picture leaves no border at all.
    skin.Reload([&] { skin.Data->ClRect = Rect(0, 0, TFrameSkin::PW, TFrameSkin::PH); });
    c = form.Form->ClientRect();
    EXPECT_EQ(c.Width(), 300);
    EXPECT_EQ(c.Height(), 200);
    // A borderless form keeps the whole window as its client area.
    form.Form->SetBorderStyle(bsNone);
    SetWindowPos(form.Wnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(form.Form->ClientRect().Width(), 300);
}

TEST(FrameAttach, ASkinChangeGrowsASmallFormAndAppliesTheFramesClientSize)
{
    TFrameSkin skin;
    skin.Data->FormMinWidth = 150;
    // The least height: the frame's, the picture less its client part.
    const int minHeight = TFrameSkin::PH - 35;
    const struct {
        int width, height;
        int grownWidth, grownHeight;
    } cases[] = {
        {120, 20, 150, minHeight},  // both below
        {120, 100, 150, 100},       // only the width
        {300, 20, 300, minHeight},  // only the height
        {150, minHeight, 150, minHeight},
    };
    for (const auto& c : cases) {
        TFramedForm form(nullptr, c.width, c.height);
        form.Frame->SetSkinData(skin.Data);
        EXPECT_EQ(form.Form->Width(), c.grownWidth) << c.width << " by " << c.height;
        EXPECT_EQ(form.Form->Height(), c.grownHeight) << c.width << " by " << c.height;
    }

    TFramedForm form(nullptr, 300, 200);
    form.Frame->SetSkinData(skin.Data);
    form.Frame->ClientWidth = 250;
    skin.Reload([] {});
    EXPECT_EQ(form.Form->ClientRect().Width(), 250);
    EXPECT_EQ(form.Form->Height(), 200) << "a ClientHeight of 0 leaves the height alone";
}

TEST_F(FrameSkinMessages, WalksTheControlsDepthFirstAndTellsWindowlessOnesOnlyAfterTheLoad)
{
    Build();
    std::vector<std::string> events;
    form.Frame->OnBeforeChangeSkinData = [&](TObject*) { events.push_back("before"); };
    form.Frame->OnChangeSkinData = [&](TObject*) { events.push_back("change"); };
    form.Frame->OnAfterChangeSkinData = [&](TObject*) { events.push_back("after"); };
    skin.Reload([] {});
    const std::vector<std::string> expected{"before w1", "before w3", "change g1", "change w1", "change g2",
                                            "change w3"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(events, (std::vector<std::string>{"before", "change", "after"}));
}

TEST_F(FrameSkinMessages, AnotherSkinsLoadTellsOnlyItsOwnControls)
{
    Build();
    Send(WM_BEFORECHANGESKINDATA, other.Data);
    EXPECT_TRUE(log.empty()) << "the frame drops nothing for another skin";
    EXPECT_TRUE(form.Frame->SkinnedFrame());
    Send(WM_CHANGESKINDATA, other.Data);
    EXPECT_EQ(log, (std::vector<std::string>{"change w2"}));
    log.clear();
    Send(WM_CHANGESKINDATA, nullptr);
    // Windowless children come before windowed ones in a parent's Controls.
    EXPECT_EQ(log, (std::vector<std::string>{"change g1", "change w1", "change g2", "change w2", "change w3"}));
}

// A form's controls may be bound to any skin data: every frame announces the end of any load.
TEST(FrameAttach, TheEndOfEveryLoadIsAnnouncedByEveryFrame)
{
    TFrameSkin first;
    TFrameSkin second;
    TFramedForm firstForm(first.Data);
    TFramedForm secondForm(second.Data);
    std::vector<std::string> events;
    firstForm.Frame->OnAfterChangeSkinData = [&](TObject*) { events.push_back("first"); };
    secondForm.Frame->OnAfterChangeSkinData = [&](TObject*) { events.push_back("second"); };
    first.Reload([] {});
    std::sort(events.begin(), events.end());
    EXPECT_EQ(events, (std::vector<std::string>{"first", "second"}));
    events.clear();
    second.Reload([] {});
    std::sort(events.begin(), events.end());
    EXPECT_EQ(events, (std::vector<std::string>{"first", "second"}));
}

TEST_F(FrameSkinMessages, BeforeTheLoadTheFrameDropsItsObjectsAndIsUnskinned)
{
    skin.Data->ObjectList.Add(std::make_unique<TskDataSkinStdButton>("close"));
    skin.Reload([] {});
    EXPECT_EQ(form.Frame->ObjectCount(), 1);
    Send(WM_BEFORECHANGESKINDATA, skin.Data);
    EXPECT_FALSE(form.Frame->SkinnedFrame());
    EXPECT_EQ(form.Frame->ObjectCount(), 0);
    EXPECT_FALSE(form.Frame->HoverTimer()->Enabled());
    // Painting between the two messages draws the default frame and does not crash.
    form.Paint();
    Send(WM_CHANGESKINDATA, skin.Data);
    EXPECT_TRUE(form.Frame->SkinnedFrame());
    EXPECT_EQ(form.Frame->ObjectCount(), 1);
}

TEST(FrameAttach, SettersIgnoreValuesOutOfRange)
{
    TFramedForm form;
    form.Frame->SetMaxMenuItemsInWindow(7);
    form.Frame->SetMaxMenuItemsInWindow(-1);
    EXPECT_EQ(form.Frame->MaxMenuItemsInWindow(), 7);
    form.Frame->SetDefMenuItemHeight(0);
    EXPECT_GE(form.Frame->DefMenuItemHeight(), 1);
}

TEST(FrameAttach, TheMenuFontSettingsAreTheSkinnedMenusOwn)
{
    TFramedForm form;
    TskSkinMenu* menu = form.Frame->SkinMenu();
    form.Frame->SetUseSkinFontInMenu(false);
    EXPECT_FALSE(menu->UseSkinFont);
    menu->UseSkinFont = true;
    EXPECT_TRUE(form.Frame->UseSkinFontInMenu());
    TFont font;
    font.SetName("Courier New");
    font.SetHeight(17);
    form.Frame->SetDefMenuItemFont(&font);
    EXPECT_EQ(menu->DefMenuItemFont.Name(), "Courier New");
    menu->DefMenuItemFont.SetHeight(19);
    EXPECT_EQ(form.Frame->DefMenuItemFont()->Height(), 19);
}

TEST(FrameAttach, TabsPagesEditsAndLabelsReadTheirDescriptionsAfterALoad)
{
    TFrameSkin skin;
    TFramedForm form(skin.Data);
    auto place = [&](auto* Control) {
        Control->SetParent(form.Form);
        Control->SetBounds(10, 30, 120, 60);
        Control->SetSkinData(skin.Data);
        return Control;
    };
    auto* pages = place(new TskSkinPageControl(form.Form));
    auto* tabs = place(new TskSkinTabControl(form.Form));
    auto* edit = place(new TskSkinEdit(form.Form));
    auto* label = place(new TskSkinStdLabel(form.Form));
    form.Show();
    ASSERT_EQ(pages->DescriptionIndex(), -1);
    ASSERT_EQ(edit->DescriptionIndex(), -1);
    skin.Reload([&] {
        skin.Data->CtrlList.Add(std::make_unique<TskDataSkinTabControl>("tab"));
        skin.Data->CtrlList.Add(std::make_unique<TskDataSkinEditControl>("edit"));
        skin.Data->CtrlList.Add(std::make_unique<TskDataSkinStdLabelControl>("stdlabel"));
    });
    EXPECT_EQ(pages->DescriptionIndex(), 0);
    EXPECT_EQ(tabs->DescriptionIndex(), 0);
    EXPECT_EQ(edit->DescriptionIndex(), 1);
    EXPECT_EQ(label->DescriptionIndex(), 2);
}
