// The skinned edit across a skin change told by its form's frame: it keeps its window, and with
// it the text, the selection, the caret, the undo and the focus, while its frame and client area
// follow the new skin; only styles that a live window cannot take make a new window.
#include "skinforms/frame/support.h"

#include "skinforms/controls/Edit.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

// An edit that wants the platform's sunken border while no skin describes it: a style that only
// a new window can take.
class TBorderedUnskinnedEdit : public TskSkinEdit {
public:
    using TskSkinEdit::TskSkinEdit;

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TskSkinEdit::CreateParams(Params);
        if (DescriptionIndex() == -1)
            Params.ExStyle |= WS_EX_CLIENTEDGE;
    }
};

HWND CaretWindow()
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetCurrentThreadId(), &info);
    return info.hwndCaret;
}

struct EditSkin : ::testing::Test {
    TFrameSkin skin;
    TFramedForm form{skin.Data};

    TskDataSkinEditControl* AddEdit(const TRect& Client)
    {
        auto* e = static_cast<TskDataSkinEditControl*>(
            skin.Data->CtrlList.Add(std::make_unique<TskDataSkinEditControl>("edit")));
        e->SkinRect = {0, 0, 40, 24};
        e->ClRect = Client;
        e->LTPoint = {Client.Left, 0};
        e->RTPoint = {Client.Right, 0};
        return e;
    }
    template <class TEdit>
    TEdit* Make()
    {
        auto* edit = new TEdit(form.Form);
        edit->SetParent(form.Form);
        edit->SetBounds(10, 10, 150, 24);
        edit->SetSkinData(skin.Data);
        form.Show();
        edit->SetFocus();
        edit->SetText("");
        SendMessageA(edit->Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
        // Typed, so that there is something to undo.
        for (char c : std::string("web radio"))
            SendMessageA(edit->Handle(), WM_CHAR, static_cast<WPARAM>(c), 1);
        edit->SetSelStart(4);
        edit->SetSelLength(3);
        return edit;
    }
    static int ClientWidth(HWND Wnd)
    {
        RECT r{};
        GetClientRect(Wnd, &r);
        return r.right;
    }
};

}  // namespace

TEST_F(EditSkin, ASkinChangeKeepsTheWindowTheTextTheSelectionTheCaretTheUndoAndTheFocus)
{
    AddEdit({3, 3, 37, 21});
    auto* edit = Make<TskSkinEdit>();
    const HWND before = edit->Handle();
    ASSERT_EQ(GetFocus(), before);
    ASSERT_EQ(CaretWindow(), before);
    ASSERT_NE(SendMessageA(before, EM_CANUNDO, 0, 0), 0);
    EXPECT_EQ(ClientWidth(before), 150 - 3 - 3);

    // A skin whose edit frame is wider on both sides.
    skin.Reload([&] {
        skin.Data->CtrlList.Clear();
        AddEdit({6, 4, 32, 20});
    });
    ASSERT_NE(edit->DescriptionIndex(), -1);
    EXPECT_EQ(edit->Handle(), before) << "no style changed: the same window";
    EXPECT_EQ(edit->Text(), "web radio");
    EXPECT_EQ(edit->SelStart(), 4);
    EXPECT_EQ(edit->SelLength(), 3);
    EXPECT_EQ(GetFocus(), before);
    EXPECT_EQ(CaretWindow(), before);
    EXPECT_NE(SendMessageA(before, EM_CANUNDO, 0, 0), 0) << "what was typed can still be undone";
    EXPECT_EQ(ClientWidth(before), 150 - 6 - 8) << "the client area within the new frame";
    EXPECT_EQ(edit->TextRect(), (TRect{6, 4, 142, 20}));

    // Back to no description: the default frame of two pixels a side, still the same window.
    skin.Reload([&] { skin.Data->CtrlList.Clear(); });
    EXPECT_EQ(edit->DescriptionIndex(), -1);
    EXPECT_EQ(edit->Handle(), before);
    EXPECT_EQ(ClientWidth(before), 150 - 4);
    EXPECT_EQ(edit->Text(), "web radio");
    EXPECT_EQ(GetFocus(), before);
}

TEST_F(EditSkin, AStyleThatOnlyANewWindowCanTakeMakesOneWithTheTextAndTheSelection)
{
    auto* edit = Make<TBorderedUnskinnedEdit>();
    const HWND before = edit->Handle();
    ASSERT_NE(GetWindowLongA(before, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    skin.Reload([&] { AddEdit({3, 3, 37, 21}); });
    ASSERT_NE(edit->DescriptionIndex(), -1);
    EXPECT_NE(edit->Handle(), before) << "the border goes with a new window";
    EXPECT_EQ(GetWindowLongA(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(edit->Text(), "web radio");
    EXPECT_EQ(edit->SelStart(), 4);
    EXPECT_EQ(edit->SelLength(), 3);
    EXPECT_EQ(ClientWidth(edit->Handle()), 150 - 6);
}
