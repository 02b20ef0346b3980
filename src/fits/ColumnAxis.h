#pragma once
// The abscissa of a table read: a column that must be evenly spaced, fitted
// by a straight line over the row index, and the conversion of day numbers
// (MJD, JD) into seconds of the UT day.

#include <string>

struct EvenSpacing {
    double start = 0.0;         // fitted value at row 0
    double step = 0.0;          // fitted change per row
    double maxDeviation = 0.0;  // largest |x - (start + row * step)|
    long long worstRow = 0;     // where it lies
};

namespace ColumnAxis {

// Least-squares line through (row, x[row]); false for fewer than two rows
// or a value that is not finite.
bool FitEvenSpacing(const double* x, long long n, EvenSpacing& out);

// The fit is usable: a step that is not zero and no row further from the
// line than a hundredth of a step.
bool Even(const EvenSpacing& s);

// Modified Julian Date to seconds since the start of its UT day, and to the
// date of that day as YYYY-MM-DD ("" beyond a billion days). JD = MJD +
// 2400000.5.
double SecondsOfDay(double mjd);
std::string Date(double mjd);

}  // namespace ColumnAxis
