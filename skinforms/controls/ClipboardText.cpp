#include "skinforms/controls/ClipboardText.h"

#include <windows.h>

#include "classlib/stdctrls/Clipbrd.h"

namespace sk {

bool ReadClipboardText(std::wstring& Text, const TClipboardRetry& Retry)
{
    Text.clear();
    for (int attempt = 0; attempt < Retry.Attempts; ++attempt) {
        if (attempt > 0) {
            if (Retry.BetweenAttempts)
                Retry.BetweenAttempts();
            else
                Sleep(20);
        }
        try {
            if (!cl::Clipboard()->HasText())
                return false;
            Text = cl::Clipboard()->AsWideText();
            return true;
        } catch (const cl::EClipboardException&) {
            // Held by someone else: try again.
        }
    }
    return false;
}

}  // namespace sk
