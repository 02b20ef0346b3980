#include "FFLinComb.h"
#include "FFile.h"
#include "LinearSystem.h"
#include "ScanBuilder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

OverlayTuning quietOverlay()
{
    OverlayTuning t;
    t.quiet = true;
    t.given = true;
    return t;
}

struct Operands {
    std::vector<std::unique_ptr<FFile>> files;
    FFList list;
    // The first file is the active one.
    explicit Operands(const std::vector<std::vector<float>>& samples)
    {
        int k = 0;
        for (const auto& s : samples) {
            ScanRecipe recipe;
            recipe.name = "op" + std::to_string(k++) + ".ff";
            recipe.samples = s;
            files.push_back(makeScan(recipe));
            list.Add(files.back().get());
        }
        list.SetActive(files[0].get());
    }
};

class LinComb : public ::testing::Test {
protected:
    void TearDown() override { FFLinComb::SetDialog(nullptr); }
    RecordMessages messages;
    OverlayTuning overlay = quietOverlay();
};

// Best Fit by a different route: modified Gram–Schmidt QR in long double on
// the columns of the other operands.
std::vector<long double> referenceFit(const std::vector<std::vector<float>>& ops)
{
    const std::size_t k = ops[0].size(), u = ops.size() - 1;
    std::vector<std::vector<long double>> q(u, std::vector<long double>(k));
    std::vector<std::vector<long double>> r(u, std::vector<long double>(u, 0));
    for (std::size_t i = 0; i < u; ++i)
        for (std::size_t t = 0; t < k; ++t)
            q[i][t] = ops[i + 1][t];
    for (std::size_t i = 0; i < u; ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            long double d = 0;
            for (std::size_t t = 0; t < k; ++t)
                d += q[j][t] * q[i][t];
            r[j][i] = d;
            for (std::size_t t = 0; t < k; ++t)
                q[i][t] -= d * q[j][t];
        }
        long double nn = 0;
        for (long double e : q[i])
            nn += e * e;
        r[i][i] = std::sqrt(nn);
        for (long double& e : q[i])
            e /= r[i][i];
    }
    std::vector<long double> qb(u, 0), x(u);
    for (std::size_t i = 0; i < u; ++i)
        for (std::size_t t = 0; t < k; ++t)
            qb[i] += q[i][t] * ops[0][t];
    for (std::size_t i = u; i-- > 0;) {
        long double s = qb[i];
        for (std::size_t j = i + 1; j < u; ++j)
            s -= r[i][j] * x[j];
        x[i] = s / r[i][i];
    }
    return x;
}

}  // namespace

TEST_F(LinComb, DialogRulesSetTheTexts)
{
    std::vector<float> a = {1, 2, 3}, b = {2, 2, 2}, c = {0, 1, 0};
    LinCombCoefficients three({"a.ff", "b.ff", "c.ff"}, {a.data(), b.data(), c.data()}, 3);
    EXPECT_EQ(three.Text(0), "0.333333");
    EXPECT_FALSE(three.SubtractionEnabled());
    three.Subtraction();
    EXPECT_EQ(three.Text(1), "0.333333");
    three.Sum();
    EXPECT_EQ(three.Text(2), "1");
    three.Average();
    EXPECT_EQ(three.Accept(), (std::vector<double>{0.333333, 0.333333, 0.333333}));
    EXPECT_EQ(three.EditLabel(1), "File b.ff:");
    three.SetText(1, "-2.5e-3 and more");
    three.SetText(2, "none");
    EXPECT_EQ(three.Accept(), (std::vector<double>{0.333333, -0.0025, 0.0}));
    three.SetText(0, std::string(40, '7'));
    EXPECT_EQ(three.Text(0).size(), 34u);

    LinCombCoefficients two({"a.ff", "b.ff"}, {a.data(), b.data()}, 3);
    EXPECT_TRUE(two.SubtractionEnabled());
    two.Subtraction();
    EXPECT_EQ(two.Accept(), (std::vector<double>{1, -1}));
}

TEST_F(LinComb, BestFitAgainstAnIndependentLeastSquaresSolution)
{
    std::vector<std::vector<float>> ops(4, std::vector<float>(500));
    for (int t = 0; t < 500; ++t) {
        ops[1][t] = static_cast<float>(std::sin(t * 0.05));
        ops[2][t] = static_cast<float>(t * 0.01);
        ops[3][t] = static_cast<float>(std::cos(t * 0.013) + 2);
        ops[0][t] = static_cast<float>(3 * ops[1][t] - 0.5 * ops[2][t] + 0.25 * ops[3][t] + 0.1 * std::sin(t * 1.7));
    }
    std::vector<const float*> ptr;
    for (auto& o : ops)
        ptr.push_back(o.data());
    std::vector<double> a;
    ASSERT_TRUE(BestFitCoefficients(ptr, 500, a));
    const std::vector<long double> x = referenceFit(ops);
    EXPECT_EQ(a[0], 1.0);
    for (int i = 1; i < 4; ++i)
        EXPECT_NEAR(a[i], -static_cast<double>(x[i - 1]), 1e-9) << i;

    // Two operands: a1 = −Σ A0·A1 / Σ A1·A1.
    std::vector<float> p = {1, 2, 3}, q = {1, 0, 1};
    ASSERT_TRUE(BestFitCoefficients({p.data(), q.data()}, 3, a));
    EXPECT_DOUBLE_EQ(a[1], -2.0);
}

