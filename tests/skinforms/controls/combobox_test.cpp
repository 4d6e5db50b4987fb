// The skinned combo box on real windows: opening, accepting and abandoning with the mouse and
// the keys, the list's place on the work area, typed searches, the edit style's keys and
// completion, bad indices and empty lists, and both looks by pixels per state.
#include "skin/bases/support.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "skinforms/controls/support.h"
#include "classlib/graphics/GdiHandles.h"
#include "skin/texts/ResourceStrData.h"
#include "skinforms/controls/ComboBox.h"
#include "skinforms/frame/Frame.h"
#include "skins/StoredSkins.h"
#include "support/UserInput.h"

using namespace cl;
using namespace sk;
using namespace skctrltest;

namespace {

// A combo box whose clock the test sets.
class TTestCombo : public TskSkinComboBox {
public:
    using TskSkinComboBox::TskSkinComboBox;
    unsigned Now = 10000;

protected:
    unsigned Ticks() const override { return Now; }
};

struct ComboBox : ::testing::Test {
    TTestForm form;
    TTestCombo* combo = nullptr;
    std::vector<std::string> events;
    void SetUp() override
    {
        combo = new TTestCombo(form.Form);
        combo->SetParent(form.Form);
        combo->SetBounds(10, 10, 150, 20);
        combo->HandleNeeded();
        combo->OnClick = [this](TObject*) { events.push_back("click " + std::to_string(combo->ItemIndex())); };
        combo->OnCloseUp = [this](TObject*) { events.push_back("closeup"); };
        combo->OnDropDown = [this](TObject*) { events.push_back("dropdown"); };
    }
    void Fill(int N)
    {
        for (int i = 0; i < N; ++i)
            combo->Items()->Add("item " + std::to_string(i));
    }
    HWND Box() { return combo->Handle(); }
    HWND List() { return combo->ListBox()->ListBox()->Handle(); }
    bool Open() { return combo->DroppedDown() && IsWindowVisible(combo->ListBox()->Handle()); }
    void Key(WPARAM K) { boxtest::PressKey(Box(), K); }
    void AltKey(WPARAM K) { SendMessageA(Box(), WM_SYSKEYDOWN, K, 0x20000001); }
    void ClickButton()
    {
        const TRect b = combo->ButtonRect();
        ClickAt(Box(), b.Left + 3, b.Top + 3);
    }
    void ClickAt(HWND W, int X, int Y)
    {
        SendMessageA(W, WM_LBUTTONDOWN, MK_LBUTTON, At(X, Y));
        SendMessageA(W, WM_LBUTTONUP, 0, At(X, Y));
    }
    // A point of the inner list in the combo box's client coordinates.
    LPARAM ListPointInBox(int X, int Y)
    {
        const TRect r = combo->ListBox()->ListScreenRect();
        const TPoint p = combo->ScreenToClient({r.Left + X, r.Top + Y});
        return MAKELPARAM(p.X, p.Y);
    }
};

}  // namespace

TEST_F(ComboBox, AClickOpensTheListBelowWithAsManyRowsAsItemsAndAClickInItAccepts)
{
    Fill(3);
    form.Form->Show();
    ClickButton();
    ASSERT_TRUE(Open());
    EXPECT_EQ(events, (std::vector<std::string>{"dropdown"}));
    const TRect list = combo->ListBox()->BoundsRect();
    const TPoint corner = combo->ClientToScreen({0, combo->Height()});
    EXPECT_EQ(list.Left, corner.X);
    EXPECT_EQ(list.Top, corner.Y) << "below the box";
    EXPECT_EQ(combo->ListBox()->Width(), 150);
    EXPECT_EQ(combo->ListBox()->Height(), combo->ListBox()->HeightForRows(3));
    EXPECT_EQ(combo->ListBox()->ScrollBar(), nullptr) << "three rows need no bar";
    EXPECT_EQ(GetFocus(), Box()) << "the list never takes the focus";
    // Moving over the list selects; a press and a release there accept.
    const int ih = combo->ListBox()->ListBox()->ItemHeight();
    SendMessageA(List(), WM_MOUSEMOVE, 0, At(5, ih + 3));
    EXPECT_EQ(combo->ItemIndex(), 1);
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 2 * ih + 3));
    EXPECT_EQ(GetFocus(), Box());
    SendMessageA(Box(), WM_LBUTTONUP, 0, ListPointInBox(5, 2 * ih + 3));
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "item 2");
    EXPECT_EQ(events, (std::vector<std::string>{"dropdown", "click 2", "closeup"}));
    // A second click on the box closes an open list without a choice.
    ClickButton();
    ASSERT_TRUE(Open());
    ClickButton();
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(ComboBox, AbandoningRestoresTheIndexTheListOpenedWith)
{
    Fill(5);
    combo->SetItemIndex(1);
    form.Form->Show();
    combo->SetFocus();
    const int ih = combo->ListBox()->ListBox()->ItemHeight();
    // Escape.
    AltKey(VK_DOWN);
    ASSERT_TRUE(Open());
    SendMessageA(List(), WM_MOUSEMOVE, 0, At(5, 3 * ih + 3));
    EXPECT_EQ(combo->ItemIndex(), 3);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->ItemIndex(), 1);
    // A release away from the list after a press in it.
    ClickButton();
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 4 * ih + 3));
    EXPECT_EQ(combo->ItemIndex(), 4);
    SendMessageA(Box(), WM_LBUTTONUP, 0, At(-200, -200));
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->ItemIndex(), 1);
    // Another control pressed: its cancel-mode notice.
    ClickButton();
    SendMessageA(List(), WM_MOUSEMOVE, 0, At(5, 2));
    EXPECT_EQ(combo->ItemIndex(), 0);
    auto* other = new TskSkinComboBox(form.Form);
    other->SetParent(form.Form);
    other->SetBounds(10, 100, 100, 20);
    combo->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(other));
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->ItemIndex(), 1);
    // The list's own parts do not close it; the focus going away does.
    ClickButton();
    combo->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(combo->ListBox()->ListBox()));
    EXPECT_TRUE(Open());
    SendMessageA(List(), WM_MOUSEMOVE, 0, At(5, 2));
    other->SetFocus();
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "closeup"), 0) << "nothing was accepted";
}

