#include "WEventGenerator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// A handler target that writes its name into a shared log and answers with a
// preset result; `action` lets a test do something while the handler runs.
class Recorder : public WObject {
public:
    Recorder(std::vector<std::string>& log, std::string name, bool result = false)
        : log(log), name(std::move(name)), result(result)
    {
    }

    bool Handle(WObject*, WEventData* data)
    {
        log.push_back(name);
        lastIndex = data->handlerIndex;
        lastUserData = data->userData;
        if (action)
            action(data);
        return result;
    }

    std::vector<std::string>& log;
    std::string name;
    bool result;
    int32_t lastIndex = -1;
    uint32_t lastUserData = 0;
    std::function<void(WEventData*)> action;
};

const WEventHandlerFn Handle = W_HANDLER(&Recorder::Handle);

// Records the hook calls a window would use to switch message handling on.
class HookedGenerator : public WEventGenerator {
public:
    void EventHandlersChanged(WEventID id, int32_t change) override { changes.emplace_back(id, change); }
    std::vector<std::pair<WEventID, int32_t>> changes;
};

class EventGeneratorTest : public ::testing::Test {
protected:
    WEventGenerator generator;
    std::vector<std::string> log;
};

TEST_F(EventGeneratorTest, NewestHandlerRunsFirstAndOthersFollowUntilOneReturnsTrue)
{
    Recorder older(log, "older"), newer(log, "newer");
    generator.AddEventHandler(ClickEvent, &older, Handle);
    generator.AddEventHandler(ClickEvent, &newer, Handle);

    EXPECT_FALSE(generator.ProcessEvent(ClickEvent));
    EXPECT_EQ(log, (std::vector<std::string>{"newer", "older"}));

    log.clear();
    newer.result = true;
    EXPECT_TRUE(generator.ProcessEvent(ClickEvent));
    EXPECT_EQ(log, (std::vector<std::string>{"newer"}));
}

TEST_F(EventGeneratorTest, HandlerReceivesItsIndexUserDataSourceAndEventId)
{
    Recorder first(log, "first"), second(log, "second");
    generator.AddEventHandler(ClickEvent, &first, Handle, 11);
    generator.AddEventHandler(ClickEvent, &second, Handle, 22);
    WObject source;
    WEventData data;
    WObject* seenSource = nullptr;
    first.action = [&](WEventData* d) { seenSource = d->source; };

    generator.ProcessEvent(ClickEvent, &source, &data);

    EXPECT_EQ(second.lastIndex, 0);
    EXPECT_EQ(second.lastUserData, 22u);
    EXPECT_EQ(first.lastIndex, 1);
    EXPECT_EQ(first.lastUserData, 11u);
    EXPECT_EQ(seenSource, &source);
    EXPECT_EQ(data.eventId, ClickEvent);

    generator.ProcessEvent(ClickEvent);
    EXPECT_EQ(seenSource, &generator);
}

TEST_F(EventGeneratorTest, PositionPlacesHandlerAmongThoseOfItsId)
{
    Recorder a(log, "a"), b(log, "b"), c(log, "c"), d(log, "d");
    generator.AddEventHandler(ClickEvent, &a, Handle);
    generator.AddEventHandler(ClickEvent, &b, Handle);
    const int32_t second = 1, beyondTheEnd = 7;
    generator.AddEventHandler(ClickEvent, &c, Handle, 0, &second);
    generator.AddEventHandler(ClickEvent, &d, Handle, 0, &beyondTheEnd);

    generator.ProcessEvent(ClickEvent);
    EXPECT_EQ(log, (std::vector<std::string>{"b", "c", "a", "d"}));
}

TEST_F(EventGeneratorTest, IdsSharingAMaskBitDoNotReachEachOthersHandlers)
{
    Recorder click(log, "click");
    generator.AddEventHandler(ClickEvent, &click, Handle);
    ASSERT_EQ(ClickEvent + 32, PageUnselectEvent);

    EXPECT_NE(generator.GetEventMask() & (1u << (PageUnselectEvent % 32)), 0u);
    EXPECT_FALSE(generator.ProcessEvent(PageUnselectEvent));
    EXPECT_FALSE(generator.ProcessEvent(DoubleClickEvent));
    EXPECT_TRUE(log.empty());
}

