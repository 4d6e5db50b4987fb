// The password edit on a real window: typed keys, selection by keys and mouse, paste through
// the real clipboard (busy, Unicode, control characters), masking, and both looks painted.
#include "skin/bases/support.h"

#include "skinforms/controls/support.h"
#include "skinforms/controls/PasswordEdit.h"

using namespace cl;
using namespace sk;
using namespace skctrltest;
using namespace boxtest;

namespace {

struct Password : ::testing::Test {
    TTestForm form;
    TskSkinPasswordEdit* edit = nullptr;
    int changes = 0;
    void SetUp() override
    {
        edit = new TskSkinPasswordEdit(form.Form);
        edit->SetParent(form.Form);
        edit->SetBounds(10, 10, 121, 21);
        edit->OnChange = [this](TObject*) { ++changes; };
        form.Form->Show();
        edit->SetFocus();
        ASSERT_EQ(GetFocus(), edit->Handle());
    }
    HWND Wnd() { return edit->Handle(); }
};

}  // namespace

TEST_F(Password, TypedTextIsKeptButNeverInTheWindowText)
{
    Type(Wnd(), "secret");
    EXPECT_EQ(edit->Text(), "secret");
    EXPECT_EQ(changes, 6);
    char buffer[64] = "x";
    GetWindowTextA(Wnd(), buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(SendMessageA(Wnd(), WM_GETTEXTLENGTH, 0, 0), 0);
    // Control characters typed (Ctrl+letters, Tab, Enter) are not inserted.
    SendMessageA(Wnd(), WM_CHAR, 9, 1);
    SendMessageA(Wnd(), WM_CHAR, 13, 1);
    SendMessageA(Wnd(), WM_CHAR, 22, 1);
    EXPECT_EQ(edit->Text(), "secret");
}

TEST_F(Password, ShiftHomeSelectsWhatWasTypedAndTheNextKeyReplacesIt)
{
    Type(Wnd(), "abc");
    {
        TKeysHeld shift({VK_SHIFT});
        PressKey(Wnd(), VK_HOME);
    }
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 3);
    Type(Wnd(), "x");
    EXPECT_EQ(edit->Text(), "x");
    EXPECT_EQ(edit->CaretPos(), 1);
}

TEST_F(Password, MaxLengthDropsTheWholeInsertAndClearsTheSelection)
{
    edit->SetMaxLength(4);
    Type(Wnd(), "abcd");
    {
        TKeysHeld shift({VK_SHIFT});
        PressKey(Wnd(), VK_LEFT);
    }
    EXPECT_EQ(edit->SelLength(), 1);
    changes = 0;
    ASSERT_TRUE(PutClipboardText(L"xyz"));
    {
        TKeysHeld ctrl({VK_CONTROL});
        PressKey(Wnd(), 'V');
    }
    EXPECT_EQ(edit->Text(), "abcd") << "replacing one character by three passes the limit";
    EXPECT_EQ(edit->SelLength(), 0);
    Type(Wnd(), "e");
    EXPECT_EQ(edit->Text(), "abcd");
    EXPECT_EQ(changes, 0);
}

TEST_F(Password, BackspaceAndDeleteAtTheEndsChangeNothingAndWorkInside)
{
    Type(Wnd(), "abc");
    PressKey(Wnd(), VK_DELETE);
    EXPECT_EQ(edit->Text(), "abc");
    PressKey(Wnd(), VK_HOME);
    PressKey(Wnd(), VK_BACK);
    EXPECT_EQ(edit->Text(), "abc");
    PressKey(Wnd(), VK_DELETE);
    EXPECT_EQ(edit->Text(), "bc");
    PressKey(Wnd(), VK_END);
    PressKey(Wnd(), VK_BACK);
    EXPECT_EQ(edit->Text(), "b");
    edit->SetReadOnly(true);
    PressKey(Wnd(), VK_BACK);
    Type(Wnd(), "z");
    EXPECT_EQ(edit->Text(), "b");
    PressKey(Wnd(), VK_HOME);
    EXPECT_EQ(edit->CaretPos(), 0) << "navigation still works";
}

