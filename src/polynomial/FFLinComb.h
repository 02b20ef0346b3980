#pragma once
// Linear combination: a new F-file Σ a_j · operand_j on the common grid of
// the operands, the active F-file first. The coefficients come from the
// "Linear Combination" dialog (LinCombCoefficients), which starts at 1/n
// each; its HISTORY text is "LINCOMB".

#include "FFOperation.h"
#include "LinCombCoefficients.h"

#include <functional>
#include <vector>

class FFLinComb : public FFOperation {
public:
    // The dialog: true for OK (the texts then become the coefficients),
    // false for Cancel. Without one the initial coefficients are taken, as
    // a batch run would.
    using Dialog = std::function<bool(LinCombCoefficients&)>;
    static void SetDialog(Dialog dialog);

    explicit FFLinComb(const FFList& operands, const OverlayTuning* settings = nullptr);

    const std::vector<double>& Coefficients() const { return coefficients_; }

protected:
    bool Prepare() override;
    bool Compute() override;

private:
    std::vector<double> coefficients_;
};