TEST_F(EventGeneratorTest, SkipPassesOverTheNewestHandlers)
{
    Recorder older(log, "older", true), newer(log, "newer", true);
    generator.AddEventHandler(ClickEvent, &older, Handle);

    EXPECT_FALSE(generator.ProcessEvent(ClickEvent, nullptr, nullptr, nullptr, 1));
    EXPECT_TRUE(log.empty());

    generator.AddEventHandler(ClickEvent, &newer, Handle);
    EXPECT_TRUE(generator.ProcessEvent(ClickEvent, nullptr, nullptr, nullptr, 1));
    EXPECT_EQ(log, (std::vector<std::string>{"older"}));
    EXPECT_EQ(older.lastIndex, 1);
}

TEST_F(EventGeneratorTest, ReturnValueGoesInAndComesBack)
{
    Recorder target(log, "t", true);
    target.action = [](WEventData* d) { d->returnValue = d->returnValue * 10; };
    generator.AddEventHandler(NotifyEvent, &target, Handle);

    int32_t value = 4;
    generator.ProcessEvent(NotifyEvent, nullptr, nullptr, &value);
    EXPECT_EQ(value, 40);

    int32_t untouched = 4;
    EXPECT_FALSE(generator.ProcessEvent(ClickEvent, nullptr, nullptr, &untouched));
    EXPECT_EQ(untouched, 4);
}

TEST_F(EventGeneratorTest, RunningHandlerIsKnownWhileItRunsAndRestoredAfterNesting)
{
    Recorder outer(log, "outer"), inner(log, "inner");
    generator.AddEventHandler(ClickEvent, &outer, Handle);
    generator.AddEventHandler(DoubleClickEvent, &inner, Handle);
    std::vector<bool> running;
    inner.action = [&](WEventData*) { running.push_back(generator.GetRunningHandler().function == Handle); };
    outer.action = [&](WEventData*) {
        generator.ProcessEvent(DoubleClickEvent);
        running.push_back(generator.GetRunningHandler().function == Handle);
    };

    generator.ProcessEvent(ClickEvent);
    EXPECT_EQ(running, (std::vector<bool>{true, true}));
    EXPECT_TRUE(generator.GetRunningHandler().IsEmpty());
}

TEST_F(EventGeneratorTest, HandlerRemovingItselfRunsOnceAndDispatchGoesOn)
{
    Recorder older(log, "older"), once(log, "once");
    int32_t removedAt = -2;
    once.action = [&](WEventData*) { generator.RemoveEventHandler(ClickEvent, &once, Handle, &removedAt); };
    generator.AddEventHandler(ClickEvent, &older, Handle);
    generator.AddEventHandler(ClickEvent, &once, Handle);

    generator.ProcessEvent(ClickEvent);
    generator.ProcessEvent(ClickEvent);

    EXPECT_EQ(removedAt, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"once", "older", "older"}));
}

TEST_F(EventGeneratorTest, HandlerRemovedByAnEarlierHandlerIsNotCalled)
{
    Recorder victim(log, "victim"), remover(log, "remover");
    remover.action = [&](WEventData*) { generator.RemoveEventHandler(ClickEvent, &victim, Handle); };
    generator.AddEventHandler(ClickEvent, &victim, Handle);
    generator.AddEventHandler(ClickEvent, &remover, Handle);

    generator.ProcessEvent(ClickEvent);
    EXPECT_EQ(log, (std::vector<std::string>{"remover"}));
    EXPECT_FALSE(generator.FindEventHandler(ClickEvent, nullptr, nullptr, nullptr, &remover));
}

TEST_F(EventGeneratorTest, HandlerRemovingAllHandlersEndsTheDispatch)
{
    Recorder older(log, "older"), other(log, "other"), clearer(log, "clearer");
    clearer.action = [&](WEventData*) { generator.RemoveAllEventHandlers(); };
    generator.AddEventHandler(ClickEvent, &older, Handle);
    generator.AddEventHandler(ClickEvent, &clearer, Handle);
    generator.AddEventHandler(CloseEvent, &other, Handle);

    generator.ProcessEvent(ClickEvent);
    generator.ProcessEvent(ClickEvent);
    generator.ProcessEvent(CloseEvent);
    EXPECT_EQ(log, (std::vector<std::string>{"clearer"}));
    EXPECT_FALSE(generator.HasEventHandler(ClickEvent));
}

