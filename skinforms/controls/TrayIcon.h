#pragma once
// TskTrayIcon: an icon in the taskbar's notification area. It reports the mouse on the icon as
// events (a single click only once the double-click time has passed without a second one),
// shows its popup menu at the cursor, can step through the images of an image list, and hides
// the main form while the application is minimized to the tray. The shell is asked through one
// call that tests may replace; a restarted shell ("TaskbarCreated") gets the icon again.
#include <functional>
#include <memory>

#include <windows.h>

#include <shellapi.h>

#include "classlib/classes/ComponentRef.h"
#include "classlib/controls/ExtCtrls.h"
#include "classlib/controls/Forms.h"
#include "classlib/graphics/Icon.h"
#include "classlib/graphics/ImgList.h"
#include "skinforms/menus/Menus.h"

namespace sk {

// The callback message of the icon, and the balloon-click notification that comes with it.
constexpr UINT WM_TRAYICONNOTIFY = 0x800;
constexpr UINT TrayBalloonClick = 0x405;
// The record in its 488-byte form, which every shell since Windows 2000 reads.
constexpr DWORD TrayIconDataSize = 488;
// Characters of the hint the tip holds (the rest is cut).
constexpr std::size_t TrayTipLength = 127;

// Where the icon's NIM_ADD, NIM_MODIFY and NIM_DELETE go: Shell_NotifyIconA, unless a test
// puts a call of its own here (nullptr puts the shell back).
using TskNotifyIconCall = std::function<bool(DWORD Message, const NOTIFYICONDATAA& Data)>;
void SetNotifyIconCall(TskNotifyIconCall Call);

using TskCycleEvent = cl::TEvent<void(cl::TObject* Sender, int NextIndex)>;

class TskTrayIcon : public cl::TComponent {
public:
    explicit TskTrayIcon(cl::TComponent* AOwner);
    ~TskTrayIcon() override;
    void Loaded() override;

    bool DesignPreview() const { return designPreview_; }
    void SetDesignPreview(bool Value);
    cl::TCustomImageList* IconList() const { return iconList_; }
    void SetIconList(cl::TCustomImageList* Value);
    bool CycleIcons() const { return cycleIcons_; }
    void SetCycleIcons(bool Value);
    unsigned AnimateTimerInterval() const { return cycleTimer_->Interval(); }
    void SetAnimateTimerInterval(unsigned Value);
    // Mouse notifications are handled only while this is on.
    bool Enabled = true;
    const cl::AnsiString& Hint() const { return hint_; }
    void SetHint(const cl::AnsiString& Value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool Value);
    cl::TIcon* Icon() { return &icon_; }
    void SetIcon(cl::TIcon* Value);
    bool IconVisible() const { return iconVisible_; }
    void SetIconVisible(bool Value);
    int IconIndex() const { return iconIndex_; }
    void SetIconIndex(int Value);
    cl::TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(cl::TPopupMenu* Value);
    bool PopupByLeftButton = false;
    bool MinimizedOnStart = false;
    // Set by construction: a minimized application goes to the tray unless told otherwise.
    bool MinimizeToTray = true;

    // The record as the shell was last told it.
    const NOTIFYICONDATAA& IconData() const { return data_; }
    // The hidden window the shell reports the mouse to.
    HWND Handle() const { return wnd_; }

    // Whether construction takes the application's icon when none is set.
    virtual bool WantsAppIcon() { return true; }
    virtual bool AddIcon();
    virtual bool DeleteIcon();
    virtual bool ModifyIcon();

    // Shows the application window and the main form (restoring it from minimized).
    void ShowMainForm();
    // Hides the main form and the application window.
    void HideMainForm();

    cl::TNotifyEvent OnClick;
    cl::TNotifyEvent OnDblClick;
    cl::TMouseEvent OnMouseDown;
    cl::TMouseEvent OnMouseUp;
    cl::TMouseMoveEvent OnMouseMove;
    TskCycleEvent OnCycle;
    cl::TNotifyEvent OnBalloonHintClick;

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    virtual void Click();
    virtual void DblClick();
    virtual void Cycle(int NextIndex);
    virtual void DoMouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y);
    virtual void DoMouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y);
    virtual void DoMouseMove(cl::TShiftState Shift, int X, int Y);
    virtual void DoMinimizeToTray();

private:
    bool CallShell(DWORD Message);
    void PrepareData();
    bool OwnerIsWindowed() const;
    void CallbackMessage(cl::TMessage& Message);
    void TrayNotify(UINT MouseMessage);
    void ShowPopup();
    void ClickTimerTick(cl::TObject* Sender);
    void CycleTimerTick(cl::TObject* Sender);
    void AppWindowProc(cl::TMessage& Message);
    void FormWindowProc(cl::TMessage& Message);

    HWND wnd_ = nullptr;
    NOTIFYICONDATAA data_{};
    cl::TIcon icon_;
    cl::TComponentRef<cl::TCustomImageList> iconList_{this};
    cl::TComponentRef<cl::TPopupMenu> popupMenu_{this};
    cl::AnsiString hint_;
    bool showHint_ = true;
    bool iconVisible_ = false;
    bool designPreview_ = false;
    bool cycleIcons_ = false;
    int iconIndex_ = 0;
    cl::TTimer* cycleTimer_;
    cl::TTimer* clickTimer_;
    bool waitClick_ = false;
    bool clickPending_ = false;
    bool dblClicked_ = false;
    bool firstPosChange_ = true;
    bool inPreviewChange_ = false;
    UINT taskbarCreated_ = 0;
    cl::TWndMethod savedAppProc_;
    cl::TWinControl* hookedForm_ = nullptr;
    cl::TWndMethod savedFormProc_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace sk
