#pragma once
// Fonts, pens and brushes: what a canvas draws with. Their attributes work on every host; on
// Windows each also owns the GDI object made from them, re-made after every change.
#include <cstdint>
#include <functional>

#include "classlib/classes/Classes.h"
#include "classlib/graphics/Color.h"

#ifdef _WIN32
#include <windows.h>

#include "classlib/graphics/GdiHandles.h"
#endif

namespace cl {

// What a font, pen and brush share: the listeners of their changes and, on Windows, the GDI
// object each makes from its attributes and keeps until one of them changes.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    // An attribute the GDI object is made from changed: a canvas holding the object takes it out
    // of its DC, the object is deleted (it is made anew when next asked for), and the listeners
    // are told.
    void Changed();
    // An attribute the GDI object is not made from changed (a font's colour, a pen's mode):
    // only the listeners need to know.
    void NotifyChange();
#ifdef _WIN32
    // Deletes the GDI object made from the attributes, if there is one.
    virtual void FreeHandle() = 0;
#endif

    // Assign for objects of class T: when Source is another T, Copy takes its attributes and one
    // change is announced; anything else is refused as TPersistent refuses it.
    template <class T, class TCopy>
    void AssignAttributes(TPersistent* Source, TCopy Copy)
    {
        auto* source = dynamic_cast<T*>(Source);
        if (!source) {
            TPersistent::Assign(Source);
            return;
        }
        if (source == this)
            return;
        Copy(*source);
        Changed();
    }

private:
    friend class TCanvas;
    // A canvas takes the old object out of its DC here, before the object is deleted.
    std::function<void()> canvasRelease_;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = std::uint8_t;
constexpr TFontCharset DEFAULT_CHARSET_VALUE = 1;

// Pixels per logical inch of the screen (96 where there is no screen).
int ScreenPixelsPerInch();

class TFont : public TGraphicsObject {
public:
    TFont() = default;
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const AnsiString& Name() const { return name_; }
    void SetName(const AnsiString& Value);
    // Character height in pixels; negative, as the platform takes it.
    int Height() const { return height_; }
    void SetHeight(int Value);
    // Points, from and to Height at the screen's resolution.
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset Value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch Value);
    // Escapement in tenths of a degree, counter-clockwise (900: text runs upwards).
    int Orientation() const { return orientation_; }
    void SetOrientation(int Value);

    void Assign(TPersistent* Source) override;

#ifdef _WIN32
    // The font object for these attributes, owned by this font.
    HFONT Handle();
#endif

private:
    AnsiString name_ = "MS Sans Serif";
    int height_ = -11;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontCharset charset_ = DEFAULT_CHARSET_VALUE;
    TFontPitch pitch_ = fpDefault;
    int orientation_ = 0;
#ifdef _WIN32
    TOwnedFont handle_;
    void FreeHandle() override { handle_.Reset(); }
#endif
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmNot, pmXor, pmMerge, pmMask, pmNotXor };

class TPen : public TGraphicsObject {
public:
    TPen() = default;
    ~TPen() override;
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    int Width() const { return width_; }
    void SetWidth(int Value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode Value);

    void Assign(TPersistent* Source) override;

#ifdef _WIN32
    HPEN Handle();
#endif

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
#ifdef _WIN32
    TOwnedPen handle_;
    void FreeHandle() override { handle_.Reset(); }
#endif
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    ~TBrush() override;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;

    TColor Color() const { return color_; }
    // Setting a colour makes a clear brush solid again.
    void SetColor(TColor Value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle Value);

    void Assign(TPersistent* Source) override;

#ifdef _WIN32
    HBRUSH Handle();
#endif

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
#ifdef _WIN32
    TOwnedBrush handle_;
    void FreeHandle() override { handle_.Reset(); }
#endif
};

}  // namespace cl
