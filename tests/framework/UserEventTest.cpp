// User events: posted from any thread, raised on the window's own thread in
// posting order.

#include "EventProbe.h"
#include "WErrors.h"
#include "WModelessDialog.h"
#include "WModuleHandle.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(UserEvent, PostedFromAWorkerThreadArriveOnTheWindowsThreadInOrder)
{
    WModelessDialog form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    std::vector<uint32_t> values;
    std::vector<DWORD> threads;
    EventProbe probe([&](WObject*, WEventData* data) {
        values.push_back(static_cast<WUserEventData*>(data)->value);
        threads.push_back(GetCurrentThreadId());
        return false;
    });
    probe.Listen(form, UserEvent);

    constexpr uint32_t Count = 200;
    bool allPosted = true;
    std::thread worker([&] {
        for (uint32_t value = 1; value <= Count; ++value)
            allPosted = form.PostUserEvent(value) && allPosted;
    });
    worker.join();
    ASSERT_TRUE(allPosted);
    ASSERT_TRUE(PumpMessagesUntil([&] { return values.size() == Count; }));
    for (uint32_t index = 0; index < Count; ++index)
        ASSERT_EQ(values[index], index + 1);
    for (DWORD thread : threads)
        ASSERT_EQ(thread, GetCurrentThreadId());
}

TEST(UserEvent, HandlerResultIsTheMessageResult)
{
    WModelessDialog form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    EventProbe probe([&](WObject*, WEventData* data) {
        data->returnValue = static_cast<int32_t>(static_cast<WUserEventData*>(data)->value) * 2;
        return true;
    });
    probe.Listen(form, UserEvent);
    EXPECT_EQ(form.Send(WWindow::PrivateMessage(), WWindow::PrivateUserEvent, 21), 42);
}

TEST(UserEvent, WindowWithoutHandleCannotPost)
{
    WModelessDialog form;
    SetLastError(0);
    EXPECT_FALSE(form.PostUserEvent(7));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(WErrorUserEventNotPosted));
}

}  // namespace
