#pragma once
// The byte stream of the logger data: little-endian numbers, one-byte Booleans and scrambled,
// length-prefixed strings. The scrambling only keeps the texts from reading plainly in the
// binary; it is no protection.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace crashlog {

class TDataWriter {
public:
    void WriteByte(std::uint8_t v) { bytes_.push_back(v); }
    void WriteBool(bool v) { WriteByte(v ? 1 : 0); }
    void WriteInt32(std::int32_t v);
    void WriteUInt16(std::uint16_t v);
    void WriteString(std::string_view s);
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Every read past the end raises EReadError; nothing is read beyond the given bytes.
class TDataReader {
public:
    TDataReader(const void* data, std::size_t size)
        : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}
    std::uint8_t ReadByte();
    bool ReadBool() { return ReadByte() != 0; }
    std::int32_t ReadInt32();
    std::uint16_t ReadUInt16();
    std::string ReadString();
    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return size_ - pos_; }

private:
    const std::uint8_t* take(std::size_t n);
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace crashlog
