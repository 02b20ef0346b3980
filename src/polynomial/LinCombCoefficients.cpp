#include "LinCombCoefficients.h"

#include "LinearSystem.h"
#include "FiniteSamples.h"
#include "Messages.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

LinCombCoefficients::LinCombCoefficients(std::vector<std::string> names, std::vector<const float*> operands,
                                         int gridSize)
    : names_(std::move(names)), operands_(std::move(operands)), gridSize_(gridSize)
{
    texts_.resize(names_.size());
    Average();
}

std::string LinCombCoefficients::Format(double a)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", a);
    return buf;
}

std::string LinCombCoefficients::EditLabel(int row) const { return "File " + Name(row) + ":"; }

void LinCombCoefficients::SetText(int row, const std::string& text)
{
    texts_[static_cast<std::size_t>(row)] = text.substr(0, kMaxText);
}

void LinCombCoefficients::show(const std::vector<double>& a)
{
    for (std::size_t j = 0; j < texts_.size(); ++j)
        texts_[j] = Format(a[j]);
}

void LinCombCoefficients::Average() { show(std::vector<double>(names_.size(), 1.0 / Count())); }

void LinCombCoefficients::Sum() { show(std::vector<double>(names_.size(), 1.0)); }

void LinCombCoefficients::Subtraction()
{
    if (!SubtractionEnabled())
        return;
    show({1.0, -1.0});
}

bool LinCombCoefficients::BestFit()
{
    std::vector<double> a;
    if (!BestFitCoefficients(operands_, gridSize_, a)) {
        Messages::error("FFLinComb", "no best fit: the other f-files are zero or linearly dependent");
        return false;
    }
    show(a);
    return true;
}

std::vector<double> LinCombCoefficients::Accept() const
{
    std::vector<double> a;
    for (const std::string& t : texts_)
        a.push_back(std::atof(t.c_str()));
    return a;
}

bool BestFitCoefficients(const std::vector<const float*>& operands, int gridSize, std::vector<double>& a)
{
    const int n = static_cast<int>(operands.size());
    if (n < 2)
        return false;
    const int u = n - 1;  // unknowns: one per other operand
    // Gram sums G[i][j] (i ≤ j) of the others and their products with the
    // active operand, in one pass over the grid.
    std::vector<long double> gram(static_cast<std::size_t>(u * u), 0.0L), rhs(static_cast<std::size_t>(u), 0.0L);
    std::vector<long double> v(static_cast<std::size_t>(u));
    // Grid points where an operand is NaN or infinite are left out.
    bool defined = true;
    for (const float* p : operands)
        defined = defined && allFinite(p, static_cast<std::size_t>(gridSize > 0 ? gridSize : 0));
    auto skipped = [&](int k) {
        for (const float* p : operands)
            if (!std::isfinite(p[k]))
                return true;
        return false;
    };
    for (int k = 0; k < gridSize; ++k) {
        if (!defined && skipped(k))
            continue;
        const long double a0 = operands[0][k];
        for (int i = 0; i < u; ++i)
            v[static_cast<std::size_t>(i)] = operands[static_cast<std::size_t>(i + 1)][k];
        for (int i = 0; i < u; ++i) {
            const long double vi = v[static_cast<std::size_t>(i)];
            rhs[static_cast<std::size_t>(i)] += a0 * vi;
            for (int j = i; j < u; ++j)
                gram[static_cast<std::size_t>(i * u + j)] += vi * v[static_cast<std::size_t>(j)];
        }
    }
    LinearSystem system(u);
    for (int i = 0; i < u; ++i) {
        for (int j = i; j < u; ++j)
            system.M(i, j) = system.M(j, i) = static_cast<double>(gram[static_cast<std::size_t>(i * u + j)]);
        system.R(i) = static_cast<double>(rhs[static_cast<std::size_t>(i)]);
    }
    system.Solve();
    if (system.Degenerate())
        return false;
    a.assign(static_cast<std::size_t>(n), 1.0);
    for (int i = 1; i < n; ++i)
        a[static_cast<std::size_t>(i)] = -system.X(i - 1);
    return true;
}
