#include "FFPolyGlue.h"

#include "PolyTuning.h"

#include <cmath>

// A discarded run is a step when, looking past unmarked runs, a selected
// run lies before it and another after it (before any discarded run or the
// end of the record on either side).
bool FFPolyGlue::isStep(std::size_t run) const
{
    auto selectedAlong = [&](std::size_t from, int direction) {
        for (long k = static_cast<long>(from) + direction; k >= 0 && k < static_cast<long>(runs_.size());
             k += direction) {
            const int mark = runs_[static_cast<std::size_t>(k)].mark;
            if (mark == MarkSelected)
                return true;
            if (mark == MarkDiscarded)
                return false;
        }
        return false;
    };
    return selectedAlong(run, -1) && selectedAlong(run, +1);
}

bool FFPolyGlue::FindSteps()
{
    if (!view_.hasMark(MarkSelected) || !view_.hasMark(MarkDiscarded)) {
        error("no data selected and/or discarded");
        return false;
    }
    runs_.clear();
    const int n = view_.count;
    for (int i = 0; i < n;) {
        MarkRun run;
        run.first = i;
        run.mark = view_.marks[static_cast<std::size_t>(i)];
        while (i + 1 < n && view_.marks[static_cast<std::size_t>(i + 1)] == run.mark)
            ++i;
        run.last = i++;
        runs_.push_back(run);
    }
    bool anyStep = false;
    for (std::size_t r = 0; r < runs_.size(); ++r) {
        if (runs_[r].mark == MarkDiscarded && isStep(r)) {
            runs_[r].step = true;
            anyStep = true;
        }
    }
    if (!anyStep) {
        error("no step specified");
        return false;
    }
    for (MarkRun& run : runs_) {
        if (run.mark == MarkDiscarded && !run.step) {
            for (int i = run.first; i <= run.last; ++i)
                view_.marks[static_cast<std::size_t>(i)] = MarkNone;
            run.mark = MarkNone;
        }
    }
    int level = 0;
    for (MarkRun& run : runs_) {
        if (run.step) {
            level = 1 - level;
            run.level = 0;
        } else {
            run.level = level;
        }
    }
    return true;
}

bool FFPolyGlue::Prepare()
{
    if (!FindSteps())
        return false;
    if (!TunePoly<GlueTuning>(&power_))
        return false;
    // NaN and infinite samples are no fit points; they stay as they are.
    m_[0] = m_[1] = 0;
    for (const MarkRun& run : runs_)
        if (run.mark == MarkSelected)
            for (int i = run.first; i <= run.last; ++i)
                m_[run.level] += std::isfinite(view_.samples[i]);
    if (m_[0] < 2 * power_ + 4 || m_[1] < 2 * power_ + 4) {
        error("not enough data");
        return false;
    }
    for (int s = 0; s < 2; ++s) {
        x_[s].clear();
        y_[s].clear();
        x_[s].reserve(static_cast<std::size_t>(m_[s]));
        y_[s].reserve(static_cast<std::size_t>(m_[s]));
    }
    for (const MarkRun& run : runs_) {
        if (run.mark != MarkSelected)
            continue;
        for (int i = run.first; i <= run.last; ++i) {
            if (!std::isfinite(view_.samples[i]))
                continue;
            x_[run.level].push_back(i);
            y_[run.level].push_back(view_.samples[i]);
        }
    }
    return true;
}

bool FFPolyGlue::Fit()
{
    if (!fitted(FitTwoLevel(x_[0].data(), y_[0].data(), m_[0], x_[1].data(), y_[1].data(), m_[1], power_, poly_)))
        return false;
    stepHeight_ = poly_.StepHeight();
    return true;
}

bool FFPolyGlue::Store()
{
    // The step fill must be finite before any mark changes; the shifted
    // levels are finite wherever the samples are.
    for (const MarkRun& run : runs_) {
        if (run.mark != MarkDiscarded)
            continue;
        for (int i = run.first; i <= run.last; ++i) {
            const float v = static_cast<float>(poly_(i, 0));
            if (!std::isfinite(v))
                return refuse();
            view_.result[static_cast<std::size_t>(i)] = v;
        }
    }
    view_.clearMarks();
    for (const MarkRun& run : runs_) {
        if (run.mark == MarkDiscarded) {
            for (int i = run.first; i <= run.last; ++i)
                view_.marks[static_cast<std::size_t>(i)] = MarkPending;
        } else if (run.level == 1) {
            for (int i = run.first; i <= run.last; ++i) {
                view_.result[static_cast<std::size_t>(i)] =
                    static_cast<float>(static_cast<double>(view_.samples[i]) - stepHeight_);
                view_.marks[static_cast<std::size_t>(i)] = MarkPending;
            }
        }
    }
    return true;
}
