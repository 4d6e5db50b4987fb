#pragma once
// A plain stand-in for the skinned push button: it draws the normal state of its skin area (or
// a flat default look) with its caption on top and offers the few properties and events the
// windows use, so that windows can be built and tested before the full button exists, which
// then replaces it without changing the windows' code beyond the class name.
#include "classlib/Forms.h"
#include "skin/skSkinCtrls.h"

namespace sk {

// A push button ("button"); Click sets the form's ModalResult when it has one of its own.
class TskInterimButton : public TskSkinCustomControl {
public:
    explicit TskInterimButton(cl::TComponent* AOwner);
    cl::TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(cl::TModalResult Value) { modalResult_ = Value; }
    void Click() override;

protected:
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;
    void Dispatch(cl::TMessage& Message) override;

private:
    cl::TModalResult modalResult_ = cl::mrNone;
};

}  // namespace sk
