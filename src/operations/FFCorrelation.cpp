#include "FFCorrelation.h"

#include "Progress.h"

#include "FFile.h"
#include "FiniteSamples.h"
#include "Messages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Samples handled per block: the deviations of all operands for one block
// stay in the first-level cache while every pair is multiplied.
constexpr int kBlock = 256;

// Sum of a[k] over one block, in eight independent double lanes so the
// compiler can vectorise it; blocks are then added in extended precision.
double blockSum(const float* a, int n)
{
    double s[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    int k = 0;
    for (; k + 8 <= n; k += 8)
        for (int u = 0; u < 8; ++u)
            s[u] += a[k + u];
    double total = ((s[0] + s[1]) + (s[2] + s[3])) + ((s[4] + s[5]) + (s[6] + s[7]));
    for (; k < n; ++k)
        total += a[k];
    return total;
}

double blockDot(const double* a, const double* b, int n)
{
    double s[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    int k = 0;
    for (; k + 8 <= n; k += 8)
        for (int u = 0; u < 8; ++u)
            s[u] += a[k + u] * b[k + u];
    double total = ((s[0] + s[1]) + (s[2] + s[3])) + ((s[4] + s[5]) + (s[6] + s[7]));
    for (; k < n; ++k)
        total += a[k] * b[k];
    return total;
}

}  // namespace

std::vector<double> FFCorrelation::Correlate(const std::vector<const float*>& rows, int n)
{
    const std::size_t m = rows.size();
    std::vector<double> r(m * m, kUndefined);
    if (n < 1)
        return r;

    // Deviations are taken from the mean. (Dividing the sum by
    // sqrt((n - 1) n) instead of n would leave part of a record's level in
    // its deviations, so that records with a large common level would look
    // correlated and a constant record would get coefficients.)
    std::vector<double> mean(m);
    for (std::size_t i = 0; i < m; ++i) {
        long double sum = 0;
        for (int k0 = 0; k0 < n; k0 += kBlock)
            sum += blockSum(rows[i] + k0, std::min(kBlock, n - k0));
        mean[i] = static_cast<double>(sum / n);
    }

    // Cross products of the deviations for every pair i <= j.
    std::vector<long double> cross(m * m, 0.0L);
    std::vector<double> dev(m * kBlock);
    for (int k0 = 0; k0 < n; k0 += kBlock) {
        if ((k0 & 0xFFFF) == 0 && !Progress::report(k0, n))
            return r;  // cancelled: the caller drops the result
        const int len = std::min(kBlock, n - k0);
        for (std::size_t i = 0; i < m; ++i) {
            const float* x = rows[i] + k0;
            double* d = dev.data() + i * kBlock;
            const double s = mean[i];
            for (int k = 0; k < len; ++k)
                d[k] = x[k] - s;
        }
        for (std::size_t i = 0; i < m; ++i)
            for (std::size_t j = i; j < m; ++j)
                cross[i * m + j] += blockDot(dev.data() + i * kBlock, dev.data() + j * kBlock, len);
    }

    // The normalisation of the spreads cancels in the ratio; it is kept in
    // the usual sample form.
    const long double norm = std::sqrt(static_cast<long double>(n - 1) * n);
    std::vector<long double> spread(m);
    for (std::size_t i = 0; i < m; ++i)
        spread[i] = cross[i * m + i] / norm;
    for (std::size_t i = 0; i < m; ++i) {
        r[i * m + i] = 1.0;
        for (std::size_t j = i + 1; j < m; ++j) {
            if (spread[i] == 0 || spread[j] == 0)
                continue;
            const double v = static_cast<double>((cross[i * m + j] / norm) / std::sqrt(spread[j] * spread[i]));
            // A record holding NaN or infinities has no coefficient either.
            if (std::isfinite(v))
                r[i * m + j] = r[j * m + i] = v;
        }
    }
    return r;
}

std::string FFCorrelation::FormatTable(const std::vector<std::string>& names, const std::vector<double>& r)
{
    const std::size_t m = names.size();
    char cell[64];
    std::string text(17, ' ');
    for (std::size_t j = 1; j <= m; ++j) {
        std::snprintf(cell, sizeof cell, "   [%2d]", static_cast<int>(j));
        text += cell;
    }
    text += "\r\n\r\n";
    for (std::size_t i = 0; i < m; ++i) {
        std::snprintf(cell, sizeof cell, "%12s:[%2d]", names[i].c_str(), static_cast<int>(i + 1));
        text += cell;
        for (std::size_t j = 0; j < m; ++j) {
            const double v = r[i * m + j];
            if (std::isfinite(v)) {
                std::snprintf(cell, sizeof cell, " %#6.3lf", v);
                text += cell;
            } else {
                text += " ------";
            }
        }
        text += "\r\n\r\n";
    }
    return text;
}

std::vector<double> FFCorrelation::CorrelateDefined(const std::vector<const float*>& rows, int n)
{
    bool defined = true;
    for (const float* row : rows)
        defined = defined && allFinite(row, static_cast<std::size_t>(std::max(n, 0)));
    if (defined)
        return Correlate(rows, n);
    // Only the grid points where every operand is defined take part, so
    // that all sums of one table run over the same points.
    const std::size_t m = rows.size();
    std::vector<std::vector<float>> kept(m);
    for (int k = 0; k < n; ++k) {
        bool all = true;
        for (std::size_t i = 0; i < m && all; ++i)
            all = std::isfinite(rows[i][k]);
        if (all)
            for (std::size_t i = 0; i < m; ++i)
                kept[i].push_back(rows[i][k]);
    }
    std::vector<const float*> keptRows;
    for (const std::vector<float>& row : kept)
        keptRows.push_back(row.data());
    const int count = m > 0 ? static_cast<int>(kept[0].size()) : 0;
    std::vector<double> r = Correlate(keptRows, count);
    if (count < 2)
        std::fill(r.begin(), r.end(), kUndefined);  // no spread without two points
    return r;
}

bool FFCorrelation::Compute()
{
    const int m = OperandCount();
    std::vector<const float*> rows;
    std::vector<std::string> names;
    for (int k = 0; k < m; ++k) {
        rows.push_back(Resampled(k));
        names.push_back(Operand(k)->GetShortName());
    }
    coefficients_ = CorrelateDefined(rows, GridSize());
    if (Progress::cancelled())
        return false;
    Messages::showTable("Correlation coefficients", FormatTable(names, coefficients_));
    return true;
}
