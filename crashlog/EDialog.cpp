#include "crashlog/EDialog.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include <commctrl.h>

#include "classlib/graphics/GdiHandles.h"
#include "classlib/system/KernelHandles.h"
#include "crashlog/EDialogIds.h"
#include "crashlog/EDialogSettings.h"
#include "crashlog/ExceptionLog.h"

namespace crashlog {

namespace {

using cl::TOwnedFont;
using cl::TSelectedObject;
using cl::TWindowDC;

constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonGap = 16;
constexpr int Margin = 8;
// The dialog's picture stands left of the message, in the room the message leaves it.
constexpr int PictureSize = 32;
constexpr int TextLeft = 48;
constexpr int RowPictureSize = 16;
constexpr int CompactMaxWidth = 640;
constexpr int CompactMinWidth = 250;
constexpr std::size_t MailslotUnitSize = 2048;
constexpr const char* SCannotShowDialog = "Cannot show the DialogBox window.";
constexpr const char* SMailslotName = "VozozoRez";

// The styled look's colours (0x00BBGGRR), active and inactive.
struct TStyledColours {
    COLORREF OuterLine;
    COLORREF InnerLine;
    COLORREF Caption;
};
constexpr TStyledColours ActiveColours{0x404040, 0x808080, 0xC29B82};
constexpr TStyledColours InactiveColours{0x303030, 0x606060, 0x979797};

// The compact form's size for a message of this text extent.
struct TCompactForm {
    int Width;
    int Height;
    int TextWidth;
    int TextHeight;
};
TCompactForm CompactFormSize(const int* lineWidths, const int* lineHeights, int lines, int frameX, int frameY,
                             int smallCaption);

// The named bitmaps of the logger's module, each of Size pixels, with their transparent colour masked.
HIMAGELIST LoadPictures(const char* const* names, int count, int size)
{
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0);
    if (!list)
        return nullptr;
    for (int i = 0; i < count; ++i) {
        cl::TOwnedBitmap bitmap(static_cast<HBITMAP>(
            LoadImageA(LoggerModule(), names[i], IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        // A missing picture leaves its place empty rather than shifting the others.
        if (!bitmap.Handle() || ImageList_AddMasked(list, bitmap.Handle(), PictureTransparentColour) < 0) {
            cl::TOwnedBitmap empty(CreateBitmap(size, size, 1, 32, nullptr));
            ImageList_AddMasked(list, empty.Handle(), PictureTransparentColour);
        }
    }
    return list;
}

struct TDialogState {
    bool Shown = false;
    bool Styled = false;
    bool Active = true;
    cl::TOwnedBrush Background;
    bool Full = false;
    HWND Dialog = nullptr;
    HWND Page = nullptr;
    int PageIndex = -1;
    TDialogSettings Settings;
    std::string Message;
    TOwnedFont MessageFont;
    TOwnedFont ControlFont;
    TOwnedFont FixedFont;
    cl::TOwnedImageList RowPictures;
    cl::TOwnedImageList Picture;
};

TDialogState* StateOf(HWND dialog)
{
    return reinterpret_cast<TDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

const TVozozoModuleOptions& Options()
{
    return CurrentOptions();
}

std::string Text(int index)
{
    return Options().GetCustomizedText(index);
}

BYTE DefaultCharset()
{
    char codePage[8] = "";
    UINT acp = GetACP();
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, codePage, sizeof codePage))
        acp = static_cast<UINT>(atoi(codePage));
    CHARSETINFO info{};
    if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<std::uintptr_t>(acp)), &info, TCI_SRCCODEPAGE))
        return static_cast<BYTE>(info.ciCharset);
    return DEFAULT_CHARSET;
}

void CreateFonts(TDialogState& state)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const BYTE charset = DefaultCharset();
    LOGFONTA bold = metrics.lfCaptionFont;
    bold.lfWeight = FW_BOLD;
    bold.lfCharSet = charset;
    state.MessageFont.Reset(CreateFontIndirectA(&bold));
    LOGFONTA message = metrics.lfMessageFont;
    message.lfCharSet = charset;
    state.ControlFont.Reset(CreateFontIndirectA(&message));
    LOGFONTA fixed{};
    fixed.lfHeight = message.lfHeight;
    fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    fixed.lfCharSet = charset;
    lstrcpyA(fixed.lfFaceName, "Courier New");
    state.FixedFont.Reset(CreateFontIndirectA(&fixed));
}

