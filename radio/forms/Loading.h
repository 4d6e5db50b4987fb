#pragma once
// TfrmLoading: the small window shown over the main window while the browser loads a page.
// It hides itself after TimeoutMs at the latest, so that a page that never reports its end
// (a browser without an HTML engine reports none) cannot leave it standing.
#include "classlib/controls/ExtCtrls.h"
#include "classlib/controls/Forms.h"
#include "classlib/stdctrls/StdCtrls.h"
#include "skin/data/SkinData.h"
#include "skin/controls/Panel.h"
#include "skin/controls/StdLabel.h"
#include "skinforms/frame/Frame.h"

class TfrmLoading : public cl::TForm {
public:
    static constexpr unsigned TimeoutMs = 10000;

    TfrmLoading(cl::TComponent* AOwner, sk::TskSkinData* SkinData);

    sk::TskSkinFrame* skSkinFrame1 = nullptr;
    sk::TskSkinPanel* panLoading = nullptr;
    sk::TskSkinPanel* imgLoading = nullptr;
    sk::TskSkinStdLabel* labLoading = nullptr;
    cl::TTimer* tmrTimeout = nullptr;

    // Lays the panel out in the window and centres its picture and label in it.
    void LayOut();
    // Shows the window centred over Over (without taking the activation from it) and starts
    // the time-out afresh.
    void ShowOver(cl::TWinControl* Over);
    void HideOverlay();

private:
    void tmrTimeoutTimer(cl::TObject* Sender);
};
