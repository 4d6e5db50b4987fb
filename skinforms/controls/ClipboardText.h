#pragma once
// Reading text from the clipboard when another program may be holding it open for a moment:
// the read is tried again a few times before the paste gives up.
#include <functional>
#include <string>

namespace sk {

// How often a busy clipboard is tried, and what runs between two tries (a short wait unless a
// test says otherwise).
struct TClipboardRetry {
    int Attempts = 5;
    std::function<void()> BetweenAttempts;
};

// The clipboard's text as UTF-16 (its Unicode text, else its ANSI text converted). False when
// the clipboard stayed busy or holds no text; Text is then left empty.
bool ReadClipboardText(std::wstring& Text, const TClipboardRetry& Retry = {});

}  // namespace sk