// The report without its call-stack table: what the general page shows.
std::string SectionsText()
{
    const std::string& log = LastLogText();
    const std::size_t table = log.find("\r\n\r\n-");
    return table == std::string::npos ? log : log.substr(0, table);
}

void SetItemFont(HWND window, int id, HFONT font)
{
    SendDlgItemMessageA(window, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// The display area of the tab control, in the dialog's client coordinates.
RECT PageArea(HWND dialog)
{
    HWND tabs = GetDlgItem(dialog, IDC_EXC_TABS);
    RECT area;
    GetClientRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    MapWindowPoints(tabs, dialog, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

// ---- The pages ----

enum TRowPicture { rpSource, rpLibrary, rpPackage, rpProgram };

bool EndsWith(const std::string& name, const char* ending)
{
    const std::size_t n = std::char_traits<char>::length(ending);
    if (name.size() < n)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - n + i])) != ending[i])
            return false;
    return true;
}

// A row whose source line is known can be opened; the others tell where their code lies.
int RowPicture(const TVozozoDebugInfo& entry)
{
    if (entry.LineNumber)
        return rpSource;
    if (EndsWith(entry.ModuleName, ".bpl"))
        return rpPackage;
    if (EndsWith(entry.ModuleName, ".dll"))
        return rpLibrary;
    return rpProgram;
}

void FillStackList(HWND list, const TDialogSettings& settings, HIMAGELIST pictures)
{
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    ListView_SetImageList(list, pictures, LVSIL_SMALL);
    ListView_SetBkColor(list, RGB(255, 255, 255));
    ListView_SetTextBkColor(list, RGB(255, 255, 255));
    for (int c = 0; c < 6; ++c) {
        std::string caption = Text(ctStackAddress + c);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = caption.data();
        column.cx = settings.Columns[c];
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    int row = 0;
    for (const TVozozoDebugInfo& e : LastStack()) {
        const std::string cells[6] = {HexText(e.Address, 8), e.ModuleName, e.UnitName, e.ClassName, e.ProcedureName,
                                      e.LineNumber ? std::to_string(e.LineNumber) : std::string()};
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row;
        item.iImage = RowPicture(e);
        std::string first = cells[0];
        item.pszText = first.data();
        const int at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (int c = 1; c < 6; ++c) {
            std::string cell = cells[c];
            LVITEMA sub{};
            sub.iSubItem = c;
            sub.pszText = cell.data();
            SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&sub));
        }
        ++row;
    }
}

std::string ListCell(HWND list, int row, int column)
{
    char text[2048] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

// A row whose line is known tells a listening development environment where to look.
void ActivateRow(HWND list, int row)
{
    if (row < 0)
        return;
    const std::string line = ListCell(list, row, 5);
    if (line.empty())
        return;
    SendToMailslot(SMailslotName, ListCell(list, row, 2), std::atoi(line.c_str()));
}

// The list asks for Enter itself: the dialog would take it for its default button and close,
// where Enter on a row opens the row's source.
constexpr UINT_PTR ListEnterSubclass = 1;

LRESULT CALLBACK ListKeysProc(HWND list, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR)
{
    try {
        if (message == WM_GETDLGCODE && l) {
            const auto* key = reinterpret_cast<const MSG*>(l);
            if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
                return DefSubclassProc(list, message, w, l) | DLGC_WANTMESSAGE;
        } else if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(list, ListKeysProc, ListEnterSubclass);
        }
        return DefSubclassProc(list, message, w, l);
    } catch (...) {
        InternalError("ListKeysProc");
    }
    return 0;
}

void FitPageContent(HWND page)
{
    RECT client;
    GetClientRect(page, &client);
    HWND caption = GetDlgItem(page, IDC_EXC_PAGE_CAPTION);
    RECT captionRect;
    GetWindowRect(caption, &captionRect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&captionRect), 2);
    const int top = captionRect.bottom + 4;
    MoveWindow(GetDlgItem(page, IDC_EXC_PAGE_CONTENT), captionRect.left, top, client.right - 2 * captionRect.left,
               std::max(0L, client.bottom - top - captionRect.left), TRUE);
}

