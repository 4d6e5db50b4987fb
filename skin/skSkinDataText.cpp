#include "skin/skSkinDataText.h"

#include <array>
#include <climits>

#include "classlib/SysUtils.h"

namespace sk {

namespace {

constexpr std::array<std::string_view, 7> MorphWords = {
    "mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient", "mkleftslide", "mkrightslide", "mkpush"};
constexpr std::array<std::string_view, 6> EffectWords = {
    "iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
constexpr std::array<std::string_view, 7> CommandWords = {
    "cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup", "cmminimizetotray"};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ParseHex(std::string_view digits, int& value)
{
    if (digits.empty())
        return false;
    std::uint64_t v = 0;
    for (char c : digits) {
        int d = HexDigit(c);
        if (d < 0)
            return false;
        v = v * 16 + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFull)
            return false;
    }
    value = static_cast<int>(static_cast<std::uint32_t>(v));
    return true;
}

bool ParseDecimal(std::string_view text, int& value)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    std::int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > std::int64_t(INT_MAX) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX || v < INT_MIN)
        return false;
    value = static_cast<int>(v);
    return true;
}

// A word of a table, by exact comparison; -1 when none matches.
template <std::size_t N>
int WordIndex(const std::array<std::string_view, N>& words, std::string_view text)
{
    for (std::size_t i = 0; i < N; ++i)
        if (words[i] == text)
            return static_cast<int>(i);
    return -1;
}

// Every key a description asks for is plain ASCII, so folding ASCII letters finds exactly the
// keys that match it in any letter case (whatever the system code page does to other letters).
std::string AsciiLower(std::string Text)
{
    for (char& c : Text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return Text;
}

[[noreturn]] void RaiseNotInteger(std::string_view number)
{
    throw cl::EConvertError(cl::Format("'%s' is not a valid integer value", number));
}

}  // namespace

int skStrToIntDef(std::string_view Text, int Default)
{
    int value = 0;
    if (!Text.empty() && Text[0] == '$')
        return ParseHex(Text.substr(1), value) ? value : Default;
    if (Text.size() > 2 && Text[0] == '0' && (Text[1] == 'x' || Text[1] == 'X'))
        return ParseHex(Text.substr(2), value) ? value : Default;
    return ParseDecimal(Text, value) ? value : Default;
}

void skStrToNumbers(std::string_view Text, int* Numbers, int Count)
{
    int index = 0;
    std::string current;
    auto close = [&] {
        if (index < Count) {
            int value = 0;
            if (current.empty() || !ParseDecimal(current, value))
                RaiseNotInteger(current);
            Numbers[index] = value;
        }
        ++index;
        current.clear();
    };
    for (char c : Text) {
        if (c == ',')
            close();
        else if (c >= '0' && c <= '9')
            current += c;
    }
    close();
    // Too few numbers: the first missing one is empty.
    if (index < Count)
        RaiseNotInteger("");
}

TPoint skStrToPoint(std::string_view Text)
{
    int n[2];
    skStrToNumbers(Text, n, 2);
    return {n[0], n[1]};
}

TRect skStrToRect(std::string_view Text)
{
    int n[4];
    skStrToNumbers(Text, n, 4);
    return {n[0], n[1], n[2], n[3]};
}

cl::TFontStyles skStrToFontStyles(std::string_view Text)
{
    cl::TFontStyles result;
    if (Text.find("fsbold") != std::string_view::npos)
        result += cl::fsBold;
    if (Text.find("fsitalic") != std::string_view::npos)
        result += cl::fsItalic;
    if (Text.find("fsunderline") != std::string_view::npos)
        result += cl::fsUnderline;
    if (Text.find("fsstrikeout") != std::string_view::npos)
        result += cl::fsStrikeOut;
    return result;
}

TAlignment skStrToAlignment(std::string_view Text)
{
    if (Text == "tacenter")
        return taCenter;
    if (Text == "taleftjustify")
        return taLeftJustify;
    return taRightJustify;
}

TskMorphKind skStrToMorphKind(std::string_view Text)
{
    int i = WordIndex(MorphWords, Text);
    return i < 0 ? mkDefault : static_cast<TskMorphKind>(i);
}

TskImageEffect skStrToInactiveEffect(std::string_view Text)
{
    int i = WordIndex(EffectWords, Text);
    return i < 0 ? ieGrayScale : static_cast<TskImageEffect>(i);
}

TskStdCommand skStrToCommand(std::string_view Text)
{
    int i = WordIndex(CommandWords, Text);
    return i < 0 ? cmMinimizeToTray : static_cast<TskStdCommand>(i);
}

std::string skPointToStr(const TPoint& Value)
{
    return cl::IntToStr(Value.X) + "," + cl::IntToStr(Value.Y);
}

