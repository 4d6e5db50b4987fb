#include "classlib/graphics/Objects.h"

#include <cstdlib>
#include <cstring>

#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/Error.h"

namespace cl {

namespace {

// Takes Value into Field and says whether it differed, so that a setter announces only a real
// change (listeners repaint or re-create handles on every announcement).
template <class T>
bool Store(T& Field, const T& Value)
{
    if (Field == Value)
        return false;
    Field = Value;
    return true;
}
}  // namespace

int ScreenPixelsPerInch()
{
#ifdef _WIN32
    static const int dpi = [] {
        const TWindowDC screen(nullptr);
        const int value = screen ? GetDeviceCaps(screen.Handle(), LOGPIXELSY) : 96;
        return value > 0 ? value : 96;
    }();
    return dpi;
#else
    return 96;
#endif
}

void TGraphicsObject::Changed()
{
#ifdef _WIN32
    if (canvasRelease_)
        canvasRelease_();
    FreeHandle();
#endif
    NotifyChange();
}

void TGraphicsObject::NotifyChange()
{
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TFont

TFont::~TFont() = default;

void TFont::SetName(const AnsiString& Value)
{
    if (Value.empty() || Value == name_)
        return;
    name_ = Value;
    Changed();
}

void TFont::SetHeight(int Value)
{
    if (Store(height_, Value))
        Changed();
}

int TFont::Size() const
{
    // Points = -height * 72 / dpi, rounded like MulDiv.
    const int dpi = ScreenPixelsPerInch();
    const long long num = -static_cast<long long>(height_) * 72;
    return static_cast<int>((num >= 0 ? num + dpi / 2 : num - dpi / 2) / dpi);
}

void TFont::SetSize(int Value)
{
    const long long num = -static_cast<long long>(Value) * ScreenPixelsPerInch();
    SetHeight(static_cast<int>((num >= 0 ? num + 36 : num - 36) / 72));
}

void TFont::SetStyle(TFontStyles Value)
{
    if (Store(style_, Value))
        Changed();
}

void TFont::SetColor(TColor Value)
{
    if (Value == color_)
        return;
    color_ = Value;
    // The colour is not part of the font object.
    NotifyChange();
}

void TFont::SetCharset(TFontCharset Value)
{
    if (Store(charset_, Value))
        Changed();
}

void TFont::SetPitch(TFontPitch Value)
{
    if (Store(pitch_, Value))
        Changed();
}

void TFont::SetOrientation(int Value)
{
    if (Store(orientation_, Value))
        Changed();
}

void TFont::Assign(TPersistent* Source)
{
    AssignAttributes<TFont>(Source, [this](const TFont& S) {
        name_ = S.name_;
        height_ = S.height_;
        style_ = S.style_;
        color_ = S.color_;
        charset_ = S.charset_;
        pitch_ = S.pitch_;
        orientation_ = S.orientation_;
    });
}

#ifdef _WIN32
HFONT TFont::Handle()
{
    if (!handle_) {
        LOGFONTA lf{};
        lf.lfHeight = height_;
        lf.lfEscapement = orientation_;
        lf.lfOrientation = orientation_;
        lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = style_.Contains(fsItalic);
        lf.lfUnderline = style_.Contains(fsUnderline);
        lf.lfStrikeOut = style_.Contains(fsStrikeOut);
        lf.lfCharSet = charset_;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
        std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
        handle_.Reset(CreateFontIndirectA(&lf));
        if (!handle_)
            throw EOutOfResources(consts::SOutOfResources);
    }
    return handle_.Handle();
}
#endif

// ---------------------------------------------------------------------------------------------
// TPen

TPen::~TPen() = default;

void TPen::SetColor(TColor Value)
{
    if (Store(color_, Value))
        Changed();
}

void TPen::SetWidth(int Value)
{
    if (Value < 0 || Value == width_)
        return;
    width_ = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
    if (Store(style_, Value))
        Changed();
}

void TPen::SetMode(TPenMode Value)
{
    if (Store(mode_, Value))
        NotifyChange();
}

void TPen::Assign(TPersistent* Source)
{
    AssignAttributes<TPen>(Source, [this](const TPen& S) {
        color_ = S.color_;
        width_ = S.width_;
        style_ = S.style_;
        mode_ = S.mode_;
    });
}

#ifdef _WIN32
HPEN TPen::Handle()
{
    if (!handle_) {
        static constexpr int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_.Reset(CreatePen(styles[style_], width_, static_cast<COLORREF>(ColorToRGB(color_))));
        if (!handle_)
            throw EOutOfResources(consts::SOutOfResources);
    }
    return handle_.Handle();
}
#endif

// ---------------------------------------------------------------------------------------------
// TBrush

TBrush::~TBrush() = default;

void TBrush::SetColor(TColor Value)
{
    if (Value == color_ && style_ != bsClear)
        return;
    color_ = Value;
    if (style_ == bsClear)
        style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (Store(style_, Value))
        Changed();
}

void TBrush::Assign(TPersistent* Source)
{
    AssignAttributes<TBrush>(Source, [this](const TBrush& S) {
        color_ = S.color_;
        style_ = S.style_;
    });
}

#ifdef _WIN32
HBRUSH TBrush::Handle()
{
    // The clear brush is the system's own, which is never deleted: it is not kept.
    if (style_ == bsClear)
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    if (!handle_) {
        const COLORREF rgb = static_cast<COLORREF>(ColorToRGB(color_));
        if (style_ == bsSolid) {
            handle_.Reset(CreateSolidBrush(rgb));
        } else {
            static constexpr int hatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
            handle_.Reset(CreateHatchBrush(hatches[style_], rgb));
        }
        if (!handle_)
            throw EOutOfResources(consts::SOutOfResources);
    }
    return handle_.Handle();
}
#endif

}  // namespace cl
