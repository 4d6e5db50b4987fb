// The standard controls over real EDIT and LISTBOX windows: state kept across re-creation,
// one-line text, owner-drawn items, the label's size, the clipboard.
#include <atomic>
#include <map>
#include <thread>
#include <utility>

#include "classlib/stdctrls/Caret.h"
#include "classlib/stdctrls/Clipbrd.h"
#include "classlib/stdctrls/EditText.h"
#include "classlib/stdctrls/Image.h"
#include "classlib/stdctrls/StdCtrls.h"
#include "classlib/controls/support.h"

using namespace cl;
using namespace visual_test;

namespace {

struct StdCtrlsTest : TFormTest<> {
    template <class T>
    T* Make(int Left, int Top, int Width, int Height)
    {
        T* c = new T(form);
        c->SetBounds(Left, Top, Width, Height);
        c->SetParent(form);
        return c;
    }
};

// An owner-drawn list that notes what it was asked to draw.
class TDrawProbe : public TListBox {
public:
    using TListBox::TListBox;
    std::vector<int> Drawn;
    std::vector<TOwnerDrawState> States;

protected:
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override
    {
        Drawn.push_back(Index);
        States.push_back(State);
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->FillRect(Rect);
    }
};

// Counts the mouse messages that reach the edit window's own procedure.
class TMouseCountEdit : public TEdit {
public:
    using TEdit::TEdit;
    std::map<UINT, int> Native;
    void DefaultHandler(TMessage& Message) override
    {
        if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST)
            ++Native[Message.Msg];
        TEdit::DefaultHandler(Message);
    }
};

// The client point a little inside the character at Index.
TPoint CharPoint(TCustomEdit* Edit, int Index)
{
    const LRESULT pos = SendMessageA(Edit->Handle(), EM_POSFROMCHAR, static_cast<WPARAM>(Index), 0);
    return {static_cast<short>(LOWORD(pos)) + 1, static_cast<short>(HIWORD(pos)) + 2};
}

}  // namespace

TEST_F(StdCtrlsTest, EditKeepsTextSelectionAndLimitAcrossRecreate)
{
    auto* edit = Make<TEdit>(10, 10, 150, 22);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetMaxLength(8);
    edit->SetText("abcdefgh");
    EXPECT_EQ(changes, 1);
    edit->SetSelStart(2);
    edit->SetSelLength(3);
    EXPECT_EQ(edit->SelText(), "cde");
    edit->SetPasswordChar('*');  // re-creates the window
    EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_PASSWORD);
    EXPECT_EQ(edit->Text(), "abcdefgh");
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(edit->SelLength(), 3);
    EXPECT_EQ(changes, 1) << "re-creation is no change of text";
    // The limit survives too: typing into a full edit adds nothing.
    edit->SetSelStart(8);
    SendMessageA(edit->Handle(), WM_CHAR, 'x', 0);
    EXPECT_EQ(edit->Text(), "abcdefgh");
    edit->SetCharCase(ecUpperCase);
    EXPECT_EQ(edit->Text(), "ABCDEFGH");
    edit->Free();
}

TEST_F(StdCtrlsTest, OneLineEditTakesNoLineBreaksFromPasteAssignOrEnter)
{
    // A descendant gives the window the multi-line style, as the skinned edit does.
    class TMultiStyleEdit : public TEdit {
    public:
        using TEdit::TEdit;

    protected:
        void CreateParams(TCreateParams& Params) override
        {
            TEdit::CreateParams(Params);
            Params.Style |= ES_MULTILINE;
        }
    };
    auto* edit = Make<TMultiStyleEdit>(10, 10, 150, 22);
    edit->SetText("first\r\nsecond");
    EXPECT_EQ(edit->Text(), "first second");
    Clipboard()->SetAsText("x\r\ny\tz\x02");
    edit->SelectAll();
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "x y z");
    SendMessageA(edit->Handle(), WM_CHAR, '\r', 0);
    EXPECT_EQ(SendMessageA(edit->Handle(), EM_GETLINECOUNT, 0, 0), 1);
    // Undo, cut and clear go through the window.
    edit->SelectAll();
    edit->CutToClipboard();
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(Clipboard()->AsText(), "x y z");
    EXPECT_TRUE(edit->CanUndo());
    edit->Undo();
    EXPECT_EQ(edit->Text(), "x y z");
}

