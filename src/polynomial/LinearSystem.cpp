#include "LinearSystem.h"

#include <cmath>
#include <limits>

LinearSystem::LinearSystem(int size)
    : size_(size < 1 ? 1 : size),
      matrix_(static_cast<std::size_t>(size_), std::vector<double>(static_cast<std::size_t>(size_), 0.0)),
      rhs_(static_cast<std::size_t>(size_), 0.0),
      solution_(static_cast<std::size_t>(size_), 0.0),
      rowFree_(static_cast<std::size_t>(size_), 1),
      columnFree_(static_cast<std::size_t>(size_), 1),
      pivotRow_(static_cast<std::size_t>(size_), 0)
{
}

void LinearSystem::Solve()
{
    const std::size_t n = static_cast<std::size_t>(size_);
    // A pivot that is negligible against the entries it came from means
    // that its row and column are dependent on the ones eliminated before,
    // to working precision. Measuring it against its own original entry and
    // diagonal rather than the largest entry of the matrix keeps the test
    // blind to the scale of each unknown (Gram matrices of records in very
    // different units).
    const std::vector<std::vector<double>> original = matrix_;
    // A non-finite right side needs no check here: elimination only scales
    // it by finite factors and subtracts from it, so it stays non-finite and
    // is caught in the solution below.
    bool finite = true;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            finite = finite && std::isfinite(matrix_[i][j]);
    const double tolerance = 64.0 * static_cast<double>(n) * std::numeric_limits<double>::epsilon();
    degenerate_ = !finite;

    for (std::size_t i = 0; i < n; ++i)
        rowFree_[i] = columnFree_[i] = 1;

    for (std::size_t step = 0; step < n; ++step) {
        std::size_t pr = 0, pc = 0;
        double best = -1.0;
        for (std::size_t i = 0; i < n; ++i) {
            if (!rowFree_[i])
                continue;
            for (std::size_t j = 0; j < n; ++j) {
                if (!columnFree_[j])
                    continue;
                const double a = std::fabs(matrix_[i][j]);
                if (a > best) {
                    best = a;
                    pr = i;
                    pc = j;
                }
            }
        }
        // A NaN entry never wins the comparison; take the first free cell
        // then, so that the elimination still visits every column.
        if (best < 0.0) {
            for (pr = 0; !rowFree_[pr]; ++pr) {
            }
            for (pc = 0; !columnFree_[pc]; ++pc) {
            }
        }
        rowFree_[pr] = 0;
        columnFree_[pc] = 0;
        pivotRow_[pc] = static_cast<int>(pr);
        const double scale = std::fmax(std::fabs(original[pr][pc]),
                                       std::sqrt(std::fabs(original[pr][pr]) * std::fabs(original[pc][pc])));
        if (!(std::fabs(matrix_[pr][pc]) > tolerance * scale))
            degenerate_ = true;

        std::vector<double>& prow = matrix_[pr];
        const double q = 1.0 / prow[pc];
        for (std::size_t k = 0; k < n; ++k)
            if (columnFree_[k])
                prow[k] *= q;
        rhs_[pr] *= q;

        for (std::size_t j = 0; j < n; ++j) {
            if (j == pr)
                continue;
            std::vector<double>& row = matrix_[j];
            const double e = row[pc];
            for (std::size_t k = 0; k < n; ++k)
                if (columnFree_[k])
                    row[k] -= e * prow[k];
            rhs_[j] -= e * rhs_[pr];
        }
    }
    for (std::size_t c = 0; c < n; ++c) {
        solution_[c] = rhs_[static_cast<std::size_t>(pivotRow_[c])];
        if (!std::isfinite(solution_[c]))
            degenerate_ = true;
    }
}
