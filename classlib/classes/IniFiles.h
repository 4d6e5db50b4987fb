#pragma once
// INI text in memory (Delphi's TMemIniFile): the skin description's reader and writer, and
// small settings files.
//
// Text rules (those of the skin descriptions):
//  - every line is trimmed; empty lines and lines starting with ";" are skipped;
//  - "[name]" starts the section "name" (trimmed);
//  - "key = value" splits at the first "=", key and value each trimmed;
//  - section and key names match case-insensitively (letters of the code page), values keep
//    their case;
//  - a line without "=" inside a section, any line before the first section and a line with
//    an empty key are junk and ignored;
//  - a section named twice is one section (its keys in order of appearance); a key named twice
//    reads as its first occurrence.
// Reading never fails: a missing section or key gives the default.
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "classlib/classes/Classes.h"

namespace cl {

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(std::string FileName) : fileName_(std::move(FileName)) {}
    const std::string& FileName() const { return fileName_; }

    virtual std::string ReadString(std::string_view Section, std::string_view Ident, std::string_view Default) const = 0;
    virtual void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) = 0;
    // Decimal with an optional sign, or hexadecimal after "$" or "0x"/"0X" (and at least one
    // digit). Anything else, a value out of range, or a missing key gives Default.
    int ReadInteger(std::string_view Section, std::string_view Ident, int Default) const;
    void WriteInteger(std::string_view Section, std::string_view Ident, int Value);
    // Delphi: ReadInteger(..., Default ? 1 : 0) != 0; written as "1"/"0".
    bool ReadBool(std::string_view Section, std::string_view Ident, bool Default) const;
    void WriteBool(std::string_view Section, std::string_view Ident, bool Value);
    // Decimal point "."; junk gives Default.
    double ReadFloat(std::string_view Section, std::string_view Ident, double Default) const;
    void WriteFloat(std::string_view Section, std::string_view Ident, double Value);

    // True when the section has at least one key (Delphi: an empty "[name]" does not exist).
    bool SectionExists(std::string_view Section) const;
    virtual bool ValueExists(std::string_view Section, std::string_view Ident) const;
    // The key names of a section, in order (Strings is cleared first).
    virtual void ReadSection(std::string_view Section, TStrings* Strings) const = 0;
    // The section names, in order of first appearance.
    virtual void ReadSections(TStrings* Strings) const = 0;
    // "key=value" lines of a section.
    virtual void ReadSectionValues(std::string_view Section, TStrings* Strings) const = 0;
    virtual void EraseSection(std::string_view Section) = 0;
    virtual void DeleteKey(std::string_view Section, std::string_view Ident) = 0;
    // Writes the text to FileName (TMemIniFile: only now, never on its own).
    virtual void UpdateFile() = 0;

protected:
    void SetFileName(std::string FileName) { fileName_ = std::move(FileName); }

private:
    std::string fileName_;
};

class TMemIniFile : public TCustomIniFile {
public:
    // Empty, bound to no file (UpdateFile then does nothing).
    TMemIniFile();
    // Reads FileName when it exists (a missing file gives an empty INI; one that exists but
    // cannot be read raises EFOpenError).
    explicit TMemIniFile(const std::string& FileName);

    std::string ReadString(std::string_view Section, std::string_view Ident, std::string_view Default) const override;
    // Replaces the key's line (with the new spelling of the key) or appends it, creating the
    // section at the end when needed.
    void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) override;
    bool ValueExists(std::string_view Section, std::string_view Ident) const override;
    void ReadSection(std::string_view Section, TStrings* Strings) const override;
    void ReadSections(TStrings* Strings) const override;
    void ReadSectionValues(std::string_view Section, TStrings* Strings) const override;
    void EraseSection(std::string_view Section) override;
    void DeleteKey(std::string_view Section, std::string_view Ident) override;
    void UpdateFile() override;

    // Replaces everything with the text of these lines / this text.
    void SetStrings(const TStrings* List);
    void SetText(std::string_view Text);
    // "[section]", its "key=value" lines, then an empty line, for every section.
    void GetStrings(TStrings* List) const;
    std::string Text() const;
    void Clear();
    // Binds to another file; Reload reads it (as the constructor does), else keeps the data.
    void Rename(const std::string& FileName, bool Reload);

private:
    struct TIniEntry {
        std::string Key;
        std::string Value;
    };
    struct TIniSection {
        std::string Name;
        std::vector<TIniEntry> Entries;
        std::unordered_map<std::string, std::size_t> Index;  // folded key -> first entry
        void Reindex();
    };
    const TIniSection* FindSection(std::string_view Section) const;
    // Replaces the lines of Strings with Line(entry) for each entry of Section, in one update.
    template <class TLine>
    void ListSection(std::string_view Section, TStrings* Strings, TLine Line) const;
    TIniSection* FindSection(std::string_view Section);
    TIniSection& AddSection(std::string_view Section);
    // One line of text: a section header, a key line of the current section, or nothing.
    void AddLine(std::string_view Text, TIniSection*& Current);
    void LoadValues();
    void ReindexSections();

    std::vector<std::unique_ptr<TIniSection>> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> position
};

}  // namespace cl
