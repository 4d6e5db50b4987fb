#pragma once
// The value encodings of the skin description text: how integers, colours, booleans, points,
// rectangles, font styles, alignments, morph kinds, inactive effects, button commands and lists
// are read from and written to an INI section. Every description goes through these, so that a
// skin text means the same thing wherever it is read. Also the base of every description, which
// reads and writes its section through them.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "classlib/classes/Classes.h"
#include "classlib/graphics/Color.h"
#include "classlib/graphics/Objects.h"
#include "classlib/classes/IniFiles.h"
#include "classlib/system/Types.h"
#include "skin/drawing/Effects.h"

namespace sk {

using cl::TColor;
using cl::TPoint;
using cl::TRect;

// Morph kinds (TskMorphKind) and inactive effects (TskImageEffect) are the effect bitmap's.

// Where a caption or panel text sits: the class library's alignment, so that a skinned control
// hands its description's alignment to a standard control as it is.
using cl::TAlignment;
using enum cl::TAlignment;

// What a caption button does.
enum TskStdCommand : std::uint8_t {
    cmClose,
    cmMaximize,
    cmMinimize,
    cmSysMenu,
    cmDefault,
    cmRollUp,
    cmMinimizeToTray
};

// ---------------------------------------------------------------------------------------------
// Decoding single values (the text of one key).

// Decimal with an optional sign, or hexadecimal after "$" or "0x"/"0X" (hex wraps at 32 bits:
// "$FFFFFFFF" is -1). Anything else, and a decimal outside the 32-bit range, gives Default.
int skStrToIntDef(std::string_view Text, int Default);
// The digit rule of points and rectangles: only digits count, "," ends a number. Exactly Count
// numbers are taken (later ones are ignored); an empty or out-of-range number raises
// EConvertError "'%s' is not a valid integer value".
void skStrToNumbers(std::string_view Text, int* Numbers, int Count);
TPoint skStrToPoint(std::string_view Text);
// An upside-down rectangle reads as empty (all zero).
TRect skStrToRect(std::string_view Text);
cl::TFontStyles skStrToFontStyles(std::string_view Text);
TAlignment skStrToAlignment(std::string_view Text);
TskMorphKind skStrToMorphKind(std::string_view Text);
TskImageEffect skStrToInactiveEffect(std::string_view Text);
TskStdCommand skStrToCommand(std::string_view Text);

std::string skPointToStr(const TPoint& Value);
std::string skRectToStr(const TRect& Value);
std::string skFontStylesToStr(cl::TFontStyles Value);
std::string skAlignmentToStr(TAlignment Value);
std::string skMorphKindToStr(TskMorphKind Value);
std::string skCommandToStr(TskStdCommand Value);

// ---------------------------------------------------------------------------------------------
// Reading keys of a section; a missing key gives the default.

int skReadInteger(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key, int Default);
bool skReadBoolean(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key);
std::string skReadString(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key,
                         const std::string& Default = {});
// A key that is present with an empty value is not missing: it raises the conversion error.
TPoint skReadPoint(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key);
TRect skReadRect(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key);
cl::TFontStyles skReadFontStyles(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key);
TAlignment skReadAlignment(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key);
TskMorphKind skReadMorphKind(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key);
TskImageEffect skReadInactiveEffect(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key);
TskStdCommand skReadCommand(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key);
// The list encoding: "<Name>count" = N, then keys "0" .. "N-1", appended to Target in order.
// Keys past the highest numbered key of the section read as empty strings and are not
// appended, so a count of 2^31-1 costs no more than the keys that are really there.
void skReadList(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Name, cl::TStrings& Target);
// The number of entries worth reading for a declared count: Count, but no further than one past
// the highest key of the section that is a decimal number (0 for a count of 0 or less).
int skListReadLimit(cl::TMemIniFile& Ini, const std::string& Section, int Count);

// ---------------------------------------------------------------------------------------------
// The fields of a description, visited once for reading and once for writing: one list of keys
// per class keeps the reader and the writer from drifting apart.

class TskDataFiler {
public:
    TskDataFiler(cl::TMemIniFile& Ini, std::string Section) : ini_(Ini), section_(std::move(Section)) {}
    virtual ~TskDataFiler() = default;
    TskDataFiler(const TskDataFiler&) = delete;
    TskDataFiler& operator=(const TskDataFiler&) = delete;

