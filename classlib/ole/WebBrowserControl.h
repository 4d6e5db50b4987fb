#pragma once
// The web browser control behind the browser interface, client-aligned in its parent.
#include <oaidl.h>

#include <memory>

#include "classlib/controls/Controls.h"
#include "classlib/ole/WebBrowser.h"

namespace cl {

class TWebBrowserControl : public TWebBrowser {
public:
    // Makes the parent's window when it has none. Raises EOleException when the control is
    // not there or does not start.
    explicit TWebBrowserControl(TWinControl* Parent);
    ~TWebBrowserControl() override;

    // Raises EOleException when the control refuses the address or is closed (its host
    // window went and the control could not start again in a new one).
    void Navigate(const AnsiString& URL) override;
    bool Visible() const override;
    void SetVisible(bool Value) override;
    // The window the control lives in (nullptr once the parent freed it).
    TWinControl* Host() const;
    // What an event of the control does (the control calls it through its connection point):
    // BeforeNavigate2 and NewWindow2 set their cancel flags as the handlers decide.
    void ControlEvent(DISPID DispID, DISPPARAMS* Params);

private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};

}  // namespace cl
