#pragma once
// TfrmLumraAccount: asks for the Lumra Account when the stored one is not valid. "OK" stores
// what was typed and checks it with the directory service, closing only on a valid account;
// "Exit" (modal result 2) makes start-up end the program; "Create Lumra Account" opens the
// service's subscribe page in the user's web browser.
#include <functional>
#include <string>

#include "classlib/controls/Forms.h"
#include "radio/forms/RzLauncher.h"
#include "skin/data/SkinData.h"
#include "skin/controls/Button.h"
#include "skin/controls/SpeedButton.h"
#include "skin/controls/StdLabel.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/controls/PasswordEdit.h"

namespace sk {
class TskSkinExPanel;
}

class TfrmLumraAccount : public cl::TForm {
public:
    static constexpr int FormClientWidth = 477;
    static constexpr int FormClientHeight = 263;

    explicit TfrmLumraAccount(cl::TComponent* AOwner, sk::TskSkinData* SkinData = nullptr);

    sk::TskSkinFrame* skSkinFrame1 = nullptr;
    sk::TskSkinStdLabel* labLines[5] = {};
    sk::TskSkinExPanel* panAccount = nullptr;
    sk::TskSkinStdLabel* labUserName = nullptr;
    sk::TskSkinEdit* edtUserName = nullptr;
    sk::TskSkinStdLabel* labPassword = nullptr;
    sk::TskSkinPasswordEdit* edtPassword = nullptr;
    sk::TskSkinStdLabel* labOr = nullptr;
    sk::TskSkinButton* btnCreate = nullptr;
    sk::TskSkinStdLabel* labLumraCheck = nullptr;
    sk::TskSkinButton* btnOK = nullptr;
    sk::TskSkinButton* btnExit = nullptr;
    TRzLauncher* lncBrowser = nullptr;

    void SetSkinData(sk::TskSkinData* SkinData);
    // Says in red that the service refused the account, as after a refused "OK".
    void ShowRefused();

    // Seams: the account check (the directory service's by default) and the opening of a page
    // in the user's web browser (through the launcher by default).
    std::function<bool()> ValidateAccount;
    std::function<void(const std::string& Address)> OpenPage;

    void btnCreateClick(cl::TObject* Sender);
    void btnOKClick(cl::TObject* Sender);
    void btnExitClick(cl::TObject* Sender);

private:
    void ShowCheckState(const std::string& Text, cl::TColor Color);
    void OpenWithLauncher(const std::string& Address);
};

extern TfrmLumraAccount* frmLumraAccount;
