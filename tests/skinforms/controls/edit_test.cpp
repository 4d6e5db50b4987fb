// The skinned edit on a real window: read-only through every editing path, Enter and Escape
// for the form, the caret after a click and the selection after Tab, line breaks and tabs kept
// out, paste through the real clipboard (busy, too
// long, foreign characters), the context menu's items, the button, and both looks per state.
#include "skin/bases/support.h"

#include "classlib/controls/support.h"
#include "skinforms/controls/support.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/frame/Messages.h"
#include "support/UserInput.h"

using namespace cl;
using namespace sk;
using namespace skctrltest;
using namespace boxtest;

namespace {

struct Edit : ::testing::Test {
    TTestForm form;
    TskSkinEdit* edit = nullptr;
    void SetUp() override
    {
        edit = new TskSkinEdit(form.Form);
        edit->SetParent(form.Form);
        edit->SetBounds(10, 10, 150, 20);
        form.Form->Show();
        edit->SetFocus();
        ASSERT_EQ(GetFocus(), edit->Handle());
    }
    HWND Wnd() { return edit->Handle(); }
    // What the user sees: the frame, and the client's background and text inside it.
    std::unique_ptr<TBitmap> Look()
    {
        auto b = std::make_unique<TBitmap>();
        b->SetSize(edit->Width(), edit->Height());
        b->Fill(0x00FF00FF);
        HDC dc = b->Canvas()->Handle();
        EXPECT_EQ(SendMessageA(Wnd(), WM_PAINTFRAMEINTODC, reinterpret_cast<WPARAM>(dc), PaintIntoDCAnswer),
                  PaintIntoDCAnswer);
        const TRect t = edit->TextRect();
        POINT old{};
        SetViewportOrgEx(dc, t.Left, t.Top, &old);
        SendMessageA(Wnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SetViewportOrgEx(dc, old.x, old.y, nullptr);
        GdiFlush();
        return b;
    }
    int CountColour(TBitmap* B, const TRect& R, TColor C)
    {
        int n = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                n += B->Pixels(x, y) == C;
        return n;
    }
};

}  // namespace

TEST_F(Edit, ReadOnlyRefusesEveryEditingPathButTheWindowIsNeverReadOnly)
{
    edit->SetText("fixed");
    edit->SetReadOnly(true);
    EXPECT_EQ(GetWindowLongA(Wnd(), GWL_STYLE) & ES_READONLY, 0);
    ASSERT_TRUE(PutClipboardText(L"pasted"));
    edit->SelectAll();
    Type(Wnd(), "x");
    PressKey(Wnd(), VK_DELETE);
    PressKey(Wnd(), VK_BACK, '\b');
    {
        TKeysHeld shift({VK_SHIFT});
        PressKey(Wnd(), VK_INSERT);
    }
    for (UINT m : {WM_CUT, WM_PASTE, WM_CLEAR, WM_UNDO})
        SendMessageA(Wnd(), m, 0, 0);
    EXPECT_EQ(edit->Text(), "fixed");
    // Navigation still works.
    PressKey(Wnd(), VK_END);
    EXPECT_EQ(edit->SelStart(), 5);
    edit->SetReadOnly(false);
    Type(Wnd(), "!");
    EXPECT_EQ(edit->Text(), "fixed!");
}

TEST_F(Edit, EnterAndEscapeGoToTheFormsButtonsAndNeverIntoTheText)
{
    auto* ok = new visual_test::TTestButton(form.Form);
    ok->SetParent(form.Form);
    ok->Default = true;
    auto* cancel = new visual_test::TTestButton(form.Form);
    cancel->SetParent(form.Form);
    cancel->Cancel = true;
    std::string pressed;
    edit->OnKeyPress = [&](TObject*, char& Key) { pressed += Key; };
    edit->SetText("abc");
    PressKey(Wnd(), VK_RETURN, '\r');
    EXPECT_EQ(ok->Clicks, 1);
    PressKey(Wnd(), VK_ESCAPE, '\x1b');
    EXPECT_EQ(cancel->Clicks, 1);
    EXPECT_EQ(pressed, "\r\x1b");
    EXPECT_EQ(edit->Text(), "abc");
}

TEST_F(Edit, AClickPutsTheCaretWhereItLandsAndTabSelectsEverything)
{
    auto* other = new TskSkinEdit(form.Form);
    other->SetParent(form.Form);
    other->SetBounds(10, 40, 150, 20);
    edit->SetText("demo");
    other->SetFocus();
    RECT client{};
    GetClientRect(Wnd(), &client);
    realinput::ClickWindow(Wnd(), client.right - 4);
    ASSERT_EQ(GetFocus(), Wnd());
    EXPECT_EQ(edit->SelStart(), 4);
    EXPECT_EQ(edit->SelLength(), 0);
    realinput::PressKey('X');
    EXPECT_EQ(edit->Text(), "demox") << "the key goes where the click put the caret";

    other->SetFocus();
    realinput::PressKeys({VK_SHIFT, VK_TAB});
    ASSERT_EQ(GetFocus(), Wnd());
    EXPECT_EQ(edit->SelLength(), 5);
    realinput::PressKey('Y');
    EXPECT_EQ(edit->Text(), "y") << "the key replaces what Tab selected";
}

TEST_F(Edit, LineBreaksAndTabsStayOutOfTheOneLine)
{
    edit->SetText("ab");
    PressKey(Wnd(), VK_END);
    {
        TKeysHeld ctrl({VK_CONTROL});
        PressKey(Wnd(), VK_RETURN, '\n');
    }
    SendMessageA(Wnd(), WM_CHAR, '\t', 1);
    EXPECT_EQ(edit->Text(), "ab");
    ASSERT_TRUE(PutClipboardText(L"c\r\nd"));
    SendMessageA(Wnd(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->Text().find_first_of("\r\n"), std::string::npos) << edit->Text();
    EXPECT_EQ(edit->Text().substr(0, 3), "abc");
}

TEST_F(Edit, APasteIsCutToMaxLengthAndForeignCharactersAreRefused)
{
    edit->SetMaxLength(6);
    edit->SetText("abcd");
    PressKey(Wnd(), VK_END);
    ASSERT_TRUE(PutClipboardText(L"123456789"));
    {
        TKeysHeld ctrl({VK_CONTROL});
        SendMessageA(Wnd(), WM_PASTE, 0, 0);
    }
    EXPECT_EQ(edit->Text(), "abcd12");
    SendMessageA(Wnd(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->Text(), "abcd12") << "no room left";
    edit->SetMaxLength(0);
    ASSERT_TRUE(PutClipboardText(L"\u0416\u0436"));
    SendMessageA(Wnd(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->Text(), "abcd12");
    ASSERT_TRUE(PutClipboardText(L"\u00e9"));
    SendMessageA(Wnd(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->Text(), "abcd12\xe9") << "a character of the code page is welcome";
}

TEST_F(Edit, ABusyClipboardIsTriedAgain)
{
    ASSERT_TRUE(PutClipboardText(L"late"));
    TClipboardHolder holder;
    ASSERT_TRUE(holder.Held());
    int waits = 0;
    edit->ClipboardRetry.BetweenAttempts = [&] {
        if (++waits == 3)
            holder.Release();
    };
    SendMessageA(Wnd(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->Text(), "late");
    EXPECT_EQ(waits, 3);
}

TEST_F(Edit, TheContextMenuOffersWhatTheStateAllowsAndOpensAtTheCentreFromTheKeyboard)
{
    edit->SetText("hello");
    edit->SetSelStart(1);
    edit->SetSelLength(2);
    edit->SetReadOnly(true);
    ASSERT_TRUE(PutClipboardText(L"x"));
    SendMessageA(Wnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Wnd()), MAKELPARAM(-1, -1));
    TPopupMenu* menu = edit->ContextMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Items()->Count(), 8);
    const char* captions[] = {"Undo", "-", "Cut", "Copy", "Paste", "Delete", "-", "Select All"};
    const bool enabled[] = {false, false, false, true, false, false, false, true};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(menu->Items()->Items(i)->Caption(), captions[i]);
        if (captions[i][0] != '-') {
            EXPECT_EQ(menu->Items()->Items(i)->Enabled(), enabled[i]);
        }
    }
    RECT w{};
    GetWindowRect(Wnd(), &w);
    EXPECT_EQ(edit->ContextMenuPoint(), (TPoint{w.left + 75, w.top + 10}));
    // Copy runs, then the menu's click notice frees it.
    menu->Items()->Items(3)->Click();
    EXPECT_EQ(ClipboardText(), L"el");
    SendMessageA(Wnd(), WM_SKINMENUITEMCLICK, 0, 0);
    EXPECT_EQ(edit->ContextMenu(), nullptr);
    // Everything selected and writable: Select All is off, the others on.
    edit->SetReadOnly(false);
    edit->SelectAll();
    SendMessageA(Wnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Wnd()), MAKELPARAM(20, 30));
    menu = edit->ContextMenu();
    EXPECT_EQ(edit->ContextMenuPoint(), (TPoint{20, 30}));
    EXPECT_TRUE(menu->Items()->Items(2)->Enabled());
    EXPECT_TRUE(menu->Items()->Items(4)->Enabled());
    EXPECT_FALSE(menu->Items()->Items(7)->Enabled());
    menu->Items()->Items(5)->Click();
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(Edit, DefaultLookFramesTheTextAndReservesASquareButton)
{
    auto shot = Look();
    EXPECT_EQ(shot->Pixels(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(shot->Pixels(1, 1), Rgb(clBtnFace));
    EXPECT_EQ(shot->Pixels(2, 2), Rgb(clWindow)) << "the client background";
    RECT client{};
    GetClientRect(Wnd(), &client);
    EXPECT_EQ(client.right, 150 - 4);
    edit->SetButtonMode(true);
    EXPECT_EQ(edit->ButtonRect(), (TRect{130, 0, 150, 20}));
    EXPECT_EQ(edit->TextRect(), (TRect{2, 2, 128, 18}));
    GetClientRect(Wnd(), &client);
    EXPECT_EQ(client.right, 150 - 2 - 22);
    shot = Look();
    EXPECT_EQ(shot->Pixels(130, 5), Rgb(clBtnShadow));
    EXPECT_EQ(shot->Pixels(133, 5), Rgb(clBtnFace));
    RECT w{};
    GetWindowRect(Wnd(), &w);
    EXPECT_EQ(SendMessageA(Wnd(), WM_NCHITTEST, 0, MAKELPARAM(w.left + 140, w.top + 10)), HTHSCROLL);
    EXPECT_EQ(SendMessageA(Wnd(), WM_NCHITTEST, 0, MAKELPARAM(w.left + 1, w.top + 10)), HTVSCROLL);
    SendMessageA(Wnd(), WM_NCMOUSEMOVE, HTHSCROLL, 0);
    EXPECT_TRUE(edit->ButtonHot());
    shot = Look();
    EXPECT_EQ(shot->Pixels(130, 5), 0x800000);
    EXPECT_EQ(shot->Pixels(133, 5), 0xD2BDB6);
    SendMessageA(Wnd(), WM_NCLBUTTONDOWN, HTHSCROLL, 0);
    EXPECT_EQ(Look()->Pixels(133, 5), 0xB59385);
    int clicks = 0;
    edit->OnButtonClick = [&](TObject*) {
        ++clicks;
        EXPECT_EQ(GetFocus(), Wnd()) << "the edit has the focus first";
    };
    SetFocus(form.Form->Handle());
    SendMessageA(Wnd(), WM_NCLBUTTONUP, HTHSCROLL, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(edit->ButtonDown());
}

TEST_F(Edit, SkinnedLookTakesThePictureHeightAndItsActivePieceWithTheMouseOrFocus)
{
    TTestSkin skin;
    TBitmap* p = skin.Picture();
    p->SetSize(100, 60);
    p->Fill(0x206020);
    for (int y = 0; y < 22; ++y)
        for (int x = 5; x < 55; ++x)
            p->SetPixels(x, y, 0xE0E0E0);  // the normal client part
    for (int y = 30; y < 52; ++y)
        for (int x = 0; x < 60; ++x)
            p->SetPixels(x, y, (x >= 5 && x < 55 && y >= 33 && y < 49) ? 0xF0D0D0 : 0x602020);
    auto* d = skin.Add<TskDataSkinEditControl>("edit");
    d->PictureIndex = 0;
    d->SkinRect = {0, 0, 60, 22};
    d->ActiveSkinRect = {0, 30, 60, 52};
    d->LTPoint = {5, 0};
    d->RTPoint = {55, 0};
    d->ClRect = {5, 3, 55, 19};
    d->FontColor = 0x000080;
    d->ActiveFontColor = 0x008000;
    d->DisabledFontColor = 0x800080;
    SetFocus(form.Form->Handle());
    edit->SetSkinData(skin.Data);
    ASSERT_NE(edit->DescriptionIndex(), -1);
    EXPECT_EQ(edit->Height(), 22);
    edit->SetHeight(50);
    EXPECT_EQ(edit->Height(), 22) << "the skin's height, whatever is asked";
    EXPECT_EQ(edit->TextRect(), (TRect{5, 3, 145, 19}));
    EXPECT_EQ(Rgb(edit->Font()->Color()), 0x000080);
    auto shot = Look();
    EXPECT_EQ(shot->Pixels(1, 1), 0x206020);
    EXPECT_EQ(shot->Pixels(8, 10), 0xE0E0E0);
    edit->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Rgb(edit->Font()->Color()), 0x008000);
    shot = Look();
    EXPECT_EQ(shot->Pixels(1, 1), 0x602020);
    edit->Perform(CM_MOUSELEAVE);
    edit->SetFocus();
    shot = Look();
    EXPECT_EQ(shot->Pixels(1, 1), 0x602020);
    EXPECT_EQ(shot->Pixels(8, 10), 0xF0D0D0);
    EXPECT_EQ(Rgb(edit->Font()->Color()), 0x008000);
    // Disabled, the text shows in the skin's disabled colour, or grey when the skin gives
    // no colour at all.
    edit->SetText("WWWW");
    edit->SetEnabled(false);
    EXPECT_GT(CountColour(Look().get(), edit->TextRect(), 0x800080), 0);
    d->DisabledFontColor = 0;
    d->FontColor = 0;
    EXPECT_GT(CountColour(Look().get(), edit->TextRect(), Rgb(clGrayText)), 0);
}
