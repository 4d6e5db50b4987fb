// The skin-selection dialog on its own: what it lists, what it preselects and previews, and
// what it answers for OK, Cancel and a skin that cannot be read.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/graphics/GdiHandles.h"
#include "support/UserInput.h"
#include "skinforms/dialogs/SelectSkin.h"
#include "skins/StoredSkins.h"

namespace {

using namespace sk;

struct TDialogScene {
    std::unique_ptr<cl::TComponent, void (*)(cl::TComponent*)> owner{new cl::TComponent(nullptr),
                                                                      [](cl::TComponent* C) { C->Free(); }};
    std::vector<TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(owner.get());
    TskSelectSkinDialog* dialog = new TskSelectSkinDialog(owner.get());
    TskSkinData* program = new TskSkinData(owner.get());

    TDialogScene()
    {
        program->SetCompressedStoredSkin(skins[12]);
        dialog->SetSkinData(program);
        dialog->SetCtrlSkinData(program);
    }
    // Shows the dialog, lets Answer act on its window once it shows, and gives what Execute
    // answered; a dialog that Answer leaves open fails the test.
    bool Run(TskCompressedStoredSkin* Current, std::function<void(TskSelectSkinDlgForm*)> Answer)
    {
        bool answer = false;
        EXPECT_FALSE(realinput::ActWhileModal([this] { return dialog->Form(); }, [&] { Answer(dialog->Form()); },
                                              [&] { answer = dialog->Execute(Current); }))
            << "the dialog stayed open";
        return answer;
    }
};

void Click(cl::TWinControl* Control) { realinput::ClickWindow(Control->Handle()); }

// A real click (or double click) on an item of the list.
void ClickItem(TskSelectSkinDlgForm* Form, int Index, bool Double = false)
{
    HWND list = Form->ListBox->ListBox()->Handle();
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&r));
    POINT p{r.left + 5, r.top + 2};
    ClientToScreen(list, &p);
    realinput::ClickAtScreen(p.x, p.y, Double);
}

}  // namespace

TEST(SelectSkinDialog, ListsTheOwnersStoredSkinsAndPreviewsTheCurrentOne)
{
    TDialogScene scene;
    scene.skins[2]->Description.clear();
    scene.skins[2]->SetName("skEffective");
    std::string listed2, caption;
    int selected = -1;
    TskCompressedStoredSkin* previewed = nullptr;
    EXPECT_TRUE(scene.Run(scene.skins[7], [&](TskSelectSkinDlgForm* F) {
        EXPECT_EQ(F->ListBox->Items()->Count(), static_cast<int>(scene.skins.size()));
        listed2 = F->ListBox->Items()->Get(2);
        selected = F->ListBox->ItemIndex();
        previewed = F->PreviewSkinData->CompressedStoredSkin();
        caption = F->Caption();
        Click(F->OKButton);
    }));
    EXPECT_EQ(listed2, "skEffective");  // no description: the component's name
    EXPECT_EQ(selected, 7);
    EXPECT_EQ(previewed, scene.skins[7]);
    EXPECT_EQ(caption, "Select skin");
    EXPECT_EQ(scene.dialog->SelectedSkin(), scene.skins[7]);
    // The program's skin is the caller's business.
    EXPECT_EQ(scene.program->CompressedStoredSkin(), scene.skins[12]);
    EXPECT_EQ(scene.dialog->Form(), nullptr);
}

TEST(SelectSkinDialog, AnUnknownCurrentSkinPreselectsTheFirstAndAClickPreviewsAtOnce)
{
    TDialogScene scene;
    TskCompressedStoredSkin stranger(nullptr);
    TskCompressedStoredSkin* afterClick = nullptr;
    EXPECT_TRUE(scene.Run(&stranger, [&](TskSelectSkinDlgForm* F) {
        EXPECT_EQ(F->ListBox->ItemIndex(), 0);
        ClickItem(F, 3);
        afterClick = F->PreviewSkin();
        // A double click closes with OK.
        ClickItem(F, 3, true);
    }));
    EXPECT_EQ(afterClick, scene.skins[3]);
    EXPECT_EQ(scene.dialog->SelectedSkin(), scene.skins[3]);
}

TEST(SelectSkinDialog, CancelAnswersFalseAndSelectsNothing)
{
    TDialogScene scene;
    EXPECT_FALSE(scene.Run(scene.skins[5], [&](TskSelectSkinDlgForm* F) { Click(F->CancelButton); }));
    EXPECT_EQ(scene.dialog->SelectedSkin(), nullptr);
}