TEST_F(ComboBox, KeysChooseOpenAndAcceptWithTheAsymmetricPages)
{
    Fill(30);
    form.Form->Show();
    combo->SetFocus();
    EXPECT_EQ(combo->Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS, 0u) << "Enter and Escape go to the form";
    EXPECT_NE(combo->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS, 0u);
    Key(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 0) << "from nothing to the first";
    Key(VK_NEXT);
    EXPECT_EQ(combo->ItemIndex(), 7);
    combo->SetItemIndex(20);
    Key(VK_PRIOR);
    EXPECT_EQ(combo->ItemIndex(), 11);
    Key(VK_UP);
    Key(VK_LEFT);
    EXPECT_EQ(combo->ItemIndex(), 9);
    Key(VK_RIGHT);
    EXPECT_EQ(combo->ItemIndex(), 10);
    Key(VK_HOME);
    combo->SetItemIndex(29);
    Key(VK_NEXT);
    Key(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 29) << "no step past the last";
    combo->SetItemIndex(1);
    Key(VK_PRIOR);
    EXPECT_EQ(combo->ItemIndex(), 0);
    Key(VK_UP);
    EXPECT_EQ(combo->ItemIndex(), 0);
    // Alt+Down opens, Alt+Up abandons; F4 opens and accepts; Enter accepts.
    events.clear();
    AltKey(VK_DOWN);
    ASSERT_TRUE(Open());
    EXPECT_NE(combo->Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS, 0u) << "Enter and Escape are the list's";
    EXPECT_EQ(combo->ListBox()->Height(), combo->ListBox()->HeightForRows(8));
    EXPECT_NE(combo->ListBox()->ScrollBar(), nullptr) << "the skinned bar in the list";
    AltKey(VK_UP);
    EXPECT_FALSE(Open());
    Key(VK_F4);
    ASSERT_TRUE(Open());
    SendMessageA(List(), WM_MOUSEMOVE, 0, At(5, 3));
    const int top = combo->ListBox()->TopIndex();
    Key(VK_F4);
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->ItemIndex(), top);
    AltKey(VK_RIGHT);
    ASSERT_TRUE(Open());
    SendMessageA(List(), WM_MOUSEMOVE, 0, At(5, 3));
    Key(VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_EQ(events.back(), "closeup");
}

