#include "WSemaphore.h"

#include "WThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(CountSemaphore, WaitTakesACountOnlyWhenThereIsOne)
{
    WCountSemaphore semaphore;
    ASSERT_TRUE(semaphore.Create(nullptr, 0, 1));
    EXPECT_FALSE(semaphore.Wait(0));
    EXPECT_TRUE(semaphore.Release());
    EXPECT_TRUE(semaphore.Wait(0));
    EXPECT_FALSE(semaphore.Wait(0));
}

TEST(CountSemaphore, ReleaseAtTheMaximumFails)
{
    WCountSemaphore semaphore;
    ASSERT_TRUE(semaphore.Create(nullptr, 1, 1));
    EXPECT_FALSE(semaphore.Release());
    EXPECT_TRUE(semaphore.Wait(0));
    EXPECT_TRUE(semaphore.Unlock());
}

TEST(CountSemaphore, LockIsTrueAfterItsTimeOutUnlikeWait)
{
    WCountSemaphore semaphore;
    ASSERT_TRUE(semaphore.Create(nullptr, 0, 1));
    ULONGLONG started = GetTickCount64();
    EXPECT_TRUE(semaphore.Lock(60));
    EXPECT_GE(GetTickCount64() - started, 40u);
    EXPECT_FALSE(semaphore.Wait(0));
}

TEST(CountSemaphore, WithoutHandleEverythingFailsAndCreateWorksOnce)
{
    WCountSemaphore semaphore;
    EXPECT_FALSE(semaphore.Wait(0));
    EXPECT_FALSE(semaphore.Lock(0));
    EXPECT_FALSE(semaphore.Release());
    ASSERT_TRUE(semaphore.Create(nullptr, 1, 1));
    HANDLE first = semaphore.GetHandle();
    EXPECT_FALSE(semaphore.Create(nullptr, 0, 5));
    EXPECT_EQ(semaphore.GetHandle(), first);
}

// The hand-over the serial port makes: a reader thread waits for the slot
// before it fills the buffer; the user-interface thread gives it back.
TEST(CountSemaphore, HandsABufferSlotFromThreadToThread)
{
    WCountSemaphore slot;
    ASSERT_TRUE(slot.Create(nullptr, 1, 1));
    std::atomic<int32_t> filled{0};
    std::thread reader([&] {
        for (int32_t i = 0; i < 3; ++i) {
            slot.Wait(INFINITE);
            ++filled;
        }
    });
    for (int32_t expected = 1; expected <= 3; ++expected) {
        ULONGLONG deadline = GetTickCount64() + 5000;
        while (filled < expected && GetTickCount64() < deadline)
            WCurrentThread::Sleep(1);
        ASSERT_EQ(filled, expected);
        slot.Release();
    }
    reader.join();
}

TEST(EventSemaphore, LockWaitsUntilSet)
{
    WEventSemaphore event;
    ASSERT_TRUE(event.Create(nullptr, true, false));
    EXPECT_FALSE(event.Lock(0));
    EXPECT_TRUE(event.Unlock());
    EXPECT_TRUE(event.Lock(0));
    EXPECT_TRUE(event.Reset());
    EXPECT_FALSE(event.Lock(0));
}

TEST(SemaphoreLock, GuardsAScope)
{
    WCountSemaphore semaphore;
    ASSERT_TRUE(semaphore.Create(nullptr, 1, 1));
    {
        WSemaphoreLock guard(&semaphore);
        EXPECT_FALSE(semaphore.Wait(0));
    }
    EXPECT_TRUE(semaphore.Wait(0));
}

DWORD Twice(void* argument)
{
    return 2 * *static_cast<DWORD*>(argument);
}

TEST(Thread, RunsItsFunctionAndGivesItsExitCode)
{
    WThread thread;
    DWORD argument = 21;
    ASSERT_TRUE(thread.Start(Twice, &argument));
    EXPECT_FALSE(thread.Start(Twice, &argument));
    EXPECT_NE(thread.GetId(), 0u);
    ASSERT_TRUE(thread.Wait(5000));
    EXPECT_EQ(thread.GetExitCode(), 42u);
}

}  // namespace
