#pragma once
// TfrmSplash: the borderless picture shown on top while the program starts. Showing it starts
// Timer1, whose first event hides it again, as long after as the program waits (SplashWaitMs).
#include "classlib/controls/ExtCtrls.h"
#include "classlib/controls/Forms.h"
#include "classlib/stdctrls/Image.h"

class TfrmSplash : public cl::TForm {
public:
    static constexpr unsigned ShowMs = 4000;

    explicit TfrmSplash(cl::TComponent* AOwner);

    cl::TImage* Image1 = nullptr;
    cl::TTimer* Timer1 = nullptr;

    void FormShow(cl::TObject* Sender);
    void Timer1Timer(cl::TObject* Sender);
};

extern TfrmSplash* frmSplash;
