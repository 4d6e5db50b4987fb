// TStrings and TStringList.
#include "classlib/classes/Classes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace cl {

// TStrings

void TStrings::Error(const char* Message, int Data) const
{
    throw EStringListError(Format(Message, Data));
}

void TStrings::Put(int Index, const std::string& S)
{
    TObject* object = GetObjectAt(Index);
    WithinUpdate(*this, [&] {
        Delete(Index);
        InsertObject(Index, S, object);
    });
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject)
{
    Insert(Index, S);
    PutObjectAt(Index, AObject);
}

int TStrings::Add(const std::string& S)
{
    int index = Count();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject)
{
    int index = Add(S);
    PutObjectAt(index, AObject);
    return index;
}

void TStrings::AddStrings(TStrings* Strings)
{
    if (!Strings)
        return;
    WithinUpdate(*this, [&] {
        for (int i = 0; i < Strings->Count(); ++i)
            AddObject(Strings->Get(i), Strings->GetObjectAt(i));
    });
}

void TStrings::Exchange(int Index1, int Index2)
{
    WithinUpdate(*this, [&] {
        std::string s = Get(Index1);
        TObject* o = GetObjectAt(Index1);
        Put(Index1, Get(Index2));
        PutObjectAt(Index1, GetObjectAt(Index2));
        Put(Index2, s);
        PutObjectAt(Index2, o);
    });
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    WithinUpdate(*this, [&] {
        std::string s = Get(CurIndex);
        TObject* o = GetObjectAt(CurIndex);
        Delete(CurIndex);
        InsertObject(NewIndex, s, o);
    });
}

