#include "crashlog/EStream.h"

#include "crashlog/EConsts.h"
#include "crashlog/EErrors.h"

namespace crashlog {

namespace {
std::uint8_t ScrambleKey(std::size_t index)
{
    return static_cast<std::uint8_t>(0xA5 ^ (index * 29 + 7));
}
}  // namespace

void TDataWriter::WriteInt32(std::int32_t v)
{
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        WriteByte(static_cast<std::uint8_t>(u >> (8 * i)));
}

void TDataWriter::WriteUInt16(std::uint16_t v)
{
    WriteByte(static_cast<std::uint8_t>(v));
    WriteByte(static_cast<std::uint8_t>(v >> 8));
}

void TDataWriter::WriteString(std::string_view s)
{
    WriteInt32(static_cast<std::int32_t>(s.size()));
    for (std::size_t i = 0; i < s.size(); ++i)
        WriteByte(static_cast<std::uint8_t>(s[i]) ^ ScrambleKey(i));
}

const std::uint8_t* TDataReader::take(std::size_t n)
{
    if (n > size_ - pos_)
        throw EReadError(SStreamReadError);
    const std::uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
}

std::uint8_t TDataReader::ReadByte()
{
    return *take(1);
}

std::int32_t TDataReader::ReadInt32()
{
    const std::uint8_t* p = take(4);
    std::uint32_t u = p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
    return static_cast<std::int32_t>(u);
}

std::uint16_t TDataReader::ReadUInt16()
{
    const std::uint8_t* p = take(2);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::string TDataReader::ReadString()
{
    std::int32_t length = ReadInt32();
    // A negative or oversized length is corrupt data, not a request for gigabytes.
    if (length < 0 || static_cast<std::size_t>(length) > Remaining())
        throw EReadError(SStreamReadError);
    const std::uint8_t* p = take(static_cast<std::size_t>(length));
    std::string s(static_cast<std::size_t>(length), '\0');
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<char>(p[i] ^ ScrambleKey(i));
    return s;
}

}  // namespace crashlog
