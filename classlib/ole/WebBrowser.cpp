// The browser interface's events and its recording fake.
#include "classlib/ole/WebBrowser.h"

namespace cl {

bool TWebBrowser::DoBeforeNavigate2(const AnsiString& URL)
{
    bool cancel = false;
    if (OnBeforeNavigate2)
        OnBeforeNavigate2(this, URL, cancel);
    return !cancel;
}

bool TWebBrowser::DoNewWindow2()
{
    bool cancel = false;
    if (OnNewWindow2)
        OnNewWindow2(this, cancel);
    return !cancel;
}

void TWebBrowser::DoDocumentComplete(const AnsiString& URL)
{
    if (OnDocumentComplete)
        OnDocumentComplete(this, URL);
}

void TWebBrowser::DoNavigateError(const AnsiString& URL)
{
    if (OnNavigateError)
        OnNavigateError(this, URL);
}

}  // namespace cl
