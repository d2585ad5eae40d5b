#pragma once
// What the start-up trace of a traced program tells: the steps of its
// start-up in the order they happen, and what each kind of traced call cost.
// All times are in milliseconds on the clock of tools/support's Milliseconds(),
// which reads the same counter as the traced program.

#include <string>
#include <utility>
#include <vector>

struct TracedCall {
    std::string name;
    int depth = 0;  // calls to traced calls that were open around it
    double begin = 0.0;
    double end = 0.0;
    unsigned long long detail = 0;
};

struct StartupTrace {
    double entry = 0.0;         // the program's entry point
    double constructors = 0.0;  // the first of its global objects made
    std::vector<TracedCall> calls;
};

// The trace file the traced program wrote; false when it is missing or empty.
bool ReadStartupTrace(const std::string& text, StartupTrace& trace);

// The steps between the start of the process and the moment its window was
// ready, in their order; together they make the whole start-up. The main
// window is the first dialog made outside any traced call, its pages the
// dialogs made within it; a dialog's template is made until the first call
// the program makes from within it.
std::vector<std::pair<std::string, double>> StartupSteps(const StartupTrace& trace, double startedAt,
                                                         double readyAt);

struct CallCost {
    std::string name;
    int count = 0;
    double self = 0.0;  // time in the call, less the traced calls made inside it
};

// Every kind of traced call with its count and own time over the start-up.
std::vector<CallCost> CallCosts(const StartupTrace& trace);
