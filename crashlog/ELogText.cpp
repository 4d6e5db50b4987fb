#include "crashlog/ELogText.h"

#include <algorithm>
#include <cstdio>

#include "crashlog/EOptions.h"

namespace crashlog {

namespace {

struct TSection {
    int Caption;    // customized text of the header
    int FirstBit;   // first log field of the section
    int Count;
};

constexpr TSection Sections[] = {
    {12, 0, 3},   // Application
    {16, 3, 5},   // Exception
    {22, 8, 4},   // Active Controls
    {27, 12, 5},  // Computer
    {33, 17, 3},  // Operating System
};

// Field captions follow their section's caption in the customized texts.
int FieldCaption(const TSection& section, int bit)
{
    return section.Caption + 1 + (bit - section.FirstBit);
}

std::string Pad(std::string_view text, std::size_t width)
{
    std::string s(text);
    if (s.size() < width)
        s.append(width - s.size(), ' ');
    return s;
}

}  // namespace

std::string HexText(std::uint32_t value, int digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, static_cast<unsigned>(value));
    return buffer;
}

std::string AddressText(std::uint32_t address)
{
    return address == 0 ? std::string() : HexText(address, 8);
}

std::string ReplaceControlChars(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 32)
            c = ' ';
    return s;
}

std::string WithFinalPoint(std::string text)
{
    if (!text.empty() && text.back() != '.')
        text += '.';
    return text;
}

std::string MegabytesText(std::uint64_t bytes)
{
    std::uint64_t mb = (bytes + 524288) / 1048576;
    return std::to_string(mb) + " Mb";
}

std::string GigabytesText(std::uint64_t bytes)
{
    // "0.##": up to two decimals, trailing zeros and a bare point dropped.
    std::uint64_t hundredths = (bytes * 100 + 536870912ull) / 1073741824ull;
    std::string s = std::to_string(hundredths / 100);
    unsigned fraction = static_cast<unsigned>(hundredths % 100);
    if (fraction != 0) {
        char buffer[4];
        std::snprintf(buffer, sizeof buffer, "%02u", fraction);
        std::string f = buffer;
        if (f.back() == '0')
            f.pop_back();
        s += '.' + f;
    }
    return s + " Gb";
}

std::string LogDateText(int year, int month, int day, int hour, int minute, int second)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d %02d:%02d:%02d", month, day, year, hour,
                  minute, second);
    return buffer;
}

std::string BuildStackTable(const TVozozoModuleOptions& options, const TVozozoStackList& stack)
{
    std::vector<std::array<std::string, 6>> rows;
    std::array<std::string, 6> header;
    for (int c = 0; c < 6; ++c)
        header[c] = options.GetCustomizedText(ctStackAddress + c);
    for (const TVozozoDebugInfo& e : stack) {
        // An address without debug information would be a row of empty names: the table leaves
        // it out, as it does an address outside every module.
        if (e.Kind < 2)
            continue;
        rows.push_back({HexText(e.Address, 8), e.ModuleName, e.UnitName, e.ClassName, e.ProcedureName,
                        e.LineNumber ? std::to_string(e.LineNumber) : std::string()});
    }
    std::array<std::size_t, 6> width{};
    width[0] = 8;
    for (int c = 0; c < 6; ++c) {
        width[c] = std::max(width[c], header[c].size());
        for (const auto& row : rows)
            width[c] = std::max(width[c], row[c].size());
    }
    std::size_t total = 7;
    for (std::size_t w : width)
        total += w;
    const std::string separator(total, '-');
    auto line = [&](const std::array<std::string, 6>& cells) {
        std::string s = "|";
        for (int c = 0; c < 6; ++c)
            s += Pad(cells[c], width[c]) + "|";
        return s;
    };
    std::string text = separator + "\r\n" + line(header) + "\r\n" + separator;
    for (const auto& row : rows)
        text += "\r\n" + line(row);
    text += "\r\n" + separator;
    return text;
}

std::string BuildLogText(const TVozozoModuleOptions& options, const TLogData& data)
{
    std::string text;
    for (const TSection& section : Sections) {
        if (section.Caption == 22 && !data.ActiveControls)
            continue;
        if (!text.empty())
            text += "\r\n\r\n";
        text += options.GetCustomizedText(section.Caption) + "...";
        std::size_t longest = 0;
        for (int bit = section.FirstBit; bit < section.FirstBit + section.Count; ++bit)
            longest = std::max(longest, options.GetCustomizedText(FieldCaption(section, bit)).size());
        for (int bit = section.FirstBit; bit < section.FirstBit + section.Count; ++bit) {
            const bool on = (options.LogFields >> bit) & 1u;
            text += "\r\n  " + Pad(options.GetCustomizedText(FieldCaption(section, bit)), longest) +
                    ": " + (on ? ReplaceControlChars(data.Values[bit]) : std::string());
        }
    }
    text += "\r\n\r\n" + BuildStackTable(options, data.Stack);
    return text;
}

}  // namespace crashlog