TEST_F(StdCtrlsTest, ColourMessagesAreReflectedToTheEditAndTheList)
{
    const std::pair<TWinControl*, UINT> cases[] = {{Make<TEdit>(10, 10, 150, 22), WM_CTLCOLOREDIT},
                                                   {Make<TListBox>(10, 40, 150, 60), WM_CTLCOLORLISTBOX}};
    for (const auto& [control, message] : cases) {
        control->SetColor(clYellow);
        control->Font()->SetColor(clRed);
        HDC dc = GetDC(control->Handle());
        const LRESULT brush = SendMessageA(form->Handle(), message, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(control->Handle()));
        LOGBRUSH fill{};
        ASSERT_NE(GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof fill, &fill), 0) << message;
        EXPECT_EQ(fill.lbColor, RGB(255, 255, 0)) << message;
        EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0)) << message;
        EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 0)) << message;
        ReleaseDC(control->Handle(), dc);
    }
}

TEST_F(StdCtrlsTest, ListKeepsItemsObjectsAndIndexAcrossRecreateAndWithoutWindow)
{
    auto* list = new TListBox(form);
    // Before there is any window the object holds the items.
    list->Items()->AddObject("one", reinterpret_cast<TObject*>(0x11));
    list->Items()->Add("two");
    list->SetItemIndex(1);
    EXPECT_FALSE(list->HandleAllocated());
    list->SetBounds(10, 10, 120, 100);
    list->SetParent(form);
    ASSERT_TRUE(list->HandleAllocated());
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(list->ItemIndex(), 1);
    list->Items()->Add("three");
    list->SetStyle(lbOwnerDrawFixed);  // re-creates
    EXPECT_EQ(list->Count(), 3);
    EXPECT_EQ(list->Items()->Get(2), "three");
    EXPECT_EQ(list->Items()->Objects(0), reinterpret_cast<TObject*>(0x11));
    EXPECT_EQ(list->ItemIndex(), 1);
    // Out of range: nothing selected, never an error.
    list->SetItemIndex(7);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->SetItemIndex(-5);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_THROW(list->Items()->Get(3), EListError);
    EXPECT_THROW(list->Items()->Delete(-1), EListError);
    // Removed from its parent, the list loses its window but keeps its items.
    list->SetParent(nullptr);
    EXPECT_FALSE(list->HandleAllocated());
    EXPECT_EQ(list->Items()->Get(1), "two");
    list->Free();
}

TEST_F(StdCtrlsTest, OwnerDrawnItemsArePaintedByDrawItemWithTheirState)
{
    auto* list = Make<TDrawProbe>(10, 10, 120, 100);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(20);
    for (const char* s : {"a", "b", "c"})
        list->Items()->Add(s);
    list->SetItemIndex(1);
    EXPECT_EQ(list->ItemHeight(), 20);
    list->Drawn.clear();
    list->States.clear();
    form->Show();
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_FALSE(list->Drawn.empty());
    for (std::size_t i = 0; i < list->Drawn.size(); ++i)
        EXPECT_EQ(list->States[i].Contains(odSelected), list->Drawn[i] == 1);
    // The painter reached the screen: the item's pixels are the painter's colour.
    HDC dc = GetDC(list->Handle());
    const TRect r = list->ItemRect(2);
    EXPECT_EQ(GetPixel(dc, r.Left + 3, r.Top + 3), RGB(0, 255, 0));
    ReleaseDC(list->Handle(), dc);
    EXPECT_EQ(list->ItemAtPos({5, r.Top + 2}, true), 2);
    EXPECT_EQ(list->ItemAtPos({5, 95}, true), -1);
    EXPECT_EQ(list->ItemAtPos({5, 95}, false), 3);
}

TEST_F(StdCtrlsTest, MultiSelectionAndSortingSurviveRecreate)
{
    auto* list = Make<TListBox>(10, 10, 120, 100);
    for (const char* s : {"pear", "apple", "fig"})
        list->Items()->Add(s);
    list->SetMultiSelect(true);
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    EXPECT_EQ(list->SelCount(), 2);
    list->SetColumns(2);  // re-creates
    EXPECT_TRUE(list->Selected(0));
    EXPECT_FALSE(list->Selected(1));
    EXPECT_TRUE(list->Selected(2));
    list->SetSorted(true);
    EXPECT_EQ(list->Items()->Get(0), "apple");
    EXPECT_THROW(list->Selected(3), EListError);
}

