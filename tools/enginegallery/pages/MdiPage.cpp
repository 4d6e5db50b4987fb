// An MDI form wearing the engine's frame, with a menu bar, a tabs bar and three framed
// children, its menu bar's first drop-down open and a skinned message box over it.
#include <memory>

#include "classlib/graphics/GdiHandles.h"
#include "enginegallery/EngineGallery.h"
#include "skinforms/dialogs/MessageBox.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/menubar/MDITabsBar.h"
#include "skinforms/menubar/MainMenuBar.h"

namespace {

using namespace cl;
using namespace sk;

class TGalleryMdiForm : public TForm {
public:
    explicit TGalleryMdiForm(TComponent* AOwner) : TForm(AOwner) { SetFormStyle(fsMDIForm); }
};

class TGalleryMdiChild : public TForm {
public:
    explicit TGalleryMdiChild(TComponent* AOwner) : TForm(AOwner) { SetFormStyle(fsMDIChild); }
};

// What the screen shows in R, copied to (X, Y) of Picture.
void CopyScreen(TBitmap& Picture, const TRect& R, int X, int Y)
{
    TWindowDC screen(nullptr);
    BitBlt(Picture.Canvas()->Handle(), X, Y, R.Width(), R.Height(), screen.Handle(), R.Left, R.Top, SRCCOPY);
}

TMenuItem* Item(TComponent* Owner, TMenuItem* Parent, const char* Caption)
{
    auto* item = new TMenuItem(Owner);
    item->SetCaption(Caption);
    Parent->Add(item);
    return item;
}

void DrawMdi(const gallery::TGalleryContext& Context)
{
    // The children's frames find the main form's frame through the application's main form.
    if (Application->MainForm())
        return;
    TGalleryMdiForm* raw = nullptr;
    Application->CreateForm(raw);
    std::unique_ptr<TForm, void (*)(TForm*)> form(raw, [](TForm* F) { F->Free(); });
    form->SetBounds(20, 20, 620, 440);
    form->SetCaption("Trebanix Web Radio");
    auto* frame = new TskSkinFrame(form.get());
    auto* bar = new TskSkinMainMenuBar(form.get());
    bar->SetParent(form.get());
    bar->SetSkinData(Context.Skin);
    frame->SetMainMenuBar(bar);
    auto* tabs = new TskSkinMDITabsBar(form.get());
    tabs->SetAlign(alTop);
    tabs->SetParent(form.get());
    tabs->SetTop(200);
    tabs->SetSkinData(Context.Skin);
    frame->SetMDITabsBar(tabs);
    auto* menu = new TMainMenu(form.get());
    TMenuItem* stations = Item(menu, menu->Items(), "&Stations");
    Item(menu, stations, "&Play");
    Item(menu, stations, "S&top");
    Item(menu, stations, "-");
    Item(menu, stations, "&Reload");
    Item(menu, menu->Items(), "&View");
    Item(menu, menu->Items(), "&Window");
    Item(menu, menu->Items(), "&Help");
    bar->SetMainMenu(menu);
    frame->SetSkinData(Context.Skin);
    form->Show();
    gallery::Settle();

    const char* captions[] = {"Favorites", "Jazz", "News"};
    for (int i = 0; i < 3; ++i) {
        auto* child = new TGalleryMdiChild(form.get());
        child->SetBounds(20 + i * 60, 10 + i * 40, 300, 200);
        child->SetCaption(captions[i]);
        auto* childFrame = new TskSkinFrame(child);
        childFrame->SetSkinData(Context.Skin);
        child->Show();
        gallery::Settle();
    }

    // The first drop-down, open as a click on it leaves it.
    if (auto* first = dynamic_cast<TskSkinMainMenuBarItem*>(bar->Objects(bar->SysButtonCount())))
        bar->OpenItemMenu(first);
    gallery::Settle();
    const TRect area = Rect(0, 0, 680, 520);
    TBitmap picture;
    picture.SetSize(area.Width(), area.Height());
    CopyScreen(picture, area, 0, 0);
    if (frame->SkinMenu()->Visible)
        frame->SkinMenu()->CloseAll();
    gallery::Settle();

    // The message box takes the activation, which closes any menu: it is drawn over the
    // picture of the open menu where it shows.
    TskSkinMessage message(nullptr);
    message.SetSkinData(Context.Skin);
    message.SetCtrlSkinData(Context.Skin);
    std::unique_ptr<TskMessageForm, void (*)(TskMessageForm*)> box(
        message.CreateMessageForm("The station list was reloaded.", mtInformation, TMsgDlgButtons{mbOK}),
        [](TskMessageForm* F) { F->Free(); });
    box->SetVisible(true);
    gallery::Settle();
    box->SetBounds(330, 250, box->Width(), box->Height());
    gallery::Settle();
    TBitmap boxPicture;
    boxPicture.SetSize(box->Width(), box->Height());
    CopyScreen(boxPicture, Rect(box->Left(), box->Top(), box->Left() + box->Width(), box->Top() + box->Height()), 0, 0);
    picture.Canvas()->Draw(box->Left() - area.Left, box->Top() - area.Top, &boxPicture);
    Context.Save(picture, "mdi");
    box.reset();
    gallery::Settle();
}

gallery::TGalleryPage page("mdi", &DrawMdi);

}  // namespace
