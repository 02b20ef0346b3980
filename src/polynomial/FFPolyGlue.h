#pragma once
// Glue: removes "step" interference, a record whose level jumps. The user
// selects good samples on both sides of each jump and discards the jump.
// The record is split into two alternating levels at the steps; one
// polynomial shape with a constant per level is fitted to the selected
// samples; every level-1 stretch is then lowered by the step height and
// every step filled with the level-0 polynomial (in the result array,
// pending until the user confirms).

#include "PolyLeastSquares.h"
#include "PolyViewOperation.h"

#include <vector>

// A maximal run of samples with equal marks.
struct MarkRun {
    int first = 0;
    int last = 0;  // inclusive
    int mark = MarkNone;
    bool step = false;  // only discarded runs can be steps
    int level = 0;
};

class FFPolyGlue : public PolyViewOperation {
public:
    explicit FFPolyGlue(ViewArrays& view) : PolyViewOperation(view, "FFPolyGlue") {}

    // Splits the marks into runs, decides which discarded runs are steps,
    // clears the marks of the others and assigns the levels.
    bool FindSteps();
    bool Prepare() override;
    bool Fit() override;
    double Evaluate(double x, int level) const { return fitted_ ? poly_(x, level) : 0.0; }

    const std::vector<MarkRun>& Runs() const { return runs_; }
    double StepHeight() const { return stepHeight_; }
    int LevelCount(int level) const { return m_[level == 0 ? 0 : 1]; }
    const TwoLevelPolynomial& Fitted() const { return poly_; }

private:
    bool Store() override;
    bool isStep(std::size_t run) const;

    std::vector<MarkRun> runs_;
    int m_[2] = {0, 0};
    std::vector<double> y_[2];
    std::vector<double> x_[2];
    TwoLevelPolynomial poly_;
    double stepHeight_ = 0.0;
};
