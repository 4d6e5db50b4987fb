#include "skin/data/Lists.h"

#include "classlib/system/SysUtils.h"

namespace sk {

void SplitEntry(const std::string& Entry, std::string& Name, std::string& TypeWord)
{
    std::size_t colon = Entry.find(':');
    if (colon == std::string::npos) {
        Name.clear();
        TypeWord.clear();
        return;
    }
    Name = Entry.substr(0, colon);
    TypeWord = Entry.substr(colon + 1);
}

namespace {

// Both lists take the same steps; only the section and the type table differ.
template <class T, class MakeFn>
void LoadList(cl::TMemIniFile& IniFile, const std::string& Section, TskOwnedList<T>& List, MakeFn Make)
{
    int count = skReadInteger(IniFile, Section, "count", 0);
    // Entries past the section's highest numbered key are empty and would be skipped anyway.
    int limit = skListReadLimit(IniFile, Section, count);
    std::string name;
    std::string typeWord;
    for (int i = 0; i < limit; ++i) {
        SplitEntry(skReadString(IniFile, Section, cl::IntToStr(i)), name, typeWord);
        std::unique_ptr<T> description = Make(typeWord, name);
        if (!description)
            continue;
        T* added = List.Add(std::move(description));
        added->LoadFromFile(IniFile);
    }
}

}  // namespace

void LoadSkinObjects(cl::TMemIniFile& IniFile, TskDataSkinObjectList& ObjectList)
{
    LoadList(IniFile, "SKINOBJECTS", ObjectList, &CreateSkinObjectDescription);
}

void LoadSkinControls(cl::TMemIniFile& IniFile, TskDataSkinControlList& CtrlList)
{
    LoadList(IniFile, "SKINCONTROLS", CtrlList, &CreateSkinControlDescription);
}

}  // namespace sk
