#include "FFPolyFit.h"

#include "BusyCursor.h"
#include "Messages.h"
#include "PolyMessages.h"
#include "PolyTuning.h"

#include <cmath>

namespace {
constexpr const char* kClass = "FFPolyFit";
}

bool FFPolyFit::Prepare()
{
    if (!view_.hasMark(MarkSelected) || !view_.hasMark(MarkDiscarded)) {
        Messages::error(kClass, "no data selected or discarded");
        return false;
    }
    if (!TunePoly<ClipTuning>(&power_))
        return false;
    const int n = view_.count;
    m_ = 0;
    for (int i = 0; i < n; ++i)
        m_ += view_.marks[static_cast<std::size_t>(i)] == MarkSelected;
    if (m_ < 2 * power_ + 2) {
        Messages::error(kClass, "not enough data");
        return false;
    }
    x_.resize(static_cast<std::size_t>(m_));
    y_.resize(static_cast<std::size_t>(m_));
    std::size_t k = 0;
    for (int i = 0; i < n; ++i) {
        if (view_.marks[static_cast<std::size_t>(i)] == MarkSelected) {
            x_[k] = i;
            y_[k] = view_.samples[i];
            ++k;
        }
    }
    return true;
}

bool FFPolyFit::Fit()
{
    fitted_ = FitSingleLevel(x_.data(), y_.data(), m_, power_, poly_);
    if (!fitted_)
        Messages::error(kClass, kSingularFit);
    return fitted_;
}

bool FFPolyFit::Execute()
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
    const int n = view_.count;
    for (int i = 0; i < n; ++i) {
        if (view_.marks[static_cast<std::size_t>(i)] != MarkDiscarded)
            continue;
        const float v = static_cast<float>(poly_(i));
        if (!std::isfinite(v)) {
            Messages::error(kClass, kSingularFit);
            return false;
        }
        view_.result[static_cast<std::size_t>(i)] = v;
    }
    for (int i = 0; i < n; ++i) {
        std::uint8_t& mark = view_.marks[static_cast<std::size_t>(i)];
        mark = mark == MarkDiscarded ? MarkPending : MarkNone;
    }
    return true;
}
