#pragma once
// The functions of a module, read from the COFF symbol table that the linker leaves in the image
// file: address to unit (source file), class and procedure, and qualified name to address.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "crashlog/ELines.h"

namespace crashlog {

struct TVozozoFunction {
    std::uint32_t Rva = 0;    // relative to the module's base
    std::uint32_t End = 0;    // end of its section, or the next function's start
    std::string RawName;      // as the symbol table holds it
    std::uint32_t Unit = 0;   // index into the units
};

struct TResolvedName {
    std::string UnitName;
    std::string ClassName;      // the qualifier ("TLogFile", "crashlog::TLogFile")
    std::string ProcedureName;  // without the argument list
};

class TVozozoFunctionsList {
public:
    // Reads the symbol table of an image file; false (and an empty list) when it has none.
    bool LoadFromImageFile(const std::string& fileName);
    bool Empty() const { return functions_.empty(); }
    std::size_t Count() const { return functions_.size(); }

    // The function whose code holds the address (relative to the module's base), or nullptr.
    const TVozozoFunction* Find(std::uint32_t rva) const;
    TResolvedName Resolve(const TVozozoFunction& function) const;
    // "unit.class.procedure" or "unit.procedure", as the resolved names read (":: " of a
    // qualifier becomes "."); 0 when there is no such function.
    std::uint32_t FindByName(std::string_view qualifiedName) const;
    // The source line of the address (relative to the module's base), 0 when unknown.
    std::uint32_t LineOf(std::uint32_t rva) const { return lines_.LineOf(rva); }

private:
    std::vector<TVozozoFunction> functions_;
    std::vector<std::string> units_;
    TVozozoLineTable lines_;
};

// "crashlog::TLogFile::SaveToFile()" and the like, from a symbol name ("__ZN...", "_main",
// "_Foo@8"): the demangled qualifier and procedure.
void SplitSymbolName(std::string_view rawName, std::string& qualifier, std::string& procedure);

}  // namespace crashlog
