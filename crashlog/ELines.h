#pragma once
// Line numbers of a module's code, from the DWARF line table (".debug_line") that the compiler
// leaves in the image file.
#include <cstdint>
#include <vector>

namespace crashlog {

class TVozozoLineTable {
public:
    // `data` is the section's content; addresses are made relative to `imageBase`.
    void Load(const std::vector<char>& data, std::uint32_t imageBase);
    // The line of the code at the address (relative to the module's base), 0 when unknown.
    std::uint32_t LineOf(std::uint32_t rva) const;
    bool Empty() const { return rows_.empty(); }

private:
    struct TRow {
        std::uint32_t Rva;
        std::uint32_t Line;  // 0 ends a sequence
    };
    std::vector<TRow> rows_;
};

}  // namespace crashlog
