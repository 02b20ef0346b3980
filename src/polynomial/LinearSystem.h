#pragma once
// A dense linear system M·x = r solved once by Gauss–Jordan elimination with
// complete pivoting.
//
// The systems here are tiny (normal equations of polynomial fits, Best Fit
// of a linear combination), so the elimination is plain and exact in its
// order of operations: the pivot search visits the free rows in increasing
// index and, within each, the free columns in increasing index, and a later
// entry replaces the candidate only when strictly larger in magnitude.
//
// The pivot is divided by without a test, as the elimination always runs to
// the end; Degenerate() tells the caller afterwards whether the solution can
// be trusted, so that no NaN or infinity ever reaches a record.

#include <vector>

class LinearSystem {
public:
    explicit LinearSystem(int size);

    int Size() const { return size_; }
    double& M(int row, int column) { return matrix_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]; }
    double& R(int row) { return rhs_[static_cast<std::size_t>(row)]; }
    double M(int row, int column) const
    {
        return matrix_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    double R(int row) const { return rhs_[static_cast<std::size_t>(row)]; }
    // Solution entry for unknown (column) c, valid after Solve.
    double X(int column) const { return solution_[static_cast<std::size_t>(column)]; }
    const std::vector<double>& Solution() const { return solution_; }
    // Row in which column c was pivoted, valid after Solve.
    int PivotRow(int column) const { return pivotRow_[static_cast<std::size_t>(column)]; }

    // Destroys the matrix and right-hand side contents.
    void Solve();

    // True when a pivot was zero or negligible against its original entry
    // and diagonal (the system is singular to working precision), or when
    // the matrix, right-hand side or solution holds a NaN or an infinity.
    bool Degenerate() const { return degenerate_; }

private:
    int size_;
    std::vector<std::vector<double>> matrix_;  // each row a separate array
    std::vector<double> rhs_;
    std::vector<double> solution_;
    std::vector<char> rowFree_;
    std::vector<char> columnFree_;
    std::vector<int> pivotRow_;
    bool degenerate_ = false;
};
