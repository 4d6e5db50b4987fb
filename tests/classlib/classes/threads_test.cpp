// TThread: start, Synchronize, WaitFor, exceptions, FreeOnTerminate.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "classlib/system/ExceptionHooks.h"
#include "classlib/classes/Threads.h"

using namespace cl;

namespace {

class TWorker : public TThread {
public:
    explicit TWorker(bool suspended, std::function<void(TWorker*)> body = {})
        : TThread(suspended), Body(std::move(body))
    {
    }
    std::function<void(TWorker*)> Body;
    using TThread::SetReturnValue;
    using TThread::Synchronize;

protected:
    void Execute() override
    {
        if (Body)
            Body(this);
    }
};

}  // namespace

TEST(CoreThreads, SuspendedThreadRunsAfterStartAndSynchronizes)
{
    std::atomic<int> steps{0};
    bool ranInMain = false;
    auto* t = new TWorker(true);
    t->Body = [&](TWorker* self) {
        ++steps;
        self->Synchronize([&] { ranInMain = IsMainThread(); });
        self->SetReturnValue(7);
    };
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(steps.load(), 0);
    EXPECT_TRUE(t->Suspended());
    t->Start();
    EXPECT_EQ(t->WaitFor(), 7u);  // serves the synchronized call meanwhile
    EXPECT_TRUE(ranInMain);
    EXPECT_TRUE(t->Finished());
    EXPECT_EQ(steps.load(), 1);
    t->Free();
}

TEST(CoreThreads, ExceptionsAreCaughtAndReported)
{
    static std::atomic<int> hookCalls{0};
    static TCatchPoint lastPoint;
    TExceptionHooks saved = ExceptionHooks();
    hookCalls = 0;
    ExceptionHooks().OnException = [](std::exception_ptr, TObject*, TCatchPoint where) {
        lastPoint = where;
        ++hookCalls;
        return true;
    };
    auto* t = NewThread<TWorker>(false, [](TWorker*) { throw EConvertError("bad"); });
    t->WaitFor();
    ASSERT_TRUE(t->FatalException());
    try {
        std::rethrow_exception(t->FatalException());
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "bad");
    }
    EXPECT_EQ(hookCalls.load(), 1);
    EXPECT_EQ(lastPoint, TCatchPoint::Thread);
    t->Free();
    // A synchronized call that fails re-raises in the thread.
    auto* s = NewThread<TWorker>(false, [](TWorker* self) { self->Synchronize([] { throw EAbort("stop"); }); });
    s->WaitFor();
    try {
        std::rethrow_exception(s->FatalException());
    } catch (const EAbort& e) {
        EXPECT_EQ(e.Message(), "stop");
    }
    EXPECT_EQ(hookCalls.load(), 3);  // Synchronize, then the thread's catch-all
    s->Free();
    ExceptionHooks() = saved;
}

TEST(CoreThreads, FreeOnTerminateAndOnTerminateInTheMainThread)
{
    bool terminated = false, inMain = false;
    auto* t = new TWorker(true);
    t->SetFreeOnTerminate(true);
    t->OnTerminate = [&](TObject* sender) {
        terminated = true;
        inMain = IsMainThread();
    };
    t->Start();
    // Serve the OnTerminate call; the object frees itself afterwards.
    for (int i = 0; i < 500 && !terminated; ++i)
        CheckSynchronize(10);
    EXPECT_TRUE(terminated);
    EXPECT_TRUE(inMain);
}

namespace {

// Its Execute reads a member set by its own constructor, and its constructor takes a while (it
// waits, within a bound, for Execute to have begun): a thread started from the base constructor
// shows here as an Execute that ran on a half-built object.
class TLateMember : public TThread {
public:
    explicit TLateMember(bool suspended) : TThread(suspended)
    {
        for (int i = 0; i < 200 && !began_; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        built_ = true;
    }
    std::atomic<bool> SawBuilt{false};

protected:
    void Execute() override
    {
        SawBuilt = built_.load();
        began_ = true;
    }

private:
    std::atomic<bool> began_{false};
    std::atomic<bool> built_{false};
};

}  // namespace

TEST(CoreThreads, AThreadCreatedRunningStartsOnlyOnceItIsBuilt)
{
    auto* t = NewThread<TLateMember>(false);
    t->WaitFor();
    EXPECT_TRUE(t->SawBuilt.load());
    t->Free();
    // Made without NewThread, it waits for Start like a suspended one.
    auto* plain = new TLateMember(false);
    EXPECT_TRUE(plain->Suspended());
    plain->Start();
    plain->WaitFor();
    EXPECT_TRUE(plain->SawBuilt.load());
    plain->Free();
}

TEST(CoreThreads, DestroyingARunningThreadTerminatesAndWaits)
{
    std::atomic<bool> sawTerminate{false};
    std::atomic<bool> running{false};
    auto* t = NewThread<TWorker>(false, [&](TWorker* self) {
        running = true;
        while (!self->Terminated())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        sawTerminate = true;
    });
    for (int i = 0; i < 10000 && !running; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    t->Free();
    EXPECT_TRUE(sawTerminate.load());
    // A never-started thread is freed cleanly too (its Execute is skipped).
    bool ran = false;
    auto* never = new TWorker(true);
    never->Body = [&](TWorker*) { ran = true; };
    never->Free();
    EXPECT_FALSE(ran);
    EXPECT_FALSE(CheckSynchronize());  // nothing queued
}
