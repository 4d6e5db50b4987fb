#pragma once
// Skinned edits over the platform's EDIT window. TskCustomEdit is a borderless edit that keeps
// read-only in its own hands (the window never is), hands Enter and Escape to its form, keeps
// line breaks and tabs out of its one line, pastes with retries on a busy clipboard and offers
// a skinned context menu; the combo boxes use it as their edit part. TskSkinCustomEdit adds
// a skinned frame and an optional button drawn in the non-client area, colours that follow the
// mouse and the focus, and a height that follows the skin.
#include <memory>
#include <string>

#include "classlib/classes/ComponentRef.h"
#include "classlib/menus/Menus.h"
#include "classlib/stdctrls/StdCtrls.h"
#include "skin/data/SkinData.h"
#include "skin/data/Controls.h"
#include "skin/data/User.h"
#include "skinforms/controls/ClipboardText.h"

namespace sk {

class TskSkinPopupMenu;
using TEditCancelModeEvent = cl::TEvent<void(cl::TControl* Sender)>;

class TskCustomEdit : public cl::TCustomEdit {
public:
    explicit TskCustomEdit(cl::TComponent* AOwner);
    ~TskCustomEdit() override;

    // Handled here: the window itself is never made read-only.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value) { readOnly_ = Value; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    // The context menu while it is open (built on each request), nullptr otherwise.
    cl::TPopupMenu* ContextMenu() const;
    // Where the last context menu was asked to open, in screen coordinates.
    TPoint ContextMenuPoint() const { return contextMenuPoint_; }
    // How a busy clipboard is retried on paste.
    TClipboardRetry ClipboardRetry;

    // Set by owning controls: a cancel-mode notice names the control that caused it.
    TEditCancelModeEvent OnEditCancelMode;

    void Dispatch(cl::TMessage& Message) override;
    void Invalidate() override;

protected:
    void CreateParams(cl::TCreateParams& Params) override;
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    // Redraws a transparent edit after a change; nothing otherwise.
    void Refresh();
    // The skin data whose interface texts the menu shows.
    virtual TskSkinData* MenuSkinData();

private:
    void WMChar(cl::TMessage& Message);
    void WMKeyDown(cl::TMessage& Message);
    void WMPaste(cl::TMessage& Message);
    void WMContextMenu(cl::TMessage& Message);
    void CNCtlColor(cl::TMessage& Message);
    void CreateSkinPopupMenu();
    void FreeContextMenu();

    bool readOnly_ = false;
    bool transparent_ = false;
    bool leftButtonDown_ = false;
    cl::TPopupMenu* menu_ = nullptr;
    TPoint contextMenuPoint_;
};

class TskSkinCustomEdit : public TskCustomEdit, public TskSkinDataUser {
public:
    explicit TskSkinCustomEdit(cl::TComponent* AOwner);
    ~TskSkinCustomEdit() override;

    cl::TColor DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(cl::TColor Value);
    cl::TFont* DefaultFont() { return &defaultFont_; }
    void SetDefaultFont(cl::TFont* Value);
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool Value) { useSkinFont_ = Value; }
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int Value);
    bool ButtonMode() const { return buttonMode_; }
    void SetButtonMode(bool Value);
    TskSkinData* SkinData() const override { return skinData_; }
    void SetSkinData(TskSkinData* Value) override;
    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(const std::string& Value) { skinDataName_ = Value; }
    int DescriptionIndex() const override { return index_; }

    void GetSkinData();
    void ChangeSkinData() override;
    // The frame and the button, as the state stands.
    TRect ButtonRect() const { return buttonRect_; }
    // The edit's client area in window coordinates.
    TRect TextRect() const { return textRect_; }
    bool ButtonDown() const { return buttonDown_; }
    bool ButtonHot() const { return buttonHot_; }
    bool MouseIn() const { return mouseIn_; }
    // Paints the frame (the text rectangle left out) into DC.
    void PaintFrame(HDC DC);
    // Paints the client background and the text into DC, whose origin is the client's.
    void PaintClient(HDC DC);
    // The height the font asks for.
    int FontHeight();

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Invalidate() override;
    void Dispatch(cl::TMessage& Message) override;

    cl::TNotifyEvent OnButtonClick;
    cl::TNotifyEvent OnMouseEnter;
    cl::TNotifyEvent OnMouseLeave;

protected:
    void CreateParams(cl::TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    TskSkinData* MenuSkinData() override;

private:
    // Styles that a live window follows, or that the class library keeps itself, without a new
    // window.
    static constexpr DWORD LiveStyles = WS_VISIBLE | WS_DISABLED | WS_TABSTOP;
    // True when the styles asked for now differ from those the window was made with.
    bool NeedsNewWindow();
    // The window works out its frame again, at the same size, and is drawn anew.
    void FrameChanged();
    TskDataSkinEditControl* Desc() const { return desc_; }
    bool Focused();
    void CalcRects();
    void RedrawFrame();
    void SetCharset(cl::TFont& F);
    void ApplyFontColor();
    void DefaultFontChange(cl::TObject*);
    void WMNCCalcSize(cl::TMessage& Message);
    void WMNCHitTest(cl::TMessage& Message);
    void WMPaint(cl::TMessage& Message);
    void WMNCPaint(cl::TMessage& Message);
    // The frame painted into a DC that a caller hands over (the skin's own print request).
    void WMPaintFrameIntoDC(cl::TMessage& Message);
    void WMEraseBkgnd(cl::TMessage& Message);
    void WMNCLButtonDown(cl::TMessage& Message);
    void WMNCLButtonUp(cl::TMessage& Message);
    void WMNCMouseMove(cl::TMessage& Message);
    void WMMouseMove(cl::TMessage& Message);
    void WMSize(cl::TMessage& Message);
    // WM_SETFOCUS and WM_KILLFOCUS: the font colour follows the focus.
    void WMFocusChange(cl::TMessage& Message);
    void CMMouseEnter(cl::TMessage& Message);
    void CMMouseLeave(cl::TMessage& Message);
    void CMEnabledChanged(cl::TMessage& Message);
    void PaintDisabledText(HDC DC);
    void DrawDefaultFrame(cl::TCanvas* Canvas);
    void DrawSkinFrame(cl::TCanvas* Canvas);

    cl::TColor defaultColor_ = cl::clWindow;
    cl::TFont defaultFont_;
    bool useSkinFont_ = true;
    int defaultWidth_ = 0;
    int defaultHeight_ = 0;
    bool buttonMode_ = false;
    cl::TComponentRef<TskSkinData> skinData_{this};
    std::string skinDataName_ = "edit";
    int index_ = -1;
    TskDataSkinEditControl* desc_ = nullptr;
    cl::TBitmap* picture_ = nullptr;
    TRect buttonRect_;
    TRect textRect_;
    bool buttonDown_ = false;
    bool buttonHot_ = false;
    bool mouseIn_ = false;
    DWORD createdStyle_ = 0;
    DWORD createdExStyle_ = 0;
};

class TskSkinEdit : public TskSkinCustomEdit {
public:
    using TskSkinCustomEdit::TskSkinCustomEdit;
};

}  // namespace sk
