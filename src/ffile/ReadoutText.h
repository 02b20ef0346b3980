#pragma once
// Coordinate texts with a chosen number of digits, for what a person reads
// on screen: the X reading of the status bar and the labels of the rulers.
// The text forms are those of FFile::FormatX (hh:mm:ss.s for time,
// ddd°mm'ss.s" for angle, a signed mantissa with exponent otherwise); only
// the count of digits after the point follows the sample step, so that
// neighbouring samples never read the same. Texts written into files keep
// FormatX's fixed forms.

#include <string>

class FFile;

namespace ReadoutText {

// The most decimals of seconds or arcseconds a reading shows.
constexpr int kMaxDecimals = 6;
// The most digits after the point of the number form.
constexpr int kMaxMantissaDigits = 9;

// Decimals of seconds (or arcseconds) that tell values `step` apart: at
// least 1, at most kMaxDecimals.
int secondDecimals(double step);
// Digits after the mantissa's point that tell values near `magnitude` and
// `step` apart: at least 3 (the usual form), at most kMaxMantissaDigits.
int mantissaDigits(double magnitude, double step);

// hh:mm:ss with `decimals` decimals of seconds (none: no point), reduced
// into one day; rounding carries into the minutes and hours.
std::string timeText(double seconds, int decimals);
// ddd°mm'ss" (degree sign as byte 0xB0) with `decimals` decimals of
// arcseconds, reduced into one turn.
std::string angleText(double arcseconds, int decimals);
// " 1.500e+00" with `digits` digits after the point.
std::string numberText(double v, int digits);

// " 000002.5" with `decimals` decimals (the distance form, which pads the
// whole seconds to six digits).
std::string distanceText(double v, int decimals);

// The X reading of display coordinate x in the file's display unit.
std::string readoutX(const FFile& file, double x);
// The reading of a display distance dx (a drag's dX), likewise.
std::string readoutDX(const FFile& file, double dx);

}  // namespace ReadoutText