TEST_F(StdCtrlsTest, LabelSizesToCaptionFromTheRightEdgeAndFocusesItsControl)
{
    auto* label = Make<TLabel>(100, 10, 50, 17);
    label->SetCaption("");
    const int emptyHeight = label->Height();
    EXPECT_GT(emptyHeight, 0) << "an empty caption still takes a line";
    EXPECT_GT(label->Width(), 0);
    label->SetAlignment(taRightJustify);
    const int right = label->Left() + label->Width();
    label->SetCaption("A much longer caption");
    EXPECT_EQ(label->Left() + label->Width(), right);
    EXPECT_GT(label->Width(), 50);
    label->SetCaption("&");
    EXPECT_EQ(label->Height(), emptyHeight);

    auto* edit = Make<TEdit>(10, 40, 100, 22);
    label->SetCaption("&Name");
    label->SetFocusControl(edit);
    form->Show();
    EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'N'), 1);
    EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'X'), 0);
    edit->Free();
    EXPECT_EQ(label->FocusControl(), nullptr);
    EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'N'), 0);
}

TEST_F(StdCtrlsTest, ImageSizesToItsPictureAndPaintsItCentredOrStretched)
{
    form->SetBorderStyle(bsNone);
    form->SetColor(clWhite);
    auto* image = Make<TImage>(0, 0, 10, 10);
    image->SetAutoSize(true);
    TBitmap* bitmap = image->Picture()->Bitmap();
    bitmap->SetSize(30, 20);
    bitmap->Canvas()->Brush()->SetColor(clBlue);
    bitmap->Canvas()->FillRect(Rect(0, 0, 30, 20));
    EXPECT_EQ(image->Width(), 30);
    EXPECT_EQ(image->Height(), 20);
    image->SetAutoSize(false);
    image->SetBounds(0, 0, 60, 40);
    TBitmap shot;
    shot.SetSize(60, 40);
    auto paint = [&] {
        shot.Canvas()->Brush()->SetColor(clWhite);
        shot.Canvas()->FillRect(Rect(0, 0, 60, 40));
        form->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), PRF_CLIENT);
    };
    paint();
    EXPECT_EQ(shot.Pixels(29, 19), clBlue);
    EXPECT_EQ(shot.Pixels(30, 20), clWhite) << "drawn at its own size in the corner";
    image->SetCenter(true);
    paint();
    EXPECT_EQ(shot.Pixels(2, 2), clWhite);
    EXPECT_EQ(shot.Pixels(15, 10), clBlue);
    EXPECT_EQ(shot.Pixels(45, 30), clWhite);
    image->SetStretch(true);
    paint();
    EXPECT_EQ(shot.Pixels(58, 38), clBlue);
    // Another kind of picture replaces the bitmap; no picture paints nothing.
    image->Picture()->Icon();
    EXPECT_EQ(image->Picture()->Bitmap()->Width(), 0);
    image->Picture()->SetGraphic(nullptr);
    paint();
    EXPECT_EQ(shot.Pixels(30, 20), clWhite);
}

TEST(Clipboard, TextRoundTripsInBothWidths)
{
    Clipboard()->SetAsText("plain");
    EXPECT_TRUE(Clipboard()->HasText());
    EXPECT_EQ(Clipboard()->AsText(), "plain");
    EXPECT_EQ(Clipboard()->AsWideText(), L"plain");
    Clipboard()->SetAsWideText(L"wide");
    EXPECT_EQ(Clipboard()->AsText(), "wide");
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasText());
    EXPECT_EQ(Clipboard()->AsText(), "");
}

TEST_F(StdCtrlsTest, ClickOnAnItemSelectsItThroughTheListsOwnHandling)
{
    auto* list = Make<TListBox>(10, 10, 120, 100);
    for (const char* s : {"a", "b", "c"})
        list->Items()->Add(s);
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    const TRect r = list->ItemRect(2);
    const LPARAM at = MAKELPARAM(r.Left + 3, r.Top + 2);
    SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
}

