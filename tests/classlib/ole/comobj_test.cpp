// COM helpers: ownership and the conversions the XML layer relies on.
#include <gtest/gtest.h>

#include "classlib/ole/ComObj.h"

using namespace cl;

TEST(ComObj, NullVariantRaisesOnStringConversion)
{
    TVariant null = TVariant::Null();
    try {
        null.ToString();
        FAIL() << "no error";
    } catch (const EVariantTypeCastError& e) {
        EXPECT_STREQ(e.what(), "Could not convert variant of type (Null) into type (String)");
    }
    EXPECT_EQ(TVariant().ToString(), "");
    EXPECT_EQ(TVariant(42).ToString(), "42");
    EXPECT_EQ(TVariant::FromString("a\xe9").ToString(), "a\xe9");
}

TEST(ComObj, VariantCopiesAreIndependent)
{
    TVariant a(std::wstring_view(L"text"));
    TVariant b = a;
    a = TVariant(1);
    EXPECT_EQ(b.ToWide(), L"text");
    TVariant c = std::move(b);
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(c.ToWide(), L"text");
}

TEST(ComObj, FailedHResultRaisesOleException)
{
    try {
        OleCheck(E_NOINTERFACE);
        FAIL() << "no error";
    } catch (const EOleException& e) {
        EXPECT_EQ(e.ErrorCode(), static_cast<std::int32_t>(E_NOINTERFACE));
        EXPECT_FALSE(e.Message().empty());
    }
    EXPECT_NO_THROW(OleCheck(S_FALSE));
}

TEST(ComObj, MissingClassRaises)
{
    TComApartment apartment;
    const GUID nowhere = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_THROW(CreateComObject<IUnknown>(nowhere, IID_IUnknown), EOleException);
}
