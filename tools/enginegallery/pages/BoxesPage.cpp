// The box controls on a framed form: a page control, a tab control, an edit with its button,
// a password edit, a list box with a selected item, an up-down, and the combo boxes in both
// styles; and the fixed-style combo box's list dropped down.
#include <memory>
#include <string>

#include "enginegallery/EngineGallery.h"
#include "skinforms/skSkinComboBox.h"
#include "skinforms/skSkinEdit.h"
#include "skinforms/skSkinFrame.h"
#include "skinforms/skSkinListBox.h"
#include "skinforms/skSkinPasswordEdit.h"
#include "skinforms/skSkinTabs.h"
#include "skinforms/skSkinUpDown.h"

namespace {

using namespace cl;
using namespace sk;

void DrawBoxes(const gallery::TGalleryContext& Context)
{
    std::unique_ptr<TForm, void (*)(TForm*)> form(new TForm(nullptr), [](TForm* F) { F->Free(); });
    form->SetBounds(20, 20, 560, 400);
    form->SetCaption("Boxes");
    auto* frame = new TskSkinFrame(form.get());
    frame->SetSkinData(Context.Skin);

    auto* pages = new TskSkinPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(10, 10, 300, 170);
    for (const char* caption : {"Web Site", "PlayList", "Configure"}) {
        auto* sheet = new TskSkinTabSheet(pages);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    pages->SetActivePageIndex(0);
    auto* edit = new TskSkinEdit(pages->Pages(0));
    edit->SetParent(pages->Pages(0));
    edit->SetBounds(10, 10, 200, 20);
    edit->SetText("http://127.0.0.1/stream");
    auto* button = new TskSkinEdit(pages->Pages(0));
    button->SetParent(pages->Pages(0));
    button->SetButtonMode(true);
    button->SetSkinDataName("buttonedit");
    button->SetBounds(10, 40, 200, 20);
    button->SetText("demo");
    auto* password = new TskSkinPasswordEdit(pages->Pages(0));
    password->SetParent(pages->Pages(0));
    password->SetBounds(10, 70, 200, 21);
    password->SetText("secret");

    auto* tabs = new TskSkinTabControl(form.get());
    tabs->SetParent(form.get());
    tabs->SetBounds(10, 190, 300, 150);
    for (const char* caption : {"Best Stations", "Recently Added", "Rate"})
        tabs->Tabs()->Add(caption);
    tabs->SetTabIndex(1);

    auto* list = new TskSkinListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(320, 10, 200, 200);
    for (int i = 0; i < 20; ++i)
        list->Items()->Add("Station " + std::to_string(i + 1));
    list->SetItemIndex(2);

    auto* upDown = new TskSkinUpDown(form.get());
    upDown->SetParent(form.get());
    upDown->SetBounds(320, 220, 50, 25);

    auto* fixed = new TskSkinComboBox(form.get());
    fixed->SetParent(form.get());
    fixed->SetBounds(320, 260, 200, 20);
    auto* editable = new TskSkinComboBox(form.get());
    editable->SetParent(form.get());
    editable->SetStyle(skcbEditStyle);
    editable->SetBounds(320, 300, 200, 20);
    for (const char* position : {"Upper left", "Upper right", "Lower left", "Lower right"}) {
        fixed->Items()->Add(position);
        editable->Items()->Add(position);
    }
    fixed->SetItemIndex(1);
    editable->SetItemIndex(2);

    for (TControl* c :
         std::initializer_list<TControl*>{pages, tabs, list, upDown, edit, button, password, fixed, editable}) {
        if (auto* p = dynamic_cast<TskSkinPageControl*>(c))
            p->SetSkinData(Context.Skin);
        else if (auto* t = dynamic_cast<TskSkinTabControl*>(c))
            t->SetSkinData(Context.Skin);
        else if (auto* e = dynamic_cast<TskSkinCustomEdit*>(c))
            e->SetSkinData(Context.Skin);
        else if (auto* s = dynamic_cast<TskSkinControl*>(c))
            s->SetSkinData(Context.Skin);
    }
    form->Show();
    gallery::Settle();
    Context.SaveWindow(form->Handle(), "boxes");

    // The list is a window of its own: it is pictured from what it paints, which does not
    // depend on a window manager showing a second top-level window.
    fixed->DropDown();
    gallery::Settle();
    TskPopupListBox* drop = fixed->ListBox();
    TBitmap picture;
    picture.SetSize(drop->Width(), drop->Height());
    SendMessageA(drop->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Canvas()->Handle()), PRF_CLIENT);
    TskListBox* inner = drop->ListBox();
    TBitmap rows;
    rows.SetSize(inner->Width(), inner->Height());
    SendMessageA(inner->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(rows.Canvas()->Handle()), PRF_CLIENT);
    picture.Canvas()->Draw(inner->Left(), inner->Top(), &rows);
    Context.Save(picture, "boxes-dropdown");
    fixed->CloseUp(false);
}

gallery::TGalleryPage page("boxes", &DrawBoxes);

}  // namespace
