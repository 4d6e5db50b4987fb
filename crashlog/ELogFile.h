#pragma once
// The log file: a list of error blocks, each followed by three empty lines in the file.
#include <string>
#include <string_view>
#include <vector>

namespace crashlog {

class TVozozoModuleOptions;

class TLogFile {
public:
    // Loads the file when it exists; a file that exists but cannot be read raises EVozozoError.
    explicit TLogFile(std::string fileName);
    virtual ~TLogFile() = default;

    virtual void LoadFromText(std::string_view text);
    virtual void SaveToFile();
    virtual int IndexOfSignature(std::string_view logText) const;
    virtual std::string LastVersion() const;

    // Adds a report as one block.
    void AddText(std::string_view logText);
    // The file's content as it is written.
    std::string Text() const;
    void Clear() { Items.clear(); }
    int Count() const { return static_cast<int>(Items.size()); }

    std::vector<std::string> Items;
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

// Address, module, type and message of a report (its lines 7 to 10), joined.
std::string LogSignature(std::string_view logText);

// Adds one report to the module's log file under the options' rules. `version` is the program's
// version number as the report shows it. Raises on a file that cannot be read or written; the
// file is then left as it was.
void SaveLogText(const TVozozoModuleOptions& options, std::string_view logText,
                 std::string_view version);

}  // namespace crashlog
