#pragma once
// Forms, the application and the screen.
//
// The application owns a hidden window that owns every top-level form and carries the
// taskbar button: minimizing the application hides its forms and minimizes that window,
// restoring brings both back.
#include <functional>
#include <vector>

#include "classlib/classes/ComponentRef.h"
#include "classlib/controls/Controls.h"
#include "classlib/controls/HintWindow.h"

namespace cl {

class TMenuItem;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// The platform's caption buttons a form asks for. Scoped, because these names are common ones:
// another set of caption buttons (a skinned frame's) uses three of them for its own members.
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;
// Msg: the CN_KEYDOWN message (WParam = virtual key, LParam = key data).
using TShortCutEvent = TEvent<void(TMessage& Msg, bool& Handled)>;
using TMessageEvent = TEvent<void(MSG& Msg, bool& Handled)>;
using TIdleEvent = TEvent<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = TEvent<void(TObject* Sender, const std::exception& E)>;
using TShowHintEvent = TEvent<void(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TTimer;

class TCustomForm : public TWinControl {
public:
    // A form built in code (the class library's CreateNew): an empty form, invisible.
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    // Runs OnCreate; Application.CreateForm calls it once the whole form is built.
    virtual void AfterConstruction();

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons Value);
    TFormStyle FormStyle() const { return formStyle_; }
    // Stay-on-top switches at run time without re-creating the window.
    void SetFormStyle(TFormStyle Value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition Value) { position_ = Value; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState Value);

    bool Active() const { return active_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* Control);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult Value) { modalResult_ = Value; }
    bool Modal() const { return modal_; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool Value) { keyPreview_ = Value; }
    // The caption's and task switcher's icon; empty: the application's.
    TIcon* Icon() { return &icon_; }
    void SetIcon(TIcon* Value) { icon_.Assign(Value); }

    // Shows the form and runs messages until ModalResult is set; other windows are disabled
    // meanwhile. Raises EInvalidOperation for a visible or disabled form.
    TModalResult ShowModal();
    // Asks OnCloseQuery and OnClose; hides, minimizes or frees (later) as OnClose decides.
    // Closing the main form ends the application.
    void Close();
    // Frees the form once the messages already queued for it are handled.
    void Release();
    virtual bool CloseQuery();
    void SetFocus() override;

    // A form can live inside another control (a preview); its window becomes a child window.
    void SetParent(TWinControl* AParent) override;
    bool IsForm() const override { return true; }
    bool IsShortCut(TMessage& Message) override;
    bool PreviewsKeys() const override { return keyPreview_; }
    TRect ClientRect() override;

    // --- MDI: an fsMDIForm holds its fsMDIChild forms in an MDI client window; the style is
    // chosen before the window is made. A child is made in the main form when that is an MDI
    // form, else in the newest one (EInvalidOperation when there is none); the platform shows
    // and activates a child's window as soon as it is made.
    // The MDI client window; nullptr for other forms and before the window exists.
    HWND ClientHandle() const { return clientHandle_; }
    // The child the MDI client has active; nullptr for none or another kind of form.
    TCustomForm* ActiveMDIChild() const;
    // The children in the MDI client's order, front first.
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int Index) const;
    void Cascade();
    void Tile();
    // Activates the next (previous) child.
    void Next();
    void Previous();
    // The menu item under which the children are listed (a skinned frame lists them there).
    TMenuItem* WindowMenu() const { return windowMenu_.Get(); }
    void SetWindowMenu(TMenuItem* Value);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

    void Dispatch(TMessage& Message) override;
    // An MDI form's messages end in the platform's frame procedure, an MDI child's in its child
    // procedure.
    void DefaultHandler(TMessage& Message) override;

protected:
    void AlignControls(TControl* AControl, TRect& Rect) override;
    // An MDI child goes through its client, which then activates the next child.
    void DestroyWindowHandle() override;
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void DoClose(TCloseAction& Action);
    virtual void DoShow();
    virtual void DoHide();
    void CancelModeFor(TControl* Sender) override;
    bool SetFocusedControl(TWinControl* Control) override;
    void ControlRemoved(TControl* Control) override;

