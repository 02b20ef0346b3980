#pragma once
// Least-squares polynomials through fit points (x, y): the single-level
// model y ≈ c0 + c1·t + … + cp·t^p, and the two-level model
// y ≈ c1·t + … + cp·t^p + d_s, one shared shape with a constant per level s.
//
// x is a sample index and runs to the record length: monomials of the raw
// index make normal equations whose condition grows like x^(2p), useless
// beyond a few hundred samples. The fits therefore work in the variable
// t = (x − centre) / halfRange of the fit points, which lies in [−1, 1];
// the fitted polynomial, the level constants and the step height are the
// same least-squares solution as in x, only computed soundly. Evaluation
// goes through the same variable.
//
// The power sums are accumulated in blocks and lanes, with the powers of t
// built incrementally, so a fit of power 9 over a million points costs a
// few tens of milliseconds.

#include "LinearSystem.h"

#include <array>
#include <vector>

constexpr int kMaxPolyPower = 9;

// t = (x − centre) · inverseScale.
struct PolyBasis {
    double centre = 0.0;
    double inverseScale = 1.0;

    double T(double x) const { return (x - centre) * inverseScale; }
    // Centre and half range of the points; a scale of 1 when all x agree.
    static PolyBasis Over(const double* x, int m);
    static PolyBasis Over2(const double* x0, int m0, const double* x1, int m1);
};

// S[a] = Σ t^a for a = 0…2p and R[k] = Σ t^k·y for k = 0…p over the points.
struct PowerSums {
    std::array<double, 2 * kMaxPolyPower + 1> S{};
    std::array<double, kMaxPolyPower + 1> R{};
};
void AccumulatePowerSums(const double* x, const double* y, int m, int p, const PolyBasis& basis, PowerSums& sums);

// The normal equations of the single-level model (size p+1: a Hankel matrix
// of S, right-hand side R) and of the two-level model (size p+2, unknowns
// c1…cp, d0, d1) from the sums of each level.
void SingleLevelEquations(const PowerSums& sums, int p, LinearSystem& system);
void TwoLevelEquations(const PowerSums& level0, long double sumY0, int m0, const PowerSums& level1,
                       long double sumY1, int m1, int p, LinearSystem& system);

// A polynomial in t: coefficients c0…cp.
struct Polynomial {
    PolyBasis basis;
    std::vector<double> coefficients;

    double operator()(double x) const;
    // The same polynomial in powers of x itself (for reports and checks on
    // short records; on long ones the monomial form is ill-conditioned).
    std::vector<double> MonomialCoefficients() const;
    bool Finite() const;
};

struct TwoLevelPolynomial {
    Polynomial shape;  // coefficient 0 is 0: the constants are per level
    double d0 = 0.0;
    double d1 = 0.0;

    double operator()(double x, int level) const { return (level == 0 ? d0 : d1) + shape(x); }
    double StepHeight() const { return d1 - d0; }
};

// Fit the models; false when the normal equations are singular to working
// precision or the points hold a NaN or an infinity (the result is then
// unusable and left as it was).
bool FitSingleLevel(const double* x, const double* y, int m, int p, Polynomial& result);
bool FitTwoLevel(const double* x0, const double* y0, int m0, const double* x1, const double* y1, int m1, int p,
                 TwoLevelPolynomial& result);
