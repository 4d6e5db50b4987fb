#pragma once
// TfrmAbout: the borderless about picture; a click on it, Enter or Escape closes the window.
#include "classlib/controls/Forms.h"
#include "classlib/stdctrls/Image.h"

class TfrmAbout : public cl::TForm {
public:
    explicit TfrmAbout(cl::TComponent* AOwner);

    cl::TImage* Image1 = nullptr;

    void Image1Click(cl::TObject* Sender);
    void FormKeyDown(cl::TObject* Sender, WORD& Key, cl::TShiftState Shift);
};

extern TfrmAbout* frmAbout;
