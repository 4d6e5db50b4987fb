#include "radio/forms/About.h"

#include "radio/forms/DialogTexts.h"
#include "radio/forms/ProductPicture.h"

using namespace cl;

TfrmAbout* frmAbout = nullptr;

TfrmAbout::TfrmAbout(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(bsNone);
    SetCaption(radio_texts::SProductName);
    SetClientWidth(521);
    SetClientHeight(415);
    SetPosition(poScreenCenter);
    Image1 = new TImage(this);
    Image1->SetParent(this);
    Image1->SetAlign(alClient);
    PaintProductPicture(Image1->Picture()->Bitmap(), 521, 415);
    Image1->OnClick = TNotifyEvent(this, &TfrmAbout::Image1Click);
}

void TfrmAbout::Image1Click(TObject*)
{
    SetModalResult(mrOk);
    Close();
}