std::string skRectToStr(const TRect& Value)
{
    return cl::IntToStr(Value.Left) + "," + cl::IntToStr(Value.Top) + "," + cl::IntToStr(Value.Right) + "," +
           cl::IntToStr(Value.Bottom);
}

std::string skFontStylesToStr(cl::TFontStyles Value)
{
    std::string result;
    auto add = [&](cl::TFontStyle style, const char* word) {
        if (!Value.Contains(style))
            return;
        if (!result.empty())
            result += ',';
        result += word;
    };
    add(cl::fsBold, "fsbold");
    add(cl::fsItalic, "fsitalic");
    add(cl::fsUnderline, "fsunderline");
    add(cl::fsStrikeOut, "fsstrikeout");
    return result;
}

std::string skAlignmentToStr(TAlignment Value)
{
    switch (Value) {
    case taLeftJustify:
        return "taleftjustify";
    case taRightJustify:
        return "tarightjustify";
    default:
        return "tacenter";
    }
}

std::string skMorphKindToStr(TskMorphKind Value)
{
    return std::string(MorphWords[Value < MorphWords.size() ? Value : 0]);
}

std::string skCommandToStr(TskStdCommand Value)
{
    return std::string(CommandWords[Value < CommandWords.size() ? Value : cmMinimizeToTray]);
}

// ---------------------------------------------------------------------------------------------

namespace {

// No value can hold a line break, so this default marks a missing key in one lookup.
constexpr std::string_view MissingValue = "\n";

// The value of a key, or false when the key is missing. A key present with an empty value is
// present: the point and rectangle readers must see it.
bool ReadValue(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key, std::string& Value)
{
    Value = Ini.ReadString(Section, Key, MissingValue);
    return Value != MissingValue;
}

}  // namespace

int skReadInteger(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key, int Default)
{
    std::string value;
    return ReadValue(Ini, Section, Key, value) ? skStrToIntDef(value, Default) : Default;
}

bool skReadBoolean(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    return skReadInteger(Ini, Section, Key, 0) == 1;
}

std::string skReadString(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key,
                         const std::string& Default)
{
    std::string value;
    return ReadValue(Ini, Section, Key, value) ? value : Default;
}

TPoint skReadPoint(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    std::string value;
    return ReadValue(Ini, Section, Key, value) ? skStrToPoint(value) : TPoint{};
}

TRect skReadRect(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    std::string value;
    return ReadValue(Ini, Section, Key, value) ? skStrToRect(value) : TRect{};
}

cl::TFontStyles skReadFontStyles(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    std::string value;
    return ReadValue(Ini, Section, Key, value) ? skStrToFontStyles(value) : cl::TFontStyles{};
}

TAlignment skReadAlignment(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    std::string value;
    return ReadValue(Ini, Section, Key, value) ? skStrToAlignment(value) : taCenter;
}

TskMorphKind skReadMorphKind(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    std::string value;
    return ReadValue(Ini, Section, Key, value) ? skStrToMorphKind(value) : mkDefault;
}

TskImageEffect skReadInactiveEffect(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    std::string value;
    return ReadValue(Ini, Section, Key, value) ? skStrToInactiveEffect(value) : ieBrightness;
}

TskStdCommand skReadCommand(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    std::string value;
    return ReadValue(Ini, Section, Key, value) ? skStrToCommand(value) : cmDefault;
}

int skListReadLimit(cl::TMemIniFile& Ini, const std::string& Section, int Count)
{
    if (Count <= 0)
        return 0;
    cl::TStringList keys;
    Ini.ReadSection(Section, &keys);
    int highest = -1;
    for (int i = 0; i < keys.Count(); ++i) {
        const std::string& key = keys[i];
        int value = 0;
        if (!key.empty() && key[0] >= '0' && key[0] <= '9' && ParseDecimal(key, value) && value > highest)
            highest = value;
    }
    return highest < Count ? highest + 1 : Count;
}

void skReadList(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Name, cl::TStrings& Target)
{
    int count = skReadInteger(Ini, Section, Name + "count", 0);
    int limit = skListReadLimit(Ini, Section, count);
    for (int i = 0; i < limit; ++i)
        Target.Add(skReadString(Ini, Section, cl::IntToStr(i)));
}

// ---------------------------------------------------------------------------------------------

void TskDataFiler::FontGroup(const std::string& Prefix, std::string& Name, cl::TFontStyles& Style, int& Height,
                             TColor& Color)
{
    String((Prefix + "fontname").c_str(), Name, "Arial");
    FontStyles((Prefix + "fontstyle").c_str(), Style);
    Integer((Prefix + "fontheight").c_str(), Height, 14);
    this->Color((Prefix + "fontcolor").c_str(), Color, 0);
}