TEST_F(StdCtrlsTest, CaretBelongsToOneWindowAndLeavesAnotherWindowsCaretAlone)
{
    auto* first = Make<TEdit>(10, 10, 100, 22);
    auto* second = Make<TEdit>(10, 40, 100, 22);
    {
        TCaret caret;
        ASSERT_TRUE(caret.Create(first->Handle(), 14));
        caret.SetPos({7, 3});
        EXPECT_EQ(caret.Pos(), (TPoint{7, 3}));
        // Another window takes the thread's caret: this object no longer moves or frees it.
        CreateCaret(second->Handle(), nullptr, 1, 10);
        SetCaretPos(2, 2);
        caret.SetPos({9, 9});
        EXPECT_EQ(caret.Pos(), (TPoint{0, 0}));
    }
    POINT p{};
    GetCaretPos(&p);
    EXPECT_EQ(p.x, 2) << "the second window's caret survived";
    DestroyCaret();
    TCaret none;
    EXPECT_FALSE(none.Create(nullptr, 10));
    none.Show();
}

TEST_F(StdCtrlsTest, EditWithoutWindowKeepsTextAndSelectionInTheObject)
{
    TEdit edit(nullptr);
    edit.SetText("radio");
    edit.SetSelStart(2);
    edit.SetSelLength(2);
    edit.SetSelText("\r\nX");
    EXPECT_FALSE(edit.HandleAllocated());
    EXPECT_EQ(edit.Text(), "ra Xo");
    EXPECT_EQ(edit.SelStart(), 4);
}

TEST_F(StdCtrlsTest, PasteWhileAnotherThreadHoldsTheClipboardDoesNothing)
{
    auto* edit = Make<TEdit>(10, 10, 150, 22);
    Clipboard()->SetAsText("pasted");
    edit->SetText("kept");
    std::atomic<bool> holding{false}, release{false};
    std::thread holder([&] {
        if (OpenClipboard(nullptr)) {
            holding = true;
            while (!release)
                Sleep(1);
            CloseClipboard();
        }
        holding = true;
    });
    while (!holding)
        Sleep(1);
    edit->SelectAll();
    edit->PasteFromClipboard();
    EXPECT_THROW(Clipboard()->SetAsText("x"), EClipboardException);
    release = true;
    holder.join();
    EXPECT_EQ(edit->Text(), "kept");
}

TEST_F(StdCtrlsTest, ItemsAndTextSurviveTheParentsRecreation)
{
    auto* panel = Place<TPanelProbe>(form, 0, 0, 200, 150);
    auto* list = new TListBox(form);
    list->SetParent(panel);
    list->Items()->Add("kept");
    list->SetItemIndex(0);
    auto* edit = new TEdit(form);
    edit->SetParent(panel);
    edit->SetTop(120);
    SendMessageA(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    panel->RecreateWnd();
    ASSERT_TRUE(list->HandleAllocated());
    EXPECT_EQ(list->Count(), 1);
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(edit->Text(), "typed");
}

TEST_F(StdCtrlsTest, LabelWrapsIntoMoreLinesAndSitsAtTheBottomOfItsLayout)
{
    auto* label = Make<TLabel>(0, 0, 60, 17);
    label->SetCaption("one two three four five six");
    const int oneLine = Make<TLabel>(0, 0, 10, 10)->Height();
    label->SetWordWrap(true);
    label->SetWidth(60);
    label->SetCaption("one two three four five six seven");
    EXPECT_GT(label->Height(), oneLine) << "wrapped at its width";

    // Where the text lies: nothing in the upper half of a tall label laid out at the bottom.
    form->SetBorderStyle(bsNone);
    auto* bottom = Make<TLabel>(0, 0, 80, 100);
    bottom->SetAutoSize(false);
    bottom->SetBounds(0, 0, 80, 100);
    bottom->SetColor(clWhite);
    bottom->Font()->SetColor(clBlack);
    bottom->SetCaption("Tune");
    bottom->SetLayout(tlBottom);
    label->Hide();
    TBitmap shot;
    shot.SetSize(80, 100);
    form->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), PRF_CLIENT);
    auto inked = [&](int Top, int Bottom) {
        for (int y = Top; y < Bottom; ++y)
            for (int x = 0; x < 80; ++x)
                if (shot.Pixels(x, y) != clWhite)
                    return true;
        return false;
    };
    EXPECT_FALSE(inked(0, 50));
    EXPECT_TRUE(inked(50, 100));
}

