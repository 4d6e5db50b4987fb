// BENCH lines for the exception logger.
#include <chrono>
#include <cstdio>
#include <cxxabi.h>
#include <filesystem>
#include <new>
#include <typeinfo>

#include <windows.h>

#include "classlib/system/ExceptionHooks.h"
#include "classlib/system/SysUtils.h"
#include "crashlog/ExceptionLog.h"

extern "C" [[noreturn]] void __real___cxa_throw(void* object, std::type_info* type, void (*destructor)(void*));

namespace {

using Clock = std::chrono::steady_clock;

struct TPlainError {
    int Code;
};

void DestroyPlain(void* object)
{
    static_cast<TPlainError*>(object)->~TPlainError();
}

// A throw that bypasses the logger's wrapper: what every throw cost before the logger.
[[noreturn]] __attribute__((noinline)) void PlainThrow(int code)
{
    void* object = __cxa_allocate_exception(sizeof(TPlainError));
    new (object) TPlainError{code};
    __real___cxa_throw(object, const_cast<std::type_info*>(&typeid(TPlainError)), DestroyPlain);
}

[[noreturn]] __attribute__((noinline)) void WrappedThrow(int code)
{
    throw TPlainError{code};
}

volatile int sink = 0;

__attribute__((noinline)) int Deep(int depth, bool wrapped)
{
    if (depth < 0)
        return 0;
    if (depth == 0) {
        if (wrapped)
            WrappedThrow(depth);
        PlainThrow(depth);
    }
    const int r = Deep(depth - 1, wrapped) + 1;
    sink = r;
    return r;
}

double ThrowCatchMicroseconds(bool wrapped, int depth, int rounds)
{
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        try {
            Deep(depth, wrapped);
        } catch (const TPlainError& e) {
            sink = e.Code;
        }
    }
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / rounds;
}

__attribute__((noinline)) int DeepConvert(int depth)
{
    if (depth == 0)
        throw cl::EConvertError("'x' is not a valid integer value");
    const int r = DeepConvert(depth - 1) + 1;
    sink = r;
    return r;
}

double ReportMilliseconds(int rounds, bool log)
{
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        try {
            DeepConvert(30);
        } catch (...) {
            if (log)
                cl::ExceptionHooks().OnException(std::current_exception(), nullptr, cl::TCatchPoint::Application);
        }
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}

void Line(const char* name, double value, const char* unit, double ref, const char* target)
{
    std::printf("BENCH %s value=%.3f unit=%s ref=%.3f ratio=%.3f target=%s\n", name, value, unit, ref,
                ref > 0 ? value / ref : 0.0, target);
}

}  // namespace

int main()
{
    if (!crashlog::InitExceptionLog()) {
        std::printf("the benchmark carries no logger data\n");
        return 1;
    }
    const auto dir = std::filesystem::temp_directory_path() / "crashlog-bench";
    std::filesystem::create_directories(dir);
    crashlog::TVozozoModuleOptionsEx* options = crashlog::MainModuleOptions();
    options->NoOutput = true;
    options->OutputPath = (dir / "bench.elf").string();

    // Warm up: the unwinder's tables, the symbols of the program, the log file.
    ThrowCatchMicroseconds(false, 10, 200);
    ThrowCatchMicroseconds(true, 10, 200);
    ReportMilliseconds(2, true);

    const double plain = ThrowCatchMicroseconds(false, 10, 20000);
    const double wrapped = ThrowCatchMicroseconds(true, 10, 20000);
    Line("crashlog_wrapped_throw_caught", wrapped, "us", plain, "2");

    const double report = ReportMilliseconds(20, true);
    const double throwOnly = ReportMilliseconds(20, false);
    // An absolute budget (100 ms), reported only.
    Line("crashlog_throw_to_log_entry_30_frames", report, "ms", throwOnly, "-");

    std::filesystem::remove_all(dir);
    crashlog::DoneExceptionLog();
    return 0;
}