INT_PTR OnPageInit(HWND page, LPARAM parameter, bool list)
{
    auto* state = reinterpret_cast<TDialogState*>(parameter);
    SetWindowLongPtrA(page, DWLP_USER, parameter);
    SetItemFont(page, IDC_EXC_PAGE_CAPTION, state->ControlFont.Handle());
    SetDlgItemTextA(page, IDC_EXC_PAGE_CAPTION, Text(list ? 7 : 5).c_str());
    HWND content = GetDlgItem(page, IDC_EXC_PAGE_CONTENT);
    if (list) {
        SetItemFont(page, IDC_EXC_PAGE_CONTENT, state->ControlFont.Handle());
        FillStackList(content, state->Settings, state->RowPictures.Handle());
        SetWindowSubclass(content, ListKeysProc, ListEnterSubclass, 0);
    } else {
        SetItemFont(page, IDC_EXC_PAGE_CONTENT, state->FixedFont.Handle());
        SetWindowTextA(content, SectionsText().c_str());
    }
    // The page takes no focus: the dialog's own focus stays on OK, and the report, which the
    // system would select whole for a focused edit and so scroll to its end, is read from its
    // first section on.
    return FALSE;
}

void OnListPageDestroy(HWND page)
{
    TDialogState* state = StateOf(page);
    if (!state)
        return;
    HWND list = GetDlgItem(page, IDC_EXC_PAGE_CONTENT);
    for (int c = 0; c < 6; ++c)
        state->Settings.Columns[c] = ListView_GetColumnWidth(list, c);
    SaveDialogColumns(state->Settings);
}

