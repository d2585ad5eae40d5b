#pragma once
// A handler target for tests: each registration calls a function given by the
// test, so that a test can count, record and answer events in place.

#include "WEventGenerator.h"

#include <functional>

class EventProbe : public WObject {
public:
    using Callback = std::function<bool(WObject* source, WEventData* data)>;

    explicit EventProbe(Callback callback) : callback(std::move(callback)) {}

    bool Call(WObject* source, WEventData* data) { return callback(source, data); }

    // Registers the probe for the event on the generator.
    bool Listen(WEventGenerator& generator, WEventID id)
    {
        return generator.AddHandler(id, this, &EventProbe::Call);
    }
    bool StopListening(WEventGenerator& generator, WEventID id)
    {
        return generator.RemoveHandler(id, this, &EventProbe::Call);
    }

private:
    Callback callback;
};

// A probe that counts its calls and answers with a fixed result.
class CountingProbe : public EventProbe {
public:
    explicit CountingProbe(bool answer = false)
        : EventProbe([this](WObject*, WEventData*) {
              ++count;
              return this->answer;
          }),
          answer(answer)
    {
    }

    int count = 0;
    bool answer;
};
