// The box controls on a framed form: a page control, a tab control, an edit with its button,
// a password edit, a list box with a selected item, an up-down, and the combo boxes in both
// styles; and the fixed-style combo box's list dropped down.
#include <memory>
#include <string>

#include "enginegallery/EngineGallery.h"
#include "skinforms/controls/ComboBox.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/controls/ListBox.h"
#include "skinforms/controls/PasswordEdit.h"
#include "skinforms/controls/Tabs.h"
#include "skinforms/controls/UpDown.h"

namespace {

using namespace cl;
using namespace sk;

struct TBoxes {
    TskSkinPageControl* Pages = nullptr;
    TskSkinEdit* Edit = nullptr;
    TskSkinEdit* Button = nullptr;
    TskSkinPasswordEdit* Password = nullptr;
    TskSkinTabControl* Tabs = nullptr;
    TskSkinListBox* List = nullptr;
    TskSkinUpDown* UpDown = nullptr;
    TskSkinComboBox* Fixed = nullptr;
    TskSkinComboBox* Editable = nullptr;
};

// The page control, with the edits on its first page.
void PlacePages(TForm* F, TBoxes& B)
{
    B.Pages = new TskSkinPageControl(F);
    B.Pages->SetParent(F);
    B.Pages->SetBounds(10, 10, 300, 170);
    for (const char* caption : {"Web Site", "PlayList", "Configure"}) {
        auto* sheet = new TskSkinTabSheet(B.Pages);
        sheet->SetCaption(caption);
        sheet->SetPageControl(B.Pages);
    }
    B.Pages->SetActivePageIndex(0);
    TWinControl* page = B.Pages->Pages(0);
    B.Edit = new TskSkinEdit(page);
    B.Edit->SetParent(page);
    B.Edit->SetBounds(10, 10, 200, 20);
    B.Edit->SetText("http://127.0.0.1/stream");
    B.Button = new TskSkinEdit(page);
    B.Button->SetParent(page);
    B.Button->SetButtonMode(true);
    B.Button->SetSkinDataName("buttonedit");
    B.Button->SetBounds(10, 40, 200, 20);
    B.Button->SetText("demo");
    B.Password = new TskSkinPasswordEdit(page);
    B.Password->SetParent(page);
    B.Password->SetBounds(10, 70, 200, 21);
    B.Password->SetText("secret");
}

void PlaceTabsListAndUpDown(TForm* F, TBoxes& B)
{
    B.Tabs = new TskSkinTabControl(F);
    B.Tabs->SetParent(F);
    B.Tabs->SetBounds(10, 190, 300, 150);
    for (const char* caption : {"Best Stations", "Recently Added", "Rate"})
        B.Tabs->Tabs()->Add(caption);
    B.Tabs->SetTabIndex(1);

    B.List = new TskSkinListBox(F);
    B.List->SetParent(F);
    B.List->SetBounds(320, 10, 200, 200);
    for (int i = 0; i < 20; ++i)
        B.List->Items()->Add("Station " + std::to_string(i + 1));
    B.List->SetItemIndex(2);

    B.UpDown = new TskSkinUpDown(F);
    B.UpDown->SetParent(F);
    B.UpDown->SetBounds(320, 220, 50, 25);
}

void PlaceComboBoxes(TForm* F, TBoxes& B)
{
    B.Fixed = new TskSkinComboBox(F);
    B.Fixed->SetParent(F);
    B.Fixed->SetBounds(320, 260, 200, 20);
    B.Editable = new TskSkinComboBox(F);
    B.Editable->SetParent(F);
    B.Editable->SetStyle(skcbEditStyle);
    B.Editable->SetBounds(320, 300, 200, 20);
    for (const char* position : {"Upper left", "Upper right", "Lower left", "Lower right"}) {
        B.Fixed->Items()->Add(position);
        B.Editable->Items()->Add(position);
    }
    B.Fixed->SetItemIndex(1);
    B.Editable->SetItemIndex(2);
}

void SkinBoxes(const TBoxes& B, TskSkinData* Skin)
{
    B.Pages->SetSkinData(Skin);
    B.Tabs->SetSkinData(Skin);
    B.List->SetSkinData(Skin);
    B.UpDown->SetSkinData(Skin);
    B.Edit->SetSkinData(Skin);
    B.Button->SetSkinData(Skin);
    B.Password->SetSkinData(Skin);
    B.Fixed->SetSkinData(Skin);
    B.Editable->SetSkinData(Skin);
}

// The list is a window of its own: it is pictured from what it paints, which does not depend
// on a window manager showing a second top-level window.
void SaveDroppedList(const gallery::TGalleryContext& Context, TskSkinComboBox* Combo)
{
    Combo->DropDown();
    gallery::Settle();
    TskPopupListBox* drop = Combo->ListBox();
    TBitmap picture;
    picture.SetSize(drop->Width(), drop->Height());
    SendMessageA(drop->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Canvas()->Handle()), PRF_CLIENT);
    TskListBox* inner = drop->ListBox();
    TBitmap rows;
    rows.SetSize(inner->Width(), inner->Height());
    SendMessageA(inner->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(rows.Canvas()->Handle()), PRF_CLIENT);
    picture.Canvas()->Draw(inner->Left(), inner->Top(), &rows);
    Context.Save(picture, "boxes-dropdown");
    Combo->CloseUp(false);
}

void DrawBoxes(const gallery::TGalleryContext& Context)
{
    std::unique_ptr<TForm, void (*)(TForm*)> form(new TForm(nullptr), [](TForm* F) { F->Free(); });
    form->SetBounds(20, 20, 560, 400);
    form->SetCaption("Boxes");
    auto* frame = new TskSkinFrame(form.get());
    frame->SetSkinData(Context.Skin);
    TBoxes boxes;
    PlacePages(form.get(), boxes);
    PlaceTabsListAndUpDown(form.get(), boxes);
    PlaceComboBoxes(form.get(), boxes);
    SkinBoxes(boxes, Context.Skin);
    form->Show();
    gallery::Settle();
    Context.SaveWindow(form->Handle(), "boxes");
    SaveDroppedList(Context, boxes.Fixed);
}

gallery::TGalleryPage page("boxes", &DrawBoxes);

}  // namespace
