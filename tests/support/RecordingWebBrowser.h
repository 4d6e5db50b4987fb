#pragma once
// The web browser of the tests, in place of the control.
#include <vector>

#include "classlib/ole/WebBrowser.h"

namespace cl {

// Records the addresses it is sent to; tests raise its events themselves. Navigate asks
// OnBeforeNavigate2 and, unless cancelled, notes the address and completes the document at
// once (unless CompleteAtOnce is off), as a browser with an instant network would.
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
    // A navigation that failed, as the control reports it.
    void FailNavigation(const AnsiString& URL) { DoNavigateError(URL); }
    // False: Navigate only asks and records; tests complete or fail the document themselves.
    bool CompleteAtOnce = true;

private:
    bool visible_ = true;
};

}  // namespace cl
