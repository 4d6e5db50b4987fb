#pragma once
// The system caret of one window: made when a control gets the focus, gone when it loses it
// (or when this object goes, whichever comes first). One caret exists per thread, so a caret
// made for another window in between takes its place; this object then leaves it alone.
#include <windows.h>

#include "classlib/system/Types.h"

namespace cl {

class TCaret {
public:
    TCaret() = default;
    ~TCaret() { Destroy(); }
    TCaret(const TCaret&) = delete;
    TCaret& operator=(const TCaret&) = delete;

    // A solid caret Height high and of the system's caret width (or Width when > 0), hidden
    // until shown. False when the platform refuses.
    bool Create(HWND Window, int Height, int Width = 0);
    void Destroy();
    bool Created() const { return window_ != nullptr; }
    void SetPos(const TPoint& Pos);
    TPoint Pos() const;
    void Show();
    void Hide();
    // The system's caret width.
    static int SystemWidth();

private:
    bool Owns() const;
    HWND window_ = nullptr;
};

}  // namespace cl
