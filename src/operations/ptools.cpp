#include "ptools.h"

#include "Messages.h"
#include "SlidingMeanTuning.h"
#include "warithmetic.h"
#include "wmedian.h"

#include <algorithm>

void ptools::init(const float* data, int n, double h)
{
    work_.reset();
    external_ = nullptr;
    data_ = data;
    n_ = data ? std::max(0, n) : 0;
    h_ = h;
    work_ = SampleArray(n_);
    copyPending_ = true;
    low_ = flatten_ = 0;
    high_ = n_;
}

void ptools::initInPlace(const float* data, float* work, int n, double h)
{
    work_.reset();
    data_ = data;
    n_ = data && work ? std::max(0, n) : 0;
    h_ = h;
    external_ = work;
    copyPending_ = false;
    low_ = flatten_ = 0;
    high_ = n_;
}

void ptools::apply(int windowType, int filterType, double W)
{
    if (!data_)
        Messages::fatal("ptools: no input data");
    if (filterType == FilterType::Mean) {
        warithmetic kernel(windowType, W, h_);
        low_ = flatten_ = kernel.HalfWidth();
        high_ = n_ - low_;
        kernel.filterFinite(external_ ? external_ : work_.data(), data_, n_);
        copyPending_ = false;
    } else if (filterType == FilterType::Median) {
        wmedian kernel(windowType, W, h_);
        low_ = flatten_ = kernel.HalfWidth();
        high_ = n_ - low_;
        kernel.filterFinite(external_ ? external_ : work_.data(), data_, n_);
        copyPending_ = false;
    }
}

void ptools::fillWork()
{
    if (copyPending_ && n_ > 0)
        std::copy(data_, data_ + n_, work_.data());
    copyPending_ = false;
}

void ptools::removeBackground()
{
    float* w = work();
    for (int i = 0; i < n_; ++i)
        w[i] = data_[i] - w[i];
}

bool ptools::flattenEdges()
{
    // With the margins meeting or crossing there is no value computed with
    // the full window; copying one would read outside the record.
    if (flatten_ < 0 || high_ > n_ || flatten_ >= high_)
        return false;
    float* w = work();
    std::fill(w, w + flatten_, w[flatten_]);
    std::fill(w + high_, w + n_, w[high_ - 1]);
    return true;
}

void ptools::destroy()
{
    work_.reset();
    external_ = nullptr;
    copyPending_ = false;
}
