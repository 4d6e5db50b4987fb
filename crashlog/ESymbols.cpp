#include "crashlog/ESymbols.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <fstream>
#include <memory>

namespace crashlog {

namespace {

template <class T>
T Get(const std::vector<char>& b, std::size_t at)
{
    T v{};
    if (at + sizeof(T) <= b.size())
        std::memcpy(&v, b.data() + at, sizeof(T));
    return v;
}

bool ReadAt(std::ifstream& in, std::uint64_t offset, std::size_t count, std::vector<char>& out)
{
    // Nothing is allocated for a range the file does not hold.
    in.clear();
    in.seekg(0, std::ios::end);
    const auto size = static_cast<std::uint64_t>(in.tellg());
    if (!in || offset > size || count > size - offset) {
        out.clear();
        return false;
    }
    out.assign(count, 0);
    in.seekg(static_cast<std::streamoff>(offset));
    if (!in)
        return false;
    in.read(out.data(), static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(in.gcount()) == count;
}

std::string UnitOfFile(std::string name)
{
    std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

// The symbol's name as the source wrote it: decorations, compiler suffixes and mangling gone.
std::string PlainSymbolName(std::string_view rawName)
{
    std::string name(rawName);
    // Decorations of 32-bit Windows: a leading underscore, "@n" after stdcall names.
    if (!name.empty() && name[0] == '_')
        name.erase(0, 1);
    // An optimising compiler puts parts and copies of a procedure under its name with a suffix
    // (".cold", ".part.0", ".constprop.0", ".isra.0"), after any "@n": they are that procedure.
    if (std::size_t dot = name.find('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    if (std::size_t at = name.rfind('@'); at != std::string::npos && at > 0 &&
        name.find_first_not_of("0123456789", at + 1) == std::string::npos)
        name.erase(at);
    if (name.rfind("_Z", 0) == 0) {
        int status = 0;
        std::unique_ptr<char, void (*)(void*)> demangled(
            abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status), std::free);
        if (status == 0 && demangled)
            name = demangled.get();
    }
    return name;
}

// The name without the argument list and anything after it (const, the arguments' types).
std::string_view WithoutArguments(std::string_view view)
{
    std::size_t depth = 0;
    for (std::size_t i = 0; i < view.size(); ++i) {
        if (view[i] == '<') {
            ++depth;
        } else if (view[i] == '>') {
            if (depth)
                --depth;
        } else if (view[i] == '(' && depth == 0) {
            if (view.compare(i, 11, "(anonymous ") == 0) {
                std::size_t close = view.find(')', i);
                if (close == std::string_view::npos)
                    break;
                i = close;
                continue;
            }
            // "operator()" names the call operator; its own parentheses are part of the name.
            if (i >= 8 && view.compare(i - 8, 8, "operator") == 0 && view.compare(i, 2, "()") == 0) {
                ++i;
                continue;
            }
            return view.substr(0, i);
        }
    }
    return view;
}

// Template functions are demangled with their return type first: it ends at the last blank
// outside brackets and the anonymous namespace.
std::string_view WithoutReturnType(std::string_view view)
{
    std::size_t depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < view.size(); ++i) {
        if (view[i] == '<')
            ++depth;
        else if (view[i] == '>' && depth)
            --depth;
        else if (view.compare(i, 11, "(anonymous ") == 0)
            i = std::min(view.find(')', i), view.size() - 1);
        else if (view[i] == ' ' && depth == 0 && view.compare(i, 2, " >") != 0 &&
                 !(i >= 8 && view.compare(i - 8, 8, "operator") == 0))
            start = i + 1;
    }
    return view.substr(start);
}

}  // namespace

void SplitSymbolName(std::string_view rawName, std::string& qualifier, std::string& procedure)
{
    const std::string name = PlainSymbolName(rawName);
    const std::string_view view = WithoutReturnType(WithoutArguments(name));
    // The last "::" outside template brackets separates qualifier and procedure.
    std::size_t split = std::string_view::npos;
    std::size_t depth = 0;
    for (std::size_t i = 0; i + 1 < view.size(); ++i) {
        if (view[i] == '<')
            ++depth;
        else if (view[i] == '>' && depth)
            --depth;
        else if (depth == 0 && view[i] == ':' && view[i + 1] == ':')
            split = i;
    }
    if (split == std::string_view::npos) {
        qualifier.clear();
        procedure = std::string(view);
    } else {
        qualifier = std::string(view.substr(0, split));
        procedure = std::string(view.substr(split + 2));
    }
}

namespace {

struct TSection {
    std::uint32_t Rva, Size;
    bool Code;
    std::string RawName;
    std::uint32_t FileOffset, FileSize;
};

// What the image's headers say of its layout.
struct TImageLayout {
    std::uint32_t ImageBase = 0;
    std::uint32_t SymbolTable = 0;
    std::uint32_t SymbolCount = 0;
    std::vector<TSection> Sections;
};

// The DOS, PE and optional headers and the section table; false for anything but a 32-bit
// image with a symbol table.
bool ReadImageLayout(std::ifstream& in, TImageLayout& l)
{
    std::vector<char> b;
    if (!ReadAt(in, 0, 64, b) || b[0] != 'M' || b[1] != 'Z')
        return false;
    const auto peOffset = Get<std::uint32_t>(b, 0x3C);
    if (!ReadAt(in, peOffset, 24, b) || std::memcmp(b.data(), "PE\0\0", 4) != 0)
        return false;
    const auto sectionCount = Get<std::uint16_t>(b, 6);
    l.SymbolTable = Get<std::uint32_t>(b, 12);
    l.SymbolCount = Get<std::uint32_t>(b, 16);
    const auto optionalSize = Get<std::uint16_t>(b, 20);
    if (l.SymbolTable == 0 || l.SymbolCount == 0 || l.SymbolCount > 10'000'000)
        return false;
    std::vector<char> optional;
    if (!ReadAt(in, peOffset + 24, optionalSize, optional) || Get<std::uint16_t>(optional, 0) != 0x10B)
        return false;
    l.ImageBase = Get<std::uint32_t>(optional, 28);
    if (!ReadAt(in, peOffset + 24 + optionalSize, std::size_t(sectionCount) * 40, b))
        return false;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t at = i * 40;
        l.Sections.push_back({Get<std::uint32_t>(b, at + 12), Get<std::uint32_t>(b, at + 8),
                              (Get<std::uint32_t>(b, at + 36) & 0x20) != 0,
                              std::string(b.data() + at, strnlen(b.data() + at, 8)), Get<std::uint32_t>(b, at + 20),
                              std::min(Get<std::uint32_t>(b, at + 16), Get<std::uint32_t>(b, at + 8))});
    }
    return true;
}

// The symbol records and the string table after them.
struct TSymbolTable {
    std::vector<char> Symbols;
    std::vector<char> Strings;

