#include "ReadoutText.h"

#include "FFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ReadoutText {

namespace {

// Digits that resolve `step`, with a little slack so that a step of 0.001
// (not exactly representable) asks for 3 and not 4.
int digitsFor(double step)
{
    return static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}

// v as whole units of 10^-decimals within one period, rounded half up;
// a reading that rounds up to the full period wraps to 0.
long long ticksWithin(double v, double period, int decimals)
{
    double r = std::fmod(v, period);
    if (r < 0)
        r += period;
    const double scale = std::pow(10.0, decimals);
    const long long full = std::llround(period * scale);
    long long t = static_cast<long long>(std::floor(r * scale + 0.5));
    if (t >= full)
        t -= full;
    return std::max(t, 0LL);
}

// "hh:mm:ss.sss" style text of t units of 10^-decimals; `first` is the
// printf form of the leading field.
std::string sexagesimal(long long t, int decimals, const char* form)
{
    long long units = 1;
    for (int i = 0; i < decimals; ++i)
        units *= 10;
    const long long whole = t / units;
    const long long frac = t % units;
    char buf[64];
    std::snprintf(buf, sizeof buf, form, static_cast<int>(whole / 3600), static_cast<int>(whole / 60 % 60),
                  static_cast<int>(whole % 60));
    std::string text = buf;
    if (decimals > 0) {
        const std::string digits = std::to_string(frac);
        text += '.';
        text.append(static_cast<std::size_t>(decimals) - std::min(digits.size(), static_cast<std::size_t>(decimals)), '0');
        text += digits;
    }
    return text;
}

}  // namespace

int secondDecimals(double step)
{
    step = std::fabs(step);
    if (!(step > 0) || !std::isfinite(step))
        return 1;
    return std::clamp(digitsFor(step), 1, kMaxDecimals);
}

int mantissaDigits(double magnitude, double step)
{
    magnitude = std::fabs(magnitude);
    step = std::fabs(step);
    if (!(step > 0) || !(magnitude > step) || !std::isfinite(magnitude) || !std::isfinite(step))
        return 3;
    const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    return std::clamp(exponent + digitsFor(step), 3, kMaxMantissaDigits);
}

std::string timeText(double seconds, int decimals)
{
    if (!std::isfinite(seconds))
        return FFile::NumberText(seconds);
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    return sexagesimal(ticksWithin(seconds, 86400.0, decimals), decimals, "%02d:%02d:%02d");
}

std::string angleText(double arcseconds, int decimals)
{
    if (!std::isfinite(arcseconds))
        return FFile::NumberText(arcseconds);
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    std::string text = sexagesimal(ticksWithin(arcseconds, 1296000.0, decimals), decimals, "%03d\xB0%02d'%02d");
    return text + '"';
}

std::string numberText(double v, int digits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "% #.*e", std::clamp(digits, 0, kMaxMantissaDigits), v);
    return buf;
}

std::string distanceText(double v, int decimals)
{
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    // Six whole digits as in " 000002.5", whatever the decimals.
    const int width = 8 + decimals;
    char buf[400];
    std::snprintf(buf, sizeof buf, "% #0*.*f", width, decimals, v);
    return buf;
}

std::string readoutDX(const FFile& file, double dx)
{
    const double step = file.DisplayDX(1.0);
    if (file.Unit() == UnitSec || file.Unit() == UnitArcsec)
        return distanceText(dx, secondDecimals(step));
    return numberText(dx, mantissaDigits(dx, step));
}

std::string readoutX(const FFile& file, double x)
{
    const double step = file.DisplayDX(1.0);
    switch (file.Unit()) {
    case UnitSec: return timeText(x, secondDecimals(step));
    case UnitArcsec: return angleText(x, secondDecimals(step));
    default: return numberText(x, mantissaDigits(x, step));
    }
}

}  // namespace ReadoutText