TEST_F(Password, CtrlArrowsMoveByWords)
{
    Type(Wnd(), "one two  three");
    TKeysHeld ctrl({VK_CONTROL});
    PressKey(Wnd(), VK_LEFT);
    EXPECT_EQ(edit->CaretPos(), 9);
    PressKey(Wnd(), VK_LEFT);
    EXPECT_EQ(edit->CaretPos(), 4);
    PressKey(Wnd(), VK_RIGHT);
    EXPECT_EQ(edit->CaretPos(), 9);
}

TEST_F(Password, PasteTakesUnicodeTextDropsControlCharactersAndRefusesOthersThanTheCodePage)
{
    ASSERT_TRUE(PutClipboardText(L"p\u00e4ss\r\n"));
    {
        TKeysHeld shift({VK_SHIFT});
        PressKey(Wnd(), VK_INSERT);
    }
    EXPECT_EQ(edit->Text(), "p\xe4ss") << "the copied line's break is not part of the password";
    ASSERT_TRUE(PutClipboardText(L"\u4e2d\u6587"));
    {
        TKeysHeld ctrl({VK_CONTROL});
        PressKey(Wnd(), 'V');
    }
    EXPECT_EQ(edit->Text(), "p\xe4ss") << "characters the code page cannot hold are refused, not turned into '?'";
    // Other shift states are no paste.
    ASSERT_TRUE(PutClipboardText(L"q"));
    {
        TKeysHeld both({VK_CONTROL, VK_SHIFT});
        PressKey(Wnd(), 'V');
    }
    EXPECT_EQ(edit->Text(), "p\xe4ss");
}

TEST_F(Password, CopyAndCutLeaveTheClipboardAlone)
{
    Type(Wnd(), "hidden");
    edit->SelectAll();
    ASSERT_TRUE(PutClipboardText(L"before"));
    {
        TKeysHeld ctrl({VK_CONTROL});
        PressKey(Wnd(), 'C');
        PressKey(Wnd(), 'X');
        PressKey(Wnd(), VK_INSERT);
    }
    SendMessageA(Wnd(), WM_COPY, 0, 0);
    SendMessageA(Wnd(), WM_CUT, 0, 0);
    EXPECT_EQ(ClipboardText(), L"before");
    EXPECT_EQ(edit->Text(), "hidden");
}

TEST_F(Password, ABusyClipboardIsTriedAgainAndAClipboardThatStaysBusyPastesNothing)
{
    ASSERT_TRUE(PutClipboardText(L"later"));
    TClipboardHolder holder;
    ASSERT_TRUE(holder.Held());
    int waits = 0;
    edit->ClipboardRetry.BetweenAttempts = [&] {
        if (++waits == 2)
            holder.Release();
    };
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "later");
    EXPECT_EQ(waits, 2);

    TClipboardHolder stubborn;
    ASSERT_TRUE(stubborn.Held());
    waits = 0;
    edit->ClipboardRetry.BetweenAttempts = [&] { ++waits; };
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "later");
    EXPECT_EQ(waits, edit->ClipboardRetry.Attempts - 1);
}

TEST_F(Password, CharCaseConvertsOnSettingAndOnChangeAndTheSameTextFiresNothing)
{
    edit->SetCharCase(ecUpperCase);
    edit->SetText("abc");
    EXPECT_EQ(edit->Text(), "ABC");
    changes = 0;
    edit->SetText("ABC");
    EXPECT_EQ(changes, 0);
    edit->SetCharCase(ecLowerCase);
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(changes, 1);
}

TEST_F(Password, LongTextScrollsAndTheCaretStandsWhereTheAlignmentPutsIt)
{
    const TRect a = edit->TextArea();
    const int w = edit->CellWidth();
    EXPECT_EQ(w, 11) << "a 17-pixel area's cell";
    Type(Wnd(), std::string(30, 'a'));
    EXPECT_GT(edit->FirstVisible(), 1);
    EXPECT_LE(edit->CaretX(30), a.Right);
    POINT p{};
    GetCaretPos(&p);
    EXPECT_EQ(p.x, edit->CaretX(30));
    PressKey(Wnd(), VK_HOME);
    EXPECT_EQ(edit->FirstVisible(), 1);
    edit->SetText("ab");
    edit->SetTextAlignment(cl::taRightJustify);
    PressKey(Wnd(), VK_END);
    GetCaretPos(&p);
    EXPECT_EQ(p.x, a.Right);
    edit->SetTextAlignment(cl::taCenter);
    PressKey(Wnd(), VK_HOME);
    GetCaretPos(&p);
    EXPECT_EQ(p.x, a.Left + (a.Right - a.Left - 2 * w) / 2);
}