INT_PTR OnListPageNotify(const NMHDR* header)
{
    if (header->idFrom != IDC_EXC_PAGE_CONTENT)
        return FALSE;
    // The row is the list's focused one: Wine's list sends the activation of Enter as a bare
    // header without the item.
    if (header->code == LVN_ITEMACTIVATE || header->code == NM_DBLCLK)
        ActivateRow(header->hwndFrom,
                    static_cast<int>(SendMessageA(header->hwndFrom, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
    return FALSE;
}

INT_PTR CALLBACK ListTabProc(HWND page, UINT message, WPARAM w, LPARAM l)
{
    try {
        switch (message) {
        case WM_INITDIALOG: return OnPageInit(page, l, true);
        case WM_SIZE: FitPageContent(page); return TRUE;
        case WM_NOTIFY: return OnListPageNotify(reinterpret_cast<const NMHDR*>(l));
        case WM_DESTROY: OnListPageDestroy(page); return FALSE;
        default: return FALSE;
        }
    } catch (...) {
        InternalError("ListTabProc");
    }
    (void)w;
    return FALSE;
}

INT_PTR CALLBACK MemoTabProc(HWND page, UINT message, WPARAM, LPARAM l)
{
    try {
        switch (message) {
        case WM_INITDIALOG: return OnPageInit(page, l, false);
        case WM_SIZE: FitPageContent(page); return TRUE;
        default: return FALSE;
        }
    } catch (...) {
        InternalError("MemoTabProc");
    }
    return FALSE;
}

void PlacePage(TDialogState& state)
{
    if (!state.Page)
        return;
    const RECT area = PageArea(state.Dialog);
    SetWindowPos(state.Page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);
}

// Selecting a tab destroys the page shown and creates the other.
void ShowPage(TDialogState& state, int index)
{
    if (state.Page) {
        DestroyWindow(state.Page);
        state.Page = nullptr;
    }
    state.PageIndex = index;
    const bool list = index == 1;
    state.Page = CreateDialogParamA(LoggerModule(), list ? ListPageTemplateName : MemoPageTemplateName,
                                    state.Dialog, list ? ListTabProc : MemoTabProc, reinterpret_cast<LPARAM>(&state));
    PlacePage(state);
    if (state.Page && IsWindowVisible(GetDlgItem(state.Dialog, IDC_EXC_TABS)))
        ShowWindow(state.Page, SW_SHOW);
}

// ---- The styled look ----

// The frame and caption drawn over the whole non-client area, in the colours of the state.
void PaintStyledFrame(TDialogState& state)
{
    const TStyledColours& colours = state.Active ? ActiveColours : InactiveColours;
    TWindowDC dc(state.Dialog, TWindowDC::TArea::Window);
    RECT window, client;
    GetWindowRect(state.Dialog, &window);
    GetClientRect(state.Dialog, &client);
    MapWindowPoints(state.Dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int width = window.right - window.left, height = window.bottom - window.top;
    const RECT inner{client.left - window.left, client.top - window.top, client.right - window.left,
                     client.bottom - window.top};
    // Everything outside the client area: frame fill, then the caption band, then two lines.
    cl::TOwnedRegion outside(CreateRectRgn(0, 0, width, height));
    cl::TOwnedRegion clientRegion(CreateRectRgnIndirect(&inner));
    CombineRgn(outside.Handle(), outside.Handle(), clientRegion.Handle(), RGN_DIFF);
    cl::TSavedDCState saved(dc.Handle());
    SelectClipRgn(dc.Handle(), outside.Handle());
    const RECT whole{0, 0, width, height};
    FillRect(dc.Handle(), &whole, state.Background.Handle());
    const int frame = GetSystemMetrics(SM_CXFRAME);
    const RECT caption{frame, frame, width - frame, inner.top};
    cl::TOwnedBrush captionBrush(CreateSolidBrush(colours.Caption));
    FillRect(dc.Handle(), &caption, captionBrush.Handle());
    cl::TOwnedBrush outer(CreateSolidBrush(colours.OuterLine)), innerLine(CreateSolidBrush(colours.InnerLine));
    RECT line{0, 0, width, height};
    FrameRect(dc.Handle(), &line, outer.Handle());
    InflateRect(&line, -1, -1);
    FrameRect(dc.Handle(), &line, innerLine.Handle());
    char text[256] = "";
    GetWindowTextA(state.Dialog, text, sizeof text);
    RECT textRect = caption;
    textRect.left += 4;
    SetBkMode(dc.Handle(), TRANSPARENT);
    SetTextColor(dc.Handle(), RGB(255, 255, 255));
    TSelectedObject font(dc.Handle(), state.ControlFont.Handle());
    DrawTextA(dc.Handle(), text, -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// The picture left of the message, on the dialog's own background.
void OnPaint(TDialogState& state)
{
    cl::TPaintDC dc(state.Dialog);
    if (state.Picture.Handle())
        ImageList_Draw(state.Picture.Handle(), 0, dc.Handle(), Margin, Margin, ILD_TRANSPARENT);
}

INT_PTR OnNcActivate(TDialogState& state, bool active)
{
    state.Active = active;
    PaintStyledFrame(state);
    SetWindowLongPtrA(state.Dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

INT_PTR OnControlColour(TDialogState& state, HDC dc)
{
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(state.Background.Handle());
}

// Without the styled look the system draws the buttons with their usual relief.
void RemoveFlatButtons(HWND dialog)
{
    for (int id : {IDC_EXC_OK, IDC_EXC_TERMINATE, IDC_EXC_DETAILS}) {
        HWND button = GetDlgItem(dialog, id);
        SetWindowLongPtrA(button, GWL_STYLE, GetWindowLongPtrA(button, GWL_STYLE) & ~BS_FLAT);
    }
}

// ---- The dialog ----

// The height of the header's text, wrapped at this width, in the message's font.
int HeaderHeight(TDialogState& state, int width)
{
    HWND text = GetDlgItem(state.Dialog, IDC_EXC_TEXT);
    const int length = GetWindowTextLengthA(text);
    std::string header(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(text, header.data(), length + 1);
    header.resize(static_cast<std::size_t>(length));
    TWindowDC dc(text);
    TSelectedObject font(dc.Handle(), state.MessageFont.Handle());
    RECT bounds{0, 0, std::max(width, 1), 0};
    DrawTextA(dc.Handle(), header.c_str(), length, &bounds, DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    return bounds.bottom - bounds.top;
}

void LayoutButtons(TDialogState& state)
{
    RECT client;
    GetClientRect(state.Dialog, &client);
    const int top = client.bottom - ButtonHeight - Margin;
    const int ok = (client.right - ButtonWidth) / 2;
    // The narrowest compact form leaves less room between the buttons than a wide one.
    const int gap = std::clamp(static_cast<int>(client.right - 3 * ButtonWidth) / 2 - 2, 0, ButtonGap);
    MoveWindow(GetDlgItem(state.Dialog, IDC_EXC_OK), ok, top, ButtonWidth, ButtonHeight, TRUE);
    MoveWindow(GetDlgItem(state.Dialog, IDC_EXC_TERMINATE), ok - ButtonWidth - gap, top, ButtonWidth, ButtonHeight,
               TRUE);
    MoveWindow(GetDlgItem(state.Dialog, IDC_EXC_DETAILS), ok + ButtonWidth + gap, top, ButtonWidth, ButtonHeight,
               TRUE);
    if (state.Full) {
        // The header's lines may be more than the compact form's message had: it takes all it needs.
        const int textWidth = std::max(0, static_cast<int>(client.right) - TextLeft - Margin);
        const int textHeight = HeaderHeight(state, textWidth);
        MoveWindow(GetDlgItem(state.Dialog, IDC_EXC_TEXT), TextLeft, Margin, textWidth, textHeight, TRUE);
        const int tabsTop = Margin + std::max(textHeight, PictureSize) + Margin;
        MoveWindow(GetDlgItem(state.Dialog, IDC_EXC_TABS), Margin, tabsTop, client.right - 2 * Margin,
                   std::max(0, top - Margin - tabsTop), TRUE);
        PlacePage(state);
    }
}

void SetDetailsCaption(TDialogState& state)
{
    const std::string caption = state.Full ? "<< " + Text(11) : Text(11) + " >>";
    SetDlgItemTextA(state.Dialog, IDC_EXC_DETAILS, caption.c_str());
}

void RememberPlacement(TDialogState& state)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(state.Dialog, &placement);
    const RECT& r = placement.rcNormalPosition;
    state.Settings.Left = r.left;
    state.Settings.Top = r.top;
    state.Settings.Width = r.right - r.left;
    state.Settings.Height = r.bottom - r.top;
    state.Settings.WindowsState = static_cast<int>(placement.showCmd);
    SaveDialogPlacement(state.Settings);
}

// A switch moves and re-texts controls whose text is drawn on the dialog's background: all of
// the dialog is drawn again, or old text and uncovered controls would stay as they were.
void RedrawWhole(HWND dialog)
{
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void ApplyFullForm(TDialogState& state)
{
    state.Full = true;
    SetDetailsCaption(state);
    SetDlgItemTextA(state.Dialog, IDC_EXC_TEXT, Text(ctDialogHeader).c_str());
    const TDialogSettings& s = state.Settings;
    SetWindowPos(state.Dialog, nullptr, s.Left, s.Top, s.Width, s.Height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(GetDlgItem(state.Dialog, IDC_EXC_TABS), SW_SHOW);
    if (state.Page)
        ShowWindow(state.Page, SW_SHOW);
    LayoutButtons(state);
    if (s.WindowsState == SW_SHOWMAXIMIZED)
        ShowWindow(state.Dialog, SW_SHOWMAXIMIZED);
    RedrawWhole(state.Dialog);
}

void ApplyCompactForm(TDialogState& state)
{
    if (state.Full && IsWindowVisible(state.Dialog))
        RememberPlacement(state);
    state.Full = false;
    if (IsZoomed(state.Dialog))
        ShowWindow(state.Dialog, SW_RESTORE);
    SetDetailsCaption(state);
    HWND text = GetDlgItem(state.Dialog, IDC_EXC_TEXT);
    SetWindowTextA(text, state.Message.c_str());
    // Measured line by line in the message's font.
    std::vector<int> widths, heights;
    {
        TWindowDC dc(text);
        TSelectedObject font(dc.Handle(), state.MessageFont.Handle());
        std::size_t start = 0;
        const std::string& m = state.Message;
        do {
            std::size_t end = m.find('\n', start);
            std::string line = m.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            SIZE size{0, 0};
            GetTextExtentPoint32A(dc.Handle(), line.empty() ? " " : line.c_str(), static_cast<int>(std::max<std::size_t>(line.size(), 1)), &size);
            widths.push_back(line.empty() ? 0 : size.cx);
            heights.push_back(size.cy);
            start = end == std::string::npos ? std::string::npos : end + 1;
        } while (start != std::string::npos);
    }
    const TCompactForm form =
        CompactFormSize(widths.data(), heights.data(), static_cast<int>(widths.size()), GetSystemMetrics(SM_CXFRAME),
                        GetSystemMetrics(SM_CYFRAME), GetSystemMetrics(SM_CYSMCAPTION));
    ShowWindow(GetDlgItem(state.Dialog, IDC_EXC_TABS), SW_HIDE);
    if (state.Page)
        ShowWindow(state.Page, SW_HIDE);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - form.Width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - form.Height) / 2;
    SetWindowPos(state.Dialog, nullptr, left, top, form.Width, form.Height, SWP_NOZORDER | SWP_NOACTIVATE);
    MoveWindow(text, TextLeft, Margin, form.TextWidth, form.TextHeight, TRUE);
    LayoutButtons(state);
    RedrawWhole(state.Dialog);
}

BOOL OnInitDialog(HWND dialog, LPARAM parameter)
{
    auto* state = reinterpret_cast<TDialogState*>(parameter);
    SetWindowLongPtrA(dialog, DWLP_USER, parameter);
    state->Dialog = dialog;
    state->Shown = true;
    const TVozozoModuleOptions& options = Options();
    state->Styled = options.StyledDialog;
    state->Background.Reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    if (!state->Styled)
        RemoveFlatButtons(dialog);
    SetWindowTextA(dialog, Text(ctError).c_str());
    SetDlgItemTextA(dialog, IDC_EXC_OK, Text(8).c_str());
    SetDlgItemTextA(dialog, IDC_EXC_TERMINATE, Text(options.TerminateBtnOperation == 0 ? 9 : 10).c_str());
    for (int id : {IDC_EXC_OK, IDC_EXC_TERMINATE, IDC_EXC_DETAILS, IDC_EXC_TABS})
        SetItemFont(dialog, id, state->ControlFont.Handle());
    SetItemFont(dialog, IDC_EXC_TEXT, state->MessageFont.Handle());
    HWND tabs = GetDlgItem(dialog, IDC_EXC_TABS);
    std::string general = Text(4), details = Text(6);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = general.data();
    SendMessageA(tabs, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = details.data();
    SendMessageA(tabs, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
    const int selected = options.OpenOnGeneralTab ? 0 : 1;
    TabCtrl_SetCurSel(tabs, selected);
    const bool third = options.TerminateBtnAllowed && ErrorsCount() > options.TerminateBtnThreshold;
    ShowWindow(GetDlgItem(dialog, IDC_EXC_TERMINATE), third ? SW_SHOW : SW_HIDE);
    ShowPage(*state, selected);
    SetFocus(GetDlgItem(dialog, IDC_EXC_OK));
    ApplyCompactForm(*state);
    SetTimer(dialog, GuardTimerId, GuardTimerInterval, nullptr);
    return FALSE;  // the focus is set
}

void OnCommand(TDialogState& state, int id)
{
    switch (id) {
    case IDC_EXC_OK:
        EndDialog(state.Dialog, IDC_EXC_OK);
        break;
    case IDC_EXC_TERMINATE:
        SetTerminateFlag(true);
        EndDialog(state.Dialog, IDC_EXC_TERMINATE);
        break;
    case IDC_EXC_DETAILS:
        if (state.Full)
            ApplyCompactForm(state);
        else
            ApplyFullForm(state);
        break;
    default:
        break;
    }
}

void OnTimer(TDialogState& state, UINT_PTR id)
{
    if (id != GuardTimerId)
        return;
    KillTimer(state.Dialog, GuardTimerId);
    if (!state.Shown)
        EndDialog(state.Dialog, 0);
}

void OnDestroy(TDialogState& state)
{
    if (state.Full)
        RememberPlacement(state);
    if (state.Page) {
        DestroyWindow(state.Page);
        state.Page = nullptr;
    }
}

INT_PTR OnNotify(TDialogState& state, const NMHDR* header)
{
    if (header->idFrom == IDC_EXC_TABS && header->code == TCN_SELCHANGE)
        ShowPage(state, TabCtrl_GetCurSel(header->hwndFrom));
    return FALSE;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM w, LPARAM l)
{
    try {
        if (message == WM_INITDIALOG)
            return OnInitDialog(dialog, l);
        TDialogState* state = StateOf(dialog);
        if (!state)
            return FALSE;
        switch (message) {
        case WM_COMMAND: OnCommand(*state, LOWORD(w)); return TRUE;
        case WM_NOTIFY: return OnNotify(*state, reinterpret_cast<const NMHDR*>(l));
        case WM_SIZE: LayoutButtons(*state); return TRUE;
        case WM_TIMER: OnTimer(*state, w); return TRUE;
        case WM_DESTROY: OnDestroy(*state); return FALSE;
        case WM_NCPAINT:
            if (!state->Styled)
                return FALSE;
            PaintStyledFrame(*state);
            return TRUE;
        case WM_PAINT: OnPaint(*state); return TRUE;
        case WM_NCACTIVATE: return state->Styled ? OnNcActivate(*state, w != FALSE) : FALSE;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC: return state->Styled ? OnControlColour(*state, reinterpret_cast<HDC>(w)) : FALSE;
        default: return FALSE;
        }
    } catch (...) {
        InternalError("DialogProc");
    }
    return FALSE;
}

TCompactForm CompactFormSize(const int* lineWidths, const int* lineHeights, int lines, int frameX, int frameY,
                             int smallCaption)
{
    const int f = (frameX - 1) * 2 + 60;
    const int limit = CompactMaxWidth - f;
    int widest = 0, height = 0;
    for (int i = 0; i < lines; ++i) {
        widest = std::max(widest, lineWidths[i]);
        height += lineHeights[i];
        // A line wider than the text may be wraps onto further lines.
        if (lineWidths[i] + 16 > limit)
            height += ((lineWidths[i] + 16 - limit) / limit + 1) * lineHeights[i];
    }
    const int textWidth = std::min(widest + 16, limit);
    const int width = std::max(textWidth + f, CompactMinWidth);
    const int dialogHeight = (frameY - 1) * 2 + std::max(height - 39, 0) + 88 + smallCaption;
    return {width, dialogHeight, width - f, height};
}

}  // namespace

bool SendToMailslot(const std::string& name, const std::string& unit, std::int32_t line)
{
    const std::string path = "\\\\.\\mailslot\\" + name;
    const cl::TOwnedHandle slot(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (slot.get() == INVALID_HANDLE_VALUE)
        return false;
    char record[MailslotUnitSize + sizeof(std::int32_t)] = {};
    // At most 2047 characters, so that the name always ends in its field.
    const std::size_t count = std::min(unit.size(), MailslotUnitSize - 1);
    std::copy_n(unit.data(), count, record);
    std::copy_n(reinterpret_cast<const char*>(&line), sizeof line, record + MailslotUnitSize);
    DWORD written = 0;
    const bool ok = WriteFile(slot.get(), record, sizeof record, &written, nullptr) && written == sizeof record;
    return ok;
}

void ShowDialog()
{
    HWND foreground = GetForegroundWindow();
    MessageBeep(MB_ICONHAND);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    for (;;) {
        TDialogState state;
        state.Message = LastMessage();
        state.Settings = LoadDialogSettings(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        CreateFonts(state);
        state.RowPictures.Reset(LoadPictures(RowPictureNames, std::size(RowPictureNames), RowPictureSize));
        state.Picture.Reset(LoadPictures(&DialogPictureName, 1, PictureSize));
        const INT_PTR result = DialogBoxParamA(LoggerModule(), DialogTemplateName, nullptr, DialogProc,
                                               reinterpret_cast<LPARAM>(&state));
        if (result == -1 || !state.Shown) {
            ShowUserMessage(state.Message, Text(ctError), MB_ICONHAND | MB_TASKMODAL | MB_TOPMOST | MB_SERVICE_NOTIFICATION);
            InternalWarning(eeShowError, SCannotShowDialog);
        }
        // The action hook may clear the terminate flag: the dialog is shown again.
        if (TerminateFlag() && ExceptionActionNotify && !NotifyTerminateAction())
            continue;
        break;
    }
    if (foreground)
        SetForegroundWindow(foreground);
}

}  // namespace crashlog