    virtual bool Reading() const = 0;
    virtual void Integer(const char* Key, int& Value, int Default = 0) = 0;
    virtual void Color(const char* Key, TColor& Value, TColor Default = 0) = 0;
    virtual void Boolean(const char* Key, bool& Value) = 0;
    virtual void String(const char* Key, std::string& Value, const char* Default = "") = 0;
    virtual void Point(const char* Key, TPoint& Value) = 0;
    virtual void Rect(const char* Key, TRect& Value) = 0;
    virtual void FontStyles(const char* Key, cl::TFontStyles& Value) = 0;
    virtual void Alignment(const char* Key, TAlignment& Value) = 0;
    virtual void MorphKind(const char* Key, TskMorphKind& Value) = 0;
    virtual void Command(const char* Key, TskStdCommand& Value) = 0;

    // The run of four font keys "<Prefix>fontname", "<Prefix>fontstyle", "<Prefix>fontheight",
    // "<Prefix>fontcolor" with their defaults "Arial" and 14.
    void FontGroup(const std::string& Prefix, std::string& Name, cl::TFontStyles& Style, int& Height,
                   TColor& Color);
    // The four corner points of a frame, "<Prefix>lefttoppoint", "<Prefix>righttoppoint",
    // "<Prefix>leftbottompoint", "<Prefix>rightbottompoint".
    void Corners(const std::string& Prefix, TPoint& LT, TPoint& RT, TPoint& LB, TPoint& RB);
    // Which edges of a frame stretch instead of tiling: "leftstretch", "rightstretch",
    // "topstretch", "bottomstretch".
    void Stretches(bool& Left, bool& Right, bool& Top, bool& Bottom);

protected:
    cl::TMemIniFile& ini_;
    std::string section_;
};

// A description of a control or an object: the section of the skin text named by IDName,
// read and written through one list of keys per class.
class TskDataDescription : public cl::TObject {
public:
    explicit TskDataDescription(std::string AIDName) : IDName(std::move(AIDName)) {}

    std::string IDName;

    // Reads the class's keys, the ancestors' first, from the section named IDName.
    void LoadFromFile(cl::TMemIniFile& IniFile);
    // Erases the section named IDName and writes every key LoadFromFile reads.
    void SaveToFile(cl::TMemIniFile& IniFile);

protected:
    // Every class lists its own keys here after calling its parent's.
    virtual void DefineFields(TskDataFiler& Filer) = 0;
};

// The text font of a description, on the FontGroup keys without a prefix.
struct TskDataFont {
    std::string FontName = "Arial";
    cl::TFontStyles FontStyle;
    int FontHeight = 14;
    TColor FontColor = 0;
    friend bool operator==(const TskDataFont&, const TskDataFont&) = default;

protected:
    void DefineFont(TskDataFiler& Filer) { Filer.FontGroup("", FontName, FontStyle, FontHeight, FontColor); }
};

// Reads the whole section once and answers every key from it: a description asks for some 40
// keys, most of them missing.
class TskDataReader final : public TskDataFiler {
public:
    TskDataReader(cl::TMemIniFile& Ini, std::string Section);
    bool Reading() const override { return true; }
    void Integer(const char* Key, int& Value, int Default = 0) override;
    void Color(const char* Key, TColor& Value, TColor Default = 0) override;
    void Boolean(const char* Key, bool& Value) override;
    void String(const char* Key, std::string& Value, const char* Default = "") override;
    void Point(const char* Key, TPoint& Value) override;
    void Rect(const char* Key, TRect& Value) override;
    void FontStyles(const char* Key, cl::TFontStyles& Value) override;
    void Alignment(const char* Key, TAlignment& Value) override;
    void MorphKind(const char* Key, TskMorphKind& Value) override;
    void Command(const char* Key, TskStdCommand& Value) override;

private:
    // The value of Key (any letter case), nullptr when the section has no such key.
    const std::string* Find(const char* Key) const;

    // Keys folded as the INI reader folds them, first occurrence only.
    std::unordered_map<std::string, std::string> values_;
};

class TskDataWriter final : public TskDataFiler {
public:
    using TskDataFiler::TskDataFiler;
    bool Reading() const override { return false; }
    void Integer(const char* Key, int& Value, int Default = 0) override;
    void Color(const char* Key, TColor& Value, TColor Default = 0) override;
    void Boolean(const char* Key, bool& Value) override;
    void String(const char* Key, std::string& Value, const char* Default = "") override;
    void Point(const char* Key, TPoint& Value) override;
    void Rect(const char* Key, TRect& Value) override;
    void FontStyles(const char* Key, cl::TFontStyles& Value) override;
    void Alignment(const char* Key, TAlignment& Value) override;
    void MorphKind(const char* Key, TskMorphKind& Value) override;
    void Command(const char* Key, TskStdCommand& Value) override;
};

}  // namespace sk