TEST_F(Password, MouseSelectsByDraggingAndADoubleClickTakesTheWord)
{
    Type(Wnd(), "abcd efg");
    const int x1 = edit->CaretX(1);
    const int x3 = edit->CaretX(3);
    SendMessageA(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(x1, 10));
    SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, At(x3, 10));
    SendMessageA(Wnd(), WM_LBUTTONUP, 0, At(x3, 10));
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 2);
    SendMessageA(Wnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(x1, 10));
    SendMessageA(Wnd(), WM_LBUTTONUP, 0, At(x1, 10));
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 5);
    EXPECT_EQ(edit->CaretPos(), 5);
}

TEST_F(Password, DefaultLookDrawsOneSymbolPerCharacterAndTheSelection)
{
    edit->SetPasswordKind(pkRect);
    edit->SetText("ab");
    PressKey(Wnd(), VK_END);
    const TRect a = edit->TextArea();
    const int w = edit->CellWidth();
    auto shot = Snapshot(edit);
    EXPECT_EQ(shot->Pixels(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(shot->Pixels(1, 1), Rgb(clBtnFace));
    const int cy = (a.Top + a.Bottom) / 2;
    EXPECT_EQ(shot->Pixels(a.Left + w / 2, cy), Rgb(clWindowText)) << "the first symbol";
    EXPECT_EQ(shot->Pixels(a.Left + w + w / 2, cy), Rgb(clWindowText));
    EXPECT_EQ(shot->Pixels(a.Left + 2 * w + w / 2, cy), Rgb(clWindow)) << "no third symbol";
    EXPECT_EQ(shot->Pixels(a.Left, cy), Rgb(clWindow)) << "the gap before a symbol";
    edit->SelectAll();
    shot = Snapshot(edit);
    EXPECT_EQ(shot->Pixels(a.Left, cy), Rgb(clHighlight));
    EXPECT_EQ(shot->Pixels(a.Left + w / 2, cy), Rgb(clHighlightText));
    // Unfocused with HideSelection the selection is not shown.
    SetFocus(form.Form->Handle());
    EXPECT_EQ(Snapshot(edit)->Pixels(a.Left, cy), Rgb(clWindow));
    edit->SetEnabled(false);
    EXPECT_EQ(Snapshot(edit)->Pixels(a.Left + w / 2, cy), Rgb(clGrayText));
}

TEST_F(Password, SkinnedLookDrawsTheEditPieceAndItsColours)
{
    TTestSkin skin;
    TBitmap* p = skin.Picture();
    p->SetSize(100, 50);
    p->Fill(0x206020);
    for (int y = 25; y < 46; ++y)
        for (int x = 0; x < 60; ++x)
            p->SetPixels(x, y, 0x602020);  // the active piece
    auto* d = skin.Add<TskDataSkinEditControl>("edit");
    d->PictureIndex = 0;
    d->SkinRect = {0, 0, 60, 21};
    d->ActiveSkinRect = {0, 25, 60, 46};
    d->LTPoint = {3, 0};
    d->RTPoint = {57, 0};
    d->ClRect = {3, 3, 57, 18};
    d->FontColor = 0x0000FF;
    d->ActiveFontColor = 0x00FF00;
    d->DisabledFontColor = 0xFF0000;
    edit->SetPasswordKind(pkRect);
    edit->SetText("a");
    edit->SetSkinData(skin.Data);
    ASSERT_NE(edit->DescriptionIndex(), -1);
    EXPECT_EQ(edit->TextArea(), (TRect{3, 3, 121 - 3, 18}));
    const int w = edit->CellWidth();
    PressKey(Wnd(), VK_END);
    auto shot = Snapshot(edit);
    EXPECT_EQ(shot->Pixels(1, 1), 0x602020) << "focused: the active piece";
    EXPECT_EQ(shot->Pixels(3 + w / 2, 10), 0x00FF00);
    SetFocus(form.Form->Handle());
    shot = Snapshot(edit);
    EXPECT_EQ(shot->Pixels(1, 1), 0x206020);
    EXPECT_EQ(shot->Pixels(3 + w / 2, 10), 0x0000FF);
    edit->SetEnabled(false);
    EXPECT_EQ(Snapshot(edit)->Pixels(3 + w / 2, 10), 0xFF0000);
}
