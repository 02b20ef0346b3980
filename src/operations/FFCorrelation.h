#pragma once
// The matrix of correlation coefficients of several F-files, shown as a text
// table titled "Correlation coefficients". The framework aligns and
// resamples the operands; nothing is written back, and the output F-file the
// framework creates is discarded with the operation.

#include "FFOperation.h"

#include <limits>
#include <string>
#include <vector>

class FFCorrelation : public FFOperation {
public:
    // Without settings the process-wide overlaying record applies.
    explicit FFCorrelation(const FFList& operands, const OverlayTuning* settings = nullptr)
        : FFOperation(operands, settings)
    {
        SetProgressLabel("Correlations");
    }

    // The value of a coefficient that does not exist (an operand without
    // spread); shown as " ------".
    static constexpr double kUndefined = std::numeric_limits<double>::infinity();

    // After a successful Execute: r[i * M + j] for operands i and j in
    // operand order (the active F-file first).
    const std::vector<double>& Coefficients() const { return coefficients_; }

    // The table: a header line of column numbers, then one line per operand
    // with its short name; every line followed by "\r\n\r\n".
    static std::string FormatTable(const std::vector<std::string>& names, const std::vector<double>& r);

    // The coefficients of m arrays of n samples each (rows[i] is operand i).
    static std::vector<double> Correlate(const std::vector<const float*>& rows, int n);
    // The same over the grid points where every operand is defined (neither
    // NaN nor infinite); every coefficient is undefined when fewer than two
    // such points remain.
    static std::vector<double> CorrelateDefined(const std::vector<const float*>& rows, int n);

protected:
    bool Compute() override;

private:
    std::vector<double> coefficients_;
};
