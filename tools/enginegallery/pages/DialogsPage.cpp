// The program's smaller windows in each skin: the options dialog, the account dialog, the
// compact window, the overlay shown while a page loads and the skin-selection dialog (its
// preview showing the same skin).
#include <functional>

#include "classlib/controls/ExtCtrls.h"
#include "enginegallery/EngineGallery.h"
#include "radio/forms/MainTexts.h"
#include "radio/forms/Loading.h"
#include "radio/forms/LumraAccount.h"
#include "radio/forms/Options.h"
#include "radio/forms/RadioSmall.h"
#include "skinforms/dialogs/SelectSkin.h"
#include "skins/StoredSkins.h"

namespace {

using namespace cl;

// Shows the form, saves its picture and frees it.
void Picture(const gallery::TGalleryContext& Context, TForm* Form, const char* Suffix)
{
    try {
        Form->SetLeft(0);
        Form->SetTop(0);
        Form->Show();
        gallery::Settle();
        Context.SaveWindow(Form->Handle(), Suffix);
    } catch (...) {
        Form->Free();
        throw;
    }
    Form->Free();
}

TForm* LaidOutLoading(sk::TskSkinData* Skin)
{
    auto* loading = new TfrmLoading(nullptr, Skin);
    loading->LayOut();
    return loading;
}

// The dialog as "Change skin" opens it, pictured once shown and then cancelled.
void SelectSkinPicture(const gallery::TGalleryContext& Context)
{
    TComponent owner(nullptr);
    std::vector<sk::TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(&owner);
    auto* dialog = new sk::TskSelectSkinDialog(&owner);
    dialog->Title = radio_texts::SSelectSkinTitle;
    dialog->SetSkinData(Context.Skin);
    dialog->SetCtrlSkinData(Context.Skin);
    // The show event comes before the window is on the screen: the picture is taken from the
    // modal loop, once the window has painted.
    dialog->OnShowDialog = [&](TObject*) {
        auto* later = new TTimer(dialog->Form());
        later->SetInterval(1);
        later->OnTimer = [&, later](TObject*) {
            later->SetEnabled(false);
            gallery::Settle();
            Context.SaveWindow(dialog->Form()->Handle(), "selectskin");
            dialog->Form()->SetModalResult(mrCancel);
        };
        later->SetEnabled(true);
    };
    dialog->Execute(skins.at(static_cast<std::size_t>(Context.SkinIndex)));
}

void DrawDialogs(const gallery::TGalleryContext& Context)
{
    Picture(Context, new TfrmOptions(nullptr, Context.Skin), "options");
    Picture(Context, new TfrmLumraAccount(nullptr, Context.Skin), "account");
    Picture(Context, new TfrmRadioSmallForm(nullptr, Context.Skin), "compact");
    Picture(Context, LaidOutLoading(Context.Skin), "loading");
    SelectSkinPicture(Context);
}

gallery::TGalleryPage page("dialogs", &DrawDialogs);

}  // namespace
