#include "FFLinComb.h"

#include "Progress.h"

#include "FFile.h"

#include <string>

namespace {
FFLinComb::Dialog& dialogSlot()
{
    static FFLinComb::Dialog dialog;
    return dialog;
}
}  // namespace

void FFLinComb::SetDialog(Dialog dialog) { dialogSlot() = std::move(dialog); }

FFLinComb::FFLinComb(const FFList& operands, const OverlayTuning* settings) : FFOperation(operands, settings)
{
    SetHistoryName("LINCOMB");
    SetProgressLabel("Linear combination");
}

bool FFLinComb::Prepare()
{
    if (!FFOperation::Prepare())
        return false;
    const int n = OperandCount();
    coefficients_.assign(static_cast<std::size_t>(n), 1.0 / n);
    std::vector<std::string> names;
    std::vector<const float*> data;
    for (int j = 0; j < n; ++j) {
        names.push_back(Operand(j)->GetShortName());
        data.push_back(Resampled(j));
    }
    LinCombCoefficients rows(std::move(names), std::move(data), GridSize());
    if (dialogSlot() && !dialogSlot()(rows))
        return false;
    coefficients_ = rows.Accept();
    return true;
}

bool FFLinComb::Compute()
{
    // The running value is kept in single precision after every addition,
    // operand after operand; the loop runs over the grid innermost so that
    // it streams through each operand once.
    float* out = OutputData();
    const int k = GridSize();
    std::fill(out, out + k, 0.0f);
    for (int j = 0; j < OperandCount(); ++j) {
        if (!Progress::report(j, OperandCount()))
            return false;
        const double a = coefficients_[static_cast<std::size_t>(j)];
        // An operand left out with coefficient 0 adds nothing, and its NaN
        // or infinite samples must not spoil the sum either.
        if (a == 0.0)
            continue;
        const float* p = Resampled(j);
        for (int i = 0; i < k; ++i)
            out[i] = static_cast<float>(static_cast<double>(out[i]) + a * static_cast<double>(p[i]));
    }
    return true;
}
