#include "classlib/ole/ComObj.h"

#include "classlib/system/CoreConsts.h"

namespace cl {

namespace {

std::string VariantTypeName(VARTYPE vt)
{
    switch (vt & VT_TYPEMASK) {
    case VT_EMPTY: return "Empty";
    case VT_NULL: return "Null";
    case VT_I2: return "Smallint";
    case VT_I4: return "Integer";
    case VT_R4: return "Single";
    case VT_R8: return "Double";
    case VT_CY: return "Currency";
    case VT_DATE: return "Date";
    case VT_BSTR: return "String";
    case VT_DISPATCH: return "Dispatch";
    case VT_ERROR: return "Error";
    case VT_BOOL: return "Boolean";
    case VT_VARIANT: return "Variant";
    case VT_UNKNOWN: return "Unknown";
    case VT_I1: return "ShortInt";
    case VT_UI1: return "Byte";
    case VT_UI2: return "Word";
    case VT_UI4: return "LongWord";
    case VT_I8: return "Int64";
    default: return Format("%.4x", unsigned(vt));
    }
}

// The description an object left with SetErrorInfo, if any.
std::string TakeErrorInfo(std::string& source)
{
    IErrorInfo* raw = nullptr;
    if (GetErrorInfo(0, &raw) != S_OK || !raw)
        return {};
    TComPtr<IErrorInfo> info = TComPtr<IErrorInfo>::Attach(raw);
    TBStr description, src;
    info->GetDescription(description.Put());
    info->GetSource(src.Put());
    source = src.ToString();
    return Trim(description.ToString());
}

}  // namespace

void OleError(HRESULT hr)
{
    std::string source;
    std::string message = TakeErrorInfo(source);
    if (message.empty())
        message = SysErrorMessage(static_cast<std::uint32_t>(hr));
    if (message.empty())
        message = Format(consts::SOleError, static_cast<unsigned>(hr));
    throw EOleException(message, static_cast<std::int32_t>(hr), source);
}

TBStr::TBStr(std::wstring_view text) : str_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
{
    if (!str_)
        throw EOutOfMemory(consts::SOutOfMemory);
}

TBStr TBStr::FromString(std::string_view text)
{
    TBStr result;
    int length = text.empty() ? 0
                              : MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    result.str_ = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (!result.str_)
        throw EOutOfMemory(consts::SOutOfMemory);
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.str_, length);
    return result;
}

TBStr& TBStr::operator=(TBStr&& other) noexcept
{
    if (this != &other) {
        Reset();
        str_ = std::exchange(other.str_, nullptr);
    }
    return *this;
}

void TBStr::Reset()
{
    if (str_) {
        SysFreeString(str_);
        str_ = nullptr;
    }
}

TVariant::TVariant(bool value) : TVariant()
{
    v_.vt = VT_BOOL;
    v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

TVariant::TVariant(int value) : TVariant()
{
    v_.vt = VT_I4;
    v_.lVal = value;
}

TVariant::TVariant(std::wstring_view value) : TVariant()
{
    v_.bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    if (!v_.bstrVal)
        throw EOutOfMemory(consts::SOutOfMemory);
    v_.vt = VT_BSTR;
}

TVariant::TVariant(TBStr&& value) : TVariant()
{
    BSTR text = value.Detach();
    if (!text)
        text = SysAllocStringLen(nullptr, 0);
    if (!text)
        throw EOutOfMemory(consts::SOutOfMemory);
    v_.vt = VT_BSTR;
    v_.bstrVal = text;
}

TVariant::TVariant(IUnknown* value) : TVariant()
{
    v_.vt = VT_UNKNOWN;
    v_.punkVal = value;
    if (value)
        value->AddRef();
}

TVariant TVariant::Null()
{
    TVariant v;
    v.v_.vt = VT_NULL;
    return v;
}

TVariant::TVariant(const TVariant& other) : TVariant()
{
    OleCheck(VariantCopy(&v_, const_cast<VARIANT*>(&other.v_)));
}

TVariant& TVariant::operator=(const TVariant& other)
{
    if (this != &other)
        OleCheck(VariantCopy(&v_, const_cast<VARIANT*>(&other.v_)));
    return *this;
}

TVariant::TVariant(TVariant&& other) noexcept : v_(other.v_)
{
    VariantInit(&other.v_);
}

TVariant& TVariant::operator=(TVariant&& other) noexcept
{
    if (this != &other) {
        VariantClear(&v_);
        v_ = other.v_;
        VariantInit(&other.v_);
    }
    return *this;
}

std::wstring TVariant::ToWide() const
{
    if (v_.vt == VT_EMPTY)
        return {};
    if (v_.vt == VT_BSTR)
        return v_.bstrVal ? std::wstring(v_.bstrVal, SysStringLen(v_.bstrVal)) : std::wstring();
    VARIANT converted;
    VariantInit(&converted);
    if (v_.vt == VT_NULL || FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&v_), 0, VT_BSTR)))
        throw EVariantTypeCastError(Format(consts::SVarTypeCastError,
                                           VariantTypeName(v_.vt), "String"));
    std::wstring result(converted.bstrVal, SysStringLen(converted.bstrVal));
    VariantClear(&converted);
    return result;
}

std::string TVariant::ToString() const
{
    // The common case without the intermediate copy: a directory reads thousands of these.
    if (v_.vt == VT_BSTR)
        return v_.bstrVal ? WideToString(std::wstring_view(v_.bstrVal, SysStringLen(v_.bstrVal))) : std::string();
    return WideToString(ToWide());
}

TComApartment::TComApartment(DWORD model)
{
    HRESULT hr = CoInitializeEx(nullptr, model);
    // S_FALSE: already in this apartment; it still has to be balanced.
    joined_ = SUCCEEDED(hr);
}

TComApartment::~TComApartment()
{
    if (joined_)
        CoUninitialize();
}

}  // namespace cl