std::string TStrings::Names(int Index) const
{
    std::string s = Get(Index);
    auto p = s.find('=');
    return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::ValueFromIndex(int Index) const
{
    std::string s = Get(Index);
    auto p = s.find('=');
    return p == std::string::npos ? std::string() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int Index, const std::string& Value)
{
    if (Value.empty()) {
        Delete(Index);
        return;
    }
    Put(Index, Names(Index) + "=" + Value);
}

std::string TStrings::Values(std::string_view Name) const
{
    int i = IndexOfName(Name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValues(std::string_view Name, const std::string& Value)
{
    int i = IndexOfName(Name);
    if (Value.empty()) {
        if (i >= 0)
            Delete(i);
        return;
    }
    if (i < 0)
        Add(std::string(Name) + "=" + Value);
    else
        Put(i, std::string(Name) + "=" + Value);
}

int TStrings::CompareStrings(std::string_view S1, std::string_view S2) const
{
    return AnsiCompareText(S1, S2);
}

int TStrings::IndexOf(std::string_view S) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), S) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfName(std::string_view Name) const
{
    for (int i = 0; i < Count(); ++i) {
        std::string s = Get(i);
        auto p = s.find('=');
        if (p != std::string::npos && CompareStrings(std::string_view(s).substr(0, p), Name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetObjectAt(i) == AObject)
            return i;
    return -1;
}

std::string TStrings::Text() const
{
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += "\r\n";
    }
    return out;
}

void TStrings::SetText(std::string_view Value)
{
    WithinUpdate(*this, [&] {
        Clear();
        std::size_t i = 0;
        while (i < Value.size()) {
            std::size_t start = i;
            while (i < Value.size() && Value[i] != '\r' && Value[i] != '\n')
                ++i;
            Add(std::string(Value.substr(start, i - start)));
            if (i < Value.size() && Value[i] == '\r')
                ++i;
            if (i < Value.size() && Value[i] == '\n')
                ++i;
        }
    });
}

std::string TStrings::DelimitedText() const
{
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        std::string s = Get(i);
        bool quote = s.empty() && Count() == 1;
        for (char c : s)
            if (static_cast<unsigned char>(c) <= ' ' || c == delimiter_ || c == quoteChar_)
                quote = true;
        if (i)
            out.push_back(delimiter_);
        if (quote) {
            out.push_back(quoteChar_);
            for (char c : s) {
                out.push_back(c);
                if (c == quoteChar_)
                    out.push_back(c);
            }
            out.push_back(quoteChar_);
        } else {
            out += s;
        }
    }
    return out;
}

void TStrings::SetDelimitedText(std::string_view Value)
{
    WithinUpdate(*this, [&] {
        Clear();
        std::size_t i = 0;
        const std::size_t n = Value.size();
        auto skipBlanks = [&]() {
            while (i < n && static_cast<unsigned char>(Value[i]) <= ' ' && Value[i] != delimiter_)
                ++i;
        };
        skipBlanks();
        while (i < n) {
            std::string item;
            if (Value[i] == quoteChar_) {
                ++i;
                while (i < n) {
                    if (Value[i] == quoteChar_) {
                        if (i + 1 < n && Value[i + 1] == quoteChar_) {
                            item.push_back(quoteChar_);
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    item.push_back(Value[i++]);
                }
            } else {
                while (i < n && static_cast<unsigned char>(Value[i]) > ' ' && Value[i] != delimiter_)
                    item.push_back(Value[i++]);
            }
            Add(item);
            skipBlanks();
            if (i < n && Value[i] == delimiter_) {
                ++i;
                skipBlanks();
                if (i >= n)
                    Add(std::string());  // "a," has an empty last item
            }
        }
    });
}

std::string TStrings::CommaText() const
{
    TStrings* self = const_cast<TStrings*>(this);
    char d = delimiter_, q = quoteChar_;
    self->delimiter_ = ',';
    self->quoteChar_ = '"';
    std::string s = DelimitedText();
    self->delimiter_ = d;
    self->quoteChar_ = q;
    return s;
}

void TStrings::SetCommaText(std::string_view Value)
{
    char d = delimiter_, q = quoteChar_;
    delimiter_ = ',';
    quoteChar_ = '"';
    try {
        SetDelimitedText(Value);
    } catch (...) {
        delimiter_ = d;
        quoteChar_ = q;
        throw;
    }
    delimiter_ = d;
    quoteChar_ = q;
}

void TStrings::BeginUpdate()
{
    if (updateCount_++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        SetUpdateState(false);
}

void TStrings::LoadFromFile(const std::string& FileName)
{
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

void TStrings::LoadFromStream(TStream* Stream)
{
    std::int64_t left = Stream->Size() - Stream->Position();
    SetText(left > 0 ? Stream->ReadString(left) : std::string());
}

void TStrings::SaveToFile(const std::string& FileName) const
{
    TFileStream file(FileName, fmCreate);
    SaveToStream(&file);
}

void TStrings::SaveToStream(TStream* Stream) const
{
    Stream->WriteString(Text());
}

void TStrings::Assign(TPersistent* Source)
{
    if (auto* source = dynamic_cast<TStrings*>(Source)) {
        if (source == this)
            return;
        WithinUpdate(*this, [&] {
            Clear();
            delimiter_ = source->delimiter_;
            quoteChar_ = source->quoteChar_;
            AddStrings(source);
        });
        return;
    }
    TPersistent::Assign(Source);
}

bool TStrings::Equals(const TStrings* Strings) const
{
    if (!Strings || Strings->Count() != Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != Strings->Get(i))
            return false;
    return true;
}

// ---------------------------------------------------------------------------------------------
// TStringList

TStringList::~TStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
    if (ownsObjects_)
        for (auto& item : items_)
            FreeAndNil(item.Object);
}

void TStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= int(items_.size()))
        Error(consts::SListIndexError, Index);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(std::string_view S1, std::string_view S2) const
{
    return caseSensitive_ ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

std::string TStringList::Get(int Index) const
{
    CheckIndex(Index);
    return items_[std::size_t(Index)].S;
}

void TStringList::Put(int Index, const std::string& S)
{
    if (sorted_)
        Error(consts::SSortedListError, 0);
    CheckIndex(Index);
    Changing();
    items_[std::size_t(Index)].S = S;
    Changed();
}

TObject* TStringList::GetObjectAt(int Index) const
{
    CheckIndex(Index);
    return items_[std::size_t(Index)].Object;
}

void TStringList::PutObjectAt(int Index, TObject* AObject)
{
    CheckIndex(Index);
    Changing();
    items_[std::size_t(Index)].Object = AObject;
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    Changing();
    std::vector<TStringItem> old;
    old.swap(items_);
    if (ownsObjects_)
        for (auto& item : old)
            FreeAndNil(item.Object);
    Changed();
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index);
    Changing();
    TObject* object = items_[std::size_t(Index)].Object;
    items_.erase(items_.begin() + Index);
    if (ownsObjects_)
        FreeAndNil(object);
    Changed();
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject)
{
    Changing();
    items_.insert(items_.begin() + Index, TStringItem{S, AObject});
    Changed();
}

void TStringList::Insert(int Index, const std::string& S)
{
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const std::string& S, TObject* AObject)
{
    if (sorted_)
        Error(consts::SSortedListError, 0);
    if (Index < 0 || Index > int(items_.size()))
        Error(consts::SListIndexError, Index);
    InsertItem(Index, S, AObject);
}

int TStringList::Add(const std::string& S)
{
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const std::string& S, TObject* AObject)
{
    int index;
    if (!sorted_) {
        index = int(items_.size());
    } else if (Find(S, index)) {
        switch (duplicates_) {
        case dupIgnore: return index;
        case dupError: Error(consts::SDuplicateString, 0);
        case dupAccept: break;
        }
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(items_[std::size_t(Index1)], items_[std::size_t(Index2)]);
    Changed();
}

bool TStringList::Find(std::string_view S, int& Index) const
{
    // Lower bound; with duplicates accepted, the first equal one.
    int low = 0, high = int(items_.size()) - 1;
    bool found = false;
    while (low <= high) {
        int mid = (low + high) / 2;
        int c = CompareStrings(items_[std::size_t(mid)].S, S);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != dupAccept)
                    low = mid;
            }
        }
    }
    Index = low;
    return found;
}

int TStringList::IndexOf(std::string_view S) const
{
    if (!sorted_)
        return TStrings::IndexOf(S);
    int index;
    return Find(S, index) ? index : -1;
}

void TStringList::Sort()
{
    CustomSort([](TStringList* list, int a, int b) {
        return list->CompareStrings(list->items_[std::size_t(a)].S, list->items_[std::size_t(b)].S);
    });
}

void TStringList::CustomSort(const std::function<int(TStringList* List, int Index1, int Index2)>& Compare)
{
    if (items_.size() < 2)
        return;
    Changing();
    // Sort a permutation with the comparer over the current positions, then apply it.
    std::vector<int> order(items_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
    std::vector<TStringItem> sorted;
    sorted.reserve(items_.size());
    for (int i : order)
        sorted.push_back(std::move(items_[std::size_t(i)]));
    items_.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (sorted_ == Value)
        return;
    if (Value)
        Sort();
    sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (caseSensitive_ == Value)
        return;
    caseSensitive_ = Value;
    if (sorted_)
        Sort();
}

// ---------------------------------------------------------------------------------------------

}  // namespace cl