    std::string StringAt(std::size_t offset) const
    {
        if (offset >= Strings.size())
            return {};
        return std::string(Strings.data() + offset, strnlen(Strings.data() + offset, Strings.size() - offset));
    }
    // A short name lies in the record itself, a long one in the string table.
    std::string NameOf(std::size_t at) const
    {
        if (Get<std::uint32_t>(Symbols, at) == 0)
            return StringAt(Get<std::uint32_t>(Symbols, at + 4));
        return std::string(Symbols.data() + at, strnlen(Symbols.data() + at, 8));
    }
    // Long section names ("/4") are offsets into the string table.
    std::string SectionName(const std::string& raw) const
    {
        if (raw.size() > 1 && raw[0] == '/')
            return StringAt(std::strtoul(raw.c_str() + 1, nullptr, 10));
        return raw;
    }
};

bool ReadSymbolTable(std::ifstream& in, const TImageLayout& l, TSymbolTable& t)
{
    if (!ReadAt(in, l.SymbolTable, std::size_t(l.SymbolCount) * 18, t.Symbols))
        return false;
    std::vector<char> sizeBytes;
    const std::uint64_t stringsAt = std::uint64_t(l.SymbolTable) + std::uint64_t(l.SymbolCount) * 18;
    if (ReadAt(in, stringsAt, 4, sizeBytes)) {
        const auto size = Get<std::uint32_t>(sizeBytes, 0);
        if (size > 4 && size < 512u * 1024 * 1024)
            ReadAt(in, stringsAt, size, t.Strings);
    }
    return true;
}

// The units (".file" records) and the functions of code sections, in the order of their
// addresses, each ending where the next one starts.
void CollectFunctions(const TImageLayout& layout, const TSymbolTable& table, std::vector<TVozozoFunction>& functions,
                      std::vector<std::string>& units)
{
    const std::vector<char>& symbols = table.Symbols;
    const std::vector<TSection>& sections = layout.Sections;
    units.push_back({});
    std::uint32_t unit = 0;
    for (std::uint32_t i = 0; i < layout.SymbolCount; ++i) {
        const std::size_t at = std::size_t(i) * 18;
        const auto value = Get<std::uint32_t>(symbols, at + 8);
        const auto section = Get<std::int16_t>(symbols, at + 12);
        const auto type = Get<std::uint16_t>(symbols, at + 14);
        const auto storage = static_cast<std::uint8_t>(symbols[at + 16]);
        const auto aux = static_cast<std::uint8_t>(symbols[at + 17]);
        if (storage == 103 && aux > 0 && i + 1 < layout.SymbolCount) {  // .file: its name in the aux records
            const std::size_t from = at + 18;
            const std::size_t length = std::min<std::size_t>(std::size_t(aux) * 18, symbols.size() - from);
            units.push_back(UnitOfFile(std::string(symbols.data() + from, strnlen(symbols.data() + from, length))));
            unit = static_cast<std::uint32_t>(units.size() - 1);
        } else if ((type & 0x30) == 0x20 && (storage == 2 || storage == 3) && section > 0 &&
                   static_cast<std::size_t>(section) <= sections.size() && sections[section - 1].Code) {
            const TSection& s = sections[section - 1];
            functions.push_back({s.Rva + value, s.Rva + s.Size, table.NameOf(at), unit});
        }
        i += aux;
    }
    std::sort(functions.begin(), functions.end(),
              [](const TVozozoFunction& a, const TVozozoFunction& b) { return a.Rva < b.Rva; });
    for (std::size_t i = 0; i + 1 < functions.size(); ++i)
        if (functions[i + 1].Rva < functions[i].End && functions[i + 1].Rva > functions[i].Rva)
            functions[i].End = functions[i + 1].Rva;
}

}  // namespace

bool TVozozoFunctionsList::LoadFromImageFile(const std::string& fileName)
{
    functions_.clear();
    units_.clear();
    lines_ = TVozozoLineTable();
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return false;
    TImageLayout layout;
    TSymbolTable table;
    if (!ReadImageLayout(in, layout) || !ReadSymbolTable(in, layout, table))
        return false;
    for (const TSection& section : layout.Sections) {
        std::vector<char> lineData;
        if (table.SectionName(section.RawName) == ".debug_line" && section.FileSize > 0 &&
            section.FileSize < 256u * 1024 * 1024 && ReadAt(in, section.FileOffset, section.FileSize, lineData))
            lines_.Load(lineData, layout.ImageBase);
    }
    CollectFunctions(layout, table, functions_, units_);
    return !functions_.empty();
}

const TVozozoFunction* TVozozoFunctionsList::Find(std::uint32_t rva) const
{
    auto it = std::upper_bound(functions_.begin(), functions_.end(), rva,
                               [](std::uint32_t v, const TVozozoFunction& f) { return v < f.Rva; });
    if (it == functions_.begin())
        return nullptr;
    --it;
    return rva < it->End ? &*it : nullptr;
}

TResolvedName TVozozoFunctionsList::Resolve(const TVozozoFunction& function) const
{
    TResolvedName r;
    r.UnitName = function.Unit < units_.size() ? units_[function.Unit] : std::string();
    SplitSymbolName(function.RawName, r.ClassName, r.ProcedureName);
    return r;
}

std::uint32_t TVozozoFunctionsList::FindByName(std::string_view qualifiedName) const
{
    for (const TVozozoFunction& f : functions_) {
        TResolvedName r = Resolve(f);
        std::string cls = r.ClassName;
        for (std::size_t at; (at = cls.find("::")) != std::string::npos;)
            cls.replace(at, 2, ".");
        std::string name = r.UnitName + "." + (cls.empty() ? "" : cls + ".") + r.ProcedureName;
        if (name == qualifiedName)
            return f.Rva;
    }
    return 0;
}

}  // namespace crashlog
