#include <gtest/gtest.h>

#include <stdexcept>

#include "classlib/system/SysUtils.h"
#include "crashlog/EExceptInfo.h"
#include "crashlog/EOptions.h"

using namespace crashlog;

TEST(ExceptionDescription, LayerStandardAndForeignObjects)
{
    TExceptionDescription d = DescribeException(std::make_exception_ptr(cl::EConvertError("'x' is not a number")));
    EXPECT_EQ(d.ClassName, "EConvertError");
    EXPECT_EQ(d.Message, "'x' is not a number");
    EXPECT_TRUE(d.IsException);
    EXPECT_FALSE(d.IsAbort);

    d = DescribeException(std::make_exception_ptr(std::runtime_error("disk full")));
    EXPECT_EQ(d.ClassName, "std::runtime_error");
    EXPECT_EQ(d.Message, "disk full");
    EXPECT_TRUE(d.IsException);

    d = DescribeException(std::make_exception_ptr(42));
    EXPECT_EQ(d.ClassName, "int");
    EXPECT_EQ(d.Message, "");
    EXPECT_FALSE(d.IsException);

    struct ESilent : cl::EAbort {
        using cl::EAbort::EAbort;
    };
    EXPECT_TRUE(DescribeException(std::make_exception_ptr(ESilent("quiet"))).IsAbort);
    EXPECT_EQ(DescribeException(nullptr).ClassName, "");
}

TEST(ExceptionDescription, ObjectAddressIsTheThrownObject)
{
    std::exception_ptr p;
    const void* caught = nullptr;
    try {
        throw std::runtime_error("x");
    } catch (const std::exception& e) {
        caught = &e;
        p = std::current_exception();
    }
    EXPECT_EQ(ExceptionObjectAddress(p), caught);
}

TEST(ExceptionFilter, MatchesTheClassOrAnAncestorTrimmedAndWithoutCase)
{
    TVozozoModuleOptions o("x.exe");
    o.FilterClasses = {"EFoo", "  estreamerror "};
    o.FilterMessages = {"", "Stream trouble."};
    EXPECT_EQ(FindExceptionFilter(o, DescribeException(std::make_exception_ptr(cl::EReadError("r")))), 1);
    EXPECT_EQ(FindExceptionFilter(o, DescribeException(std::make_exception_ptr(cl::EConvertError("c")))), -1);
    o.FilterClasses = {"exception"};
    EXPECT_EQ(FindExceptionFilter(o, DescribeException(std::make_exception_ptr(std::logic_error("l")))), 0);
    EXPECT_EQ(FindExceptionFilter(o, DescribeException(std::make_exception_ptr(7))), -1);
}
