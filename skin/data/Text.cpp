#include "skin/data/Text.h"

#include <array>
#include <climits>

#include "classlib/system/CoreConsts.h"
#include "classlib/system/SysUtils.h"

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
    throw cl::EConvertError(cl::Format(cl::consts::SInvalidInteger, number));
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
    // Upside down it holds nothing; as it stands its height or width would come out negative,
    // and a size made from it could pass any bound.
    if (n[2] < n[0] || n[3] < n[1])
        return {};
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

// What a key of each kind reads as: its text decoded, or the kind's default when the key is
// missing (Text is nullptr). The section reader and the single-key readers both go through
// these, so a key means the same thing to both.
int IntegerOf(const std::string* Text, int Default)
{
    return Text ? skStrToIntDef(*Text, Default) : Default;
}

bool BooleanOf(const std::string* Text)
{
    return IntegerOf(Text, 0) == 1;
}

std::string StringOf(const std::string* Text, std::string_view Default)
{
    return Text ? *Text : std::string(Default);
}

TPoint PointOf(const std::string* Text)
{
    return Text ? skStrToPoint(*Text) : TPoint{};
}

TRect RectOf(const std::string* Text)
{
    return Text ? skStrToRect(*Text) : TRect{};
}

cl::TFontStyles FontStylesOf(const std::string* Text)
{
    return Text ? skStrToFontStyles(*Text) : cl::TFontStyles{};
}

TAlignment AlignmentOf(const std::string* Text)
{
    return Text ? skStrToAlignment(*Text) : taCenter;
}

TskMorphKind MorphKindOf(const std::string* Text)
{
    return Text ? skStrToMorphKind(*Text) : mkDefault;
}

TskImageEffect InactiveEffectOf(const std::string* Text)
{
    return Text ? skStrToInactiveEffect(*Text) : ieBrightness;
}

TskStdCommand CommandOf(const std::string* Text)
{
    return Text ? skStrToCommand(*Text) : cmDefault;
}

// No value can hold a line break, so this default marks a missing key in one lookup.
constexpr std::string_view MissingValue = "\n";

// The key's value handed to Decode, or nullptr when the key is missing. A key present with an
// empty value is present: the point and rectangle readers must see it.
template <class TDecode>
auto ReadKey(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key, TDecode Decode)
{
    const std::string value = Ini.ReadString(Section, Key, MissingValue);
    return Decode(value != MissingValue ? &value : nullptr);
}

}  // namespace

int skReadInteger(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key, int Default)
{
    return ReadKey(Ini, Section, Key, [Default](const std::string* Text) { return IntegerOf(Text, Default); });
}

bool skReadBoolean(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    return ReadKey(Ini, Section, Key, BooleanOf);
}

std::string skReadString(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key,
                         const std::string& Default)
{
    return ReadKey(Ini, Section, Key, [&Default](const std::string* Text) { return StringOf(Text, Default); });
}

TPoint skReadPoint(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    return ReadKey(Ini, Section, Key, PointOf);
}

TRect skReadRect(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    return ReadKey(Ini, Section, Key, RectOf);
}

cl::TFontStyles skReadFontStyles(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    return ReadKey(Ini, Section, Key, FontStylesOf);
}

TAlignment skReadAlignment(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    return ReadKey(Ini, Section, Key, AlignmentOf);
}

TskMorphKind skReadMorphKind(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    return ReadKey(Ini, Section, Key, MorphKindOf);
}

TskImageEffect skReadInactiveEffect(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    return ReadKey(Ini, Section, Key, InactiveEffectOf);
}

TskStdCommand skReadCommand(cl::TMemIniFile& Ini, const std::string& Section, const std::string& Key)
{
    return ReadKey(Ini, Section, Key, CommandOf);
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

void TskDataDescription::LoadFromFile(cl::TMemIniFile& IniFile)
{
    TskDataReader reader(IniFile, IDName);
    DefineFields(reader);
}

void TskDataDescription::SaveToFile(cl::TMemIniFile& IniFile)
{
    IniFile.EraseSection(IDName);
    TskDataWriter writer(IniFile, IDName);
    DefineFields(writer);
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
    Value = IntegerOf(Find(Key), Default);
}

void TskDataReader::Color(const char* Key, TColor& Value, TColor Default)
{
    Value = IntegerOf(Find(Key), Default);
}

void TskDataReader::Boolean(const char* Key, bool& Value)
{
    Value = BooleanOf(Find(Key));
}

void TskDataReader::String(const char* Key, std::string& Value, const char* Default)
{
    Value = StringOf(Find(Key), Default);
}

void TskDataReader::Point(const char* Key, TPoint& Value)
{
    Value = PointOf(Find(Key));
}

void TskDataReader::Rect(const char* Key, TRect& Value)
{
    Value = RectOf(Find(Key));
}

void TskDataReader::FontStyles(const char* Key, cl::TFontStyles& Value)
{
    Value = FontStylesOf(Find(Key));
}

void TskDataReader::Alignment(const char* Key, TAlignment& Value)
{
    Value = AlignmentOf(Find(Key));
}

void TskDataReader::MorphKind(const char* Key, TskMorphKind& Value)
{
    Value = MorphKindOf(Find(Key));
}

void TskDataReader::Command(const char* Key, TskStdCommand& Value)
{
    Value = CommandOf(Find(Key));
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
