#include "radio/forms/Splash.h"

#include <algorithm>

#include "radio/forms/DialogTexts.h"
#include "radio/forms/ProductPicture.h"
#include "radio/RadioProgram.h"

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
    // The splash goes when the program's wait ends; a timer of no interval would never fire, so
    // a wait of none closes it at the first timer event.
    Timer1->SetInterval(std::max(SplashWaitMs(), 1u));
    Timer1->OnTimer = TNotifyEvent(this, &TfrmSplash::Timer1Timer);
    OnShow = TNotifyEvent(this, &TfrmSplash::FormShow);
}

void TfrmSplash::FormShow(TObject*) { Timer1->SetEnabled(true); }

void TfrmSplash::Timer1Timer(TObject*)
{
    Timer1->SetEnabled(false);
    Close();
}
