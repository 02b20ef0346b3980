#include "FFSlidingMean.h"

#include <cmath>

#include "HeadEntry.h"
#include "Messages.h"
#include "Tuning.h"
#include "WeightWindow.h"
#include "Progress.h"
#include "ptools.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr const char* kClass = "FFSlidingMean";
// The settings name the kernels' windows by the same numbers.
static_assert(int{WindowFunction::Rectangular} == int{WindowRectangular} &&
              int{WindowFunction::Parabolic} == int{WindowParabolic} &&
              int{WindowFunction::Gaussian} == int{WindowGaussian});
}

FFSlidingMean::FFSlidingMean(FFile* input, const SlidingMeanTuning* settings, float* preview)
    : FFTransform(input, true), preview_(preview)
{
    historyName_ = "SLIDING_MEAN";
    progressLabel_ = "Sliding mean";
    if (settings) {
        settings_ = *settings;
        settings_.given = true;
    }
}

bool FFSlidingMean::Prepare()
{
    if (!FFTransform::Prepare())
        return false;
    if (!settings_.given) {
        if (!Tuning<SlidingMeanTuning>::current().quiet && !Tuning<SlidingMeanTuning>::edit())
            return false;
        settings_ = Tuning<SlidingMeanTuning>::current();
        settings_.given = false;
    }
    // Checked for given settings too: a window of zero or negative size (or
    // a sample step of zero) would give the kernels a negative half-width.
    const double W = settings_.windowSize;
    if (!(step_ < W && W < n_ * step_ * 0.5)) {
        Messages::errorText("Invalid window size");
        return false;
    }
    // The Gaussian reaches 2W to each side, so a window that passes the check
    // may still leave no sample computed with the full window; cutting would
    // then make a record of no or negative size and flattening would copy
    // from outside the record.
    const bool kernel = settings_.filterType == FilterType::Mean || settings_.filterType == FilterType::Median;
    const bool edges = settings_.boundaryMode == BoundaryMode::Cut || settings_.boundaryMode == BoundaryMode::Flatten;
    if (kernel && edges && WeightWindow::valid(settings_.windowFunction)) {
        const long long m = WeightWindow::halfWidthOf(settings_.windowFunction, W, step_);
        if (2 * m >= n_) {
            Messages::error(kClass, "window too wide to cut or flatten the record ends");
            return false;
        }
    }
    std::string history = output_->GetText("HISTORY") + HeadEntry::FormatReal(W);
    if (settings_.removeBackground)
        history += "BGR";
    output_->SetText("HISTORY", Messages::cut(history));
    return true;
}

bool FFSlidingMean::Compute()
{
    // The filter reads the input's samples and works in the output's, which
    // are still their copy.
    ptools filter;
    filter.initInPlace(samples_, outputData_, n_, step_);
    filter.apply(settings_.windowFunction, settings_.filterType, settings_.windowSize);
    if (Progress::cancelled())
        return false;
    if (preview_ && n_ > 0)
        std::memcpy(preview_, filter.work(), static_cast<std::size_t>(n_) * sizeof(float));
    if (settings_.removeBackground)
        filter.removeBackground();
    const int m = filter.lowMargin();
    switch (settings_.boundaryMode) {
    case BoundaryMode::Leave:  // the work array is the output's samples already
        break;
    case BoundaryMode::Flatten:
        if (!filter.flattenEdges()) {
            Messages::error(kClass, "window too wide to cut or flatten the record ends");
            return false;
        }
        break;
    case BoundaryMode::Cut: {
        const int count = n_ - 2 * m;
        if (count <= 0) {
            Messages::error(kClass, "window too wide to cut or flatten the record ends");
            return false;
        }
        FHead head = *output_;
        head.SetInt("NAXIS1", count);
        // Enough digits to keep the cut record on its samples' coordinates.
        head.SetText("CRVAL1",
                      HeadEntry::FormatRealWithin(head.GetReal("CRVAL1") + m * step_, 1e-6 * std::fabs(step_)));
        // The old output holds the work array until the values are copied.
        std::unique_ptr<FFile> full = TakeOutput();
        CreateOutput(head, count);
        std::copy(filter.work() + m, filter.work() + m + count, outputData_);
        break;
    }
    default:
        Messages::error(kClass, "unrecognized tf");
        return false;
    }
    return true;
}
