#include "radio/frmSplash.h"

#include "radio/DialogTexts.h"
#include "radio/ProductPicture.h"

using namespace cl;

TfrmSplash* frmSplash = nullptr;

TfrmSplash::TfrmSplash(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(bsNone);
    SetFormStyle(fsStayOnTop);
    SetCaption(radio_texts::SProductName);
    SetClientWidth(520);
    SetClientHeight(415);
    SetPosition(poScreenCenter);
    Image1 = new TImage(this);
    Image1->SetParent(this);
    Image1->SetAlign(alClient);
    PaintProductPicture(Image1->Picture()->Bitmap(), 520, 415);
    Timer1 = new TTimer(this);
    Timer1->SetEnabled(false);
    Timer1->SetInterval(ShowMs);
    Timer1->OnTimer = TNotifyEvent(this, &TfrmSplash::Timer1Timer);
    OnShow = TNotifyEvent(this, &TfrmSplash::FormShow);
}

void TfrmSplash::FormShow(TObject*) { Timer1->SetEnabled(true); }

void TfrmSplash::Timer1Timer(TObject*)
{
    Timer1->SetEnabled(false);
    Close();
}
