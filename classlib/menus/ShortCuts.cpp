// Shortcut text and accelerators. The key names are fixed English texts, not the keyboard
// layout's, so that menus read the same everywhere.
#include <cctype>
#include <cstdio>

#include "classlib/menus/Menus.h"

namespace cl {

namespace {

struct TKeyName {
    unsigned Key;
    const char* Name;
};

// Virtual-key numbers are written out: this unit also builds where no Windows header exists.
constexpr TKeyName KeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},   {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"},  {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},   {0x2E, "Del"},
};
constexpr unsigned VkF1 = 0x70;
constexpr unsigned VkF24 = 0x87;
constexpr unsigned VkNumpad0 = 0x60;
constexpr unsigned VkNumpad9 = 0x69;

AnsiString KeyName(unsigned Key)
{
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z'))
        return AnsiString(1, static_cast<char>(Key));
    if (Key >= VkF1 && Key <= VkF24)
        return "F" + std::to_string(Key - VkF1 + 1);
    if (Key >= VkNumpad0 && Key <= VkNumpad9)
        return "Num " + std::to_string(Key - VkNumpad0);
    for (const auto& k : KeyNames)
        if (k.Key == Key)
            return k.Name;
    return {};
}

struct TModifierName {
    TShortCut Flag;
    const char* Prefix;
};
constexpr TModifierName Modifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

}  // namespace

TShortCut ShortCut(unsigned Key, TShortCut Modifiers)
{
    if (Key == 0 || Key > 0xFF)
        return scNone;
    return static_cast<TShortCut>(Key | (Modifiers & (scShift | scCtrl | scAlt)));
}

AnsiString ShortCutToText(TShortCut ShortCut)
{
    const AnsiString name = KeyName(ShortCut & 0xFF);
    if (name.empty())
        return {};
    AnsiString text;
    for (const auto& m : Modifiers)
        if (ShortCut & m.Flag)
            text += m.Prefix;
    return text + name;
}

TShortCut TextToShortCut(const AnsiString& Text)
{
    AnsiString rest = Text;
    TShortCut modifiers = scNone;
    for (bool found = true; found;) {
        found = false;
        for (const auto& m : Modifiers) {
            const AnsiString prefix = m.Prefix;
            if (rest.size() > prefix.size() && SameText(rest.substr(0, prefix.size()), prefix)) {
                modifiers |= m.Flag;
                rest = rest.substr(prefix.size());
                found = true;
            }
        }
    }
    for (unsigned key = 1; key <= 0xFF; ++key) {
        const AnsiString name = KeyName(key);
        if (!name.empty() && SameText(name, rest))
            return ShortCut(key, modifiers);
    }
    return scNone;
}

char GetHotKey(const AnsiString& Text)
{
    for (std::size_t i = 0; i + 1 < Text.size(); ++i) {
        if (Text[i] != '&')
            continue;
        if (Text[i + 1] == '&') {
            ++i;  // a plain "&"
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(Text[i + 1])));
    }
    return 0;
}

bool IsAccel(unsigned Key, const AnsiString& Text)
{
    const char hot = GetHotKey(Text);
    if (hot == 0 || Key == 0 || Key > 0xFF)
        return false;
    return std::toupper(static_cast<int>(Key)) == static_cast<unsigned char>(hot);
}

AnsiString StripHotKey(const AnsiString& Text)
{
    AnsiString s;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '&') {
            if (i + 1 < Text.size() && Text[i + 1] == '&') {
                s += '&';
                ++i;
            }
            continue;
        }
        s += Text[i];
    }
    return s;
}

}  // namespace cl
