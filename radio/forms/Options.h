#pragma once
// TfrmOptions: the account, whether the last used skin is kept, and the corner the compact
// window goes to. Made and freed by each use; "OK" writes the settings, "Cancel" nothing.
#include "classlib/controls/Forms.h"
#include "skin/data/SkinData.h"
#include "skin/controls/Panel.h"
#include "skin/controls/Button.h"
#include "skin/controls/CheckRadioBox.h"
#include "skin/controls/StdLabel.h"
#include "skinforms/controls/ComboBox.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/controls/PasswordEdit.h"

namespace sk {
class TskSkinExPanel;
}

class TfrmOptions : public cl::TForm {
public:
    static constexpr int FormClientWidth = 390;
    static constexpr int FormClientHeight = 333;

    TfrmOptions(cl::TComponent* AOwner, sk::TskSkinData* SkinData = nullptr);

    sk::TskSkinFrame* skSkinFrame1 = nullptr;
    sk::TskSkinExPanel* panOptions = nullptr;
    sk::TskSkinPanel* panInfo = nullptr;
    sk::TskSkinStdLabel* labInfo[3] = {};
    sk::TskSkinStdLabel* labUserName = nullptr;
    sk::TskSkinEdit* edtUserName = nullptr;
    sk::TskSkinStdLabel* labPassWord = nullptr;
    sk::TskSkinPasswordEdit* edtPassWord = nullptr;
    // Checked when the last used skin is kept.
    sk::TskSkinCheckRadioBox* cbxLastSkin = nullptr;
    sk::TskSkinStdLabel* labWindowPos = nullptr;
    // The four corners, in the order of their "Radio Window Pos" values; none chosen when
    // the stored value is none of them.
    sk::TskSkinComboBox* cmbWindowPos = nullptr;
    sk::TskSkinButton* btnOK = nullptr;
    sk::TskSkinButton* btnCancel = nullptr;

    void FormCreate(cl::TObject* Sender);
    void btnOKClick(cl::TObject* Sender);
    void btnCancelClick(cl::TObject* Sender);
};
