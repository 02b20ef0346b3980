#include "Progress.h"

#include <utility>

namespace {

struct State {
    std::shared_ptr<Progress::Hook> hook;
    int depth = 0;
    int stages = 1;
    int stage = 0;
    bool cancelled = false;
    // The hook hears of at most about a thousand steps per scope.
    double reported = -1.0;
};

State& state()
{
    static State s;
    return s;
}

constexpr double kStep = 0.001;

}  // namespace

void Progress::setHook(std::shared_ptr<Hook> hook) { state().hook = std::move(hook); }

Progress::Progress(std::string label, int stages)
{
    State& s = state();
    if (s.depth++ > 0)
        return;
    s.stages = stages < 1 ? 1 : stages;
    s.stage = 0;
    s.cancelled = false;
    s.reported = -1.0;
    if (s.hook)
        s.hook->begin(label);
}

Progress::~Progress()
{
    State& s = state();
    if (--s.depth > 0)
        return;
    if (s.hook)
        s.hook->end();
    s.cancelled = false;
}

void Progress::nextStage()
{
    State& s = state();
    if (s.depth > 0 && s.stage + 1 < s.stages)
        ++s.stage;
}

bool Progress::report(long long done, long long total)
{
    State& s = state();
    if (s.cancelled)
        return false;
    if (s.depth == 0 || !s.hook)
        return true;
    double part = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0;
    part = part < 0.0 ? 0.0 : (part > 1.0 ? 1.0 : part);
    const double fraction = (s.stage + part) / s.stages;
    const bool finishing = fraction >= 1.0 && s.reported < 1.0;
    if (fraction < s.reported + kStep && !finishing)
        return true;
    s.reported = fraction;
    if (!s.hook->update(fraction))
        s.cancelled = true;
    return !s.cancelled;
}

bool Progress::cancelled() { return state().cancelled; }
