// The fast path of the running weighted median: the window as one sorted
// array instead of two chains.
//
// The array is ordered exactly like the value chain (ascending; equal values
// with the newest, that is the highest sample index, first), and the weights
// are summed in the same order, so every output equals the chains' output.
// One slide of the window removes a sample and inserts another with two
// binary searches and a single move of the entries between them.

#include "wmedian.h"

#include "Progress.h"
#include "WeightWindow.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

struct Entry {
    float value;
    int pos;
};

inline bool before(const Entry& a, const Entry& b)
{
    return a.value < b.value || (a.value == b.value && a.pos > b.pos);
}

inline std::size_t lowerBound(const Entry* a, std::size_t len, const Entry& key)
{
    std::size_t lo = 0;
    while (len > 0) {
        const std::size_t half = len / 2;
        if (before(a[lo + half], key)) {
            lo += half + 1;
            len -= half + 1;
        } else {
            len = half;
        }
    }
    return lo;
}

class SortedWindow {
public:
    explicit SortedWindow(std::size_t capacity) : entries_(capacity) {}

    void insert(Entry e)
    {
        const std::size_t q = lowerBound(entries_.data(), size_, e);
        std::memmove(&entries_[q + 1], &entries_[q], (size_ - q) * sizeof(Entry));
        entries_[q] = e;
        ++size_;
    }
    void erase(Entry e)
    {
        const std::size_t p = lowerBound(entries_.data(), size_, e);
        std::memmove(&entries_[p], &entries_[p + 1], (size_ - p - 1) * sizeof(Entry));
        --size_;
    }
    // Removes 'gone' and inserts 'added' with one move.
    void replace(Entry gone, Entry added)
    {
        Entry* a = entries_.data();
        const std::size_t p = lowerBound(a, size_, gone);
        const std::size_t q = lowerBound(a, size_, added);
        if (q > p) {
            std::memmove(&a[p], &a[p + 1], (q - 1 - p) * sizeof(Entry));
            a[q - 1] = added;
        } else {
            std::memmove(&a[q + 1], &a[q], (p - q) * sizeof(Entry));
            a[q] = added;
        }
    }
    std::size_t size() const { return size_; }
    const Entry& operator[](std::size_t i) const { return entries_[i]; }

private:
    std::vector<Entry> entries_;
    std::size_t size_ = 0;
};

}  // namespace

void wmedian::filterSorted(float* out, const float* in, int n, bool leaveOut) const
{
    // Left out samples never enter the window.
    auto present = [&](int p) { return !leaveOut || std::isfinite(in[p]); };
    constexpr float inf = std::numeric_limits<float>::infinity();
    const int m = m_;
    const int L = length_;
    SortedWindow win(static_cast<std::size_t>(std::min(L, n)) + 1);
    for (int p = 0; p <= std::min(n - 1, m); ++p)
        if (present(p))
            win.insert({in[p], p});

    // Equal weights: the median is the sample of a fixed rank for each count
    // of samples present, found with the very sums the chains would form.
    std::vector<int> rank;
    if (type_ == WindowRectangular) {
        std::vector<double> partial(static_cast<std::size_t>(L) + 1, 0.0);
        for (int k = 1; k <= L; ++k)
            partial[static_cast<std::size_t>(k)] = partial[static_cast<std::size_t>(k) - 1] + weight_[0];
        rank.assign(static_cast<std::size_t>(L) + 1, -1);
        for (int c = 1; c <= L; ++c) {
            const double half = (c == L ? 1.0 : partial[static_cast<std::size_t>(c)]) / 2.0;
            for (int k = 1; k <= c; ++k) {
                if (partial[static_cast<std::size_t>(k)] >= half) {
                    rank[static_cast<std::size_t>(c)] = k - 1;
                    break;
                }
            }
        }
    }

    for (int o = 0; o < n; ++o) {
        if ((o & 4095) == 0 && !Progress::report(o, n))
            return;
        const std::size_t c = win.size();
        if (c == 0) {
            out[o] = std::numeric_limits<float>::quiet_NaN();  // nothing defined in the window
        } else if (!rank.empty()) {
            const int r = rank[c];
            out[o] = r >= 0 ? win[static_cast<std::size_t>(r)].value : inf;
        } else {
            const double* w = weight_.data();
            const int base = o + m;  // the weight of position p is w[base - p]
            double total = 1.0;
            if (static_cast<int>(c) != L) {
                total = 0.0;
                for (std::size_t j = 0; j < c; ++j)
                    total += w[base - win[j].pos];
            }
            const double half = total / 2.0;
            double run = 0.0;
            float result = inf;
            for (std::size_t j = 0; j < c; ++j) {
                run += w[base - win[j].pos];
                if (run >= half) {
                    result = win[j].value;
                    break;
                }
            }
            out[o] = result;
        }
        const int added = o + 1 + m;
        const int gone = o - m;
        const bool adds = added < n && present(added);
        const bool drops = gone >= 0 && present(gone);
        if (adds && drops)
            win.replace({in[gone], gone}, {in[added], added});
        else if (adds)
            win.insert({in[added], added});
        else if (drops)
            win.erase({in[gone], gone});
    }
}
