#pragma once
// TfrmAbout: the borderless about picture; a click on it closes the window.
#include "classlib/controls/Forms.h"
#include "classlib/stdctrls/Image.h"

class TfrmAbout : public cl::TForm {
public:
    explicit TfrmAbout(cl::TComponent* AOwner);

    cl::TImage* Image1 = nullptr;

    void Image1Click(cl::TObject* Sender);
};

extern TfrmAbout* frmAbout;
