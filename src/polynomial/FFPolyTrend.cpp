#include "FFPolyTrend.h"

#include "BusyCursor.h"
#include "Messages.h"
#include "PolyMessages.h"
#include "PolyTuning.h"

#include <cmath>

namespace {
constexpr const char* kClass = "FFPolyTrend";
}

bool FFPolyTrend::Prepare()
{
    wholeRecord_ = !view_.hasMark(MarkSelected);
    if (!TunePoly<TrendTuning>(&power_))
        return false;
    const int n = view_.count;
    m_ = 0;
    if (wholeRecord_) {
        m_ = n;
    } else {
        for (int i = 0; i < n; ++i)
            m_ += view_.marks[static_cast<std::size_t>(i)] == MarkSelected;
    }
    if (m_ < 2 * power_ + 2) {
        Messages::error(kClass, "not enough data");
        return false;
    }
    x_.resize(static_cast<std::size_t>(m_));
    y_.resize(static_cast<std::size_t>(m_));
    std::size_t k = 0;
    for (int i = 0; i < n; ++i) {
        if (wholeRecord_ || view_.marks[static_cast<std::size_t>(i)] == MarkSelected) {
            x_[k] = i;
            y_[k] = view_.samples[i];
            ++k;
        }
    }
    return true;
}

bool FFPolyTrend::Fit()
{
    fitted_ = FitSingleLevel(x_.data(), y_.data(), m_, power_, poly_);
    if (!fitted_)
        Messages::error(kClass, kSingularFit);
    return fitted_;
}

bool FFPolyTrend::Execute()
{
    if (executed_) {
        Messages::error(kClass, "can't execute twice");
        return false;
    }
    executed_ = true;
    if (!Prepare())
        return false;
    BusyCursor busy;
    if (!Fit())
        return false;
    // Values beyond the single-precision range would turn into infinities;
    // check them all before any mark changes.
    const int n = view_.count;
    bool finite = true;
    for (int i = 0; i < n; ++i) {
        const float v = static_cast<float>(poly_(i));
        finite = finite && std::isfinite(v);
        view_.result[static_cast<std::size_t>(i)] = v;
    }
    if (!finite) {
        Messages::error(kClass, kSingularFit);
        return false;
    }
    std::fill(view_.marks.begin(), view_.marks.end(), MarkPending);
    return true;
}