TEST(SelectSkinDialog, KeysInTheListMoveThePreviewEnterConfirmsAndEscapeCancels)
{
    TDialogScene scene;
    auto keys = [](std::initializer_list<WORD> Keys) {
        return [Keys](TskSelectSkinDlgForm*) {
            for (WORD key : Keys)
                realinput::PressKey(key);
        };
    };
    EXPECT_TRUE(scene.Run(scene.skins[4], keys({VK_DOWN, VK_RETURN})));
    EXPECT_EQ(scene.dialog->SelectedSkin(), scene.skins[5]);
    EXPECT_FALSE(scene.Run(scene.skins[4], keys({VK_DOWN, VK_ESCAPE})));
    EXPECT_EQ(scene.dialog->SelectedSkin(), nullptr);
}

TEST(SelectSkinDialog, ASkinThatCannotBeReadCannotBeChosen)
{
    TDialogScene scene;
    auto* broken = new TskCompressedStoredSkin(scene.owner.get());
    broken->Description = "Broken";
    static const char garbage[] = "no zlib here";
    broken->CompressedStream().Write(garbage, sizeof garbage);
    bool okEnabled = true;
    EXPECT_FALSE(scene.Run(broken, [&](TskSelectSkinDlgForm* F) {
        okEnabled = F->OKButton->Enabled();
        EXPECT_EQ(F->PreviewForm->Caption(), "This skin cannot be read");
        F->SetModalResult(cl::mrOk);
    }));
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(scene.dialog->SelectedSkin(), nullptr);
}

// The preview stands for a window in use: it shows the skin's active frame although the
// disabled preview never is the active window.
TEST(SelectSkinDialog, ThePreviewShowsTheSkinsActiveFrame)
{
    TDialogScene scene;
    int checked = 0;
    std::vector<std::string> wrong;
    // The first skin draws its inactive frame as a picture of its own.
    EXPECT_FALSE(scene.Run(scene.skins[0], [&](TskSelectSkinDlgForm* shown) {
        cl::Application->ProcessMessages();
        TskSkinData& skin = *shown->PreviewSkinData;
        if (!skin.InactivePicture || skin.InactivePicture->Empty()) {
            wrong.push_back("nowhere: the skin has no inactive picture");
            shown->SetModalResult(cl::mrCancel);
            return;
        }
        HWND preview = shown->PreviewForm->Handle();
        RECT w{};
        GetWindowRect(preview, &w);
        cl::TOwnedRegion shape(CreateRectRgn(0, 0, 0, 0));
        const bool shaped = GetWindowRgn(preview, shape.Handle()) != ERROR;
        // The top-left corner of the frame, drawn from the picture as it is; where the active
        // picture differs from the inactive one and no caption object lies.
        cl::TWindowDC screen(nullptr);
        for (int y = 0; y < skin.LTPoint.Y; ++y)
            for (int x = 0; x < skin.LTPoint.X; ++x) {
                const cl::TColor active = skin.Picture->Pixels(x, y);
                if (active == skin.InactivePicture->Pixels(x, y) || (shaped && !PtInRegion(shape.Handle(), x, y)))
                    continue;
                bool onObject = false;
                for (int i = 0; i < shown->PreviewFrame->ObjectCount(); ++i)
                    onObject = onObject || PointInRect(shown->PreviewFrame->Objects(i)->ObjectRect, {x, y});
                if (onObject)
                    continue;
                ++checked;
                const COLORREF seen = GetPixel(screen.Handle(), w.left + x, w.top + y);
                if (seen != static_cast<COLORREF>(cl::ColorToRGB(active)) && wrong.size() < 5)
                    wrong.push_back(std::to_string(x) + "," + std::to_string(y));
            }
        shown->SetModalResult(cl::mrCancel);
    }));
    EXPECT_GT(checked, 20) << "too few pixels tell the active frame from the inactive one";
    EXPECT_TRUE(wrong.empty()) << "the screen does not show the active frame at " << wrong.front();
}

TEST(SelectSkinDialog, AnOwnerWithoutStoredSkinsIsRefused)
{
    std::unique_ptr<cl::TComponent, void (*)(cl::TComponent*)> owner{new cl::TComponent(nullptr),
                                                                      [](cl::TComponent* C) { C->Free(); }};
    auto* dialog = new TskSelectSkinDialog(owner.get());
    EXPECT_THROW(dialog->Execute(nullptr), cl::EInvalidOperation);
    EXPECT_EQ(dialog->Form(), nullptr);
}
