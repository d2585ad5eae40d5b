#include "StartupSteps.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace {

bool IsDialogCreation(const TracedCall& call)
{
    return call.name == "CreateDialogIndirectParamA" || call.name == "CreateDialogParamA";
}

// Calls the framework makes to hand a message on, whenever the host sends
// one: they do not show where a step of the program's begins.
bool IsDispatch(const TracedCall& call)
{
    return call.name == "GetPropA" || call.name == "CallWindowProcA" || call.name == "DefWindowProcA";
}

// The first call at `depth` that begins within [from, to), as an index; -1 when none.
int FirstCallWithin(const StartupTrace& trace, int depth, double from, double to, bool dialogsOnly = false)
{
    for (size_t index = 0; index < trace.calls.size(); ++index) {
        const TracedCall& call = trace.calls[index];
        if (call.depth == depth && call.begin >= from && call.begin < to && !IsDispatch(call)
            && (!dialogsOnly || IsDialogCreation(call)))
            return static_cast<int>(index);
    }
    return -1;
}

double BeginOf(const StartupTrace& trace, int index, double otherwise)
{
    return index >= 0 ? trace.calls[index].begin : otherwise;
}

}  // namespace

bool ReadStartupTrace(const std::string& text, StartupTrace& trace)
{
    trace = StartupTrace{};
    std::istringstream lines(text);
    std::string line;
    double ticksPerMillisecond = 0.0;
    auto toMilliseconds = [&](long long ticks) { return static_cast<double>(ticks) / ticksPerMillisecond; };
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "frequency") {
            long long frequency = 0;
            words >> frequency;
            ticksPerMillisecond = static_cast<double>(frequency) / 1000.0;
        } else if (kind == "entry" && ticksPerMillisecond > 0.0) {
            long long entry = 0;
            words >> entry;
            trace.entry = toMilliseconds(entry);
        } else if (kind == "constructors" && ticksPerMillisecond > 0.0) {
            long long constructors = 0;
            words >> constructors;
            trace.constructors = toMilliseconds(constructors);
        } else if (kind == "call" && ticksPerMillisecond > 0.0) {
            TracedCall call;
            long long begin = 0, end = 0;
            words >> call.name >> call.depth >> begin >> end >> call.detail;
            call.begin = toMilliseconds(begin);
            call.end = toMilliseconds(end);
            trace.calls.push_back(call);
        }
    }
    return trace.entry > 0.0 && trace.constructors >= trace.entry && !trace.calls.empty();
}

std::vector<std::pair<std::string, double>> StartupSteps(const StartupTrace& trace, double startedAt,
                                                         double readyAt)
{
    const double firstCall = trace.calls.front().begin;
    const int mainIndex = FirstCallWithin(trace, 0, firstCall, readyAt, true);
    const TracedCall main = mainIndex >= 0 ? trace.calls[mainIndex] : TracedCall{"", 0, readyAt, readyAt, 0};
    const double mainParts = BeginOf(trace, FirstCallWithin(trace, 1, main.begin, main.end), main.end);

    double firstPage = main.end, lastPageEnd = mainParts, pageTemplates = 0.0;
    for (int page = FirstCallWithin(trace, 1, main.begin, main.end, true); page >= 0;
         page = FirstCallWithin(trace, 1, trace.calls[page].end, main.end, true)) {
        const TracedCall& call = trace.calls[page];
        firstPage = std::min(firstPage, call.begin);
        lastPageEnd = call.end;
        pageTemplates += BeginOf(trace, FirstCallWithin(trace, 2, call.begin, call.end), call.end) - call.begin;
    }
    firstPage = std::max(firstPage, mainParts);
    lastPageEnd = std::max(lastPageEnd, firstPage);

    // The trace ends with the loop's first look at an empty queue.
    double loop = readyAt;
    for (const TracedCall& call : trace.calls) {
        if (call.name == "GetMessageA" && call.depth == 0) {
            loop = call.begin;
            break;
        }
    }
    const double idle = std::min(std::max(trace.calls.back().begin, loop), readyAt);
    return {
        {"process", trace.entry - startedAt},
        {"runtime", trace.constructors - trace.entry},
        {"globals", firstCall - trace.constructors},
        {"before_window", main.begin - firstCall},
        {"main_template", mainParts - main.begin},
        {"main_parts", firstPage - mainParts},
        {"page_templates", pageTemplates},
        {"page_parts", lastPageEnd - firstPage - pageTemplates},
        {"finishing", main.end - lastPageEnd},
        {"to_loop", loop - main.end},
        {"drawing", idle - loop},
        {"answering", readyAt - idle},
    };
}

std::vector<CallCost> CallCosts(const StartupTrace& trace)
{
    std::map<std::string, CallCost> costs;
    std::vector<size_t> open;
    std::vector<double> self(trace.calls.size());
    for (size_t index = 0; index < trace.calls.size(); ++index) {
        const TracedCall& call = trace.calls[index];
        while (!open.empty() && trace.calls[open.back()].depth >= call.depth)
            open.pop_back();
        self[index] = call.end - call.begin;
        if (!open.empty())
            self[open.back()] -= self[index];
        open.push_back(index);
    }
    for (size_t index = 0; index < trace.calls.size(); ++index) {
        // The program makes its dialogs from templates in memory, the floor by name.
        const TracedCall& call = trace.calls[index];
        const std::string name = IsDialogCreation(call) ? "CreateDialog(Indirect)ParamA" : call.name;
        CallCost& cost = costs[name];
        cost.name = name;
        ++cost.count;
        cost.self += self[index];
    }
    std::vector<CallCost> list;
    for (const auto& [name, cost] : costs)
        list.push_back(cost);
    return list;
}
