#include "crashlog/ELogFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "crashlog/EErrors.h"
#include "crashlog/EOptions.h"

namespace crashlog {

namespace {

const char* const LineBreak = "\r\n";

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string Join(const std::vector<std::string_view>& lines)
{
    std::string s;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i)
            s += LineBreak;
        s += lines[i];
    }
    return s;
}

std::string_view TrimView(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view ValueOfLine(std::string_view line)
{
    std::size_t colon = line.find(':');
    return colon == std::string_view::npos ? std::string_view() : TrimView(line.substr(colon + 1));
}

std::filesystem::path PathOf(const std::string& fileName)
{
#ifdef _WIN32
    return std::filesystem::path(fileName);
#else
    std::string s = fileName;
    for (char& c : s)
        if (c == '\\')
            c = '/';
    return std::filesystem::path(s);
#endif
}

}  // namespace

std::string LogSignature(std::string_view logText)
{
    std::vector<std::string_view> lines = SplitLines(logText);
    std::string signature;
    for (std::size_t i = 7; i <= 10; ++i) {
        if (i > 7)
            signature += '|';
        if (i < lines.size())
            signature += ValueOfLine(lines[i]);
    }
    return signature;
}

TLogFile::TLogFile(std::string fileName) : fileName_(std::move(fileName))
{
    std::error_code ec;
    const std::filesystem::path path = PathOf(fileName_);
    if (!std::filesystem::exists(path, ec))
        return;
    std::ifstream in(path, std::ios::binary);
    if (!in || !std::filesystem::is_regular_file(path, ec))
        throw EVozozoError("Cannot open the log file \"" + fileName_ + "\".");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw EVozozoError("Cannot read the log file \"" + fileName_ + "\".");
    LoadFromText(text);
}

void TLogFile::LoadFromText(std::string_view text)
{
    Items.clear();
    std::vector<std::string_view> block;
    int empties = 0;
    for (std::string_view line : SplitLines(text)) {
        block.push_back(line);
        empties = line.empty() ? empties + 1 : 0;
        if (empties == 3) {
            Items.push_back(Join(block));
            block.clear();
            empties = 0;
        }
    }
    bool remainder = false;
    for (std::string_view line : block)
        remainder = remainder || !line.empty();
    if (remainder)
        Items.push_back(Join(block));
}

void TLogFile::AddText(std::string_view logText)
{
    std::vector<std::string_view> lines = SplitLines(logText);
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    lines.insert(lines.end(), 3, std::string_view());
    Items.push_back(Join(lines));
}

std::string TLogFile::Text() const
{
    std::string s;
    for (const std::string& item : Items)
        s += item + LineBreak;
    return s;
}

void TLogFile::SaveToFile()
{
    // Written beside the log and then moved over it: a failed write leaves the old log whole.
    const std::filesystem::path path = PathOf(fileName_);
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    const std::string text = Text();
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            throw EVozozoError("Cannot create the log file \"" + fileName_ + "\".");
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw EVozozoError("Cannot write the log file \"" + fileName_ + "\".");
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw EVozozoError("Cannot replace the log file \"" + fileName_ + "\": " + ec.message());
    }
}

int TLogFile::IndexOfSignature(std::string_view logText) const
{
    const std::string wanted = LogSignature(logText);
    for (std::size_t i = 0; i < Items.size(); ++i)
        if (LogSignature(Items[i]) == wanted)
            return static_cast<int>(i);
    return -1;
}

std::string TLogFile::LastVersion() const
{
    if (Items.empty())
        return {};
    std::vector<std::string_view> lines = SplitLines(Items.back());
    return lines.size() > 3 ? std::string(ValueOfLine(lines[3])) : std::string();
}

void SaveLogText(const TVozozoModuleOptions& options, std::string_view logText,
                 std::string_view version)
{
    TLogFile log(options.OutputLogFile());
    auto addError = [&] {
        if ((options.LogOptions & loNoDuplicates) && log.IndexOfSignature(logText) >= 0)
            return;
        if (options.SaveLogFile) {
            log.AddText(logText);
            log.SaveToFile();
        }
    };
    if (options.LogOptions & loNoLimit) {
        addError();
    } else if (options.LogOptions & loClearOnVersionChange) {
        if (log.LastVersion() != version) {
            log.Clear();
            log.SaveToFile();
        }
        addError();
    } else if (options.ErrorsNumberToSave > 0) {
        const auto keep = static_cast<std::size_t>(options.ErrorsNumberToSave - 1);
        if (log.Items.size() > keep)
            log.Items.erase(log.Items.begin(),
                            log.Items.begin() + static_cast<std::ptrdiff_t>(log.Items.size() - keep));
        addError();
    } else {
        log.Clear();
        log.SaveToFile();
    }
}

}  // namespace crashlog