TEST_F(StdCtrlsTest, LettersTypedInQuickSuccessionSearchTogetherAndALaterOneAlone)
{
    // The list's clock is the test's.
    class TClockedList : public TListBox {
    public:
        using TListBox::TListBox;
        unsigned Now = 10000;

    protected:
        unsigned Ticks() const override { return Now; }
    };
    auto* list = Make<TClockedList>(10, 10, 120, 100);
    for (const char* s : {"Apple", "Apricot", "Banana", "Bravo"})
        list->Items()->Add(s);
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    auto type = [&](char c) { SendMessageA(list->Handle(), WM_CHAR, static_cast<unsigned char>(c), 0); };
    type('a');
    type('p');
    type('r');
    EXPECT_EQ(list->ItemIndex(), 1);
    type('z');  // no item begins so: the choice stays
    EXPECT_EQ(list->ItemIndex(), 1);
    list->Now += TListBox::AutoCompleteDelay;
    type('b');
    type('r');
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(clicks, 5);
    list->SetAutoComplete(false);
    list->Now += TListBox::AutoCompleteDelay;
    list->SetItemIndex(0);
    type('b');
    EXPECT_EQ(list->ItemIndex(), 2) << "the platform's own search: one letter";
}

TEST_F(StdCtrlsTest, EnteringAnEditSelectsAllOnlyWithAutoSelectAndStylesFollowTheProperties)
{
    auto* first = Make<TEdit>(10, 10, 100, 22);
    auto* second = Make<TEdit>(10, 40, 100, 22);
    second->SetText("station");
    form->Show();
    SetForegroundWindow(form->Handle());
    first->SetFocus();
    second->SetFocus();
    if (!second->Focused())
        GTEST_SKIP() << "no focus on this display";
    EXPECT_EQ(second->SelLength(), 7);
    second->SetAutoSelect(false);
    second->SetSelStart(3);
    first->SetFocus();
    second->SetFocus();
    EXPECT_EQ(second->SelLength(), 0);
    second->SetAlignment(taRightJustify);
    second->SetHideSelection(false);
    second->SetBorderStyle(bsNone);
    const LONG style = GetWindowLongA(second->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & ES_RIGHT);
    EXPECT_TRUE(style & ES_NOHIDESEL);
    EXPECT_FALSE(GetWindowLongA(second->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(second->Text(), "station");
}

TEST_F(StdCtrlsTest, PressMoveAndReleaseReachTheEditsOwnHandlingOnceEach)
{
    auto* edit = Make<TMouseCountEdit>(10, 10, 200, 22);
    edit->SetText("hello world");
    // The sent press carries no button state, so entering the edit would select everything.
    edit->SetAutoSelect(false);
    std::vector<std::string> events;
    edit->OnMouseDown = [&](TObject*, TMouseButton, TShiftState Shift, int, int) {
        events.push_back((Shift.Contains(ssDouble) ? "double down " : "down ") + std::to_string(edit->SelStart()));
    };
    edit->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
    edit->OnClick = [&](TObject*) { events.push_back("click"); };
    edit->OnDblClick = [&](TObject*) { events.push_back("dblclick"); };

    // A click places the caret before the events run, so they see it.
    const TPoint at6 = CharPoint(edit, 6);
    SendMessageA(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(at6.X, at6.Y));
    SendMessageA(edit->Handle(), WM_LBUTTONUP, 0, At(at6.X, at6.Y));
    EXPECT_EQ(edit->SelStart(), 6);
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"down 6", "click", "up"}));
    EXPECT_EQ(edit->Native[WM_LBUTTONDOWN], 1);
    EXPECT_EQ(edit->Native[WM_LBUTTONUP], 1);
    EXPECT_EQ(GetCapture(), nullptr) << "the edit let its capture go on the release";

    // Pressed on the first letter and dragged to the sixth: the edit selects what lies between.
    const TPoint at0 = CharPoint(edit, 0);
    const TPoint at5 = CharPoint(edit, 5);
    edit->Native.clear();
    SendMessageA(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(at0.X, at0.Y));
    SendMessageA(edit->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(at5.X, at5.Y));
    SendMessageA(edit->Handle(), WM_LBUTTONUP, 0, At(at5.X, at5.Y));
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelText(), "hello");
    EXPECT_EQ(edit->Native[WM_LBUTTONDOWN], 1);
    EXPECT_EQ(edit->Native[WM_MOUSEMOVE], 1);
    EXPECT_EQ(edit->Native[WM_LBUTTONUP], 1);

    // A double click selects the word under it and is reported once.
    const TPoint at8 = CharPoint(edit, 8);
    edit->Native.clear();
    events.clear();
    SendMessageA(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(at8.X, at8.Y));
    SendMessageA(edit->Handle(), WM_LBUTTONUP, 0, At(at8.X, at8.Y));
    SendMessageA(edit->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(at8.X, at8.Y));
    SendMessageA(edit->Handle(), WM_LBUTTONUP, 0, At(at8.X, at8.Y));
    EXPECT_EQ(edit->SelText(), "world");
    EXPECT_EQ(edit->Native[WM_LBUTTONDBLCLK], 1);
    EXPECT_EQ(edit->Native[WM_LBUTTONDOWN], 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "dblclick"), 1);
}

