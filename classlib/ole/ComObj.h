#pragma once
// COM helpers: an owning interface pointer, BSTR and VARIANT owners, the apartment scope, and
// HRESULT checks that raise EOleException. Windows only.
#include <windows.h>
#include <oleauto.h>
#include <objbase.h>

#include <string>
#include <string_view>
#include <utility>

#include "classlib/system/SysUtils.h"

namespace cl {

// Raises EOleException for a failed HRESULT: the message is the system's text for the code
// (or "OLE error XXXXXXXX"), with the object's IErrorInfo description when it left one.
[[noreturn]] void OleError(HRESULT hr);
inline void OleCheck(HRESULT hr)
{
    if (FAILED(hr))
        OleError(hr);
}

// Owns one reference to a COM interface.
template <class T>
class TComPtr {
public:
    TComPtr() = default;
    TComPtr(std::nullptr_t) {}
    // Takes over a reference the caller already holds.
    static TComPtr Attach(T* raw)
    {
        TComPtr p;
        p.ptr_ = raw;
        return p;
    }
    TComPtr(const TComPtr& other) : ptr_(other.ptr_)
    {
        if (ptr_)
            ptr_->AddRef();
    }
    TComPtr(TComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    TComPtr& operator=(TComPtr other) noexcept
    {
        std::swap(ptr_, other.ptr_);
        return *this;
    }
    ~TComPtr() { Reset(); }

    void Reset()
    {
        if (T* p = std::exchange(ptr_, nullptr))
            p->Release();
    }
    T* Detach() { return std::exchange(ptr_, nullptr); }
    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    // For out parameters: drops what it held and hands out the slot.
    T** Put()
    {
        Reset();
        return &ptr_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    // Another interface of the same object; empty when the object does not have it.
    template <class U>
    TComPtr<U> Query(REFIID iid) const
    {
        TComPtr<U> result;
        if (ptr_)
            ptr_->QueryInterface(iid, result.PutVoid());
        return result;
    }

private:
    T* ptr_ = nullptr;
};

// Creates an in-process object; raises EOleException when the class is missing or refuses.
template <class T>
TComPtr<T> CreateComObject(REFCLSID clsid, REFIID iid)
{
    TComPtr<T> result;
    OleCheck(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, result.PutVoid()));
    return result;
}

// Owns a BSTR.
class TBStr {
public:
    TBStr() = default;
    explicit TBStr(std::wstring_view text);
    // From the system code page, converted straight into the BSTR.
    static TBStr FromString(std::string_view text);
    TBStr(const TBStr&) = delete;
    TBStr& operator=(const TBStr&) = delete;
    TBStr(TBStr&& other) noexcept : str_(std::exchange(other.str_, nullptr)) {}
    TBStr& operator=(TBStr&& other) noexcept;
    ~TBStr() { Reset(); }

    void Reset();
    BSTR Get() const { return str_; }
    BSTR Detach() { return std::exchange(str_, nullptr); }
    BSTR* Put()
    {
        Reset();
        return &str_;
    }
    std::wstring ToWide() const { return str_ ? std::wstring(str_, SysStringLen(str_)) : std::wstring(); }
    std::string ToString() const { return WideToString(ToWide()); }

private:
    BSTR str_ = nullptr;
};

// Owns a VARIANT (cleared on destruction and before reuse as an out parameter).
class TVariant {
public:
    TVariant() { VariantInit(&v_); }
    explicit TVariant(bool value);
    explicit TVariant(int value);
    explicit TVariant(std::wstring_view value);
    // Holds its own reference to the object.
    explicit TVariant(IUnknown* value);
    // Takes the string over.
    explicit TVariant(TBStr&& value);
    static TVariant FromString(std::string_view value) { return TVariant(TBStr::FromString(value)); }
    static TVariant Null();
    TVariant(const TVariant& other);
    TVariant& operator=(const TVariant& other);
    TVariant(TVariant&& other) noexcept;
    TVariant& operator=(TVariant&& other) noexcept;
    ~TVariant() { VariantClear(&v_); }

    const VARIANT& Get() const { return v_; }
    // Passing by value into a COM call: the callee gets a shallow copy and must not free it.
    VARIANT In() const { return v_; }
    VARIANT* Put()
    {
        VariantClear(&v_);
        return &v_;
    }
    VARTYPE Type() const { return v_.vt; }
    bool IsNull() const { return v_.vt == VT_NULL; }
    bool IsEmpty() const { return v_.vt == VT_EMPTY; }

    // Empty converts to ""; Null raises EVariantTypeCastError
    // "Could not convert variant of type (Null) into type (String)".
    std::wstring ToWide() const;
    std::string ToString() const;

private:
    VARIANT v_;
};

// Joins the calling thread to a single-threaded apartment for the scope's lifetime. A thread
// already in another apartment keeps it (and is not left by this scope).
class TComApartment {
public:
    explicit TComApartment(DWORD model = COINIT_APARTMENTTHREADED);
    ~TComApartment();
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;

private:
    bool joined_ = false;
};

}  // namespace cl
