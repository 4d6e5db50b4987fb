#include "classlib/classes/IniFiles.h"

namespace cl {
namespace {

std::string Fold(std::string_view name)
{
    return AnsiLowerCase(name);
}

// Trim without a copy: blanks and control characters off both ends.
std::string_view TrimView(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return s.substr(b, e - b);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TCustomIniFile

int TCustomIniFile::ReadInteger(std::string_view Section, std::string_view Ident, int Default) const
{
    // StrToIntDef knows decimal, "$" and "0x" (which needs a digit after it).
    std::string text = Trim(ReadString(Section, Ident, std::string_view()));
    return text.empty() ? Default : StrToIntDef(text, Default);
}

void TCustomIniFile::WriteInteger(std::string_view Section, std::string_view Ident, int Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(std::string_view Section, std::string_view Ident, bool Default) const
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view Section, std::string_view Ident, bool Value)
{
    WriteString(Section, Ident, Value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(std::string_view Section, std::string_view Ident, double Default) const
{
    std::string text = ReadString(Section, Ident, std::string_view());
    return text.empty() ? Default : StrToFloatDef(text, Default);
}

void TCustomIniFile::WriteFloat(std::string_view Section, std::string_view Ident, double Value)
{
    WriteString(Section, Ident, FloatToStr(Value));
}

bool TCustomIniFile::SectionExists(std::string_view Section) const
{
    // Delphi's rule: a section exists when it has a key (an empty "[name]" does not).
    TStringList keys;
    ReadSection(Section, &keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(std::string_view Section, std::string_view Ident) const
{
    TStringList keys;
    ReadSection(Section, &keys);
    return keys.IndexOf(Ident) >= 0;
}

// ---------------------------------------------------------------------------------------------
// TMemIniFile

void TMemIniFile::TIniSection::Reindex()
{
    Index.clear();
    for (std::size_t i = 0; i < Entries.size(); ++i)
        Index.emplace(Fold(Entries[i].Key), i);  // emplace keeps the first occurrence
}

TMemIniFile::TMemIniFile() : TCustomIniFile(std::string()) {}

TMemIniFile::TMemIniFile(const std::string& FileName) : TCustomIniFile(FileName)
{
    LoadValues();
}

void TMemIniFile::LoadValues()
{
    if (!FileName().empty() && FileExists(FileName())) {
        TStringList list;
        list.LoadFromFile(FileName());
        SetStrings(&list);
    } else {
        Clear();
    }
}

void TMemIniFile::Clear()
{
    sections_.clear();
    sectionIndex_.clear();
}

void TMemIniFile::ReindexSections()
{
    sectionIndex_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i)
        sectionIndex_.emplace(Fold(sections_[i]->Name), i);
}

const TMemIniFile::TIniSection* TMemIniFile::FindSection(std::string_view Section) const
{
    auto it = sectionIndex_.find(Fold(Trim(Section)));
    return it == sectionIndex_.end() ? nullptr : sections_[it->second].get();
}

TMemIniFile::TIniSection* TMemIniFile::FindSection(std::string_view Section)
{
    auto it = sectionIndex_.find(Fold(Trim(Section)));
    return it == sectionIndex_.end() ? nullptr : sections_[it->second].get();
}

TMemIniFile::TIniSection& TMemIniFile::AddSection(std::string_view Section)
{
    if (TIniSection* existing = FindSection(Section))
        return *existing;
    auto section = std::make_unique<TIniSection>();
    section->Name = Trim(Section);
    sectionIndex_.emplace(Fold(section->Name), sections_.size());
    sections_.push_back(std::move(section));
    return *sections_.back();
}

// Text is read line by line as it stands, never as a list of all its lines first: a description
// of millions of empty or comment lines then costs nothing but the time to pass them.
void TMemIniFile::SetText(std::string_view Text)
{
    Clear();
    TIniSection* current = nullptr;
    std::size_t i = 0;
    while (i < Text.size()) {
        const std::size_t start = i;
        while (i < Text.size() && Text[i] != '\r' && Text[i] != '\n')
            ++i;
        AddLine(Text.substr(start, i - start), current);
        if (i < Text.size() && Text[i] == '\r')
            ++i;
        if (i < Text.size() && Text[i] == '\n')
            ++i;
    }
}

void TMemIniFile::SetStrings(const TStrings* List)
{
    Clear();
    TIniSection* current = nullptr;
    const int count = List->Count();
    for (int i = 0; i < count; ++i)
        AddLine(List->Get(i), current);
}

void TMemIniFile::AddLine(std::string_view Text, TIniSection*& Current)
{
    const std::string_view line = TrimView(Text);
    if (line.empty() || line[0] == ';')
        return;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        Current = &AddSection(line.substr(1, line.size() - 2));
        return;
    }
    if (!Current)
        return;  // before the first section
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return;  // junk
    std::string key(TrimView(line.substr(0, eq)));
    if (key.empty())
        return;
    Current->Entries.push_back({key, std::string(TrimView(line.substr(eq + 1)))});
    Current->Index.emplace(Fold(key), Current->Entries.size() - 1);
}

void TMemIniFile::GetStrings(TStrings* List) const
{
    WithinUpdate(*List, [&] {
        List->Clear();
        for (const auto& section : sections_) {
            List->Add("[" + section->Name + "]");
            for (const TIniEntry& entry : section->Entries)
                List->Add(entry.Key + "=" + entry.Value);
            List->Add(std::string());
        }
    });
}

std::string TMemIniFile::Text() const
{
    TStringList list;
    GetStrings(&list);
    return list.Text();
}

std::string TMemIniFile::ReadString(std::string_view Section, std::string_view Ident, std::string_view Default) const
{
    const TIniSection* section = FindSection(Section);
    if (!section)
        return std::string(Default);
    auto it = section->Index.find(Fold(Trim(Ident)));
    return it == section->Index.end() ? std::string(Default) : section->Entries[it->second].Value;
}

void TMemIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value)
{
    TIniSection& section = AddSection(Section);
    std::string key = Trim(Ident);
    auto it = section.Index.find(Fold(key));
    if (it != section.Index.end()) {
        section.Entries[it->second] = {key, std::string(Value)};
    } else {
        section.Entries.push_back({key, std::string(Value)});
        section.Index.emplace(Fold(key), section.Entries.size() - 1);
    }
}

bool TMemIniFile::ValueExists(std::string_view Section, std::string_view Ident) const
{
    const TIniSection* section = FindSection(Section);
    return section && section->Index.count(Fold(Trim(Ident))) != 0;
}

template <class TLine>
void TMemIniFile::ListSection(std::string_view Section, TStrings* Strings, TLine Line) const
{
    WithinUpdate(*Strings, [&] {
        Strings->Clear();
        if (const TIniSection* section = FindSection(Section))
            for (const TIniEntry& entry : section->Entries)
                Strings->Add(Line(entry));
    });
}

void TMemIniFile::ReadSection(std::string_view Section, TStrings* Strings) const
{
    ListSection(Section, Strings, [](const TIniEntry& entry) { return entry.Key; });
}

void TMemIniFile::ReadSections(TStrings* Strings) const
{
    WithinUpdate(*Strings, [&] {
        Strings->Clear();
        for (const auto& section : sections_)
            Strings->Add(section->Name);
    });
}

void TMemIniFile::ReadSectionValues(std::string_view Section, TStrings* Strings) const
{
    ListSection(Section, Strings, [](const TIniEntry& entry) { return entry.Key + "=" + entry.Value; });
}

void TMemIniFile::EraseSection(std::string_view Section)
{
    auto it = sectionIndex_.find(Fold(Trim(Section)));
    if (it == sectionIndex_.end())
        return;
    sections_.erase(sections_.begin() + std::ptrdiff_t(it->second));
    ReindexSections();
}

void TMemIniFile::DeleteKey(std::string_view Section, std::string_view Ident)
{
    TIniSection* section = FindSection(Section);
    if (!section)
        return;
    std::string folded = Fold(Trim(Ident));
    auto& entries = section->Entries;
    std::size_t before = entries.size();
    for (std::size_t i = entries.size(); i > 0; --i)
        if (Fold(entries[i - 1].Key) == folded)
            entries.erase(entries.begin() + std::ptrdiff_t(i - 1));
    if (entries.size() != before)
        section->Reindex();
}

void TMemIniFile::UpdateFile()
{
    if (FileName().empty())
        return;
    TStringList list;
    GetStrings(&list);
    list.SaveToFile(FileName());
}

void TMemIniFile::Rename(const std::string& FileName, bool Reload)
{
    SetFileName(FileName);
    if (Reload)
        LoadValues();
}

}  // namespace cl