private:
    void CMShowingChanged(TMessage& Message);
    void CMRelease(TMessage& Message);
    void CMDialogKey(TMessage& Message);
    void WMActivate(TMessage& Message);
    void WMClose(TMessage& Message);
    void WMSysCommand(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMDestroy(TMessage& Message);
    void PlaceOnFirstShow();
    void IconChanged(bool NewWindow = false);
    void ApplyStayOnTop();
    void FocusActiveControl();
    // The MDI client window: made with the form's window, placed in what the aligned controls
    // leave of the client area.
    void CreateMDIClient();
    void PlaceMDIClient();
    // The MDI form an MDI child is made in: the main form, else the newest MDI form.
    static TCustomForm* FindMDIParent();

    friend class TApplication;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
    TFormStyle formStyle_ = fsNormal;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool active_ = false;
    bool keyPreview_ = false;
    bool placed_ = false;
    bool releasePosted_ = false;
    TIcon icon_;
    HWND clientHandle_ = nullptr;
    TComponentRef<TMenuItem> windowMenu_{this};
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);

    // Every form that exists, built from a resource or in code, parented or not, in the
    // order they were made.
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int Index) const;
    TCustomForm* ActiveForm() const { return activeForm_; }
    TWinControl* ActiveControl() const { return activeControl_; }

    int Width() const;
    int Height() const;
    // The primary monitor's work area (without the task bar).
    TRect WorkAreaRect() const;
    int WorkAreaLeft() const { return WorkAreaRect().Left; }
    int WorkAreaTop() const { return WorkAreaRect().Top; }
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    // Tests give a work area of their own; an empty function restores the platform's.
    void SetWorkAreaQuery(std::function<TRect()> Query) { workAreaQuery_ = std::move(Query); }

    // The cursor handle for a cursor id; unknown ids give the arrow.
    HCURSOR Cursors(TCursor Index) const;
    void SetCursors(TCursor Index, HCURSOR Handle);
    TCursor Cursor() const { return cursor_; }
    // A screen-wide cursor (crDefault: each control's own).
    void SetCursor(TCursor Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TCustomForm;
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void SetActive(TCustomForm* Form, TWinControl* Control);
    void ControlRemoved(TWinControl* Control);

    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    std::function<TRect()> workAreaQuery_;
    std::vector<std::pair<TCursor, HCURSOR>> cursors_;
    TCursor cursor_ = crDefault;
};

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // The hidden application window, made on first use.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Replaceable like a control's; restore in reverse order of replacement.
    TWndMethod WindowProc;

    // COM for this thread (apartment model) and the application window.
    void Initialize();
    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& Value);
    // The program's icon: the resource "MAINICON" when the program has one.
    TIcon* Icon();

    // Makes a form owned by the application; the first becomes the main form. What the
    // form's OnCreate throws leaves through here.
    template <class T>
    void CreateForm(T*& Reference)
    {
        T* form = new T(this);
        Reference = form;
        FormCreated(form);
    }
    TCustomForm* MainForm() const { return mainForm_; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool Value) { showMainForm_ = Value; }

    // Shows the main form and runs the message loop until Terminate (closing the main form).
    void Run();
    // Handles every message waiting, then returns.
    void ProcessMessages();
    // Handles one message, or does the idle work and waits for the next.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }

    void Minimize();
    void Restore();
    bool Minimized() const { return minimized_; }
    // This program has no help file: asking for a help topic does nothing.
    bool HelpContext(int Context) { return false; }

    // Called in a catch block: the exception logger's hook first; if it declines, EAbort is
    // silent, OnException gets the rest, else a message box shows the message.
    void HandleException(TObject* Sender);
    void ShowException(const std::exception& E);

    // Notes the control under the mouse and sends it CM_MOUSEENTER (the previous one
    // CM_MOUSELEAVE); part of the idle work.
    void DoMouseIdle();
    TControl* MouseControl() const { return mouseControl_; }
    // A control moved, or a new skin moved or resized what it draws, under a pointer that
    // stayed where it was: no mouse message says so. Once the messages waiting now are handled
    // (the whole change is in by then), the control under the pointer is asked again, so that
    // one left behind stops being drawn hot and one that came under it becomes hot.
    void MouseControlMayHaveChanged();

    // --- Hints: after HintPause over a control with ShowHint and a Hint, the hint window
    // shows its short hint below the mouse for HintHidePause; moving to the next control
    // while one shows waits only HintShortPause.
    bool ShowHint() const { return showHint_; }
    // Switching it off frees the hint window; the next one is made by HintWindowClass.
    void SetShowHint(bool Value);
    int HintPause() const { return hintPause_; }
    void SetHintPause(int Value) { hintPause_ = Value; }
    int HintShortPause() const { return hintShortPause_; }
    void SetHintShortPause(int Value) { hintShortPause_ = Value; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int Value) { hintHidePause_ = Value; }
    TColor HintColor() const { return hintColor_; }
    void SetHintColor(TColor Value) { hintColor_ = Value; }
    THintWindow* HintWindow() const { return hintWindow_; }
    TControl* HintControl() const { return hintControl_; }
    // Shows the hint of the control under CursorPos (screen) now.
    void ActivateHint(const TPoint& CursorPos);
    void CancelHint();
    void HideHint();
    void DoHintMouseMessage(TControl* Control, TMessage& Message);
    TShowHintEvent OnShowHint;

    TMessageEvent OnMessage;
    TIdleEvent OnIdle;
    TExceptionEvent OnException;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message);

private:
    friend LRESULT CALLBACK AppWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class TCustomForm;
    void FormCreated(TCustomForm* Form);
    bool ProcessMessage(MSG& Msg);
    bool IsKeyMsg(MSG& Msg);
    void Idle();
    void SetMouseControl(TControl* Control);
    void CreateHandle();
    enum THintTimerMode { htNone, htShow, htHide };
    void SetHintControl(TControl* Control);
    void ForgetIfUnreferenced(TComponent* Component);
    void StartHintTimer(int Milliseconds, THintTimerMode Mode);
    void StopHintTimer();
    void HintTimerExpired(TObject* Sender);
    bool CancelsHint(const MSG& Msg) const;

    HWND handle_ = nullptr;
    AnsiString title_;
    TIcon icon_;
    bool iconLoaded_ = false;
    TCustomForm* mainForm_ = nullptr;
    TControl* mouseControl_ = nullptr;
    bool mouseControlCheckPosted_ = false;
    std::vector<TCustomForm*> hiddenByMinimize_;
    bool showMainForm_ = true;
    bool terminated_ = false;
    bool minimized_ = false;
    bool comInitialized_ = false;
    bool handlingException_ = false;

    bool showHint_ = true;
    int hintPause_ = 500;
    int hintShortPause_ = 50;
    int hintHidePause_ = 2500;
    TColor hintColor_ = clInfoBk;
    THintWindow* hintWindow_ = nullptr;
    TTimer* hintTimer_ = nullptr;
    THintTimerMode hintTimerMode_ = htNone;
    TControl* hintControl_ = nullptr;
    TRect hintCursorRect_;
    bool hintActive_ = false;
};

// The process's application and screen. Tests may point them elsewhere for a while.
extern TApplication* Application;
extern TScreen* Screen;

// A message box with the application's title and an OK button.
void ShowMessage(const AnsiString& Msg);

}  // namespace cl
