#include "WApplication.h"

#include "TestWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// The program's side of an application: start, run and end handlers that log
// their calls and do what the test asks of them.
class ProgramHandlers : public WObject {
public:
    explicit ProgramHandlers(WApplication& application) : application(application)
    {
        application.AddEventHandler(StartEvent, this, W_HANDLER(&ProgramHandlers::OnStart));
        application.AddEventHandler(RunEvent, this, W_HANDLER(&ProgramHandlers::OnRun));
        application.AddEventHandler(EndEvent, this, W_HANDLER(&ProgramHandlers::OnEnd));
    }

    bool OnStart(WObject*, WEventData* data)
    {
        log.push_back("start");
        if (abortStart) {
            auto* record = static_cast<WApplicationEventData*>(data);
            record->abort = true;
            record->exitCode = -1;
        }
        return false;
    }

    bool OnRun(WObject*, WEventData* data)
    {
        log.push_back("run");
        if (run)
            run(*static_cast<WApplicationEventData*>(data));
        return false;
    }

    bool OnEnd(WObject*, WEventData*)
    {
        log.push_back("end");
        if (end)
            end();
        return false;
    }

    WApplication& application;
    std::vector<std::string> log;
    bool abortStart = false;
    std::function<void(WApplicationEventData&)> run;
    std::function<void()> end;
};

int32_t Execute(WApplication& application)
{
    return application.Execute(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW);
}

// Runs the loop and stores what WM_QUIT carried as the exit code, as the
// program's run handler does.
void RunLoopIntoExitCode(WApplicationEventData& data, bool* endedWithQuit = nullptr)
{
    MSG last{};
    bool quit = WApplication::RunMessageLoop(&last);
    data.exitCode = static_cast<int32_t>(last.wParam);
    if (endedWithQuit != nullptr)
        *endedWithQuit = quit;
}

// A window that notes the application messages it receives, by their
// number above WM_APP.
struct AppMessageWindow {
    std::vector<UINT> received;
    TestWindow window{[this](UINT message, WPARAM, LPARAM) {
        received.push_back(message - WM_APP);
        return LRESULT{0};
    }};

    HWND Handle() const { return window.Handle(); }
};

class ApplicationTest : public ::testing::Test {
protected:
    void TearDown() override { DrainMessageQueue(); }
};

TEST_F(ApplicationTest, StartAbortSkipsRunButNotEndAndGivesItsExitCode)
{
    WApplication application;
    ProgramHandlers program(application);
    program.abortStart = true;

    EXPECT_EQ(Execute(application), -1);
    EXPECT_EQ(program.log, (std::vector<std::string>{"start", "end"}));
}

TEST_F(ApplicationTest, ExecuteRunsStartRunEndAndReturnsTheRunsExitCode)
{
    WApplication application;
    ProgramHandlers program(application);
    application.GetEventData().abort = true;
    application.GetEventData().exitCode = 17;
    program.run = [](WApplicationEventData& data) { data.exitCode += 5; };

    EXPECT_EQ(Execute(application), 5);
    EXPECT_EQ(program.log, (std::vector<std::string>{"start", "run", "end"}));
    EXPECT_EQ(application.GetMainThreadId(), GetCurrentThreadId());
    EXPECT_EQ(application.GetInstance(), GetModuleHandleA(nullptr));
}

class QuitFromWorker : public ApplicationTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(QuitFromWorker, EndsTheMainLoopWithTheExitCode)
{
    WApplication application;
    ProgramHandlers program(application);
    bool endedWithQuit = false;
    program.run = [&](WApplicationEventData& data) {
        data.exitCode = 99;
        std::thread worker([&] { application.Quit(GetParam()); });
        RunLoopIntoExitCode(data, &endedWithQuit);
        worker.join();
    };

    EXPECT_EQ(Execute(application), GetParam());
    EXPECT_TRUE(endedWithQuit);
}

INSTANTIATE_TEST_SUITE_P(Codes, QuitFromWorker, ::testing::Values(0, 3, -1));

TEST_F(ApplicationTest, QuitOnTheMainThreadEndsTheLoopWithTheExitCode)
{
    WApplication application;
    ProgramHandlers program(application);
    program.run = [&](WApplicationEventData& data) {
        application.Quit(6);
        RunLoopIntoExitCode(data);
    };
    EXPECT_EQ(Execute(application), 6);
}