TEST_F(ComboBox, TypedLettersSearchWithAPrefixThatAHalfSecondGapRestarts)
{
    for (const char* s : {"Alpha", "Beta", "Bravo", "Brown", "Charlie", "beige"})
        combo->Items()->Add(s);
    combo->SetFocus();
    auto type = [&](char C) { SendMessageA(Box(), WM_CHAR, static_cast<unsigned char>(C), 1); };
    type('b');
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->Now += 100;
    type('r');
    EXPECT_EQ(combo->ItemIndex(), 2) << "\"br\"";
    combo->Now += 100;
    type('o');
    EXPECT_EQ(combo->ItemIndex(), 3) << "\"bro\"";
    // A lone letter searches after the current item.
    combo->Now += 600;
    type('b');
    EXPECT_EQ(combo->ItemIndex(), 5) << "the next item beginning with b";
    combo->Now += 600;
    type('r');
    EXPECT_EQ(combo->ItemIndex(), 5) << "\"r\" alone finds nothing; \"br\" would have found Bravo";
    combo->Now += 600;
    type('c');
    EXPECT_EQ(combo->ItemIndex(), 4);
    EXPECT_EQ(combo->Text(), "Charlie");
    // Without completion every letter stands alone.
    combo->SetAutoComplete(false);
    combo->SetItemIndex(0);
    type('b');
    type('r');
    EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(ComboBox, NoItemsNeverOpenAndABadIndexIsTheListIndexError)
{
    combo->SetFocus();
    ClickButton();
    AltKey(VK_DOWN);
    Key(VK_F4);
    combo->DropDown();
    EXPECT_FALSE(combo->DroppedDown());
    Key(VK_DOWN);
    SendMessageA(Box(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    SendMessageA(Box(), WM_CHAR, 'x', 1);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_THROW(combo->SetItemIndex(0), EListError);
    Fill(2);
    EXPECT_THROW(combo->SetItemIndex(2), EListError);
    EXPECT_THROW(combo->SetItemIndex(-2), EListError);
    combo->SetItemIndex(1);
    events.clear();
    // -1 chooses nothing, keeps the text and still tells.
    combo->SetItemIndex(-1);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "item 1");
    EXPECT_EQ(events, (std::vector<std::string>{"click -1"}));
    // Values below one are no drop-down count.
    combo->SetDropDownCount(0);
    EXPECT_EQ(combo->DropDownCount(), 8);
}

TEST_F(ComboBox, TheWheelChoosesWhileClosedAndOnlyMovesTheListWhileOpen)
{
    Fill(4);
    SendMessageA(Box(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(combo->ItemIndex(), 0);
    SendMessageA(Box(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "item 1");
    combo->DropDown();
    SendMessageA(Box(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "item 1") << "the choice waits for the list to close";
    SendMessageA(Box(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    SendMessageA(Box(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    SendMessageA(Box(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ComboBox, HeldAboveTheListTheSelectionScrollsOnTheTimer)
{
    Fill(20);
    combo->SetItemIndex(10);
    combo->DropDown();
    const int ih = combo->ListBox()->ListBox()->ItemHeight();
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, ih + 3));
    const int start = combo->ItemIndex();
    SendMessageA(Box(), WM_MOUSEMOVE, MK_LBUTTON, ListPointInBox(5, -10));
    EXPECT_EQ(combo->ScrollDirection(), -1);
    SendMessageA(Box(), WM_TIMER, TskSkinComboBox::ScrollTimerId, 0);
    SendMessageA(Box(), WM_TIMER, TskSkinComboBox::ScrollTimerId, 0);
    EXPECT_EQ(combo->ItemIndex(), start - 2);
    SendMessageA(Box(), WM_MOUSEMOVE, MK_LBUTTON, ListPointInBox(5, combo->ListBox()->ListBox()->Height() + 5));
    EXPECT_EQ(combo->ScrollDirection(), 1);
    for (int i = 0; i < 40; ++i)
        SendMessageA(Box(), WM_TIMER, TskSkinComboBox::ScrollTimerId, 0);
    EXPECT_EQ(combo->ItemIndex(), 19) << "not past the last";
    SendMessageA(Box(), WM_LBUTTONUP, 0, ListPointInBox(5, -10));
    EXPECT_EQ(combo->ScrollDirection(), 0);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 10) << "released outside the list: abandoned";
}

TEST(ComboBoxPlace, BelowAboveOrTheRoomierSideWithTheRowsThatFit)
{
    const TRect work{0, 0, 800, 600};
    auto height = [](int Rows) { return Rows * 20 + 4; };
    TskDropDownPlace p = PlaceDropDown({100, 100, 220, 120}, 120, 8, work, height);
    EXPECT_FALSE(p.Above);
    EXPECT_EQ(p.Bounds, (TRect{100, 120, 220, 120 + 164}));
    p = PlaceDropDown({100, 500, 220, 520}, 120, 8, work, height);
    EXPECT_TRUE(p.Above);
    EXPECT_EQ(p.Bounds, (TRect{100, 500 - 164, 220, 500}));
    // Taller than either side: the roomier one, and only the rows that fit.
    p = PlaceDropDown({100, 250, 220, 270}, 120, 100, work, height);
    EXPECT_FALSE(p.Above);
    EXPECT_EQ(p.Rows, (600 - 270 - 4) / 20);
    EXPECT_GE(p.Bounds.Top, work.Top);
    EXPECT_LE(p.Bounds.Bottom, work.Bottom);
    p = PlaceDropDown({100, 400, 220, 420}, 120, 100, work, height);
    EXPECT_TRUE(p.Above);
    EXPECT_GE(p.Bounds.Top, 0);
    EXPECT_EQ(p.Bounds.Bottom, 400);
    // Kept inside the work area sideways.
    p = PlaceDropDown({750, 100, 790, 120}, 120, 2, work, height);
    EXPECT_EQ(p.Bounds.Right, 800);
    p = PlaceDropDown({-50, 100, 30, 120}, 120, 2, work, height);
    EXPECT_EQ(p.Bounds.Left, 0);
}

TEST_F(ComboBox, NearTheBottomOfTheScreenTheListOpensAboveAndALongListStaysOnIt)
{
    TRect work = GetDesktopWorkArea(true);
    GetMonitorWorkArea(form.Form->Handle(), true, work);
    form.Form->SetBounds(50, work.Bottom - 100, 300, 90);
    Fill(5);
    combo->DropDown();
    ASSERT_TRUE(combo->DroppedDown());
    const TPoint top = combo->ClientToScreen({0, 0});
    EXPECT_EQ(combo->ListBox()->Top() + combo->ListBox()->Height(), top.Y) << "above the box";
    combo->CloseUp(false);
    combo->Items()->Clear();
    Fill(5000);
    combo->SetDropDownCount(5000);
    combo->DropDown();
    EXPECT_GE(combo->ListBox()->Top(), work.Top);
    EXPECT_LE(combo->ListBox()->Top() + combo->ListBox()->Height(), work.Bottom);
    EXPECT_NE(combo->ListBox()->ScrollBar(), nullptr);
}

TEST_F(ComboBox, TextOutsideTheWesternCodePageIsSearchedAndDrawnWithoutHarm)
{
    combo->Items()->Add("\xC0\xE1\xE2");
    combo->Items()->Add("\xD0\xE0\xE4\xE8\xEE");
    combo->Items()->Add(std::string(300, '\xFE'));
    combo->SetFocus();
    SendMessageA(Box(), WM_CHAR, 0xD0, 1);
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->SetItemIndex(2);
    auto shot = Snapshot(combo);
    EXPECT_EQ(shot->Pixels(0, 0), Rgb(clBtnShadow));
    combo->DropDown();
    Snapshot(combo->ListBox()->ListBox());
    combo->CloseUp(true);
    EXPECT_EQ(combo->Text(), std::string(300, '\xFE'));
}

// ---------------------------------------------------------------------------------------------
// The edit style

TEST_F(ComboBox, EditStyleArrowsTakeItemsIntoTheEditAndNeverReachIt)
{
    combo->SetStyle(skcbEditStyle);
    ASSERT_NE(combo->Edit(), nullptr);
    Fill(3);
    form.Form->Show();
    HWND edit = combo->Edit()->Handle();
    combo->Edit()->SetFocus();
    boxtest::PressKey(edit, VK_UP);
    EXPECT_EQ(combo->ItemIndex(), -1) << "up from nothing";
    EXPECT_EQ(combo->Edit()->Text(), "");
    boxtest::PressKey(edit, VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->Edit()->Text(), "item 0");
    EXPECT_EQ(combo->Edit()->SelLength(), 6) << "selected whole";
    EXPECT_EQ(events.back(), "click 0");
    boxtest::PressKey(edit, VK_DOWN);
    boxtest::PressKey(edit, VK_DOWN);
    boxtest::PressKey(edit, VK_DOWN);
    EXPECT_EQ(combo->Edit()->Text(), "item 2");
    // Only the button opens the list; Enter in the edit accepts and never reaches the form.
    const TRect content = combo->ContentRect();
    ClickAt(Box(), content.Left + 3, content.Top + 3);
    EXPECT_FALSE(combo->DroppedDown());
    ClickButton();
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_EQ(GetFocus(), edit);
    boxtest::PressKey(edit, VK_UP);
    EXPECT_EQ(combo->ItemIndex(), 1);
    boxtest::PressKey(edit, VK_PRIOR);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_NE(SendMessageA(edit, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
    int dialogKeys = 0;
    auto oldProc = form.Form->WindowProc;
    form.Form->WindowProc = [&](TMessage& M) {
        if (M.Msg == CM_DIALOGKEY)
            ++dialogKeys;
        oldProc(M);
    };
    boxtest::PressKey(edit, VK_RETURN, '\r');
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->Edit()->Text(), "item 0");
    EXPECT_EQ(dialogKeys, 0) << "the Enter that closed the list is not the form's";
    boxtest::PressKey(edit, VK_RETURN, '\r');
    EXPECT_EQ(dialogKeys, 1) << "with the list closed, Enter is the form's";
    form.Form->WindowProc = oldProc;
}

TEST_F(ComboBox, EditStyleCompletesOnLetterKeyUpsOnlyAndFollowsTypedText)
{
    for (const char* s : {"Rock", "Jazz", "Jungle", "Classic"})
        combo->Items()->Add(s);
    combo->SetStyle(skcbEditStyle);
    form.Form->Show();
    HWND edit = combo->Edit()->Handle();
    combo->Edit()->SetFocus();
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    boxtest::Type(edit, "j");
    EXPECT_EQ(combo->Edit()->Text(), "Jazz");
    EXPECT_EQ(combo->Edit()->SelStart(), 1);
    EXPECT_EQ(combo->Edit()->SelLength(), 3) << "the completed part is selected";
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "Jazz");
    EXPECT_GT(changes, 0);
    // Typing over the completion within 200 ms completes nothing more.
    combo->Now += 50;
    boxtest::Type(edit, "u");
    EXPECT_EQ(combo->Edit()->Text(), "Ju");
    combo->Now += 300;
    // Shift, an arrow and Space are released without completion.
    SendMessageA(edit, WM_KEYUP, VK_SHIFT, 0xC0000001);
    SendMessageA(edit, WM_KEYUP, VK_SPACE, 0xC0000001);
    SendMessageA(edit, WM_KEYUP, VK_RIGHT, 0xC0000001);
    EXPECT_EQ(combo->Edit()->Text(), "Ju");
    SendMessageA(edit, WM_KEYUP, 'U', 0xC0000001);
    EXPECT_EQ(combo->Edit()->Text(), "Jungle");
    EXPECT_EQ(combo->ItemIndex(), 2);
    // Without completion the text is looked up only to show it.
    combo->SetAutoComplete(false);
    combo->Edit()->SetText("");
    combo->Now += 300;
    boxtest::Type(edit, "c");
    EXPECT_EQ(combo->Edit()->Text(), "c");
    EXPECT_EQ(combo->Text(), "c");
}

TEST_F(ComboBox, EditStyleInADoubleByteCharsetClearsTheCompletedPartFirst)
{
    for (const char* s : {"Rock", "Jazz"})
        combo->Items()->Add(s);
    combo->SetStyle(skcbEditStyle);
    TskResourceStrData strings(nullptr);
    strings.SetCharSet(128);
    TTestSkin skin;
    skin.Data->SetResourceStrData(&strings);
    combo->SetSkinData(skin.Data);
    form.Form->Show();
    HWND edit = combo->Edit()->Handle();
    combo->Edit()->SetFocus();
    combo->Edit()->SetText("Ja");
    combo->Edit()->SetSelStart(1);
    combo->Edit()->SetSelLength(1);
    combo->Now += 300;
    SendMessageA(edit, WM_KEYUP, VK_BACK, 0xC0000001);
    EXPECT_EQ(combo->Edit()->Text(), "Ja") << "Backspace is only handed on";
    SendMessageA(edit, WM_KEYUP, 'X', 0xC0000001);
    EXPECT_EQ(combo->Edit()->Text(), "Jazz") << "\"a\" was cleared, then \"J\" completed";
    EXPECT_EQ(combo->Edit()->SelStart(), 1);
    skin.Data->SetResourceStrData(nullptr);
}

TEST_F(ComboBox, EditStyleLosingTheFocusWithTheListOpenRestoresTheIndex)
{
    Fill(4);
    combo->SetStyle(skcbEditStyle);
    combo->SetItemIndex(1);
    auto* other = new TskSkinComboBox(form.Form);
    other->SetParent(form.Form);
    other->SetBounds(10, 100, 100, 20);
    form.Form->Show();
    combo->Edit()->SetFocus();
    ClickButton();
    ASSERT_TRUE(combo->DroppedDown());
    boxtest::PressKey(combo->Edit()->Handle(), VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 2);
    other->SetFocus();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 1);
}

// ---------------------------------------------------------------------------------------------
// Looks

TEST_F(ComboBox, DefaultLookButtonStatesTheBoxAndTheFocusedItem)
{
    Fill(2);
    combo->SetItemIndex(0);
    const TRect b = combo->ButtonRect();
    EXPECT_EQ(b, (TRect{150 - 19, 2, 150 - 2, 18}));
    EXPECT_EQ(combo->ContentRect(), (TRect{2, 2, b.Left - 1, 18}));
    auto shot = Snapshot(combo);
    EXPECT_EQ(shot->Pixels(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(shot->Pixels(1, 1), Rgb(clWindow)) << "inside the frame";
    EXPECT_EQ(shot->Pixels(b.Left, b.Top), Rgb(clBtnShadow));
    EXPECT_EQ(shot->Pixels(b.Left + 2, b.Top + 2), Rgb(clBtnFace));
    SendMessageA(Box(), WM_MOUSEMOVE, 0, At(b.Left + 3, b.Top + 3));
    shot = Snapshot(combo);
    EXPECT_EQ(shot->Pixels(b.Left, b.Top), 0x800000);
    EXPECT_EQ(shot->Pixels(b.Left + 2, b.Top + 2), 0xD2BDB6);
    SendMessageA(Box(), WM_LBUTTONDOWN, MK_LBUTTON, At(b.Left + 3, b.Top + 3));
    shot = Snapshot(combo);
    EXPECT_EQ(shot->Pixels(b.Left + 2, b.Top + 2), 0xB59385);
    SendMessageA(Box(), WM_LBUTTONUP, 0, At(b.Left + 3, b.Top + 3));
    combo->CloseUp(false);
    // Focused: the item on the highlight, and odFocused exactly then.
    form.Form->Show();
    combo->SetFocus();
    shot = Snapshot(combo);
    EXPECT_EQ(shot->Pixels(4, 9), Rgb(clHighlight));
    std::vector<bool> focusedStates;
    combo->OnComboBoxDrawItem = [&](TCanvas* C, int, int W, int H, TRect, TOwnerDrawState S) {
        focusedStates.push_back(S.Contains(odFocused));
        C->Brush()->SetColor(0x00A0A0);
        C->FillRect(Rect(0, 0, W, H));
    };
    focusedStates.clear();
    shot = Snapshot(combo);
    EXPECT_EQ(shot->Pixels(5, 9), 0x00A0A0);
    EXPECT_EQ(focusedStates, (std::vector<bool>{true}));
    SetFocus(form.Form->Handle());
    focusedStates.clear();
    Snapshot(combo);
    EXPECT_EQ(focusedStates, (std::vector<bool>{false}));
}

namespace {

// A combo box skin: normal box grey, active box blue-grey, button pictures in three colours,
// item pictures in two, and an "edit" description for the disabled colour.
struct ComboSkin {
    TTestSkin skin;
    TskDataSkinComboBox* d = nullptr;
    ComboSkin()
    {
        TBitmap* p = skin.Picture();
        p->SetSize(300, 100);
        p->Fill(0x303030);
        Paint(0, 0, 100, 22, 0x808080);     // box
        Paint(0, 30, 100, 52, 0x806060);    // active box
        Paint(80, 3, 97, 19, 0x20A020);     // button, inside the box
        Paint(120, 0, 137, 16, 0xA02020);   // hot button
        Paint(140, 0, 157, 16, 0x2020A0);   // pressed button
        Paint(200, 0, 260, 16, 0x20C0C0);   // item
        Paint(200, 20, 260, 36, 0xC020C0);  // focused item
        d = skin.Add<TskDataSkinComboBox>("combobox");
        d->PictureIndex = 0;
        d->SkinRect = {0, 0, 100, 22};
        d->ActiveSkinRect = {0, 30, 100, 52};
        d->LTPoint = {5, 5};
        d->RTPoint = {75, 5};
        d->LBPoint = {5, 17};
        d->RBPoint = {75, 17};
        d->ClRect = {3, 3, 78, 19};
        d->ButtonRect = {80, 3, 97, 19};
        d->ActiveButtonRect = {120, 0, 137, 16};
        d->DownButtonRect = {140, 0, 157, 16};
        d->ItemRect = {200, 0, 260, 16};
        d->FocusItemRect = {200, 20, 260, 36};
        d->ItemTextRect = {2, 0, 58, 16};
        d->FontColor = 0x000001;
        d->FocusFontColor = 0x000002;
        d->ActiveFontColor = 0x000003;
        auto* e = skin.Add<TskDataSkinEditControl>("edit");
        e->DisabledFontColor = 0x000004;
    }
    void Paint(int L, int T, int R, int B, TColor C)
    {
        TBitmap* p = skin.Picture();
        for (int y = T; y < B; ++y)
            for (int x = L; x < R; ++x)
                p->SetPixels(x, y, C);
    }
};

}  // namespace

TEST_F(ComboBox, SkinnedLookBoxButtonAndItemPerState)
{
    ComboSkin s;
    Fill(3);
    combo->SetItemIndex(1);
    combo->SetSkinData(s.skin.Data);
    ASSERT_NE(combo->DescriptionIndex(), -1);
    EXPECT_EQ(combo->Height(), 22) << "the picture's height";
    const TRect b = combo->ButtonRect();
    EXPECT_EQ(b, (TRect{80 + 50, 3, 97 + 50, 19})) << "the button moves with the width";
    EXPECT_EQ(combo->ContentRect(), (TRect{3, 3, 78 + 50, 19}));
    auto shot = Snapshot(combo);
    EXPECT_EQ(shot->Pixels(1, 1), 0x808080);
    EXPECT_EQ(shot->Pixels(b.Left + 2, b.Top + 2), 0x20A020);
    EXPECT_EQ(shot->Pixels(4, 4), 0x20C0C0) << "the item picture";
    std::vector<TColor> colors;
    combo->OnComboBoxDrawItem = [&](TCanvas* C, int, int, int, TRect, TOwnerDrawState) {
        colors.push_back(C->Font()->Color());
    };
    // Hot and pressed button; the active box while the mouse is inside.
    combo->Perform(CM_MOUSEENTER);
    SendMessageA(Box(), WM_MOUSEMOVE, 0, At(b.Left + 3, b.Top + 3));
    shot = Snapshot(combo);
    EXPECT_EQ(shot->Pixels(1, 1), 0x806060);
    EXPECT_EQ(shot->Pixels(b.Left + 2, b.Top + 2), 0xA02020);
    SendMessageA(Box(), WM_LBUTTONDOWN, MK_LBUTTON, At(b.Left + 3, b.Top + 3));
    shot = Snapshot(combo);
    EXPECT_EQ(shot->Pixels(b.Left + 2, b.Top + 2), 0x2020A0);
    SendMessageA(Box(), WM_LBUTTONUP, 0, At(b.Left + 3, b.Top + 3));
    combo->CloseUp(false);
    combo->Perform(CM_MOUSELEAVE);
    // Focused: the focused item and its colour; disabled: the edit's disabled colour.
    form.Form->Show();
    combo->SetFocus();
    colors.clear();
    combo->OnComboBoxDrawItem = nullptr;
    shot = Snapshot(combo);
    EXPECT_EQ(shot->Pixels(4, 4), 0xC020C0);
    const TRect content = combo->ContentRect();
    int ink = 0;
    for (int y = content.Top; y < content.Bottom; ++y)
        for (int x = content.Left; x < content.Right; ++x)
            ink += shot->Pixels(x, y) == 0x000002;
    EXPECT_GT(ink, 10) << "the chosen item's text in the focused colour";
    combo->OnComboBoxDrawItem = [&](TCanvas* C, int, int, int, TRect, TOwnerDrawState) {
        colors.push_back(C->Font()->Color());
    };
    auto colorNow = [&] {
        colors.clear();
        Snapshot(combo);
        return colors.size() == 1 ? colors[0] : 0xFFFFFFFF;
    };
    EXPECT_EQ(colorNow(), 0x000002u) << "focused";
    SetFocus(form.Form->Handle());
    EXPECT_EQ(colorNow(), 0x000001u);
    combo->SetEnabled(false);
    EXPECT_EQ(colorNow(), 0x000004u) << "the edit description's disabled colour";
    combo->SetUseSkinSize(false);
    EXPECT_EQ(colorNow(), 0x000001u) << "without the skin's size the state colour stays";
}

TEST_F(ComboBox, SkinnedItemWithoutItemPicturesShowsTheBoxUnscaledInBothSizeModes)
{
    ComboSkin s;
    s.d->ItemRect = {};
    s.d->FocusItemRect = {};
    s.Paint(10, 5, 20, 15, 0x4080C0);  // a mark inside the content part of the box
    Fill(1);
    combo->SetItemIndex(0);
    combo->OnComboBoxDrawItem = [](TCanvas*, int, int, int, TRect, TOwnerDrawState) {};
    combo->SetSkinData(s.skin.Data);
    auto shot = Snapshot(combo);
    EXPECT_EQ(shot->Pixels(12, 7), 0x4080C0);
    EXPECT_EQ(shot->Pixels(25, 7), 0x808080);
    combo->SetUseSkinSize(false);
    combo->SetBounds(10, 10, 100, 22);
    shot = Snapshot(combo);
    EXPECT_EQ(shot->Pixels(12, 7), 0x4080C0);
    EXPECT_EQ(shot->Pixels(25, 7), 0x808080);
}

TEST_F(ComboBox, EditStyleOnASkinTakesTheSkinFontAndSettlesOnAShownForm)
{
    ComboSkin s;
    s.d->FontHeight = 12;
    Fill(2);
    combo->SetStyle(skcbEditStyle);
    combo->SetSkinData(s.skin.Data);
    combo->SetItemIndex(1);
    ASSERT_NE(combo->Edit(), nullptr);
    EXPECT_EQ(combo->Edit()->Color(), 0x808080) << "the box's own ground behind the text";
    EXPECT_EQ(combo->Edit()->Font()->Height(), 12);
    EXPECT_EQ(combo->Edit()->Text(), "item 1");
    const TRect c = combo->ContentRect();
    EXPECT_EQ(combo->Edit()->Left(), c.Left);
    EXPECT_EQ(combo->Edit()->Width(), RectWidth(c));
    form.Form->Show();
    combo->Edit()->SetFocus();
    EXPECT_EQ(combo->Edit()->Font()->Color(), 0x000001) << "the box's own colour while focused";
    EXPECT_EQ(combo->Edit()->Color(), 0x806060) << "on the active box's ground";
    // Painting neither moves the edit nor asks for more painting: the queue runs dry.
    int messages = 0;
    for (MSG m; messages < 500 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++messages)
        DispatchMessageA(&m);
    EXPECT_LT(messages, 500);
}

TEST_F(ComboBox, EditStyleOnABoxPictureOutsideTheSkinKeepsItsOwnGround)
{
    ComboSkin s;
    s.d->SkinRect = {400, 200, 500, 222};
    s.d->ActiveSkinRect = {};
    combo->SetStyle(skcbEditStyle);
    combo->SetDefaultColor(0x123456);
    combo->SetSkinData(s.skin.Data);
    ASSERT_NE(combo->Edit(), nullptr);
    EXPECT_EQ(combo->Edit()->Color(), 0x123456);
}

namespace {

// WCAG's relative luminance of a colour as the screen shows it.
double Luminance(TColor C)
{
    auto channel = [](int V) {
        const double c = V / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(C)) + 0.7152 * channel(GetGValue(C)) + 0.0722 * channel(GetBValue(C));
}

double Contrast(TColor A, TColor B)
{
    const double a = Luminance(A), b = Luminance(B);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The edit's text as the screen shows it: its ground (what most of the edit shows, the text
// being short), its strongest stroke against that ground, and the contrast of the two. The
// caret is hidden.
struct TTextOnScreen {
    TColor ground = 0, ink = 0;
    double contrast = 1;
};

std::ostream& operator<<(std::ostream& Out, const TTextOnScreen& T)
{
    return Out << "ink " << std::hex << T.ink << " on " << T.ground << std::dec << ": " << T.contrast;
}

TTextOnScreen TextOnScreen(TskCustomEdit* Edit)
{
    HWND edit = Edit->Handle();
    HideCaret(edit);
    Application->ProcessMessages();
    UpdateWindow(GetParent(edit));
    UpdateWindow(edit);
    RECT r{};
    GetClientRect(edit, &r);
    POINT at{0, 0};
    ClientToScreen(edit, &at);
    TBitmap shot;
    shot.SetSize(r.right, r.bottom);
    {
        TWindowDC screen(nullptr);
        BitBlt(shot.Canvas()->Handle(), 0, 0, r.right, r.bottom, screen.Handle(), at.x, at.y, SRCCOPY);
        GdiFlush();
    }
    ShowCaret(edit);
    std::map<TColor, int> count;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            ++count[shot.Canvas()->Pixels(x, y)];
    TTextOnScreen seen;
    seen.ground =
        std::max_element(count.begin(), count.end(), [](auto& A, auto& B) { return A.second < B.second; })->first;
    seen.ink = seen.ground;
    for (const auto& [color, n] : count) {
        if (Contrast(color, seen.ground) > seen.contrast) {
            seen.contrast = Contrast(color, seen.ground);
            seen.ink = color;
        }
    }
    return seen;
}

// Waits (bounded) until the combo box has heard the real pointer come or go.
bool PointerInsideIs(TskSkinComboBox* Combo, bool Inside)
{
    for (int i = 0; i < 400 && Combo->MouseIn() != Inside; ++i) {
        Sleep(5);
        Application->ProcessMessages();
    }
    return Combo->MouseIn() == Inside;
}

}  // namespace

// Typed text in the edit style reads on every stored skin's box: at rest, with the real pointer
// over the drop button, focused by a click, and focused through a change to the next skin.
TEST_F(ComboBox, EditStyleTypedTextReadsOnTheScreenInEveryStoredSkinAndState)
{
    std::vector<TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(form.Form);
    ASSERT_EQ(skins.size(), 35u);
    auto* data = new TskSkinData(form.Form);
    data->SetCompressedStoredSkin(skins[0]);
    // The skin changes reach the combo box through the form's frame, as in the program.
    (new TskSkinFrame(form.Form))->SetSkinData(data);
    combo->SetStyle(skcbEditStyle);
    combo->SetSkinData(data);
    form.Form->Show();
    HWND edit = combo->Edit()->Handle();
    boxtest::Type(edit, "MMMM");
    ASSERT_EQ(combo->Edit()->Text(), "MMMM");
    const int corner[2] = {GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1};
    for (std::size_t i = 0; i < skins.size(); ++i) {
        const std::string skin = std::to_string(i) + " " + skins[i]->Description;
        // At rest (the skin came in the last round): the pointer away, the focus on the form.
        SetFocus(form.Form->Handle());
        realinput::PointerAtScreen(corner[0], corner[1]);
        ASSERT_TRUE(PointerInsideIs(combo, false));
        ASSERT_NE(combo->DescriptionIndex(), -1) << skin;
        TTextOnScreen seen = TextOnScreen(combo->Edit());
        EXPECT_GE(seen.contrast, 4.5) << skin << ", at rest, " << seen;

        const TRect b = combo->ButtonRect();
        const TPoint button = combo->ClientToScreen({(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2});
        realinput::PointerAtScreen(button.X, button.Y);
        ASSERT_TRUE(PointerInsideIs(combo, true)) << skin;
        seen = TextOnScreen(combo->Edit());
        EXPECT_GE(seen.contrast, 4.5) << skin << ", the pointer over the drop button, " << seen;

        // Right of the text, and never where the last click was: no double click selects it.
        realinput::ClickWindow(edit, combo->Edit()->Width() - 2 - static_cast<int>(i % 2) * 10);
        ASSERT_EQ(GetFocus(), edit) << skin;
        // The caret at the text's end: the face's colours show unselected.
        realinput::PressKey(VK_END);
        realinput::PointerAtScreen(corner[0], corner[1]);
        ASSERT_TRUE(PointerInsideIs(combo, false));
        seen = TextOnScreen(combo->Edit());
        EXPECT_GE(seen.contrast, 4.5) << skin << ", focused, " << seen;

        const std::size_t next = (i + 1) % skins.size();
        data->SetCompressedStoredSkin(skins[next]);
        Application->ProcessMessages();
        ASSERT_EQ(GetFocus(), edit);
        seen = TextOnScreen(combo->Edit());
        EXPECT_GE(seen.contrast, 4.5) << next << " " << skins[next]->Description << ", changed to while focused, "
                                      << seen;
    }
}

TEST_F(ComboBox, TheSkinNamesTheListDescriptionOfTheDropDown)
{
    ComboSkin s;
    auto* drop = s.skin.Add<TskDataSkinListBox>("droplist");
    drop->PictureIndex = 0;
    drop->SkinRect = {0, 60, 40, 100};
    drop->ClRect = {2, 2, 38, 38};
    drop->ItemRect = {200, 0, 260, 16};
    Fill(3);
    combo->SetSkinData(s.skin.Data);
    combo->DropDown();
    EXPECT_EQ(combo->ListBox()->SkinDataName(), "listbox") << "no name in the skin";
    combo->CloseUp(false);
    s.d->ListBoxName = "droplist";
    combo->DropDown();
    EXPECT_EQ(combo->ListBox()->SkinDataName(), "droplist");
    EXPECT_NE(combo->ListBox()->DescriptionIndex(), -1);
    EXPECT_EQ(combo->ListBox()->ListBox()->ItemHeight(), 16) << "the named description's item height";
}

TEST_F(ComboBox, OnTheLayeredWindowSystemsTheListFadesToItsAlphaValue)
{
    // The version the layered effects were made for.
    SetWindowsVersionSource([]() -> DWORD { return 0x0105; });
    struct TRestore {
        ~TRestore() { SetWindowsVersionSource(nullptr); }
    } restore;
    Fill(3);
    combo->SetAlphaBlend(true);
    combo->SetAlphaBlendValue(180);
    combo->SetAlphaBlendAnimation(true);
    combo->DropDown();
    HWND list = combo->ListBox()->Handle();
    ASSERT_NE(GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(list, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 180);
    combo->CloseUp(false);
    combo->SetAlphaBlend(false);
    combo->DropDown();
    EXPECT_EQ(GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    // Elsewhere the list is never layered.
    SetWindowsVersionSource([]() -> DWORD { return 0x0106; });
    combo->CloseUp(false);
    combo->SetAlphaBlend(true);
    combo->DropDown();
    EXPECT_EQ(GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST_F(ComboBox, TheListsCheckButtonAcceptsAndAForeignCancelModeAtTheEditAbandons)
{
    Fill(4);
    combo->SetItemIndex(0);
    combo->ListBox()->SetCaptionMode(true);
    combo->DropDown();
    ASSERT_TRUE(combo->DroppedDown());
    SendMessageA(List(), WM_MOUSEMOVE, 0, At(5, combo->ListBox()->ListBox()->ItemHeight() * 2 + 3));
    const TRect check = combo->ListBox()->CaptionButtonRect(TskSkinListBox::CheckButton);
    ClickAt(combo->ListBox()->Handle(), check.Left + 3, check.Top + 3);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(events.back(), "closeup");
    // In the edit style the notice reaches the edit, the focused control.
    combo->SetStyle(skcbEditStyle);
    auto* other = new TskSkinComboBox(form.Form);
    other->SetParent(form.Form);
    combo->DropDown();
    SendMessageA(List(), WM_MOUSEMOVE, 0, At(5, 3));
    combo->Edit()->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(combo->ListBox()));
    EXPECT_TRUE(combo->DroppedDown()) << "the combo box's own list";
    combo->Edit()->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(other));
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
}
