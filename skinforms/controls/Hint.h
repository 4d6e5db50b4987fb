#pragma once
// Skinned tooltips. A TskSkinHint on the main form makes the application's hint window a
// TskSkinHintWindow, which draws every hint from the skin's hint-window description (or in a
// plain look without one). The component also shows hints on request below the cursor, for
// things that are no controls (the caption buttons of a form frame).
//
// The application-wide settings it changes (the hint-window class and the application's hint
// event) go back to what they were when the last TskSkinHint is freed.
#include "classlib/classes/ComponentRef.h"
#include "classlib/controls/ExtCtrls.h"
#include "classlib/controls/Forms.h"
#include "classlib/controls/HintWindow.h"
#include "skin/data/SkinData.h"

namespace sk {

class TskSkinHint;

class TskSkinHintWindow : public cl::THintWindow {
public:
    explicit TskSkinHintWindow(cl::TComponent* AOwner);

    // Sizes, shapes and shows the window with its top-left corner at Rect's, for the active
    // TskSkinHint of the main form; nothing shows without one.
    void ActivateHint(cl::TRect Rect, const cl::AnsiString& AHint) override;
    // Paints the hint into DC as the window shows it.
    void PaintHint(HDC DC);

    TskSkinHint* SkinHint = nullptr;
    cl::TRect ClRect;
    cl::TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    bool Layered = false;
    unsigned char CurrentAlpha = 0;

    void Dispatch(cl::TMessage& Message) override;

protected:
    void CreateParams(cl::TCreateParams& Params) override;
    void Paint() override;

private:
    TskDataSkinHintWindow* HintDesc() const;
    cl::TBitmap* HintPicture() const;
    void ApplyFont(cl::TFont* Font) const;
    void ApplyAlpha();
    void ApplyRegion(TskDataSkinHintWindow* Desc);
};

class TskSkinHint : public cl::TComponent {
public:
    explicit TskSkinHint(cl::TComponent* AOwner);
    ~TskSkinHint() override;

    TskSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TskSkinData* Value);
    bool Active() const { return active_; }
    // At most one per main form: switching one on switches the others off.
    void SetActive(bool Value);
    bool AlphaBlend = false;
    unsigned char AlphaBlendValue = 0;
    cl::TFont* DefaultFont() { return &defaultFont_; }
    void SetDefaultFont(cl::TFont* Value) { defaultFont_.Assign(Value); }
    bool UseSkinFont = true;
    cl::TShowHintEvent OnShowHint;

    // Shows AHint below the cursor after the application's hint pause, for its hide pause (one
    // owned timer runs both waits).
    // A second request during the pause starts the pause again with the new text.
    void ActivateHintDelayed(const cl::AnsiString& AHint);
    // Cancels a pending hint and hides a shown one.
    void HideHint();
    TskSkinHintWindow* HintWindow() const { return hintWindow_; }
    cl::TTimer* HintTimer() const { return hintTimer_; }

    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;

private:
    void ShowHintForward(cl::AnsiString& HintStr, bool& CanShow, cl::THintInfo& HintInfo);
    void InstallForwarder();
    void ShowPending(cl::TObject* Sender);
    void HidePending(cl::TObject* Sender);

    cl::TComponentRef<TskSkinData> skinData_{this};
    bool active_ = true;
    cl::TFont defaultFont_;
    TskSkinHintWindow* hintWindow_;
    cl::TTimer* hintTimer_;
    cl::AnsiString hintText_;
};

// The first active TskSkinHint among the main form's components; nullptr when none.
TskSkinHint* ActiveSkinHint();
// The scan lines of the current cursor below its hot spot: where a hint below it may start.
int CursorHeightMargin();

}  // namespace sk
