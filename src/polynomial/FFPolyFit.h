#pragma once
// Clip: fits a polynomial to the selected samples of a view and puts its
// values in place of the discarded ones (in the result array, pending until
// the user confirms). Area runs the same fit to get its baseline.

#include "PolyLeastSquares.h"
#include "ViewArrays.h"

#include <vector>

class FFPolyFit {
public:
    explicit FFPolyFit(ViewArrays& view) : view_(view) {}

    bool Execute();
    bool Prepare();
    bool Fit();
    double Evaluate(double x) const { return fitted_ ? poly_(x) : 0.0; }

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
};
