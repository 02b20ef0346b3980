#include "SingleLevelOperation.h"

#include <cmath>

bool SingleLevelOperation::Gather(bool all)
{
    // NaN and infinite samples are no fit points: the polynomial comes from
    // the defined samples alone.
    const int n = view_.count;
    auto takes = [&](int i) {
        return (all || view_.marks[static_cast<std::size_t>(i)] == MarkSelected) && std::isfinite(view_.samples[i]);
    };
    m_ = 0;
    for (int i = 0; i < n; ++i)
        m_ += takes(i);
    if (m_ < 2 * power_ + 2) {
        error("not enough data");
        return false;
    }
    x_.resize(static_cast<std::size_t>(m_));
    y_.resize(static_cast<std::size_t>(m_));
    std::size_t k = 0;
    for (int i = 0; i < n; ++i) {
        if (takes(i)) {
            x_[k] = i;
            y_[k] = view_.samples[i];
            ++k;
        }
    }
    return true;
}

bool SingleLevelOperation::Fit() { return fitted(FitSingleLevel(x_.data(), y_.data(), m_, power_, poly_)); }