TEST_F(ApplicationTest, CurrentApplicationIsTheFirstOneConstructedWhileNoneIs)
{
    WApplication* before = GetApplication();
    {
        WApplication first;
        WApplication* expected = before != nullptr ? before : &first;
        EXPECT_EQ(GetApplication(), expected);
        {
            WApplication second;
            EXPECT_EQ(GetApplication(), expected);
        }
        EXPECT_EQ(GetApplication(), expected);
    }
    EXPECT_EQ(GetApplication(), before);
}

// A filter owner that logs which filter saw which message and consumes the
// messages it is told to.
class FilterLog : public WObject {
public:
    std::vector<std::string> seen;
    UINT consumes = 0;
};

bool HighFilter(WObject* owner, MSG* message, uint32_t)
{
    auto* log = static_cast<FilterLog*>(owner);
    log->seen.push_back("high " + std::to_string(message->message - WM_APP));
    return message->message == log->consumes;
}

bool LowFilter(WObject* owner, MSG* message, uint32_t)
{
    static_cast<FilterLog*>(owner)->seen.push_back("low " + std::to_string(message->message - WM_APP));
    return false;
}

TEST_F(ApplicationTest, FilterThatConsumesAMessageKeepsItFromItsWindow)
{
    AppMessageWindow window;
    FilterLog log;
    log.consumes = WM_APP + 1;
    ASSERT_TRUE(WApplication::AddMessageFilter(&log, LowFilter, 0, 10));
    ASSERT_TRUE(WApplication::AddMessageFilter(&log, HighFilter, 0, WApplication::FormFilterPriority));

    PostMessageA(window.Handle(), WM_APP + 1, 0, 0);
    PostMessageA(window.Handle(), WM_APP, 0, 0);
    PostQuitMessage(0);
    EXPECT_TRUE(WApplication::RunMessageLoop());

    EXPECT_EQ(window.received, (std::vector<UINT>{0}));
    EXPECT_EQ(log.seen, (std::vector<std::string>{"high 1", "high 0", "low 0"}));
    EXPECT_TRUE(WApplication::RemoveMessageFilter(&log, HighFilter));
    EXPECT_TRUE(WApplication::RemoveMessageFilter(&log, LowFilter));
    EXPECT_FALSE(WApplication::RemoveMessageFilter(&log, LowFilter));
}

bool RemovesTheLowFilter(WObject* owner, MSG*, uint32_t)
{
    static_cast<FilterLog*>(owner)->seen.push_back("remover");
    WApplication::RemoveMessageFilter(owner, LowFilter);
    return false;
}

TEST_F(ApplicationTest, FilterRemovedByAnotherFilterIsNotCalledAgain)
{
    FilterLog log;
    WApplication::AddMessageFilter(&log, LowFilter, 0, 10);
    WApplication::AddMessageFilter(&log, RemovesTheLowFilter, 0, 20);
    MSG message{};
    message.message = WM_APP;

    EXPECT_FALSE(WApplication::PreTranslateMessage(&message));
    EXPECT_EQ(log.seen, (std::vector<std::string>{"remover"}));
    WApplication::RemoveMessageFilter(&log, RemovesTheLowFilter);
}

// Filters that are member routines of their owner.
class MemberFilters : public WObject {
public:
    bool First(MSG*, uint32_t)
    {
        seen.push_back("first");
        return false;
    }
    bool Second(MSG* message, uint32_t userData)
    {
        seen.push_back("second " + std::to_string(userData));
        return message->message == WM_APP;
    }
    bool Third(MSG*, uint32_t)
    {
        seen.push_back("third");
        return false;
    }

    std::vector<std::string> seen;
};

TEST_F(ApplicationTest, MemberFiltersRunOnTheirOwnerAndAWalkCanStartAfterAFilter)
{
    MemberFilters owner;
    ASSERT_TRUE(WApplication::AddMessageFilter(&owner, &MemberFilters::First, 0, 30));
    ASSERT_TRUE(WApplication::AddMessageFilter(&owner, &MemberFilters::Second, 5, 20));
    ASSERT_TRUE(WApplication::AddMessageFilter(&owner, &MemberFilters::Third, 0, 10));
    MSG message{};
    message.message = WM_APP;

    EXPECT_TRUE(WApplication::PreTranslateMessage(&message));
    EXPECT_EQ(owner.seen, (std::vector<std::string>{"first", "second 5"}));
    owner.seen.clear();
    EXPECT_FALSE(WApplication::PreTranslateMessage(&message, false, &owner, W_FILTER(&MemberFilters::Second)));
    EXPECT_EQ(owner.seen, (std::vector<std::string>{"third"}));

    for (auto filter : {&MemberFilters::First, &MemberFilters::Second, &MemberFilters::Third})
        EXPECT_TRUE(WApplication::RemoveMessageFilter(&owner, filter));
    owner.seen.clear();
    EXPECT_FALSE(WApplication::PreTranslateMessage(&message, false, &owner, W_FILTER(&MemberFilters::First)));
    EXPECT_TRUE(owner.seen.empty());
}

