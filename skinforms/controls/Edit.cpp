// TskCustomEdit: read-only, keys, paste and transparency over the platform's edit.
#include "skinforms/controls/Edit.h"

#include "classlib/stdctrls/EditText.h"
#include "classlib/controls/Forms.h"
#include "skinforms/frame/Messages.h"

namespace sk {

using namespace cl;

TskCustomEdit::TskCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{
    SetControlStyle(ControlStyle() + csOpaque);
}

TskCustomEdit::~TskCustomEdit() { FreeContextMenu(); }

void TskCustomEdit::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    Params.Style &= ~(WS_BORDER | ES_READONLY);
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
    if (transparent_)
        Params.ExStyle |= WS_EX_TRANSPARENT;
    // A one-line box still gets the multi-line style: only that style lets it paint its text
    // into a given DC over a background drawn first.
    if (PasswordChar())
        Params.Style |= ES_PASSWORD;
    else
        Params.Style |= ES_MULTILINE;
}

void TskCustomEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomEdit::Notification(AComponent, Operation);
    // The menu is owned by the edit and may go with its other components first.
    if (Operation == opRemove && AComponent == menu_)
        menu_ = nullptr;
}

void TskCustomEdit::SetTransparent(bool Value)
{
    if (Value == transparent_)
        return;
    transparent_ = Value;
    RecreateWnd();
}

void TskCustomEdit::Refresh()
{
    if (transparent_)
        Invalidate();
}

void TskCustomEdit::Invalidate()
{
    if (!transparent_ || !Parent() || !HandleAllocated() || !Parent()->HandleAllocated()) {
        TCustomEdit::Invalidate();
        return;
    }
    // What lies under a transparent edit is its parent's: that is drawn first.
    RECT r{Left(), Top(), Left() + Width(), Top() + Height()};
    InvalidateRect(Parent()->Handle(), &r, TRUE);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

TskSkinData* TskCustomEdit::MenuSkinData() { return nullptr; }

// ---------------------------------------------------------------------------------------------
// Messages

void TskCustomEdit::WMChar(TMessage& Message)
{
    const WPARAM key = Message.WParam;
    if (key == VK_RETURN || key == VK_ESCAPE) {
        // The form's default or cancel button answers them; the edit never sees them.
        char copy = static_cast<char>(key);
        const TAliveFlag alive = alive_;
        if (OnKeyPress)
            OnKeyPress(this, copy);
        if (!*alive)
            return;
        if (TCustomForm* form = GetParentForm(this))
            form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam);
        return;
    }
    // A line break (Ctrl+Enter) has no place in one line, and Tab moves the focus.
    if (readOnly_ || key == '\n' || key == '\t')
        return;
    TCustomEdit::Dispatch(Message);
    Refresh();
}

void TskCustomEdit::WMKeyDown(TMessage& Message)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    // Shift+Insert pastes inside the platform's key handling, without a WM_PASTE to refuse.
    if (readOnly_ && (Message.WParam == VK_DELETE || (Message.WParam == VK_INSERT && shift)))
        return;
    TCustomEdit::Dispatch(Message);
    Refresh();
}

void TskCustomEdit::WMPaste(TMessage& Message)
{
    if (readOnly_)
        return;
    std::wstring wide;
    if (!ReadClipboardText(wide, ClipboardRetry))
        return;
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, &lossy);
    AnsiString text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                            nullptr, &lossy);
    // Characters the code page cannot hold would arrive as question marks: an address or a
    // name quietly changed. The paste is refused instead.
    if (lossy) {
        MessageBeep(MB_OK);
        return;
    }
    text = SingleLineText(text);
    // The platform cuts what passes the limit only for typing: a paste is cut here.
    if (MaxLength() > 0) {
        const int room = MaxLength() - (static_cast<int>(Text().size()) - SelLength());
        if (room <= 0)
            return;
        if (static_cast<int>(text.size()) > room)
            text.resize(static_cast<std::size_t>(room));
    }
    SetSelText(text);
    Refresh();
}

void TskCustomEdit::CNCtlColor(TMessage& Message)
{
    if (!transparent_) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
    Message.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void TskCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR: WMChar(Message); break;
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_PASTE: WMPaste(Message); break;
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
        if (readOnly_)
            break;
        TCustomEdit::Dispatch(Message);
        Refresh();
        break;
    case WM_SETFONT:
        TCustomEdit::Dispatch(Message);
        SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
        break;
    case WM_SETTEXT:
    case WM_MOVE:
    case WM_KILLFOCUS:
    case CN_COMMAND:
        TCustomEdit::Dispatch(Message);
        Refresh();
        break;
    case WM_SETFOCUS:
        // Selecting all is the class library's edit's to do on entering: from the keyboard
        // only, so that a click puts the caret where it lands.
        TCustomEdit::Dispatch(Message);
        Refresh();
        break;
    case WM_LBUTTONDOWN:
        TCustomEdit::Dispatch(Message);
        leftButtonDown_ = true;
        Refresh();
        break;
    case WM_LBUTTONUP:
        TCustomEdit::Dispatch(Message);
        leftButtonDown_ = false;
        break;
    case WM_MOUSEMOVE:
        TCustomEdit::Dispatch(Message);
        if (leftButtonDown_)
            Refresh();
        break;
    case WM_ERASEBKGND:
        if (transparent_)
            Invalidate();
        else
            TCustomEdit::Dispatch(Message);
        break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: CNCtlColor(Message); break;
    case CM_CANCELMODE: {
        const TAliveFlag alive = alive_;
        TCustomEdit::Dispatch(Message);
        if (*alive && OnEditCancelMode)
            OnEditCancelMode(reinterpret_cast<TControl*>(Message.LParam));
        break;
    }
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    case WM_SKINMENUITEMCLICK: FreeContextMenu(); break;
    default: TCustomEdit::Dispatch(Message);
    }
}

void TskCustomEdit::WMContextMenu(TMessage& Message)
{
    if (PopupMenu()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    TPoint p{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
    // A request from the keyboard has no point: the menu opens at the edit's centre.
    if (p.X < 0 || p.Y < 0) {
        RECT w{};
        GetWindowRect(Handle(), &w);
        p = {w.left + Width() / 2, w.top + Height() / 2};
    }
    contextMenuPoint_ = p;
    CreateSkinPopupMenu();
    Message.Result = 1;
}

}  // namespace sk
