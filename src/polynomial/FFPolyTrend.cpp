#include "FFPolyTrend.h"

#include "PolyTuning.h"

#include <algorithm>
#include <cmath>

bool FFPolyTrend::Prepare()
{
    wholeRecord_ = !view_.hasMark(MarkSelected);
    return TunePoly<TrendTuning>(&power_) && Gather(wholeRecord_);
}

bool FFPolyTrend::Store()
{
    // Values beyond the single-precision range would turn into infinities;
    // check them all before any mark changes.
    const int n = view_.count;
    bool finite = true;
    for (int i = 0; i < n; ++i) {
        const float v = static_cast<float>(poly_(i));
        finite = finite && std::isfinite(v);
        view_.result[static_cast<std::size_t>(i)] = v;
    }
    if (!finite)
        return refuse();
    std::fill(view_.marks.begin(), view_.marks.end(), MarkPending);
    return true;
}
