// The event model under stress: handlers that add and remove handlers, their
// own and those of other threads, while several threads raise events on one
// generator. Every raise must call each handler that was registered for the
// whole raise exactly once, none twice, and the lists must end as the changes
// left them.

#include "WEventGenerator.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

constexpr int32_t ThreadCount = 4;
constexpr int32_t RaisesPerThread = 4000;

// Ids 32 apart share a bit of the event mask, and all of them live in the
// generator's one sorted list: every thread changes the list the others walk.
WEventID IdOfThread(int32_t thread)
{
    return ClickEvent + 32 * thread;
}

struct ThreadState;

// A handler target; what it does when called depends on its role.
class StressTarget : public WObject {
public:
    enum class Role { Permanent, SelfReplacing, Victim };

    StressTarget() = default;
    void Bind(Role newRole, ThreadState* newOwner)
    {
        role = newRole;
        owner = newOwner;
    }

    bool Handle(WObject*, WEventData* data);

    std::atomic<int32_t> calls{0};
    std::atomic<int32_t> lastRaise{-1};
    std::atomic<bool> calledTwiceInOneRaise{false};

private:
    Role role = Role::Permanent;
    ThreadState* owner = nullptr;
};

const WEventHandlerFn Handle = W_HANDLER(&StressTarget::Handle);

// One raising thread: its id, its handlers, and the victim of the next
// thread, which its self-replacing handler adds and removes in turn.
struct ThreadState {
    WEventGenerator* generator = nullptr;
    WEventID id = 0;
    int32_t raise = 0;  // written by the own thread only
    StressTarget permanent;
    std::array<StressTarget, 2> replacing;  // one of them registered at a time
    int32_t replacingIndex = 0;
    StressTarget victim;
    ThreadState* neighbour = nullptr;  // whose victim this thread toggles
    bool neighbourVictimRegistered = false;
    std::atomic<bool> changeFailed{false};

    void Replace()
    {
        StressTarget& current = replacing[replacingIndex];
        replacingIndex = 1 - replacingIndex;
        if (!generator->RemoveEventHandler(id, &current, Handle))
            changeFailed = true;
        if (!generator->AddEventHandler(id, &replacing[replacingIndex], Handle))
            changeFailed = true;
        ToggleNeighbourVictim();
    }

    void ToggleNeighbourVictim()
    {
        const bool changed = neighbourVictimRegistered
                                 ? generator->RemoveEventHandler(neighbour->id, &neighbour->victim, Handle)
                                 : generator->AddEventHandler(neighbour->id, &neighbour->victim, Handle);
        if (!changed)
            changeFailed = true;
        neighbourVictimRegistered = !neighbourVictimRegistered;
    }
};

bool StressTarget::Handle(WObject*, WEventData*)
{
    ++calls;
    if (lastRaise.exchange(owner->raise) == owner->raise)
        calledTwiceInOneRaise = true;
    if (role == Role::SelfReplacing)
        owner->Replace();
    return false;
}

// The handlers of an id, counted through the public walk.
int32_t HandlerCount(WEventGenerator& generator, WEventID id)
{
    int32_t count = 0;
    WObject* target = nullptr;
    if (!generator.FindEventHandler(id, &target, nullptr, nullptr))
        return 0;
    do {
        ++count;
    } while (generator.FindEventHandler(id, &target, nullptr, nullptr, target));
    return count;
}

}  // namespace

