#include "crashlog/ELines.h"

#include <algorithm>
#include <cstring>

namespace crashlog {

namespace {

// Reads the table without ever going past its end; a truncated table just ends early.
class TCursor {
public:
    TCursor(const std::vector<char>& data, std::size_t at, std::size_t end) : d_(data), at_(at), end_(end) {}
    bool Ok() const { return ok_ && at_ <= end_; }
    std::size_t At() const { return at_; }
    void Seek(std::size_t at) { at_ = at; ok_ = ok_ && at <= end_; }
    std::uint64_t Fixed(int size)
    {
        if (at_ + size > end_) {
            ok_ = false;
            at_ = end_;
            return 0;
        }
        std::uint64_t v = 0;
        for (int i = 0; i < size; ++i)
            v |= std::uint64_t(static_cast<std::uint8_t>(d_[at_ + i])) << (8 * i);
        at_ += size;
        return v;
    }
    std::uint64_t Uleb()
    {
        std::uint64_t v = 0;
        for (int shift = 0; at_ < end_ && shift < 64; shift += 7) {
            const auto b = static_cast<std::uint8_t>(d_[at_++]);
            v |= std::uint64_t(b & 0x7F) << shift;
            if (!(b & 0x80))
                return v;
        }
        ok_ = false;
        return v;
    }
    std::int64_t Sleb()
    {
        std::int64_t v = 0;
        int shift = 0;
        std::uint8_t b = 0;
        do {
            if (at_ >= end_ || shift >= 64) {
                ok_ = false;
                return v;
            }
            b = static_cast<std::uint8_t>(d_[at_++]);
            v |= std::int64_t(b & 0x7F) << shift;
            shift += 7;
        } while (b & 0x80);
        if (shift < 64 && (b & 0x40))
            v |= -(std::int64_t(1) << shift);
        return v;
    }

private:
    const std::vector<char>& d_;
    std::size_t at_, end_;
    bool ok_ = true;
};

}  // namespace

void TVozozoLineTable::Load(const std::vector<char>& data, std::uint32_t imageBase)
{
    rows_.clear();
    std::size_t unit = 0;
    while (unit + 4 <= data.size()) {
        TCursor c(data, unit, data.size());
        const auto length = static_cast<std::uint32_t>(c.Fixed(4));
        if (length == 0xFFFFFFFFu || length == 0)  // 64-bit tables are not made for 32-bit code
            break;
        const std::size_t end = std::min<std::size_t>(data.size(), c.At() + length);
        TCursor h(data, c.At(), end);
        const auto version = static_cast<std::uint16_t>(h.Fixed(2));
        if (version < 2 || version > 5) {
            unit = end;
            continue;
        }
        int addressSize = 4;
        if (version >= 5) {
            addressSize = static_cast<int>(h.Fixed(1));
            h.Fixed(1);  // segment selector size
        }
        const auto headerLength = static_cast<std::uint32_t>(h.Fixed(4));
        const std::size_t program = h.At() + headerLength;
        const auto minInstruction = static_cast<std::uint32_t>(h.Fixed(1));
        if (version >= 4)
            h.Fixed(1);  // maximum operations per instruction
        h.Fixed(1);      // default is_stmt
        const auto lineBase = static_cast<std::int8_t>(h.Fixed(1));
        const auto lineRange = static_cast<std::uint8_t>(h.Fixed(1));
        const auto opcodeBase = static_cast<std::uint8_t>(h.Fixed(1));
        std::vector<std::uint8_t> argumentCounts(opcodeBase > 0 ? opcodeBase : 1, 0);
        for (int i = 1; i < opcodeBase; ++i)
            argumentCounts[i] = static_cast<std::uint8_t>(h.Fixed(1));
        if (!h.Ok() || lineRange == 0 || opcodeBase == 0 || program > end) {
            unit = end;
            continue;
        }
        TCursor p(data, program, end);
        std::uint64_t address = 0;
        std::int64_t line = 1;
        auto emit = [&](bool endOfSequence) {
            if (address >= imageBase && address - imageBase < 0xFFFFFFFFu)
                rows_.push_back({static_cast<std::uint32_t>(address - imageBase),
                                 endOfSequence ? 0u : static_cast<std::uint32_t>(std::max<std::int64_t>(line, 1))});
        };
        while (p.Ok() && p.At() < end) {
            const auto opcode = static_cast<std::uint8_t>(p.Fixed(1));
            if (opcode >= opcodeBase) {
                const int adjusted = opcode - opcodeBase;
                address += std::uint64_t(adjusted / lineRange) * minInstruction;
                line += lineBase + adjusted % lineRange;
                emit(false);
                continue;
            }
            switch (opcode) {
            case 0: {
                const std::uint64_t size = p.Uleb();
                const std::size_t next = p.At() + static_cast<std::size_t>(size);
                if (size == 0 || next > end) {
                    p.Seek(end + 1);
                    break;
                }
                const auto sub = static_cast<std::uint8_t>(p.Fixed(1));
                if (sub == 1) {
                    emit(true);
                    address = 0;
                    line = 1;
                } else if (sub == 2) {
                    address = p.Fixed(std::min<int>(addressSize, 8));
                }
                p.Seek(next);
                break;
            }
            case 1: emit(false); break;
            case 2: address += p.Uleb() * minInstruction; break;
            case 3: line += p.Sleb(); break;
            case 8: address += std::uint64_t((255 - opcodeBase) / lineRange) * minInstruction; break;
            case 9: address += p.Fixed(2); break;
            default:
                for (int i = 0; i < argumentCounts[opcode]; ++i)
                    p.Uleb();
                break;
            }
        }
        unit = end;
    }
    // Ends of sequences sort before rows at the same address, so that a new sequence wins.
    std::stable_sort(rows_.begin(), rows_.end(), [](const TRow& a, const TRow& b) {
        return a.Rva != b.Rva ? a.Rva < b.Rva : (a.Line == 0 && b.Line != 0);
    });
}

std::uint32_t TVozozoLineTable::LineOf(std::uint32_t rva) const
{
    auto it = std::upper_bound(rows_.begin(), rows_.end(), rva,
                               [](std::uint32_t v, const TRow& r) { return v < r.Rva; });
    if (it == rows_.begin())
        return 0;
    return std::prev(it)->Line;
}

}  // namespace crashlog
