#include "classlib/Classes.h"

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

namespace {

// Frees the owned objects of List from the last to the first. Each one removes itself from List
// on its way out; one that did not (a subclass that skipped its base's teardown) is dropped
// here, so the loop always ends.
template <class T>
void FreeFromBack(std::vector<T*>& List)
{
    while (!List.empty()) {
        T* last = List.back();
        last->Free();
        if (!List.empty() && List.back() == last)
            List.pop_back();
    }
}

// The object at Index of List; EListError outside the list.
template <class T>
T* ItemAt(const std::vector<T*>& List, int Index)
{
    if (Index < 0 || Index >= int(List.size()))
        throw EListError(Format(consts::SListIndexError, Index));
    return List[std::size_t(Index)];
}

// Where Item stands in List, -1 when it is not there.
template <class T>
int IndexIn(const std::vector<T*>& List, const T* Item)
{
    auto it = std::find(List.begin(), List.end(), Item);
    return it == List.end() ? -1 : int(it - List.begin());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TPersistent

void TPersistent::Assign(TPersistent* Source)
{
    if (Source)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    Dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* Source)
{
    std::string sourceName = Source ? Source->ClassName() : std::string("nil");
    throw EConvertError(Format(consts::SAssignError, sourceName, ClassName()));
}

std::string TPersistent::GetNamePath() const
{
    return ClassName();
}

// ---------------------------------------------------------------------------------------------
// TComponent

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    TearDown();
}

void TComponent::BeforeDestruction()
{
    TearDown();
}

void TComponent::TearDown()
{
    if (tornDown_)
        return;
    tornDown_ = true;
    if (!state_.Contains(csDestroying))
        Destroying();
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
    RemoveFreeNotifications();
}

void TComponent::Destroying()
{
    if (state_.Contains(csDestroying))
        return;
    state_ += csDestroying;
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::DestroyComponents()
{
    FreeFromBack(components_);
}

TComponent* TComponent::Components(int Index) const
{
    return ItemAt(components_, Index);
}

int TComponent::ComponentIndex() const
{
    return owner_ ? IndexIn(owner_->components_, this) : -1;
}

void TComponent::SetComponentIndex(int Value)
{
    if (!owner_)
        return;
    auto& list = owner_->components_;
    int current = ComponentIndex();
    if (current < 0)
        return;
    if (Value < 0)
        Value = 0;
    if (Value >= int(list.size()))
        Value = int(list.size()) - 1;
    if (Value == current)
        return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + Value, this);
}

TComponent* TComponent::FindComponent(std::string_view AName) const
{
    if (AName.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, AName))
            return c;
    return nullptr;
}

namespace {

bool IsValidIdent(const std::string& s)
{
    if (s.empty())
        return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(s[0]))
        return false;
    for (char c : s)
        if (!alpha(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

}  // namespace

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName) const
{
    if (NewName.empty() || SameText(CurName, NewName))
        return;
    TComponent* other = FindComponent(NewName);
    if (other && other != AComponent)
        throw EComponentError(Format(consts::SDuplicateName, NewName));
}

void TComponent::SetName(const std::string& NewName)
{
    if (name_ == NewName)
        return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError(Format(consts::SInvalidName, NewName));
    if (owner_)
        owner_->ValidateRename(this, name_, NewName);
    name_ = NewName;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->owner_ == this)
        return;
    // Owning oneself or one's own owner would make the tear-down recurse forever.
    for (const TComponent* c = this; c; c = c->owner_)
        if (c == AComponent)
            throw EComponentError(consts::SOwnershipCycle);
    ValidateRename(AComponent, std::string(), AComponent->name_);
    if (AComponent->owner_)
        AComponent->owner_->RemoveComponent(AComponent);
    components_.push_back(AComponent);
    AComponent->owner_ = this;
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->owner_ != this)
        return;
    Notification(AComponent, opRemove);
    auto it = std::find(components_.begin(), components_.end(), AComponent);
    if (it != components_.end())
        components_.erase(it);
    AComponent->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    if (!owner_ || AComponent->owner_ != owner_) {
        if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end())
            freeNotifies_.push_back(AComponent);
        auto& theirs = AComponent->freeNotifies_;
        if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
            theirs.push_back(this);
        AComponent->state_ += csFreeNotification;
    }
    state_ += csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent)
        return;
    auto drop = [](std::vector<TComponent*>& list, TComponent* c) {
        list.erase(std::remove(list.begin(), list.end(), c), list.end());
    };
    drop(freeNotifies_, AComponent);
    drop(AComponent->freeNotifies_, this);
    if (freeNotifies_.empty())
        state_ -= csFreeNotification;
    if (AComponent->freeNotifies_.empty())
        AComponent->state_ -= csFreeNotification;
}

