#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "crashlog/ELines.h"

using namespace crashlog;

namespace {

// One line-table unit: a header of the given version and a program.
std::vector<char> Unit(int version, const std::vector<std::uint8_t>& program)
{
    std::vector<std::uint8_t> header;
    header.push_back(1);     // minimum instruction length
    if (version >= 4)
        header.push_back(1);  // maximum operations per instruction
    header.push_back(1);     // default is_stmt
    header.push_back(static_cast<std::uint8_t>(-5));  // line base
    header.push_back(14);    // line range
    header.push_back(13);    // opcode base
    for (std::uint8_t n : {0, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 1})
        header.push_back(n);
    header.push_back(0);     // no directory or file entries that matter here
    header.push_back(0);
    std::vector<std::uint8_t> body;
    body.push_back(static_cast<std::uint8_t>(version));
    body.push_back(0);
    if (version >= 5) {
        body.push_back(4);
        body.push_back(0);
    }
    const auto headerLength = static_cast<std::uint32_t>(header.size());
    for (int i = 0; i < 4; ++i)
        body.push_back(static_cast<std::uint8_t>(headerLength >> (8 * i)));
    body.insert(body.end(), header.begin(), header.end());
    body.insert(body.end(), program.begin(), program.end());
    std::vector<char> unit;
    const auto length = static_cast<std::uint32_t>(body.size());
    for (int i = 0; i < 4; ++i)
        unit.push_back(static_cast<char>(length >> (8 * i)));
    unit.insert(unit.end(), body.begin(), body.end());
    return unit;
}

const std::vector<std::uint8_t> Program = {
    0x00, 0x05, 0x02, 0x00, 0x10, 0x40, 0x00,  // set_address 0x401000
    0x03, 0x09,                                // advance_line +9 -> 10
    0x01,                                      // copy: 0x401000 line 10
    0x30,                                      // special: (2 + 5) + 14 * 2 + 13: address +2, line +2
    0x02, 0x10,                                // advance_pc 16 -> 0x401012
    0x03, 0x7F,                                // advance_line -1 -> 11
    0x01,                                      // copy
    0x02, 0x04,                                // advance_pc 4 -> 0x401016
    0x00, 0x01, 0x01,                          // end_sequence
};

}  // namespace

TEST(LineTable, RowsOfOneSequenceGiveTheLineOfEachAddress)
{
    for (int version : {3, 4, 5}) {
        TVozozoLineTable table;
        table.Load(Unit(version, Program), 0x400000);
        EXPECT_EQ(table.LineOf(0x0FFF), 0u) << version;
        EXPECT_EQ(table.LineOf(0x1000), 10u) << version;
        EXPECT_EQ(table.LineOf(0x1001), 10u);
        EXPECT_EQ(table.LineOf(0x1002), 12u);
        EXPECT_EQ(table.LineOf(0x1011), 12u);
        EXPECT_EQ(table.LineOf(0x1015), 11u);
        EXPECT_EQ(table.LineOf(0x1016), 0u);  // past the end of the sequence
    }
}

TEST(LineTable, ASecondSequenceStartsAgainFromLineOne)
{
    std::vector<std::uint8_t> program = Program;
    for (std::uint8_t b : {0x00, 0x05, 0x02, 0x00, 0x20, 0x40, 0x00,  // set_address 0x402000
                           0x01,                                      // copy: 0x402000 line 1
                           0x02, 0x02, 0x00, 0x01, 0x01})             // advance_pc 2, end_sequence
        program.push_back(b);
    TVozozoLineTable table;
    table.Load(Unit(4, program), 0x400000);
    EXPECT_EQ(table.LineOf(0x1015), 11u);
    EXPECT_EQ(table.LineOf(0x2000), 1u);
    EXPECT_EQ(table.LineOf(0x2002), 0u);
}

TEST(LineTable, TruncatedOrForeignDataNeverReadsPastItsEnd)
{
    const std::vector<char> whole = Unit(5, Program);
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        TVozozoLineTable table;
        table.Load(std::vector<char>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)), 0x400000);
        EXPECT_LE(table.LineOf(0x1002), 12u);
    }
    TVozozoLineTable table;
    table.Load(std::vector<char>(64, '\xFF'), 0x400000);
    EXPECT_TRUE(table.Empty());
}
