#pragma once
// Couples a skinned push button with its action. A property counts as linked while the button
// still shows the action's value: one the button was given itself is not overwritten.
#include "classlib/menus/ActnList.h"

namespace sk {

class TskSkinButton;

class TskSkinButtonActionLink : public cl::TActionLink {
public:
    explicit TskSkinButtonActionLink(TskSkinButton* Button);

    bool IsCaptionLinked() override;
    bool IsEnabledLinked() override;
    bool IsHintLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;
    void SetCaption(const cl::AnsiString& Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const cl::AnsiString& Value) override;
    void SetVisible(bool Value) override;
    void SetOnExecute(const cl::TNotifyEvent& Value) override;

private:
    cl::TCustomAction* CustomAction() const;
    TskSkinButton* button_;
};

}  // namespace sk
