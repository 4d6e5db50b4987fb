// The program's smaller windows in each skin: the options dialog, the account dialog and the
// compact window.
#include <functional>

#include "enginegallery/EngineGallery.h"
#include "radio/frmLumraAccount.h"
#include "radio/frmOptions.h"
#include "radio/frmRadioSmallForm.h"

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

void DrawDialogs(const gallery::TGalleryContext& Context)
{
    Picture(Context, new TfrmOptions(nullptr, Context.Skin), "options");
    Picture(Context, new TfrmLumraAccount(nullptr, Context.Skin), "account");
    Picture(Context, new TfrmRadioSmallForm(nullptr, Context.Skin), "compact");
}

gallery::TGalleryPage page("dialogs", &DrawDialogs);

}  // namespace