TEST_F(ApplicationTest, GetMessageWithoutWaitReportsAnEmptyQueue)
{
    MSG message;
    message.message = WM_APP;
    bool dispatch = true;
    EXPECT_EQ(WApplication::GetMessage(&message, false, true, nullptr, 0, 0, true, &dispatch), -1);
    EXPECT_FALSE(dispatch);
    EXPECT_EQ(message.message, 0u);

    PostThreadMessageA(GetCurrentThreadId(), WM_APP + 4, 0, 0);
    EXPECT_EQ(WApplication::GetMessage(&message, false, false, nullptr, 0, 0, true, &dispatch), 1);
    EXPECT_EQ(message.message, UINT{WM_APP + 4});
    EXPECT_EQ(WApplication::GetMessage(&message, true, false, nullptr, 0, 0, true, &dispatch), 1);
    EXPECT_EQ(WApplication::GetMessage(&message, false, true, nullptr, 0, 0, true, &dispatch), 1);
    EXPECT_TRUE(dispatch);
    EXPECT_EQ(WApplication::GetMessage(&message, false, true, nullptr, 0, 0, true, &dispatch), -1);
}

// The main thread handles a message sent from a worker and, inside it, waits
// in GetMessage for more: the worker must get its answer at once, not when
// that inner wait ends.
TEST_F(ApplicationTest, SentMessageIsAnsweredWhileTheThreadWaitsInGetMessage)
{
    constexpr UINT plainQuestion = WM_APP, waitingQuestion = WM_APP + 1, wakeUp = WM_APP + 2;
    TestWindow window([&](UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == plainQuestion)
            return 42;
        if (message == waitingQuestion) {
            MSG next;
            bool dispatch;
            WApplication::GetMessage(&next, true, true, nullptr, 0, 0, true, &dispatch);
            return 7;
        }
        return 0;
    });
    DWORD mainThread = GetCurrentThreadId();
    DWORD_PTR plainAnswer = 0, waitingAnswer = 0;
    LRESULT plainSent = 0, waitingSent = 0;
    std::thread worker([&] {
        plainSent = SendMessageTimeoutA(window.Handle(), plainQuestion, 0, 0, SMTO_NORMAL, 5000, &plainAnswer);
        waitingSent =
            SendMessageTimeoutA(window.Handle(), waitingQuestion, 0, 0, SMTO_NORMAL, 5000, &waitingAnswer);
        PostMessageA(window.Handle(), wakeUp, 0, 0);
        PostThreadMessageA(mainThread, WM_QUIT, 0, 0);
    });
    WApplication::RunMessageLoop();
    worker.join();

    EXPECT_NE(plainSent, 0);
    EXPECT_EQ(plainAnswer, 42u);
    EXPECT_NE(waitingSent, 0);
    EXPECT_EQ(waitingAnswer, 1u);
}

bool ConsumeEverything(WObject*, MSG*, uint32_t)
{
    return true;
}

// Loops the framework does not run (a modal host dialog's, here a plain
// peek loop) reach hooked filters through the thread's get-message hook.
TEST_F(ApplicationTest, HookedFilterSeesMessagesOfForeignLoopsOnlyWhileRegistered)
{
    AppMessageWindow window;
    auto foreignLoop = [] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    };
    FilterLog owner;
    ASSERT_TRUE(WApplication::AddMessageFilter(&owner, ConsumeEverything, 0, 1, true));
    PostMessageA(window.Handle(), WM_APP + 1, 0, 0);
    foreignLoop();
    ASSERT_TRUE(WApplication::RemoveMessageFilter(&owner, ConsumeEverything));
    PostMessageA(window.Handle(), WM_APP + 2, 0, 0);
    foreignLoop();

    EXPECT_EQ(window.received, (std::vector<UINT>{2}));
}

class DeletionWitness : public WObject {
public:
    explicit DeletionWitness(bool& deleted) : deleted(deleted) {}
    ~DeletionWitness() override { deleted = true; }
    bool& deleted;
};