TEST_F(EventGeneratorTest, NestedDispatchOnTheSameGeneratorSurvivesRemovalOfTheOuterHandler)
{
    Recorder outer(log, "outer"), older(log, "older"), inner(log, "inner");
    inner.action = [&](WEventData*) {
        generator.RemoveEventHandler(ClickEvent, &outer, Handle);
        generator.RemoveEventHandler(ClickEvent, &older, Handle);
    };
    outer.action = [&](WEventData*) { generator.ProcessEvent(CloseEvent); };
    generator.AddEventHandler(ClickEvent, &older, Handle);
    generator.AddEventHandler(ClickEvent, &outer, Handle);
    generator.AddEventHandler(CloseEvent, &inner, Handle);

    generator.ProcessEvent(ClickEvent);
    generator.ProcessEvent(ClickEvent);
    EXPECT_EQ(log, (std::vector<std::string>{"outer", "inner"}));
    EXPECT_FALSE(generator.HasEventHandler(ClickEvent));
    EXPECT_TRUE(generator.HasEventHandler(CloseEvent));
}

TEST_F(EventGeneratorTest, HandlerAddedDuringDispatchRunsFromTheNextEventOn)
{
    Recorder adder(log, "adder"), added(log, "added");
    adder.action = [&](WEventData*) {
        if (!generator.FindEventHandler(ClickEvent, nullptr, nullptr, nullptr, &adder))
            generator.AddEventHandler(ClickEvent, &added, Handle);
    };
    generator.AddEventHandler(ClickEvent, &adder, Handle);

    generator.ProcessEvent(ClickEvent);
    generator.ProcessEvent(ClickEvent);
    EXPECT_EQ(log, (std::vector<std::string>{"adder", "added", "adder"}));
}

TEST_F(EventGeneratorTest, GeneratorDeletedByItsOwnHandlerEndsTheDispatch)
{
    auto* doomed = new WEventGenerator;
    Recorder older(log, "older"), deleter(log, "deleter");
    deleter.action = [&](WEventData*) { delete doomed; };
    doomed->AddEventHandler(ClickEvent, &older, Handle);
    doomed->AddEventHandler(ClickEvent, &deleter, Handle);

    EXPECT_FALSE(doomed->ProcessEvent(ClickEvent));
    EXPECT_EQ(log, (std::vector<std::string>{"deleter"}));
    EXPECT_EQ(WEventDispatchDepth(), 0);
}

TEST_F(EventGeneratorTest, RemoveEventHandlersReportsWhatItRemoved)
{
    Recorder a(log, "a"), b(log, "b"), c(log, "c");
    generator.AddEventHandler(ClickEvent, &a, Handle);
    generator.AddEventHandler(ClickEvent, &b, Handle);
    generator.AddEventHandler(ClickEvent, &c, Handle);
    int32_t index = -5;

    generator.RemoveEventHandlers(ClickEvent, false, &index);
    EXPECT_EQ(index, 0);
    generator.ProcessEvent(ClickEvent);
    EXPECT_EQ(log, (std::vector<std::string>{"b", "a"}));

    generator.RemoveEventHandlers(ClickEvent, true, &index);
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(generator.HasEventHandler(ClickEvent));

    index = -5;
    generator.RemoveEventHandlers(ClickEvent, false, &index);
    EXPECT_EQ(index, -1);
}

