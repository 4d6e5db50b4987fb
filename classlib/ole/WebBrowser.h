#pragma once
// The few things the radio asks of a web browser: go to an address, and hear before each
// navigation (which it may cancel), of each request for a new window (which it may cancel)
// and of each document that finished loading. The web browser control and the recording
// fake of the tests stand behind it.
#include <vector>

#include "classlib/classes/Classes.h"
#include "classlib/system/SysUtils.h"

namespace cl {

using TBeforeNavigate2Event = TEvent<void(TObject* Sender, const AnsiString& URL, bool& Cancel)>;
using TNewWindow2Event = TEvent<void(TObject* Sender, bool& Cancel)>;
using TDocumentCompleteEvent = TEvent<void(TObject* Sender, const AnsiString& URL)>;
using TNavigateErrorEvent = TEvent<void(TObject* Sender, const AnsiString& URL)>;

class TWebBrowser : public TObject {
public:
    ~TWebBrowser() override = default;

    virtual void Navigate(const AnsiString& URL) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool Value) = 0;

    TBeforeNavigate2Event OnBeforeNavigate2;
    TNewWindow2Event OnNewWindow2;
    TDocumentCompleteEvent OnDocumentComplete;
    // A navigation that failed (no document will complete for it).
    TNavigateErrorEvent OnNavigateError;

protected:
    // What every implementation does with its events: ask, and answer whether to go on.
    bool DoBeforeNavigate2(const AnsiString& URL);
    bool DoNewWindow2();
    void DoDocumentComplete(const AnsiString& URL);
    void DoNavigateError(const AnsiString& URL);
};

}  // namespace cl