TEST(EventModelStress, HandlersChangingEachOthersListsFromSeveralThreadsLoseAndDoubleNothing)
{
    WEventGenerator generator;
    std::array<ThreadState, ThreadCount> states;
    for (int32_t thread = 0; thread < ThreadCount; ++thread) {
        ThreadState& state = states[thread];
        state.generator = &generator;
        state.id = IdOfThread(thread);
        state.neighbour = &states[(thread + 1) % ThreadCount];
        state.permanent.Bind(StressTarget::Role::Permanent, &state);
        for (StressTarget& target : state.replacing)
            target.Bind(StressTarget::Role::SelfReplacing, &state);
        state.victim.Bind(StressTarget::Role::Victim, &state);
        ASSERT_TRUE(generator.AddEventHandler(state.id, &state.permanent, Handle));
        ASSERT_TRUE(generator.AddEventHandler(state.id, &state.replacing[0], Handle));
    }

    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (ThreadState& state : states) {
        threads.emplace_back([&state, &go] {
            while (!go)
                std::this_thread::yield();
            for (state.raise = 0; state.raise < RaisesPerThread; ++state.raise)
                state.generator->ProcessEvent(state.id);
        });
    }
    go = true;
    for (std::thread& thread : threads)
        thread.join();

    for (ThreadState& state : states) {
        SCOPED_TRACE("id " + std::to_string(state.id));
        EXPECT_FALSE(state.changeFailed);
        EXPECT_EQ(state.permanent.calls, RaisesPerThread);
        EXPECT_EQ(state.replacing[0].calls + state.replacing[1].calls, RaisesPerThread);
        EXPECT_LE(state.victim.calls, RaisesPerThread);
        for (const StressTarget* target :
             {&state.permanent, &state.replacing[0], &state.replacing[1], &state.victim})
            EXPECT_FALSE(target->calledTwiceInOneRaise);
    }
    for (int32_t thread = 0; thread < ThreadCount; ++thread) {
        const ThreadState& toggler = states[(thread + ThreadCount - 1) % ThreadCount];
        EXPECT_EQ(HandlerCount(generator, states[thread].id), toggler.neighbourVictimRegistered ? 3 : 2);
    }
    EXPECT_TRUE(generator.GetRunningHandler().IsEmpty());
}

namespace {

// Two handlers that meet while both run, each on its own thread: each waits,
// with a deadline, until the other has started, notes which handler the
// generator names as running, and waits again until the other has looked too.
class MeetingTarget : public WObject {
public:
    MeetingTarget(WEventGenerator& generator, std::atomic<int32_t>& arrived, std::atomic<int32_t>& looked)
        : generator(generator), arrived(arrived), looked(looked)
    {
    }

    bool Meet(WObject*, WEventData*) { return LookWhileBothRun(); }
    bool MeetToo(WObject*, WEventData*) { return LookWhileBothRun(); }

    WEventHandler seenWhileBothRan;

private:
    WEventGenerator& generator;
    std::atomic<int32_t>& arrived;
    std::atomic<int32_t>& looked;

    bool LookWhileBothRun()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        ++arrived;
        while (arrived < 2 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        seenWhileBothRan = generator.GetRunningHandler();
        ++looked;
        while (looked < 2 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        return true;
    }
};

}  // namespace

TEST(EventModelStress, RunningHandlerIsTheOneOfTheAskingThread)
{
    WEventGenerator generator;
    std::atomic<int32_t> arrived{0}, looked{0};
    MeetingTarget first(generator, arrived, looked), second(generator, arrived, looked);
    const WEventHandlerFn meet = W_HANDLER(&MeetingTarget::Meet);
    const WEventHandlerFn meetToo = W_HANDLER(&MeetingTarget::MeetToo);
    ASSERT_TRUE(generator.AddEventHandler(ClickEvent, &first, meet));
    ASSERT_TRUE(generator.AddEventHandler(DoubleClickEvent, &second, meetToo));

    std::thread one([&] { generator.ProcessEvent(ClickEvent); });
    std::thread two([&] { generator.ProcessEvent(DoubleClickEvent); });
    one.join();
    two.join();

    ASSERT_EQ(looked, 2);
    EXPECT_EQ(first.seenWhileBothRan.function, meet);
    EXPECT_EQ(second.seenWhileBothRan.function, meetToo);
    EXPECT_TRUE(generator.GetRunningHandler().IsEmpty());
}