TEST_F(EventGeneratorTest, RemoveEventHandlerMatchesTargetAndFunctionAndReportsPosition)
{
    Recorder a(log, "a"), b(log, "b");
    generator.AddEventHandler(ClickEvent, &a, Handle);
    generator.AddEventHandler(ClickEvent, &b, Handle);
    int32_t index = -5;

    EXPECT_FALSE(generator.RemoveEventHandler(CloseEvent, &a, Handle, &index));
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(generator.RemoveEventHandler(ClickEvent, &a, Handle, &index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(generator.RemoveEventHandler(ClickEvent, &a, Handle, &index));
}

TEST_F(EventGeneratorTest, FindEventHandlerWalksTheHandlersOfAnId)
{
    Recorder a(log, "a"), b(log, "b");
    generator.AddEventHandler(ClickEvent, &a, Handle, 1);
    generator.AddEventHandler(ClickEvent, &b, Handle, 2);
    WObject* target = nullptr;
    WEventHandlerFn function = nullptr;
    uint32_t userData = 0;

    ASSERT_TRUE(generator.FindEventHandler(ClickEvent, &target, &function, &userData));
    EXPECT_EQ(target, &b);
    EXPECT_EQ(function, Handle);
    EXPECT_EQ(userData, 2u);
    ASSERT_TRUE(generator.FindEventHandler(ClickEvent, &target, &function, &userData, &b));
    EXPECT_EQ(target, &a);
    EXPECT_FALSE(generator.FindEventHandler(ClickEvent, &target, &function, &userData, &a));
    EXPECT_FALSE(generator.FindEventHandler(CloseEvent, &target, &function, &userData));
}

// c, added after the node was taken, stands before it: a walk from the head
// would call c first.
TEST_F(EventGeneratorTest, ProcessEventFromStartsAtTheGivenNode)
{
    Recorder a(log, "a"), b(log, "b"), c(log, "c");
    generator.AddEventHandler(ClickEvent, &a, Handle);
    generator.AddEventHandler(ClickEvent, &b, Handle);
    EXPECT_EQ(generator.FirstEventNode(CloseEvent), nullptr);
    WEventNode* fromB = generator.FirstEventNode(ClickEvent);
    generator.AddEventHandler(ClickEvent, &c, Handle);

    generator.ProcessEventFrom(fromB, &generator, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"b", "a"}));
}

TEST_F(EventGeneratorTest, ProcessEventFromARemovedNodeCallsNothing)
{
    Recorder a(log, "a"), b(log, "b");
    generator.AddEventHandler(ClickEvent, &a, Handle);
    generator.AddEventHandler(ClickEvent, &b, Handle);
    WEventNode* fromB = generator.FirstEventNode(ClickEvent);
    ASSERT_TRUE(generator.RemoveEventHandler(ClickEvent, &b, Handle));

    EXPECT_FALSE(generator.ProcessEventFrom(fromB, &generator, nullptr));
    EXPECT_TRUE(log.empty());
}

TEST_F(EventGeneratorTest, HandlerWithoutTargetOrFunctionIsRefused)
{
    Recorder a(log, "a");
    EXPECT_FALSE(generator.AddEventHandler(ClickEvent, nullptr, Handle));
    EXPECT_FALSE(generator.AddEventHandler(ClickEvent, &a, nullptr));
    EXPECT_FALSE(generator.HasEventHandler(ClickEvent));
}

TEST(EventGeneratorHook, IsToldAboutAdditionsAndRemovalsButNotAboutDestruction)
{
    std::vector<std::string> log;
    Recorder a(log, "a");
    using Change = std::pair<WEventID, int32_t>;
    std::vector<Change> changes;
    {
        HookedGenerator generator;
        generator.AddEventHandler(ClickEvent, &a, Handle);
        generator.RemoveEventHandler(ClickEvent, &a, Handle);
        generator.RemoveEventHandler(ClickEvent, &a, Handle);
        generator.AddEventHandler(CloseEvent, &a, Handle);
        generator.RemoveAllEventHandlers();
        generator.AddEventHandler(CloseEvent, &a, Handle);
        changes = generator.changes;
    }
    EXPECT_EQ(changes, (std::vector<Change>{{ClickEvent, WEventGenerator::HandlersAdded},
                                            {ClickEvent, WEventGenerator::HandlersRemoved},
                                            {CloseEvent, WEventGenerator::HandlersAdded},
                                            {NullEvent, WEventGenerator::AllHandlersRemoved},
                                            {CloseEvent, WEventGenerator::HandlersAdded}}));
}

