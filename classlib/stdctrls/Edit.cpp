// TCustomEdit over the platform's EDIT window.
#include <algorithm>

#include "classlib/stdctrls/Clipbrd.h"
#include "classlib/stdctrls/EditText.h"
#include "classlib/stdctrls/NativeControlColors.h"
#include "classlib/stdctrls/StdCtrls.h"

namespace cl {

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle({csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight});
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "EDIT");
    static const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    static const DWORD cases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
    Params.Style |= ES_AUTOHSCROLL | alignments[alignment_] | cases[charCase_];
    if (multiLine_)
        Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (!hideSelection_)
        Params.Style |= ES_NOHIDESEL;
    if (passwordChar_ && !multiLine_)
        Params.Style |= ES_PASSWORD;
    if (readOnly_)
        Params.Style |= ES_READONLY;
    if (borderStyle_ == bsSingle)
        Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd()
{
    creating_ = true;
    try {
        TWinControl::CreateWnd();
    } catch (...) {
        creating_ = false;
        throw;
    }
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (passwordChar_ && !multiLine_)
        SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
    SendMessageA(Handle(), EM_SETMODIFY, modified_, 0);
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(savedSelStart_),
                 static_cast<LPARAM>(savedSelStart_ + savedSelLength_));
    creating_ = false;
}

void TCustomEdit::DestroyWnd()
{
    // What the window alone knows survives it, also when it goes with its parent's window.
    if (HandleAllocated()) {
        text_ = GetText();
        modified_ = SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0;
        savedSelStart_ = SelStart();
        savedSelLength_ = SelLength();
    }
    TWinControl::DestroyWnd();
}

AnsiString TCustomEdit::Fit(const AnsiString& Value) const
{
    return multiLine_ ? Value : SingleLineText(Value);
}

void TCustomEdit::SetTextValue(const AnsiString& Value) { TWinControl::SetTextValue(Fit(Value)); }

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    if (Value == borderStyle_)
        return;
    borderStyle_ = Value;
    RecreateWnd();
}

void TCustomEdit::SetAlignment(TAlignment Value)
{
    if (Value == alignment_)
        return;
    alignment_ = Value;
    RecreateWnd();
}

void TCustomEdit::SetMultiLine(bool Value)
{
    if (Value == multiLine_)
        return;
    multiLine_ = Value;
    if (!Value)
        text_ = Fit(Text());
    RecreateWnd();
}

void TCustomEdit::SetMaxLength(int Value)
{
    maxLength_ = std::max(Value, 0);
    if (HandleAllocated())
        SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetPasswordChar(char Value)
{
    if (Value == passwordChar_)
        return;
    passwordChar_ = Value;
    // The password style cannot be switched on a live window.
    RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase Value)
{
    if (Value == charCase_)
        return;
    charCase_ = Value;
    if (Value == ecUpperCase)
        text_ = AnsiUpperCase(Text());
    else if (Value == ecLowerCase)
        text_ = AnsiLowerCase(Text());
    RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value)
{
    if (Value == hideSelection_)
        return;
    hideSelection_ = Value;
    RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool Value)
{
    readOnly_ = Value;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETREADONLY, Value, 0);
}

bool TCustomEdit::Modified()
{
    if (HandleAllocated())
        modified_ = SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0;
    return modified_;
}

void TCustomEdit::SetModified(bool Value)
{
    modified_ = Value;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETMODIFY, Value, 0);
}

// ---------------------------------------------------------------------------------------------
// Selection and editing

int TCustomEdit::SelStart()
{
    if (!HandleAllocated())
        return savedSelStart_;
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value)
{
    Value = std::max(Value, 0);
    savedSelStart_ = Value;
    savedSelLength_ = 0;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(Value), static_cast<LPARAM>(Value));
}

int TCustomEdit::SelLength()
{
    if (!HandleAllocated())
        return savedSelLength_;
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int Value)
{
    Value = std::max(Value, 0);
    savedSelLength_ = Value;
    if (HandleAllocated()) {
        const int start = SelStart();
        SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + Value));
    }
}

AnsiString TCustomEdit::SelText()
{
    const AnsiString text = Text();
    const auto start = std::min(static_cast<std::size_t>(SelStart()), text.size());
    return text.substr(start, static_cast<std::size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const AnsiString& Value)
{
    const AnsiString fitted = Fit(Value);
    if (!HandleAllocated()) {
        // No window yet (perhaps no parent for one): the text and selection the object keeps.
        const auto start = std::min(static_cast<std::size_t>(savedSelStart_), text_.size());
        const auto length = std::min(static_cast<std::size_t>(savedSelLength_), text_.size() - start);
        text_.replace(start, length, fitted);
        savedSelStart_ = static_cast<int>(start + fitted.size());
        savedSelLength_ = 0;
        return;
    }
    SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fitted.c_str()));
}

void TCustomEdit::SelectAll()
{
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection()
{
    if (HandleAllocated())
        SendMessageA(Handle(), WM_CLEAR, 0, 0);
}

bool TCustomEdit::CanUndo() { return HandleAllocated() && SendMessageA(Handle(), EM_CANUNDO, 0, 0) != 0; }

void TCustomEdit::Undo()
{
    if (HandleAllocated())
        SendMessageA(Handle(), WM_UNDO, 0, 0);
}

void TCustomEdit::ClearUndo()
{
    if (HandleAllocated())
        SendMessageA(Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
}

void TCustomEdit::CutToClipboard()
{
    if (HandleAllocated())
        SendMessageA(Handle(), WM_CUT, 0, 0);
}

void TCustomEdit::CopyToClipboard()
{
    if (HandleAllocated())
        SendMessageA(Handle(), WM_COPY, 0, 0);
}

void TCustomEdit::PasteFromClipboard()
{
    if (HandleAllocated())
        SendMessageA(Handle(), WM_PASTE, 0, 0);
}

void TCustomEdit::Clear() { SetText(""); }

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: CNCtlColor(Message); break;
    case WM_PASTE: WMPaste(Message); break;
    case WM_CHAR: WMChar(Message); break;
    default: TWinControl::Dispatch(Message);
    }
}

void TCustomEdit::CNCommand(TMessage& Message)
{
    if (HIWORD(Message.WParam) == EN_CHANGE && !creating_)
        Change();
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::CNCtlColor(TMessage& Message)
{
    Message.Result = AnswerControlColor(reinterpret_cast<HDC>(Message.WParam), Font()->Color(), Color(), brush_);
}

void TCustomEdit::WMPaste(TMessage& Message)
{
    // The platform would paste line breaks and control characters into a one-line edit
    // that has the multi-line style.
    if (multiLine_ || readOnly_) {
        TWinControl::Dispatch(Message);
        return;
    }
    if (!Clipboard()->HasText())
        return;
    AnsiString text;
    try {
        text = Clipboard()->AsText();
    } catch (const EClipboardException&) {
        // Another program holds the clipboard: the paste does nothing, as the platform's would.
        return;
    }
    SetSelText(text);
}

void TCustomEdit::WMChar(TMessage& Message)
{
    // Enter and Ctrl+Enter would break the line of a one-line edit with the multi-line style.
    if (!multiLine_ && (Message.WParam == '\r' || Message.WParam == '\n'))
        return;
    TWinControl::Dispatch(Message);
}

void TCustomEdit::DoEnter()
{
    // A click sets the caret itself; selecting everything then would fight it.
    if (autoSelect_ && !(GetKeyState(VK_LBUTTON) < 0))
        SelectAll();
    TWinControl::DoEnter();
}

}  // namespace cl
