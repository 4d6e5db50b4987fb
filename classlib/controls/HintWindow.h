#pragma once
// Tooltips: the hint window the application shows for a control's Hint, what a control and
// the application may change before it shows (THintInfo), and which class of window it is.
#include <functional>

#include "classlib/controls/Controls.h"

namespace cl {

class THintWindow;

// Passed (by address, in LParam) with CM_HINTSHOW to the control under the mouse and to
// Application.OnShowHint; both may change it. A non-zero CM_HINTSHOW result shows nothing.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos;          // screen point of the hint window's top-left corner
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;        // while the mouse stays here (HintControl's client coordinates), the hint stays
    TPoint CursorPos;        // in HintControl's client coordinates
    int ReshowTimeout = 0;   // ms; 0: no reshow
    int HideTimeout = 0;     // ms
    AnsiString HintStr;
    void* HintData = nullptr;
};

using THintWindowClass = std::function<THintWindow*(TComponent* AOwner)>;
// Makes the application's hint window; set it, then switch Application.ShowHint off and on
// to have the current window replaced.
extern THintWindowClass HintWindowClass;

// The part of a hint before "|" (shown in the tooltip) and after it (for a status line).
AnsiString GetShortHint(const AnsiString& Hint);
AnsiString GetLongHint(const AnsiString& Hint);

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);

    // Shows the text with the window's top-left corner at Rect's, sized to Rect and kept on
    // the screen.
    virtual void ActivateHint(TRect Rect, const AnsiString& AHint);
    virtual void ActivateHintData(TRect Rect, const AnsiString& AHint, void* AData) { ActivateHint(Rect, AHint); }
    // The size the text needs (at most MaxWidth wide), at (0, 0).
    virtual TRect CalcHintRect(int MaxWidth, const AnsiString& AHint, void* AData);
    // Hides the window and gives its handle up.
    void ReleaseHandle();

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
};

}  // namespace cl