TEST_F(StdCtrlsTest, AnEditInAutomaticDragModeLeavesThePressToTheDrag)
{
    auto* edit = Make<TMouseCountEdit>(10, 10, 200, 22);
    edit->SetText("hello world");
    edit->SetSelStart(2);
    edit->SetDragMode(dmAutomatic);
    const TPoint at6 = CharPoint(edit, 6);
    SendMessageA(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(at6.X, at6.Y));
    EXPECT_TRUE(edit->Dragging());
    EXPECT_EQ(edit->Native[WM_LBUTTONDOWN], 0);
    EXPECT_EQ(edit->SelStart(), 2) << "the caret stays where it was";
    SendMessageA(GetCapture(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(edit->Dragging());
}

TEST_F(StdCtrlsTest, AClickTogglesAMultiSelectListsItemOnce)
{
    auto* list = Make<TListBox>(10, 10, 120, 100);
    for (const char* s : {"a", "b", "c"})
        list->Items()->Add(s);
    list->SetMultiSelect(true);
    list->SetExtendedSelect(false);
    const TRect r = list->ItemRect(1);
    ClickAt(list->Handle(), r.Left + 3, r.Top + 2);
    EXPECT_TRUE(list->Selected(1)) << "a second pass of the press would toggle it back";
    EXPECT_EQ(list->SelCount(), 1);
    ClickAt(list->Handle(), r.Left + 3, r.Top + 2);
    EXPECT_FALSE(list->Selected(1));
}

TEST_F(StdCtrlsTest, TheFormsRecreationKeepsItsChildrensTypedTextItemsAndSelection)
{
    auto* edit = Make<TEdit>(10, 10, 200, 22);
    SendMessageA(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed here"));
    SendMessageA(edit->Handle(), EM_SETSEL, 6, 10);
    SendMessageA(edit->Handle(), EM_SETMODIFY, TRUE, 0);
    auto* list = Make<TListBox>(10, 40, 120, 100);
    list->SetMultiSelect(true);
    HWND listWnd = list->Handle();
    for (const char* s : {"one", "two", "three"})
        SendMessageA(listWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessageA(listWnd, LB_SETSEL, TRUE, 0);
    SendMessageA(listWnd, LB_SETSEL, TRUE, 2);
    HWND editWnd = edit->Handle();

    form->RecreateWnd();
    ASSERT_TRUE(edit->HandleAllocated());
    EXPECT_NE(edit->Handle(), editWnd);
    EXPECT_EQ(GetParent(edit->Handle()), form->Handle());
    EXPECT_EQ(edit->Text(), "typed here");
    EXPECT_EQ(edit->SelText(), "here");
    EXPECT_TRUE(edit->Modified());
    ASSERT_TRUE(list->HandleAllocated());
    EXPECT_NE(list->Handle(), listWnd);
    EXPECT_EQ(list->Count(), 3);
    EXPECT_EQ(list->Items()->Get(2), "three");
    EXPECT_TRUE(list->Selected(0));
    EXPECT_FALSE(list->Selected(1));
    EXPECT_TRUE(list->Selected(2));
}

TEST_F(StdCtrlsTest, AnEditFreedWhileItsOwnHandlingTakesThePressIsNotTouchedAfterwards)
{
    // The edit takes the focus on the press; a handler of the entry frees it right there.
    auto* edit = Make<TEdit>(10, 10, 200, 22);
    edit->SetText("gone soon");
    int downs = 0;
    edit->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    edit->OnEnter = [](TObject* Sender) { static_cast<TControl*>(Sender)->Free(); };
    HWND wnd = edit->Handle();
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_EQ(downs, 0) << "nothing runs on the freed control";
}
