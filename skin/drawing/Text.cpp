#include "skin/drawing/Text.h"

#include "classlib/system/SysUtils.h"

namespace sk {

namespace {

// The canvas's font, text colour and background as the canvas itself would draw text, for
// the platform text calls the canvas has no method for. Puts the DC's font back afterwards.
class TTextScope {
public:
    explicit TTextScope(cl::TCanvas* Canvas) : dc_(Canvas->Handle())
    {
        oldFont_ = SelectObject(dc_, Canvas->Font()->Handle());
        SetTextColor(dc_, static_cast<COLORREF>(cl::ColorToRGB(Canvas->Font()->Color())));
        if (Canvas->Brush()->Style() == cl::bsClear) {
            SetBkMode(dc_, TRANSPARENT);
        } else {
            SetBkMode(dc_, OPAQUE);
            SetBkColor(dc_, static_cast<COLORREF>(cl::ColorToRGB(Canvas->Brush()->Color())));
        }
    }
    ~TTextScope() { SelectObject(dc_, oldFont_); }
    TTextScope(const TTextScope&) = delete;
    TTextScope& operator=(const TTextScope&) = delete;
    HDC DC() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ oldFont_;
};

RECT ToRECT(const TRect& R)
{
    return {R.Left, R.Top, R.Right, R.Bottom};
}

// Removes the last character, both halves of a surrogate pair together.
void DropLastChar(std::wstring& Text)
{
    if (Text.empty())
        return;
    Text.pop_back();
    if (!Text.empty() && Text.back() >= 0xD800 && Text.back() <= 0xDBFF)
        Text.pop_back();
}

}  // namespace

bool UnicodeTextAvailable()
{
    static const bool available = [] {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof(info);
        return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }();
    return available;
}

int DrawSkinText(cl::TCanvas* Canvas, const std::wstring& Text, TRect& R, UINT Flags)
{
    TTextScope scope(Canvas);
    RECT r = ToRECT(R);
    int result;
    if (UnicodeTextAvailable()) {
        result = DrawTextW(scope.DC(), Text.c_str(), static_cast<int>(Text.size()), &r, Flags);
    } else {
        const std::string ansi = cl::WideToString(Text);
        result = DrawTextA(scope.DC(), ansi.c_str(), static_cast<int>(ansi.size()), &r, Flags);
    }
    R = {r.left, r.top, r.right, r.bottom};
    return result;
}

int GetTextWidth(cl::TCanvas* Canvas, const std::wstring& Text)
{
    TRect r;
    DrawSkinText(Canvas, Text, r, DT_CALCRECT);
    return RectWidth(r);
}

int GetTextHeight(cl::TCanvas* Canvas, const std::wstring& Text)
{
    TRect r;
    DrawSkinText(Canvas, Text, r, DT_CALCRECT);
    return RectHeight(r);
}

void FitTextToWidth(cl::TCanvas* Canvas, std::wstring& Text, int MaxWidth)
{
    if (GetTextWidth(Canvas, Text) <= MaxWidth)
        return;
    std::wstring rest = Text;
    while (!rest.empty()) {
        DropLastChar(rest);
        if (GetTextWidth(Canvas, rest + L"...") <= MaxWidth)
            break;
    }
    Text = rest + L"...";
}

void DrawTextInRect(cl::TCanvas* Canvas, const cl::AnsiString& Text, const TRect& R)
{
    if (Text.empty())
        return;
    TTextScope scope(Canvas);
    RECT r = ToRECT(R);
    DrawTextA(scope.DC(), Text.c_str(), static_cast<int>(Text.size()), &r, DT_SINGLELINE | DT_VCENTER);
}

void DrawItemText(cl::TCanvas* Canvas, const cl::AnsiString& Text, const TRect& R)
{
    DrawItemTextEx(Canvas, Text, R, 0);
}

void DrawItemTextEx(cl::TCanvas* Canvas, const cl::AnsiString& Text, const TRect& R, int Offset)
{
    if (Text.empty())
        return;
    const int y = R.Top + RectHeight(R) / 2 - Canvas->TextHeight(Text) / 2;
    Canvas->TextRect(R, R.Left + 2 + Offset, y, Text);
}

}  // namespace sk