void TskDataFiler::Corners(const std::string& Prefix, TPoint& LT, TPoint& RT, TPoint& LB, TPoint& RB)
{
    Point((Prefix + "lefttoppoint").c_str(), LT);
    Point((Prefix + "righttoppoint").c_str(), RT);
    Point((Prefix + "leftbottompoint").c_str(), LB);
    Point((Prefix + "rightbottompoint").c_str(), RB);
}

void TskDataFiler::Stretches(bool& Left, bool& Right, bool& Top, bool& Bottom)
{
    Boolean("leftstretch", Left);
    Boolean("rightstretch", Right);
    Boolean("topstretch", Top);
    Boolean("bottomstretch", Bottom);
}

TskDataReader::TskDataReader(cl::TMemIniFile& Ini, std::string Section) : TskDataFiler(Ini, std::move(Section))
{
    cl::TStringList lines;
    ini_.ReadSectionValues(section_, &lines);
    for (int i = 0; i < lines.Count(); ++i) {
        std::string line = lines[i];
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        values_.emplace(AsciiLower(line.substr(0, equals)), line.substr(equals + 1));
    }
}

const std::string* TskDataReader::Find(const char* Key) const
{
    auto it = values_.find(AsciiLower(Key));
    return it == values_.end() ? nullptr : &it->second;
}

void TskDataReader::Integer(const char* Key, int& Value, int Default)
{
    const std::string* text = Find(Key);
    Value = text ? skStrToIntDef(*text, Default) : Default;
}

void TskDataReader::Color(const char* Key, TColor& Value, TColor Default)
{
    const std::string* text = Find(Key);
    Value = text ? skStrToIntDef(*text, Default) : Default;
}

void TskDataReader::Boolean(const char* Key, bool& Value)
{
    const std::string* text = Find(Key);
    Value = text && skStrToIntDef(*text, 0) == 1;
}

void TskDataReader::String(const char* Key, std::string& Value, const char* Default)
{
    const std::string* text = Find(Key);
    Value = text ? *text : std::string(Default);
}

void TskDataReader::Point(const char* Key, TPoint& Value)
{
    const std::string* text = Find(Key);
    Value = text ? skStrToPoint(*text) : TPoint{};
}

void TskDataReader::Rect(const char* Key, TRect& Value)
{
    const std::string* text = Find(Key);
    Value = text ? skStrToRect(*text) : TRect{};
}

void TskDataReader::FontStyles(const char* Key, cl::TFontStyles& Value)
{
    const std::string* text = Find(Key);
    Value = text ? skStrToFontStyles(*text) : cl::TFontStyles{};
}

void TskDataReader::Alignment(const char* Key, TAlignment& Value)
{
    const std::string* text = Find(Key);
    Value = text ? skStrToAlignment(*text) : taCenter;
}

void TskDataReader::MorphKind(const char* Key, TskMorphKind& Value)
{
    const std::string* text = Find(Key);
    Value = text ? skStrToMorphKind(*text) : mkDefault;
}

void TskDataReader::Command(const char* Key, TskStdCommand& Value)
{
    const std::string* text = Find(Key);
    Value = text ? skStrToCommand(*text) : cmDefault;
}

void TskDataWriter::Integer(const char* Key, int& Value, int)
{
    ini_.WriteString(section_, Key, cl::IntToStr(Value));
}

void TskDataWriter::Color(const char* Key, TColor& Value, TColor)
{
    ini_.WriteString(section_, Key, cl::IntToStr(Value));
}

void TskDataWriter::Boolean(const char* Key, bool& Value)
{
    ini_.WriteString(section_, Key, Value ? "1" : "0");
}

void TskDataWriter::String(const char* Key, std::string& Value, const char*)
{
    ini_.WriteString(section_, Key, Value);
}

void TskDataWriter::Point(const char* Key, TPoint& Value)
{
    ini_.WriteString(section_, Key, skPointToStr(Value));
}

void TskDataWriter::Rect(const char* Key, TRect& Value)
{
    ini_.WriteString(section_, Key, skRectToStr(Value));
}

void TskDataWriter::FontStyles(const char* Key, cl::TFontStyles& Value)
{
    ini_.WriteString(section_, Key, skFontStylesToStr(Value));
}

void TskDataWriter::Alignment(const char* Key, TAlignment& Value)
{
    ini_.WriteString(section_, Key, skAlignmentToStr(Value));
}

void TskDataWriter::MorphKind(const char* Key, TskMorphKind& Value)
{
    ini_.WriteString(section_, Key, skMorphKindToStr(Value));
}

void TskDataWriter::Command(const char* Key, TskStdCommand& Value)
{
    ini_.WriteString(section_, Key, skCommandToStr(Value));
}

}  // namespace sk
