#include "wmedian.h"

#include "FiniteSamples.h"
#include "Messages.h"
#include "Progress.h"
#include "WeightWindow.h"

#include <cmath>
#include <limits>

wmedian::wmedian(int type, double W, double h) : type_(type)
{
    if (!WeightWindow::valid(type))
        Messages::fatal("wmedian: unhandled weight type");
    const WeightWindow win = WeightWindow::make(type, W, h);
    m_ = win.halfWidth;
    length_ = 2 * m_ + 1;
    weight_.resize(static_cast<std::size_t>(length_));
    double sum = 0.0;
    for (int j = 0; j < length_; ++j) {
        const int k = j - m_;
        weight_[static_cast<std::size_t>(j)] = win.weights[static_cast<std::size_t>(k < 0 ? -k : k)];
        sum += weight_[static_cast<std::size_t>(j)];
    }
    for (double& w : weight_)
        w /= sum;
    pool_.resize(static_cast<std::size_t>(length_));
    reset();
}

void wmedian::reset()
{
    for (int j = 0; j < length_; ++j)
        pool_[static_cast<std::size_t>(j)].higher = j + 1 < length_ ? j + 1 : -1;
    free_ = 0;
    newest_ = oldest_ = lowest_ = highest_ = -1;
    count_ = 0;
    index_ = -1;
}

void wmedian::push(double value)
{
    if (free_ < 0)
        popOldest();
    const int id = free_;
    Node& node = pool_[static_cast<std::size_t>(id)];
    free_ = node.higher;
    node.value = value;
    if (count_ == 0) {
        node.stamp = 0;
        node.newer = node.older = node.lower = node.higher = -1;
        newest_ = oldest_ = lowest_ = highest_ = id;
        index_ = 0;
        count_ = 1;
        return;
    }
    node.newer = -1;
    node.older = newest_;
    pool_[static_cast<std::size_t>(newest_)].newer = id;
    newest_ = id;
    ++index_;
    node.stamp = -index_;
    ++count_;
    // Before the first value that is not less: equal values keep the newest first.
    int at = lowest_;
    while (at >= 0 && pool_[static_cast<std::size_t>(at)].value < value)
        at = pool_[static_cast<std::size_t>(at)].higher;
    node.higher = at;
    node.lower = at >= 0 ? pool_[static_cast<std::size_t>(at)].lower : highest_;
    if (node.lower >= 0)
        pool_[static_cast<std::size_t>(node.lower)].higher = id;
    else
        lowest_ = id;
    if (at >= 0)
        pool_[static_cast<std::size_t>(at)].lower = id;
    else
        highest_ = id;
}

void wmedian::popOldest()
{
    if (count_ == 0)
        return;
    const int id = oldest_;
    Node& node = pool_[static_cast<std::size_t>(id)];
    oldest_ = node.newer;
    if (oldest_ >= 0)
        pool_[static_cast<std::size_t>(oldest_)].older = -1;
    else
        newest_ = -1;
    if (node.lower >= 0)
        pool_[static_cast<std::size_t>(node.lower)].higher = node.higher;
    else
        lowest_ = node.higher;
    if (node.higher >= 0)
        pool_[static_cast<std::size_t>(node.higher)].lower = node.lower;
    else
        highest_ = node.lower;
    --count_;
    node.higher = free_;
    free_ = id;
}

double wmedian::median() const
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    if (count_ == 0)
        return inf;
    double total = 1.0;
    if (count_ != length_) {
        total = 0.0;
        for (int at = lowest_; at >= 0; at = pool_[static_cast<std::size_t>(at)].higher)
            total += weight_[static_cast<std::size_t>(pool_[static_cast<std::size_t>(at)].stamp + index_)];
    }
    const double half = total / 2.0;
    double run = 0.0;
    for (int at = lowest_; at >= 0; at = pool_[static_cast<std::size_t>(at)].higher) {
        const Node& node = pool_[static_cast<std::size_t>(at)];
        run += weight_[static_cast<std::size_t>(node.stamp + index_)];
        if (run >= half)
            return node.value;
    }
    return inf;
}

void wmedian::filter(float* out, const float* in, int n)
{
    if (n <= 0)
        return;
    for (int i = 0; i < n; ++i) {
        if (std::isnan(in[i])) {
            // NaN compares with nothing, so the value chain's order depends on
            // the history of the window; only the chains themselves give it.
            filterChains(out, in, n);
            return;
        }
    }
    filterSorted(out, in, n);
}

void wmedian::filterFinite(float* out, const float* in, int n)
{
    if (n > 0)
        filterSorted(out, in, n, !allFinite(in, static_cast<std::size_t>(n)));
}

void wmedian::filterChains(float* out, const float* in, int n)
{
    reset();
    const int m = m_;
    const int lead = m < n ? m : n;
    for (int i = 0; i < lead; ++i)
        push(in[i]);
    int o = 0;
    for (int i = m; i < n; ++i) {
        if ((i & 4095) == 0 && !Progress::report(i, n))
            return;
        push(in[i]);
        out[o++] = static_cast<float>(median());
    }
    // The last outputs: the window loses its oldest sample only once that
    // sample is more than m before the centre, so a window longer than the
    // record keeps every sample it still covers; the weights move on as if
    // samples beyond the end were pushed.
    for (; o < n; ++o) {
        if (o - m - 1 >= 0)
            popOldest();
        index_ = o + m;
        out[o] = static_cast<float>(median());
    }
}