TEST_F(EventGeneratorTest, DispatchDepthCountsNestedDispatchesOfTheThread)
{
    Recorder outer(log, "outer"), inner(log, "inner");
    std::vector<int32_t> depths;
    inner.action = [&](WEventData*) { depths.push_back(WEventDispatchDepth()); };
    outer.action = [&](WEventData*) {
        depths.push_back(WEventDispatchDepth());
        generator.ProcessEvent(CloseEvent);
    };
    generator.AddEventHandler(ClickEvent, &outer, Handle);
    generator.AddEventHandler(CloseEvent, &inner, Handle);

    generator.ProcessEvent(ClickEvent);
    EXPECT_EQ(depths, (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(WEventDispatchDepth(), 0);
}

TEST(EventTable, AttachesEveryRowUpToTheTerminatorAndDetachesThemAgain)
{
    std::vector<std::string> log;
    Recorder fallback(log, "fallback"), own(log, "own");
    WEventGenerator generator;
    const WEventTableEntry table[] = {
        {ClickEvent, Handle, nullptr, 1},
        {CloseEvent, Handle, &own, 2},
        {NullEvent, nullptr, nullptr, 0},
        {CreateEvent, Handle, &own, 3},
    };

    EXPECT_TRUE(AttachEventTable(&generator, table, &fallback));
    generator.ProcessEvent(ClickEvent);
    generator.ProcessEvent(CloseEvent);
    EXPECT_FALSE(generator.HasEventHandler(CreateEvent));
    EXPECT_EQ(log, (std::vector<std::string>{"fallback", "own"}));
    EXPECT_EQ(own.lastUserData, 2u);

    EXPECT_TRUE(DetachEventTable(&generator, table, &fallback));
    EXPECT_FALSE(generator.HasEventHandler(ClickEvent));
    EXPECT_FALSE(generator.HasEventHandler(CloseEvent));
}

TEST(EventTable, TableStartingWithTheTerminatorRegistersNothing)
{
    std::vector<std::string> log;
    Recorder target(log, "t");
    WEventGenerator generator;
    const WEventTableEntry table[] = {
        {NullEvent, nullptr, nullptr, 0},
        {ClickEvent, Handle, &target, 0},
    };
    EXPECT_TRUE(AttachEventTable(&generator, table, &target));
    EXPECT_EQ(generator.GetEventMask(), 0u);
}

// Two threads add and remove handlers while a third raises the event over and
// over. The permanent handler must run exactly once per raise, every add and
// every remove must succeed, and only the permanent handler may be left.
TEST(EventGeneratorThreads, HandlersChangedByTwoThreadsWhileAThirdDispatches)
{
    class Counter : public WObject {
    public:
        std::atomic<int32_t> calls{0};
        bool Count(WObject*, WEventData*)
        {
            ++calls;
            return false;
        }
    };
    const WEventHandlerFn count = W_HANDLER(&Counter::Count);
    constexpr int32_t rounds = 20000;

    WEventGenerator generator;
    Counter permanent;
    generator.AddEventHandler(ClickEvent, &permanent, count);
    std::atomic<bool> failed{false};
    std::atomic<bool> go{false};
    std::atomic<int32_t> churnersLeft{2};

    auto churn = [&](Counter* targets, int32_t targetCount) {
        while (!go) {
        }
        for (int32_t round = 0; round < rounds; ++round) {
            Counter* target = &targets[round % targetCount];
            if (!generator.AddEventHandler(ClickEvent, target, count))
                failed = true;
            if (!generator.RemoveEventHandler(ClickEvent, target, count))
                failed = true;
        }
        --churnersLeft;
    };
    std::vector<Counter> first(4), second(4);
    int32_t raises = 0;
    std::thread adderOne(churn, first.data(), 4);
    std::thread adderTwo(churn, second.data(), 4);
    std::thread dispatcher([&] {
        while (!go) {
        }
        while (churnersLeft > 0) {
            int32_t before = permanent.calls;
            generator.ProcessEvent(ClickEvent);
            if (permanent.calls != before + 1)
                failed = true;
            ++raises;
        }
    });
    go = true;
    adderOne.join();
    adderTwo.join();
    dispatcher.join();

    EXPECT_FALSE(failed);
    EXPECT_EQ(permanent.calls, raises);
    WObject* target = nullptr;
    ASSERT_TRUE(generator.FindEventHandler(ClickEvent, &target, nullptr, nullptr));
    EXPECT_EQ(target, &permanent);
    EXPECT_FALSE(generator.FindEventHandler(ClickEvent, &target, nullptr, nullptr, &permanent));
}

}  // namespace