TEST_F(ApplicationTest, ObjectDeferredDuringADispatchGoesAfterTheMessageOfTheOutermostLoop)
{
    bool deleted = false;
    bool pendingInside = false, deletedBeforeMessageEnded = true, deletedAtNextMessage = false;
    WEventGenerator generator;
    class Deferrer : public WObject {
    public:
        DeletionWitness* victim = nullptr;
        bool* pending = nullptr;
        bool Defer(WObject*, WEventData*)
        {
            WApplication::DeleteLater(victim);
            WApplication::DeleteLater(victim);
            WApplication::DeleteDeferredObjects();
            *pending = WApplication::IsDeletionPending();
            return true;
        }
    } deferrer;
    deferrer.victim = new DeletionWitness(deleted);
    deferrer.pending = &pendingInside;
    generator.AddEventHandler(ClickEvent, &deferrer, W_HANDLER(&Deferrer::Defer));
    TestWindow window([&](UINT message, WPARAM, LPARAM) {
        if (message == WM_APP) {
            generator.ProcessEvent(ClickEvent);
            deletedBeforeMessageEnded = deleted;
        } else {
            deletedAtNextMessage = deleted;
        }
        return LRESULT{0};
    });

    PostMessageA(window.Handle(), WM_APP, 0, 0);
    PostMessageA(window.Handle(), WM_APP + 1, 0, 0);
    PostQuitMessage(0);
    WApplication::RunMessageLoop();

    EXPECT_TRUE(pendingInside);
    EXPECT_FALSE(deletedBeforeMessageEnded);
    EXPECT_TRUE(deletedAtNextMessage);
    EXPECT_FALSE(WApplication::IsDeletionPending());
}

TEST_F(ApplicationTest, ExecuteDeletesDeferredObjectsAtTheEndButNotTheApplication)
{
    bool deleted = false;
    WApplication application;
    ProgramHandlers program(application);
    program.end = [&] {
        WApplication::DeleteLater(new DeletionWitness(deleted));
        WApplication::DeleteLater(&application);
    };

    Execute(application);
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(application.IsValid());
}

// The hook comes last: the deferred objects are gone when it is called.
TEST_F(ApplicationTest, ExitHookIsCalledWithMinusOneAfterTheDeferredObjectsWent)
{
    static bool deleted;
    static std::vector<std::pair<int32_t, bool>> calls;
    deleted = false;
    calls.clear();
    WApplication application;
    ProgramHandlers program(application);
    program.end = [&] { WApplication::DeleteLater(new DeletionWitness(deleted)); };
    WApplication::SetExitHook([](int32_t code) { calls.emplace_back(code, deleted); });

    EXPECT_EQ(Execute(application), 0);
    WApplication::SetExitHook(nullptr);
    EXPECT_EQ(calls, (std::vector<std::pair<int32_t, bool>>{{-1, true}}));
}

TEST_F(ApplicationTest, LeftToRightSettingTakesThreeValuesAndTheSystemDecidesTheThird)
{
    WApplication application;
    EXPECT_EQ(application.GetLeftToRightOnlySetting(), WApplication::DecidedBySystem);
    EXPECT_EQ(application.IsLeftToRightOnly(), GetSystemMetrics(SM_MIDEASTENABLED) == 0);
    ASSERT_TRUE(application.SetLeftToRightOnly(0));
    EXPECT_FALSE(application.IsLeftToRightOnly());
    ASSERT_TRUE(application.SetLeftToRightOnly(1));
    EXPECT_TRUE(application.IsLeftToRightOnly());
    EXPECT_FALSE(application.SetLeftToRightOnly(3));
    EXPECT_EQ(application.GetLeftToRightOnlySetting(), 1);
}

// The application runs the loop that would delete it.
TEST_F(ApplicationTest, MessageLoopSparesADeferredApplication)
{
    class WitnessApplication : public WApplication {
    public:
        explicit WitnessApplication(bool& deleted) : deleted(deleted) {}
        ~WitnessApplication() override { deleted = true; }
        bool& deleted;
    };
    bool deleted = false;
    auto* application = new WitnessApplication(deleted);
    ASSERT_EQ(GetApplication(), application);
    WApplication::DeleteLater(application);
    WApplication::DeleteDeferredObjects();
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    PostQuitMessage(0);
    WApplication::RunMessageLoop();
    ASSERT_FALSE(deleted);
    delete application;
}

TEST_F(ApplicationTest, DeferredObjectsOfAThreadGoWhenTheThreadEnds)
{
    bool deleted = false;
    std::thread worker([&] { WApplication::DeleteLater(new DeletionWitness(deleted)); });
    worker.join();
    EXPECT_TRUE(deleted);
}

}  // namespace
