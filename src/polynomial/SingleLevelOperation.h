#pragma once
// The part Clip and Remove trend share: one polynomial fitted to chosen
// samples of the view, at their sample indices.

#include "PolyLeastSquares.h"
#include "PolyViewOperation.h"

#include <vector>

class SingleLevelOperation : public PolyViewOperation {
public:
    bool Fit() override;
    // The fitted polynomial at sample index x; 0 before a fit.
    double Evaluate(double x) const { return fitted_ ? poly_(x) : 0.0; }

    int PointCount() const { return m_; }
    const Polynomial& Fitted() const { return poly_; }

protected:
    using PolyViewOperation::PolyViewOperation;

    // Takes the selected samples (every sample when all is true) as fit
    // points; false with "not enough data" when there are fewer than
    // 2·power + 2 of them.
    bool Gather(bool all);

    Polynomial poly_;

private:
    int m_ = 0;
    std::vector<double> y_;
    std::vector<double> x_;
};
