#include "SingleLevelOperation.h"

bool SingleLevelOperation::Gather(bool all)
{
    const int n = view_.count;
    m_ = 0;
    if (all) {
        m_ = n;
    } else {
        for (int i = 0; i < n; ++i)
            m_ += view_.marks[static_cast<std::size_t>(i)] == MarkSelected;
    }
    if (m_ < 2 * power_ + 2) {
        error("not enough data");
        return false;
    }
    x_.resize(static_cast<std::size_t>(m_));
    y_.resize(static_cast<std::size_t>(m_));
    std::size_t k = 0;
    for (int i = 0; i < n; ++i) {
        if (all || view_.marks[static_cast<std::size_t>(i)] == MarkSelected) {
            x_[k] = i;
            y_[k] = view_.samples[i];
            ++k;
        }
    }
    return true;
}

bool SingleLevelOperation::Fit() { return fitted(FitSingleLevel(x_.data(), y_.data(), m_, power_, poly_)); }
