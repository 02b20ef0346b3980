#include "ColumnAxis.h"

#include <cmath>
#include <cstdio>

namespace ColumnAxis {

bool FitEvenSpacing(const double* x, long long n, EvenSpacing& out)
{
    if (n < 2)
        return false;
    // Values relative to the first one: an MJD of 60000 with steps of 1e-6
    // day would otherwise lose its steps in the sums.
    const double x0 = x[0];
    const double mid = (static_cast<double>(n) - 1.0) / 2.0;
    double sum = 0.0;
    double cross = 0.0;
    for (long long i = 0; i < n; ++i) {
        if (!std::isfinite(x[i]))
            return false;
        const double d = x[i] - x0;
        sum += d;
        cross += (static_cast<double>(i) - mid) * d;
    }
    const double nd = static_cast<double>(n);
    const double spread = nd * (nd * nd - 1.0) / 12.0;  // sum of (i - mid)^2
    out.step = cross / spread;
    const double startRel = sum / nd - out.step * mid;
    out.start = x0 + startRel;
    out.maxDeviation = 0.0;
    out.worstRow = 0;
    for (long long i = 0; i < n; ++i) {
        const double dev = std::fabs((x[i] - x0) - (startRel + out.step * static_cast<double>(i)));
        if (dev > out.maxDeviation) {
            out.maxDeviation = dev;
            out.worstRow = i;
        }
    }
    return true;
}

bool Even(const EvenSpacing& s)
{
    return s.step != 0.0 && s.maxDeviation <= 0.01 * std::fabs(s.step);
}

double SecondsOfDay(double mjd)
{
    return (mjd - std::floor(mjd)) * 86400.0;
}

std::string Date(double mjd)
{
    // Days since 1970-01-01 (MJD 40587), then the civil date of that day
    // (proleptic Gregorian calendar). A day number no calendar reaches has
    // no date.
    if (!(std::fabs(mjd) < 1e9))
        return {};
    long long z = static_cast<long long>(std::floor(mjd)) - 40587 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp < 10 ? mp + 3 : mp - 9;
    const long long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    char buf[80];
    std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld", y, m, d);
    return buf;
}

}  // namespace ColumnAxis
