// The coordinate axis of an F-file: operation coordinates (for aligning
// several records) and display coordinates (for the status bar), and the
// text forms of coordinate values.

#include "FFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace AxisConstants;

double FFile::declination() const { return GetReal("OBSDEC") * degree; }

void FFile::SetupAxis()
{
    const int n = GetInt("NAXIS1");
    count_ = std::max(n, 0);
    // Never claim more samples than the array holds.
    if (!samples_.empty() && count_ > samples_.size())
        count_ = static_cast<int>(samples_.size());
    const std::string ctype = GetText("CTYPE1");
    if (ctype == "ANGLE")
        kind_ = AxisAngle;
    else if (ctype == "TIME")
        kind_ = AxisTime;
    else
        kind_ = AxisOther;
    offsetFlags_ = 0;
    SetOffsets(0);
    SetXMode(XModeOwn);
    ComputeDisplayOrigin();
    SetUnit(UnitFileOwn);
}

void FFile::SetOffsets(int flags)
{
    double step = 1.0;
    double crval = 0.0;
    double crpix = 1.0;
    double west = 0.0;
    double east = 0.0;
    double nutation = 0.0;
    const bool convertible = kind_ == AxisTime || kind_ == AxisAngle;
    if (!(flags & OffsetPixels)) {
        step = GetReal("CDELT1");
        if (!(flags & OffsetNoAbsolute)) {
            crval = GetReal("CRVAL1");
            crpix = GetReal("CRPIX1");
        }
        if (!(flags & OffsetNoHorns) && convertible) {
            west = GetReal("TIMEWSH");
            east = GetReal("TIMEESH");
        }
        if (!(flags & OffsetNoNutation) && convertible)
            nutation = GetReal("NUT-RA");
    }
    offsetStep_ = step;
    offsetOrigin_ = (west + east) * 0.5 + (1.0 - crpix) * step + nutation + crval;
    yUnits_ = GetText("BUNIT");

    const bool wasPixels = (offsetFlags_ & OffsetPixels) != 0;
    if (flags & OffsetPixels) {
        if (!wasPixels) {
            xScale_ = 1.0;
            xMode_ = XModeNone;
            xLabel_ = "PIXELS";
        }
        offsetFlags_ = flags;
        return;
    }
    if (wasPixels) {
        // Leaving pixel mode: SetXMode refuses nothing for the file's own mode,
        // and it must see the flags already cleared.
        offsetFlags_ = flags;
        SetXMode(XModeOwn);
    }
    offsetFlags_ = flags;
}

bool FFile::SetXMode(int mode)
{
    if (xMode_ == XModeNone && mode != XModeOwn)
        return false;
    switch (mode) {
    case XModeTime:
        if (kind_ == AxisTime)
            xScale_ = 1.0;
        else if (kind_ == AxisAngle)
            xScale_ = 1.0 / (std::cos(declination()) * omega);
        else
            return false;
        xMode_ = XModeTime;
        xLabel_ = "TIME";
        return true;
    case XModeAngle:
        if (kind_ == AxisAngle)
            xScale_ = 1.0;
        else if (kind_ == AxisTime)
            xScale_ = std::cos(declination()) * omega;
        else
            return false;
        xMode_ = XModeAngle;
        xLabel_ = "ANGLE";
        return true;
    case XModeOwn:
        xMode_ = kind_ == AxisTime ? XModeTime : kind_ == AxisAngle ? XModeAngle : XModeNone;
        xLabel_ = GetText("CTYPE1");
        xScale_ = 1.0;
        return true;
    default:
        return false;
    }
}

void FFile::ComputeDisplayOrigin()
{
    const double cdelt = GetReal("CDELT1");
    displayStep_ = cdelt;
    displayOrigin_ = GetReal("CRVAL1") + cdelt * (1.0 - GetReal("CRPIX1"));
    if (kind_ == AxisTime || kind_ == AxisAngle)
        displayOrigin_ = GetReal("NUT-RA") + (GetReal("TIMEWSH") + GetReal("TIMEESH")) * 0.5 + displayOrigin_;
    displayYUnits_ = GetText("BUNIT");
}

bool FFile::SetUnit(int u)
{
    if (unit_ == UnitOwn && u != UnitFileOwn)
        return false;
    if (u > UnitFileOwn || u < 0)
        return false;
    switch (u) {
    case UnitSec:
        if (kind_ == AxisTime)
            unitScale_ = 1.0;
        else if (kind_ == AxisAngle)
            unitScale_ = 1.0 / (std::cos(declination()) * omega);
        else
            return false;
        unit_ = UnitSec;
        unitLabel_ = "SEC";
        return true;
    case UnitArcsec:
        if (kind_ == AxisAngle)
            unitScale_ = arcsecPerRadian;
        else if (kind_ == AxisTime)
            unitScale_ = std::cos(declination()) * arcsecPerSecond;
        else
            return false;
        unit_ = UnitArcsec;
        unitLabel_ = "ARCSEC";
        return true;
    case UnitRad:
        if (kind_ == AxisAngle)
            unitScale_ = 1.0;
        else if (kind_ == AxisTime)
            unitScale_ = std::cos(declination()) * omega;
        else
            return false;
        unit_ = UnitRad;
        unitLabel_ = "RAD";
        return true;
    case UnitFileOwn:
        if (kind_ == AxisTime) {
            unit_ = UnitSec;
            unitLabel_ = "SEC";
        } else if (kind_ == AxisAngle) {
            unit_ = UnitRad;
            unitLabel_ = "RAD";
        } else {
            unit_ = UnitOwn;
            unitLabel_ = GetText("CTYPE1");
        }
        unitScale_ = 1.0;
        return true;
    default:
        return false;
    }
}

namespace {

// Reduces v into [0, period). Huge values are reduced with fmod, which is
// exact, instead of step by step, which would never get there; infinities
// and NaN have no position in a day or a turn and are left to the caller.
double reduce(double v, double period)
{
    double r = std::fmod(v, period);
    if (r < 0)
        r += period;
    if (r >= period)  // a tiny negative value plus the period rounds to it
        r -= period;
    return r;
}

}  // namespace

std::string FFile::TimeText(double v)
{
    if (!std::isfinite(v))
        return NumberText(v);
    v = reduce(v, 86400.0);
    const int h = static_cast<int>(std::floor(v / 3600.0));
    const double r = v - 3600.0 * h;
    const int m = static_cast<int>(std::floor(r / 60.0));
    const double s = r - 60.0 * m;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%#04.1lf", h, m, s);
    return buf;
}

std::string FFile::AngleText(double v)
{
    if (!std::isfinite(v))
        return NumberText(v);
    v = reduce(v, 1296000.0);
    const int d = static_cast<int>(std::floor(v / 3600.0));
    const double r = v - 3600.0 * d;
    const int m = static_cast<int>(std::floor(r / 60.0));
    const double s = r - 60.0 * m;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%03d\xB0%02d'%#04.1lf\"", d, m, s);
    return buf;
}

std::string FFile::NumberText(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "% #10.3le", v);
    return buf;
}

std::string FFile::DistanceText(double v)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "% #09.1lf", v);
    return buf;
}

std::string FFile::FormatX(double x) const
{
    if (unit_ == UnitSec)
        return TimeText(x);
    if (unit_ == UnitArcsec)
        return AngleText(x);
    return NumberText(x);
}

std::string FFile::FormatDX(double dx) const
{
    if (unit_ == UnitSec || unit_ == UnitArcsec)
        return DistanceText(dx);
    return NumberText(dx);
}

std::string FFile::FormatY(double y) const { return NumberText(y); }
