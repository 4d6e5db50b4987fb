#pragma once
// The root of the layer: TObject (class name and ancestry by name), small Delphi-style sets.
// Everything of the layer lives in namespace cl.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace cl {

// 8-bit strings in the system code page (Delphi's AnsiString) and the 16-bit strings of COM.
using AnsiString = std::string;
using String = std::string;
using WideString = std::wstring;

// The root class. Class names and ancestry come from the C++ run-time type information of the
// dynamic type (no per-class macro): ClassName() of a cl::EConvertError is "EConvertError".
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = default;
    TObject& operator=(const TObject&) = default;
    virtual ~TObject() = default;

    // The unqualified name of the dynamic class ("TComponent", "EReadError"). Virtual so that
    // an object may stand in for another class (the exception logger's fault objects).
    virtual std::string ClassName() const;
    // Case-insensitive, like Delphi's ClassNameIs.
    bool ClassNameIs(std::string_view name) const;
    // True when the dynamic class or any of its ancestors (all bases) has this unqualified name
    // (case-insensitive). "Exception" answers true for every exception of the layer.
    bool InheritsFrom(std::string_view name) const;
    // The dynamic class, then its primary ancestors up to the root ("EReadError", "EFilerError",
    // "EStreamError", "Exception", "TObject").
    std::vector<std::string> ClassAncestry() const;

    // Runs BeforeDestruction() while the whole object is alive, then deletes it. Only for
    // objects created with new. A component removes itself from its owner here.
    void Free();

protected:
    // Called by Free() before the destructor; components do their tear-down here.
    virtual void BeforeDestruction() {}
};

// Frees and clears a pointer (nullptr is allowed).
template <class T>
void FreeAndNil(T*& object)
{
    T* doomed = object;
    object = nullptr;
    if (doomed)
        doomed->Free();
}

// A Delphi-style set over an enumeration whose values are 0..63 (csLoading, fsBold, ...).
//   TSet<TFontStyle> style{fsBold, fsItalic}; style.Contains(fsBold); style += fsUnderline;
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items)
    {
        for (E e : items)
            bits_ |= bit(e);
    }
    static constexpr TSet FromBits(std::uint64_t bits)
    {
        TSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return bits_; }
    constexpr bool Contains(E e) const { return (bits_ & bit(e)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E e) { bits_ |= bit(e); return *this; }
    constexpr TSet& Exclude(E e) { bits_ &= ~bit(e); return *this; }
    constexpr TSet& operator+=(E e) { return Include(e); }
    constexpr TSet& operator-=(E e) { return Exclude(e); }
    constexpr TSet& operator+=(TSet o) { bits_ |= o.bits_; return *this; }
    constexpr TSet& operator-=(TSet o) { bits_ &= ~o.bits_; return *this; }
    constexpr TSet& operator*=(TSet o) { bits_ &= o.bits_; return *this; }
    friend constexpr TSet operator+(TSet a, TSet b) { return a += b; }
    friend constexpr TSet operator-(TSet a, TSet b) { return a -= b; }
    friend constexpr TSet operator*(TSet a, TSet b) { return a *= b; }
    friend constexpr TSet operator+(TSet a, E e) { return a += e; }
    friend constexpr TSet operator-(TSet a, E e) { return a -= e; }
    friend constexpr bool operator==(TSet a, TSet b) { return a.bits_ == b.bits_; }
    friend constexpr bool operator!=(TSet a, TSet b) { return a.bits_ != b.bits_; }
    // a <= b: every member of a is in b.
    friend constexpr bool operator<=(TSet a, TSet b) { return (a.bits_ & ~b.bits_) == 0; }

private:
    static constexpr std::uint64_t bit(E e) { return std::uint64_t(1) << static_cast<unsigned>(e); }
    std::uint64_t bits_ = 0;
};

}  // namespace cl
