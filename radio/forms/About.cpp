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
    // The window has no control to take the keys: they come to it.
    OnKeyDown = TKeyEvent(this, &TfrmAbout::FormKeyDown);
}

void TfrmAbout::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key != VK_RETURN && Key != VK_ESCAPE)
        return;
    Key = 0;
    Image1Click(this);
}

void TfrmAbout::Image1Click(TObject*)
{
    SetModalResult(mrOk);
    Close();
}
