// The program's entry point: the application (which brings up COM), the main window, the
// message loop, and an orderly release: the windows first, then the station directory (which
// writes its cache while COM is still up), then the application and COM.
#include <windows.h>

#include "classlib/Forms.h"
#include "radio/MainFormTexts.h"
#include "radio/RadioChannelManager.h"
#include "radio/frmRadioMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        cl::Application->Initialize();
        cl::Application->SetTitle(radio_texts::SMainCaption);
        cl::Application->CreateForm(frmRadioMain);
        frmRadioMain->FetchStationListWhenNoneCached();
        cl::Application->Run();
    } catch (...) {
        cl::Application->HandleException(cl::Application);
    }
    try {
        cl::Application->DestroyComponents();
    } catch (...) {
        cl::Application->HandleException(cl::Application);
    }
    frmRadioMain = nullptr;
    FreeRadioChannelManager();
    delete cl::Application;
    cl::Application = nullptr;
    return 0;
}
