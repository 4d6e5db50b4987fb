// Streams: the base stream, memory streams and file streams.
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

}  // namespace cl
