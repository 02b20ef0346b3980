#include "FFPolyFit.h"

#include "PolyTuning.h"

#include <cmath>

bool FFPolyFit::Prepare()
{
    if (!view_.hasMark(MarkSelected) || !view_.hasMark(MarkDiscarded)) {
        error("no data selected or discarded");
        return false;
    }
    return TunePoly<ClipTuning>(&power_) && Gather(false);
}

bool FFPolyFit::Store()
{
    const int n = view_.count;
    for (int i = 0; i < n; ++i) {
        if (view_.marks[static_cast<std::size_t>(i)] != MarkDiscarded)
            continue;
        const float v = static_cast<float>(poly_(i));
        if (!std::isfinite(v))
            return refuse();
        view_.result[static_cast<std::size_t>(i)] = v;
    }
    for (int i = 0; i < n; ++i) {
        std::uint8_t& mark = view_.marks[static_cast<std::size_t>(i)];
        mark = mark == MarkDiscarded ? MarkPending : MarkNone;
    }
    return true;
}
