// A form wearing the engine's frame: active, inactive, and with its system menu and a
// sub-menu open.
#include <memory>

#include "classlib/graphics/GdiHandles.h"
#include "enginegallery/EngineGallery.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/menus/Menus.h"

namespace {

using namespace cl;
using namespace sk;

// The part of the screen in R.
void SaveScreen(const gallery::TGalleryContext& Context, const TRect& R, const std::string& Suffix)
{
    TBitmap b;
    b.SetSize(R.Width(), R.Height());
    TWindowDC screen(nullptr);
    BitBlt(b.Canvas()->Handle(), 0, 0, R.Width(), R.Height(), screen.Handle(), R.Left, R.Top, SRCCOPY);
    Context.Save(b, Suffix);
}

TMenuItem* Item(TComponent* Owner, TMenuItem* Parent, const char* Caption)
{
    auto* item = new TMenuItem(Owner);
    item->SetCaption(Caption);
    Parent->Add(item);
    return item;
}

void DrawFrame(const gallery::TGalleryContext& Context)
{
    std::unique_ptr<TForm, void (*)(TForm*)> form(new TForm(nullptr), [](TForm* F) { F->Free(); });
    form->SetBounds(20, 20, 420, 300);
    form->SetCaption("Trebanix Web Radio");
    auto* frame = new TskSkinFrame(form.get());
    frame->SetBorderIcons({sk::biSystemMenu, sk::biMinimize, sk::biMaximize, sk::biRollUp});
    frame->SetSkinData(Context.Skin);
    form->Show();
    form->SetFocus();
    gallery::Settle();
    Context.SaveWindow(form->Handle(), "frame-active");

    // Another form takes the activation, away from the first.
    std::unique_ptr<TForm, void (*)(TForm*)> other(new TForm(nullptr), [](TForm* F) { F->Free(); });
    other->SetBounds(900, 700, 200, 150);
    other->Show();
    other->SetFocus();
    gallery::Settle();
    Context.SaveWindow(form->Handle(), "frame-inactive");
    other.reset();
    form->SetFocus();
    gallery::Settle();

    // A popup menu with a sub-menu, opened from the frame's skinned menu.
    auto* popup = new TskSkinPopupMenu(form.get());
    Item(popup, popup->Items(), "Play");
    Item(popup, popup->Items(), "Stop");
    Item(popup, popup->Items(), "-");
    TMenuItem* skins = Item(popup, popup->Items(), "Skins");
    Item(popup, skins, "Sirius");
    Item(popup, skins, "Progressive Green");
    Item(popup, popup->Items(), "-");
    Item(popup, popup->Items(), "Close");
    popup->PopupFromRect(Rect(60, 60, 60, 60), false);
    TskSkinMenu* menu = frame->SkinMenu();
    if (menu->LevelCount() > 0) {
        TskSkinPopupWindow* level = menu->Levels(0);
        for (int i = 0; i < level->ItemCount(); ++i)
            if (level->Items(i)->MenuItem == skins) {
                menu->OpenSubMenu(level, level->Items(i));
                break;
            }
    }
    gallery::Settle();
    SaveScreen(Context, Rect(0, 0, 640, 480), "frame-menu");
    menu->CloseAll();
    gallery::Settle();
}

gallery::TGalleryPage page("frame", &DrawFrame);

}  // namespace
