// The recording web browser of the tests.
#include "support/RecordingWebBrowser.h"

namespace cl {

void TRecordingWebBrowser::Navigate(const AnsiString& URL)
{
    Requested.push_back(URL);
    if (!DoBeforeNavigate2(URL))
        return;
    Loaded.push_back(URL);
    if (CompleteAtOnce)
        DoDocumentComplete(URL);
}

}  // namespace cl
