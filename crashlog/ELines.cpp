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

// What a unit's header tells about its line program.
struct TUnitHeader {
    int AddressSize = 4;
    std::uint32_t MinInstruction = 1;
    std::int8_t LineBase = 0;
    std::uint8_t LineRange = 0;
    std::uint8_t OpcodeBase = 0;
    std::vector<std::uint8_t> ArgumentCounts;
    std::size_t Program = 0;  // where the line program starts
};

// The header of the unit whose header starts at `at` (past the unit's length) and which ends at
// `end`; false for a version not made here or a header that does not hold together.
bool ReadUnitHeader(const std::vector<char>& data, std::size_t at, std::size_t end, TUnitHeader& u)
{
    TCursor h(data, at, end);
    const auto version = static_cast<std::uint16_t>(h.Fixed(2));
    if (version < 2 || version > 5)
        return false;
    if (version >= 5) {
        u.AddressSize = static_cast<int>(h.Fixed(1));
        h.Fixed(1);  // segment selector size
    }
    const auto headerLength = static_cast<std::uint32_t>(h.Fixed(4));
    u.Program = h.At() + headerLength;
    u.MinInstruction = static_cast<std::uint32_t>(h.Fixed(1));
    if (version >= 4)
        h.Fixed(1);  // maximum operations per instruction
    h.Fixed(1);      // default is_stmt
    u.LineBase = static_cast<std::int8_t>(h.Fixed(1));
    u.LineRange = static_cast<std::uint8_t>(h.Fixed(1));
    u.OpcodeBase = static_cast<std::uint8_t>(h.Fixed(1));
    u.ArgumentCounts.assign(u.OpcodeBase > 0 ? u.OpcodeBase : 1, 0);
    for (int i = 1; i < u.OpcodeBase; ++i)
        u.ArgumentCounts[i] = static_cast<std::uint8_t>(h.Fixed(1));
    return h.Ok() && u.LineRange != 0 && u.OpcodeBase != 0 && u.Program <= end;
}

// The line program's registers that the table needs.
struct TLineState {
    std::uint64_t Address = 0;
    std::int64_t Line = 1;
};

// An extended opcode (after its 0); a broken one ends the program.
template <class TEmit>
void RunExtendedOpcode(TCursor& p, const TUnitHeader& u, std::size_t end, TLineState& state, TEmit& emit)
{
    const std::uint64_t size = p.Uleb();
    const std::size_t next = p.At() + static_cast<std::size_t>(size);
    if (size == 0 || next > end) {
        p.Seek(end + 1);
        return;
    }
    const auto sub = static_cast<std::uint8_t>(p.Fixed(1));
    if (sub == 1) {
        emit(state, true);
        state = TLineState{};
    } else if (sub == 2) {
        state.Address = p.Fixed(std::min<int>(u.AddressSize, 8));
    }
    p.Seek(next);
}

// Runs the unit's line program; each row it makes goes to emit(state, endOfSequence).
template <class TEmit>
void RunLineProgram(const std::vector<char>& data, const TUnitHeader& u, std::size_t end, TEmit&& emit)
{
    TCursor p(data, u.Program, end);
    TLineState state;
    while (p.Ok() && p.At() < end) {
        const auto opcode = static_cast<std::uint8_t>(p.Fixed(1));
        if (opcode >= u.OpcodeBase) {
            const int adjusted = opcode - u.OpcodeBase;
            state.Address += std::uint64_t(adjusted / u.LineRange) * u.MinInstruction;
            state.Line += u.LineBase + adjusted % u.LineRange;
            emit(state, false);
            continue;
        }
        switch (opcode) {
        case 0: RunExtendedOpcode(p, u, end, state, emit); break;
        case 1: emit(state, false); break;
        case 2: state.Address += p.Uleb() * u.MinInstruction; break;
        case 3: state.Line += p.Sleb(); break;
        case 8: state.Address += std::uint64_t((255 - u.OpcodeBase) / u.LineRange) * u.MinInstruction; break;
        case 9: state.Address += p.Fixed(2); break;
        default:
            for (int i = 0; i < u.ArgumentCounts[opcode]; ++i)
                p.Uleb();
            break;
        }
    }
}

}  // namespace

void TVozozoLineTable::Load(const std::vector<char>& data, std::uint32_t imageBase)
{
    rows_.clear();
    auto emit = [&](const TLineState& state, bool endOfSequence) {
        if (state.Address >= imageBase && state.Address - imageBase < 0xFFFFFFFFu)
            rows_.push_back({static_cast<std::uint32_t>(state.Address - imageBase),
                             endOfSequence ? 0u : static_cast<std::uint32_t>(std::max<std::int64_t>(state.Line, 1))});
    };
    std::size_t unit = 0;
    while (unit + 4 <= data.size()) {
        TCursor c(data, unit, data.size());
        const auto length = static_cast<std::uint32_t>(c.Fixed(4));
        if (length == 0xFFFFFFFFu || length == 0)  // 64-bit tables are not made for 32-bit code
            break;
        const std::size_t end = std::min<std::size_t>(data.size(), c.At() + length);
        TUnitHeader header;
        if (ReadUnitHeader(data, c.At(), end, header))
            RunLineProgram(data, header, end, emit);
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
