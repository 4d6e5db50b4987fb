#pragma once
// The web browser of the tests, in place of the control.
#include <vector>

#include "classlib/WebBrowser.h"

namespace cl {

// Records the addresses it is sent to; tests raise its events themselves. Navigate asks
// OnBeforeNavigate2 and, unless cancelled, notes the address and completes the document at
// once, as a browser with an instant network would.
class TRecordingWebBrowser : public TWebBrowser {
public:
    void Navigate(const AnsiString& URL) override;
    bool Visible() const override { return visible_; }
    void SetVisible(bool Value) override { visible_ = Value; }

    // Every address asked for, cancelled or not, and the ones that were loaded.
    std::vector<AnsiString> Requested;
    std::vector<AnsiString> Loaded;
    // A page's request for a window of its own; true when it was let through.
    bool RequestNewWindow() { return DoNewWindow2(); }

private:
    bool visible_ = true;
};

}  // namespace cl