TEST_F(LinComb, BestFitOfAZeroOperandIsRefused)
{
    std::vector<float> a = {1, 2, 3}, zero = {0, 0, 0}, b = {1, 1, 1};
    LinCombCoefficients rows({"a.ff", "z.ff"}, {a.data(), zero.data()}, 3);
    rows.Sum();
    EXPECT_FALSE(rows.BestFit());
    EXPECT_EQ(rows.Text(1), "1");
    LinCombCoefficients twice({"a.ff", "b.ff", "b.ff"}, {a.data(), b.data(), b.data()}, 3);
    EXPECT_FALSE(twice.BestFit());
    EXPECT_EQ(messages.errors(),
              std::vector<std::string>(
                  2, "FFLinComb: no best fit: the other f-files are zero or linearly dependent"));
}

TEST_F(LinComb, ComputesTheCombinationWithHistory)
{
    Operands o({ramp(6, 1, 1), ramp(6, 10, 0), {0, 1, 0, 1, 0, 1}});
    FFLinComb op(o.list, &overlay);
    ASSERT_TRUE(op.Execute());
    std::unique_ptr<FFile> out = op.TakeOutput();
    ASSERT_TRUE(out);
    ASSERT_EQ(out->Count(), 6);
    for (int i = 0; i < 6; ++i) {
        // 0.333333 each, summed in single precision operand by operand.
        float v = 0;
        v = static_cast<float>(v + 0.333333 * (1.0 + i));
        v = static_cast<float>(v + 0.333333 * 10.0);
        v = static_cast<float>(v + 0.333333 * (i % 2));
        EXPECT_EQ(out->Data()[i], v) << i;
    }
    EXPECT_EQ(out->GetText("HISTORY").rfind("LINCOMB(", 0), 0u) << out->GetText("HISTORY");
}

TEST_F(LinComb, DialogButtonsDriveTheResult)
{
    struct Case {
        const char* name;
        std::function<bool(LinCombCoefficients&)> dialog;
        std::vector<float> expected;  // empty: no output
    } cases[] = {
        {"subtraction", [](LinCombCoefficients& r) { return r.Subtraction(), true; }, {-1, -2, -3, -4}},
        {"sum", [](LinCombCoefficients& r) { return r.Sum(), true; }, {3, 6, 9, 12}},
        {"best fit of a scaled copy", [](LinCombCoefficients& r) { return r.BestFit(); }, {0, 0, 0, 0}},
        {"edited", [](LinCombCoefficients& r) { return r.SetText(1, "x"), r.SetText(0, "2"), true; }, {2, 4, 6, 8}},
        {"cancel", [](LinCombCoefficients& r) { return r.Sum(), false; }, {}},
    };
    for (const Case& c : cases) {
        Operands o({{1, 2, 3, 4}, {2, 4, 6, 8}});
        FFLinComb::SetDialog(c.dialog);
        FFLinComb op(o.list, &overlay);
        const bool ok = op.Execute();
        EXPECT_EQ(ok, !c.expected.empty()) << c.name;
        if (!ok)
            continue;
        std::unique_ptr<FFile> out = op.TakeOutput();
        EXPECT_EQ(std::vector<float>(out->Data(), out->Data() + out->Count()), c.expected) << c.name;
    }
    EXPECT_TRUE(messages.errors().empty());
}

TEST_F(LinComb, OneOperandIsRefused)
{
    Operands o({{1, 2, 3}});
    FFLinComb op(o.list, &overlay);
    EXPECT_FALSE(op.Execute());
    EXPECT_EQ(messages.errors(), std::vector<std::string>{"FFOperation: invalid number of operands"});
}

TEST_F(LinComb, BestFitIsBlindToTheUnitsOfEachOperand)
{
    // Others in wildly different units: the fit is the same up to scale.
    std::vector<std::vector<float>> ops(3, std::vector<float>(200));
    for (int t = 0; t < 200; ++t) {
        ops[1][t] = static_cast<float>(1e-9 * std::sin(t * 0.1));
        ops[2][t] = static_cast<float>(1e9 * (t % 7));
        ops[0][t] = static_cast<float>(2e9 * ops[1][t] + 3e-9 * ops[2][t] + std::cos(t * 2.3));
    }
    std::vector<double> a;
    ASSERT_TRUE(BestFitCoefficients({ops[0].data(), ops[1].data(), ops[2].data()}, 200, a));
    const std::vector<long double> x = referenceFit(ops);
    EXPECT_NEAR(a[1] / -static_cast<double>(x[0]), 1.0, 1e-9);
    EXPECT_NEAR(a[2] / -static_cast<double>(x[1]), 1.0, 1e-9);
}
