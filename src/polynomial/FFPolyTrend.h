#pragma once
// Remove trend: fits a polynomial to the selected samples of a view (or to
// the whole record when nothing is selected), and leaves its values over the
// whole record in the view's result array with every sample pending. The
// command then subtracts them after the user confirmed.

#include "PolyLeastSquares.h"
#include "ViewArrays.h"

#include <vector>

class FFPolyTrend {
public:
    explicit FFPolyTrend(ViewArrays& view) : view_(view) {}

    // True when the trend waits in the result array; false after a message
    // or when the user cancelled the tuning dialog.
    bool Execute();
    bool Prepare();
    // False (with a message) when the fit is singular or the fit points are
    // not finite numbers.
    bool Fit();
    // The fitted polynomial at sample index x; 0 before a fit.
    double Evaluate(double x) const { return fitted_ ? poly_(x) : 0.0; }

    bool WholeRecord() const { return wholeRecord_; }
    int PointCount() const { return m_; }
    const Polynomial& Fitted() const { return poly_; }

private:
    ViewArrays& view_;
    int power_ = 0;
    int m_ = 0;
    std::vector<double> y_;
    std::vector<double> x_;
    Polynomial poly_;
    bool fitted_ = false;
    bool executed_ = false;
    bool wholeRecord_ = false;
};
