#pragma once
// The clipboard's text. The ANSI text is read through the platform's conversion when only
// Unicode text was put there.
#include "classlib/system/SysUtils.h"

namespace cl {

CL_DECLARE_EXCEPTION(EClipboardException, Exception);  // "Cannot open clipboard"

class TClipboard {
public:
    bool HasText() const;
    // "" when there is no text.
    AnsiString AsText() const;
    WideString AsWideText() const;
    // Replaces everything on the clipboard.
    void SetAsText(const AnsiString& Value);
    void SetAsWideText(const WideString& Value);
    void Clear();
};

// The process's clipboard object.
TClipboard* Clipboard();

}  // namespace cl