void TComponent::RemoveFreeNotifications()
{
    while (!freeNotifies_.empty()) {
        TComponent* partner = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = partner->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        partner->Notification(this, opRemove);
    }
    state_ -= csFreeNotification;
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // Forward to everything this component owns, last first; the list may shrink meanwhile.
    int i = int(components_.size()) - 1;
    while (i >= 0) {
        components_[std::size_t(i)]->Notification(AComponent, Operation);
        --i;
        if (i >= int(components_.size()))
            i = int(components_.size()) - 1;
    }
}

void TComponent::Loaded()
{
    state_ -= csLoading;
}

void TComponent::SetComponentStateFlag(TComponentStateFlag Flag, bool On)
{
    if (On)
        state_ += Flag;
    else
        state_ -= Flag;
}

// ---------------------------------------------------------------------------------------------
// TStream

std::int64_t TStream::Size()
{
    std::int64_t pos = Seek(0, soCurrent);
    std::int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(std::int64_t)
{
    throw EStreamError(consts::SStreamSetSize);
}

void TStream::ReadBuffer(void* Buffer, std::int64_t Count)
{
    if (Count < 0 || (Count != 0 && Read(Buffer, Count) != Count))
        throw EReadError(consts::SReadError);
}

void TStream::WriteBuffer(const void* Buffer, std::int64_t Count)
{
    if (Count < 0 || (Count != 0 && Write(Buffer, Count) != Count))
        throw EWriteError(consts::SWriteError);
}

std::string TStream::ReadString(std::int64_t Count)
{
    if (Count < 0)
        throw EReadError(consts::SReadError);
    // Never allocate more than what is left: a corrupt length must not exhaust memory.
    std::int64_t left = Size() - Position();
    if (Count > left)
        throw EReadError(consts::SReadError);
    std::string s(std::size_t(Count), '\0');
    ReadBuffer(s.data(), Count);
    return s;
}

std::int64_t TStream::CopyFrom(TStream* Source, std::int64_t Count)
{
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    std::int64_t total = Count;
    char buffer[65536];
    while (Count > 0) {
        std::int64_t n = std::min<std::int64_t>(Count, sizeof buffer);
        Source->ReadBuffer(buffer, n);
        WriteBuffer(buffer, n);
        Count -= n;
    }
    return total;
}

// ---------------------------------------------------------------------------------------------
// Memory streams

void TCustomMemoryStream::SetPointer(const void* Ptr, std::int64_t Size)
{
    memory_ = static_cast<const std::uint8_t*>(Ptr);
    size_ = Size;
}

std::int64_t TCustomMemoryStream::Read(void* Buffer, std::int64_t Count)
{
    if (Count <= 0 || position_ < 0 || position_ >= size_)
        return 0;
    std::int64_t n = std::min(Count, size_ - position_);
    std::memcpy(Buffer, memory_ + position_, std::size_t(n));
    position_ += n;
    return n;
}

std::int64_t TCustomMemoryStream::Write(const void*, std::int64_t)
{
    return 0;  // read-only memory
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    switch (Origin) {
    case soBeginning: position_ = Offset; break;
    case soCurrent: position_ += Offset; break;
    case soEnd: position_ = size_ + Offset; break;
    }
    if (position_ < 0)
        position_ = 0;
    return position_;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream)
{
    if (size_)
        Stream->WriteBuffer(memory_, size_);
}

void TCustomMemoryStream::SaveToFile(const std::string& FileName)
{
    TFileStream file(FileName, fmCreate);
    SaveToStream(&file);
}

void TMemoryStream::Resize(std::int64_t NewSize)
{
    // A size the process cannot hold is the stream's error, never std::bad_alloc.
    try {
        if (std::uint64_t(NewSize) > data_.max_size())
            throw std::length_error("size");
        data_.resize(std::size_t(NewSize));
    } catch (const std::exception&) {
        throw EStreamError(consts::SMemoryStreamError);
    }
}

void TMemoryStream::Sync()
{
    memory_ = data_.empty() ? nullptr : data_.data();
    size_ = std::int64_t(data_.size());
}

std::int64_t TMemoryStream::Write(const void* Buffer, std::int64_t Count)
{
    if (Count <= 0 || position_ < 0)
        return 0;
    std::int64_t end = position_ + Count;
    if (end > std::int64_t(data_.size()))
        Resize(end);
    std::memcpy(data_.data() + position_, Buffer, std::size_t(Count));
    position_ = end;
    Sync();
    return Count;
}

void TMemoryStream::SetSize(std::int64_t NewSize)
{
    if (NewSize < 0)
        NewSize = 0;
    Resize(NewSize);
    Sync();
    if (position_ > NewSize)
        position_ = NewSize;
}

void TMemoryStream::SetCapacity(std::int64_t NewCapacity)
{
    NewCapacity = std::max(NewCapacity, std::int64_t(data_.size()));
    if (NewCapacity == std::int64_t(data_.capacity()))
        return;
    try {
        if (std::uint64_t(NewCapacity) > data_.max_size())
            throw std::length_error("capacity");
        std::vector<std::uint8_t> moved;
        moved.reserve(std::size_t(NewCapacity));
        moved.assign(data_.begin(), data_.end());
        data_.swap(moved);
    } catch (const std::exception&) {
        throw EStreamError(consts::SMemoryStreamError);
    }
    Sync();
}

void TMemoryStream::Clear()
{
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
    Sync();
}

void TMemoryStream::SetData(std::string_view Bytes)
{
    data_.assign(Bytes.begin(), Bytes.end());
    position_ = 0;
    Sync();
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
    Stream->SetPosition(0);
    std::int64_t count = Stream->Size();
    std::vector<std::uint8_t> bytes;
    try {
        if (count < 0 || std::uint64_t(count) > bytes.max_size())
            throw std::length_error("size");
        bytes.resize(static_cast<std::size_t>(count));
    } catch (const std::exception&) {
        throw EStreamError(consts::SMemoryStreamError);
    }
    if (count)
        Stream->ReadBuffer(bytes.data(), count);
    data_.swap(bytes);
    position_ = 0;
    Sync();
}

void TMemoryStream::LoadFromFile(const std::string& FileName)
{
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

// ---------------------------------------------------------------------------------------------
// TFileStream

namespace {

// The system moves at most 1 GiB a call, and maybe less than asked: Count bytes take as many
// calls as they need. Step(Pointer, Size) moves up to Size bytes and says how many it moved;
// the first call that moves none ends the transfer.
template <class TByte, class TStep>
std::int64_t TransferInChunks(TByte* Buffer, std::int64_t Count, TStep Step)
{
    std::int64_t total = 0;
    while (Count > 0) {
        const std::int64_t moved = Step(Buffer, std::min<std::int64_t>(Count, 1 << 30));
        if (moved <= 0)
            break;
        total += moved;
        Buffer += moved;
        Count -= moved;
    }
    return total;
}

}  // namespace

#ifdef _WIN32

TFileStream::TFileStream(const std::string& FileName, std::uint16_t Mode) : fileName_(FileName)
{
    DWORD share = 0;
    switch (Mode & 0xF0) {
    case fmShareDenyWrite: share = FILE_SHARE_READ; break;
    case fmShareDenyRead: share = FILE_SHARE_WRITE; break;
    case fmShareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    case fmShareExclusive: share = 0; break;
    default: share = FILE_SHARE_READ; break;  // compat
    }
    HANDLE h;
    if (Mode == fmCreate || (Mode & 0xFF00) == fmCreate) {
        h = CreateFileA(FileName.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            throw EFCreateError(Format(consts::SFCreateError, FileName, SysErrorMessage(GetLastError())));
    } else {
        DWORD access = (Mode & 3) == fmOpenWrite       ? GENERIC_WRITE
                       : (Mode & 3) == fmOpenReadWrite ? GENERIC_READ | GENERIC_WRITE
                                                       : GENERIC_READ;
        h = CreateFileA(FileName.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            throw EFOpenError(Format(consts::SFOpenError, FileName, SysErrorMessage(GetLastError())));
    }
    handle_ = h;
}

TFileStream::~TFileStream()
{
    if (handle_ && handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(static_cast<HANDLE>(handle_));
}

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count)
{
    return TransferInChunks(static_cast<char*>(Buffer), Count, [this](char* p, std::int64_t size) -> std::int64_t {
        DWORD got = 0;
        return ReadFile(static_cast<HANDLE>(handle_), p, DWORD(size), &got, nullptr) ? got : 0;
    });
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count)
{
    return TransferInChunks(static_cast<const char*>(Buffer), Count,
                            [this](const char* p, std::int64_t size) -> std::int64_t {
                                DWORD put = 0;
                                return WriteFile(static_cast<HANDLE>(handle_), p, DWORD(size), &put, nullptr) ? put : 0;
                            });
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    LARGE_INTEGER distance, result;
    distance.QuadPart = Offset;
    DWORD method = Origin == soBeginning ? FILE_BEGIN : Origin == soCurrent ? FILE_CURRENT : FILE_END;
    if (!SetFilePointerEx(static_cast<HANDLE>(handle_), distance, &result, method))
        return -1;
    return result.QuadPart;
}

void TFileStream::SetSize(std::int64_t NewSize)
{
    std::int64_t pos = Position();
    SetPosition(NewSize);
    if (!SetEndOfFile(static_cast<HANDLE>(handle_)))
        RaiseLastOSError();
    if (pos < NewSize)
        SetPosition(pos);
}

#else

TFileStream::TFileStream(const std::string& FileName, std::uint16_t Mode) : fileName_(FileName)
{
    if (Mode == fmCreate || (Mode & 0xFF00) == fmCreate) {
        fd_ = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0)
            throw EFCreateError(Format(consts::SFCreateError, FileName, SysErrorMessage(std::uint32_t(errno))));
    } else {
        int flags = (Mode & 3) == fmOpenWrite ? O_WRONLY : (Mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
        fd_ = ::open(FileName.c_str(), flags | O_CLOEXEC);
        if (fd_ >= 0) {
            struct stat st;
            if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
                ::close(fd_);
                fd_ = -1;
                errno = EISDIR;
            }
        }
        if (fd_ < 0)
            throw EFOpenError(Format(consts::SFOpenError, FileName, SysErrorMessage(std::uint32_t(errno))));
    }
}

TFileStream::~TFileStream()
{
    if (fd_ >= 0)
        ::close(fd_);
}

// A call cut short by a signal before it moved anything is made again.
std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count)
{
    return TransferInChunks(static_cast<char*>(Buffer), Count, [this](char* p, std::int64_t size) -> std::int64_t {
        ssize_t got;
        do
            got = ::read(fd_, p, std::size_t(size));
        while (got < 0 && errno == EINTR);
        return got;
    });
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count)
{
    return TransferInChunks(static_cast<const char*>(Buffer), Count,
                            [this](const char* p, std::int64_t size) -> std::int64_t {
                                ssize_t put;
                                do
                                    put = ::write(fd_, p, std::size_t(size));
                                while (put < 0 && errno == EINTR);
                                return put;
                            });
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    off_t r = ::lseek(fd_, off_t(Offset), whence);
    return r < 0 ? -1 : std::int64_t(r);
}

void TFileStream::SetSize(std::int64_t NewSize)
{
    if (::ftruncate(fd_, off_t(NewSize)) != 0)
        RaiseLastOSError();
    if (Position() > NewSize)
        SetPosition(NewSize);
}

#endif

std::string ReadFileBytes(const std::string& FileName)
{
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    std::int64_t size = file.Size();
    return file.ReadString(size);
}

void WriteFileBytes(const std::string& FileName, std::string_view Bytes)
{
    TFileStream file(FileName, fmCreate);
    file.WriteString(Bytes);
}

// ---------------------------------------------------------------------------------------------
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
// Collections

TCollectionItem::TCollectionItem(TCollection* Collection)
{
    SetCollection(Collection);
}

TCollectionItem::~TCollectionItem()
{
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (collection_ == Value)
        return;
    if (collection_)
        collection_->RemoveItem(this);
    if (Value)
        Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
    return collection_ ? IndexIn(collection_->items_, this) : -1;
}

void TCollectionItem::SetIndex(int Value)
{
    int current = Index();
    if (current < 0 || current == Value)
        return;
    auto& items = collection_->items_;
    if (Value < 0 || Value >= int(items.size()))
        throw EListError(Format(consts::SListIndexError, Value));
    items.erase(items.begin() + current);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

std::string TCollectionItem::DisplayName() const
{
    return ClassName();
}

std::string TCollectionItem::GetNamePath() const
{
    if (collection_)
        return Format("%s[%d]", collection_->GetNamePath(), Index());
    return ClassName();
}

void TCollectionItem::Changed(bool AllItems)
{
    if (collection_ && collection_->updateCount_ == 0)
        collection_->Update(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() const
{
    return collection_;
}

TCollection::TCollection(TItemFactory ItemFactory) : factory_(std::move(ItemFactory)) {}

TCollection::~TCollection()
{
    // No Update calls while going: subclasses are gone already.
    updateCount_ = 1;
    FreeFromBack(items_);
}

TCollectionItem* TCollection::Items(int Index) const
{
    return ItemAt(items_, Index);
}

void TCollection::SetItem(int Index, TCollectionItem* Value)
{
    Items(Index)->Assign(Value);
}

TCollectionItem* TCollection::Add()
{
    if (factory_) {
        TCollectionItem* item = factory_(this);
        // A factory that did not pass the collection to the item still gets it added.
        if (item && item->Collection() != this)
            item->SetCollection(this);
        return item;
    }
    return new TCollectionItem(this);
}

TCollectionItem* TCollection::Insert(int Index)
{
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

void TCollection::Delete(int Index)
{
    TCollectionItem* item = Items(Index);
    Notify(item, cnDeleting);
    item->Free();
}

void TCollection::Clear()
{
    if (items_.empty())
        return;
    WithinUpdate(*this, [&] {
        FreeFromBack(items_);
    });
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
    for (TCollectionItem* item : items_)
        if (item->id_ == ID)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate()
{
    ++updateCount_;
}

void TCollection::EndUpdate()
{
    if (updateCount_ > 0)
        --updateCount_;
    Changed();
}

void TCollection::Changed()
{
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    items_.push_back(Item);
    Item->collection_ = this;
    Item->id_ = nextID_++;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    Notify(Item, cnExtracting);
    // Searched from the back: a collection is emptied from its last item, which would make a
    // search from the front quadratic in the number of items.
    auto it = std::find(items_.rbegin(), items_.rend(), Item);
    if (it != items_.rend())
        items_.erase(std::next(it).base());
    Item->collection_ = nullptr;
    Changed();
}

void TCollection::Assign(TPersistent* Source)
{
    if (auto* source = dynamic_cast<TCollection*>(Source)) {
        if (source == this)
            return;
        WithinUpdate(*this, [&] {
            Clear();
            for (TCollectionItem* item : source->items_)
                Add()->Assign(item);
        });
        return;
    }
    TPersistent::Assign(Source);
}

}  // namespace cl
