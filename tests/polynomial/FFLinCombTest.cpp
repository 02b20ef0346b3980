#include "FFLinComb.h"
#include "FFCorrelation.h"
#include "FFile.h"
#include "MarkedRecord.h"
#include "Reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

struct Operands {
    std::vector<std::unique_ptr<FFile>> files;
    FFList list;
    explicit Operands(const std::vector<std::vector<float>>& samples)
    {
        int k = 0;
        for (const auto& s : samples) {
            files.push_back(makeScan(recipe(s, 1, 0, "op" + std::to_string(k++) + ".ff")));
            list.Add(files.back().get());
        }
        list.SetActive(files[0].get());
    }
};

class LinComb : public ::testing::Test {
protected:
    void TearDown() override { FFLinComb::SetDialog(nullptr); }
    RecordMessages messages;
    OverlayTuning overlay = [] { OverlayTuning t; return t.quiet = t.given = true, t; }();
};

}  // namespace

// In wildly different units (1e9) the fit must not depend on their scale.
TEST_F(LinComb, BestFitAgainstAnIndependentLeastSquaresSolution)
{
    for (double unit : {1.0, 1e9}) {
        std::vector<std::vector<float>> ops(4, std::vector<float>(500));
        for (int t = 0; t < 500; ++t) {
            ops[1][t] = static_cast<float>(std::sin(t * 0.05) / unit);
            ops[2][t] = static_cast<float>(t * 0.01 * unit);
            ops[3][t] = static_cast<float>(std::cos(t * 0.013) + 2);
            ops[0][t] = static_cast<float>(3 * unit * ops[1][t] - 0.5 / unit * ops[2][t] + 0.25 * ops[3][t] +
                                           0.1 * std::sin(t * 1.7));
        }
        std::vector<double> a;
        ASSERT_TRUE(BestFitCoefficients({ops[0].data(), ops[1].data(), ops[2].data(), ops[3].data()}, 500, a));
        // Reference: QR in long double on the columns of the other operands.
        std::vector<long double> columns;
        for (int i = 1; i < 4; ++i)
            columns.insert(columns.end(), ops[i].begin(), ops[i].end());
        const std::vector<long double> x =
            ref::leastSquaresQR(columns, std::vector<long double>(ops[0].begin(), ops[0].end()), 500, 3);
        EXPECT_EQ(a[0], 1.0);
        for (int i = 1; i < 4; ++i)
            EXPECT_NEAR(a[i] / -static_cast<double>(x[i - 1]), 1.0, 1e-9) << unit << " " << i;
    }
    // Two operands: a1 = −Σ A0·A1 / Σ A1·A1.
    std::vector<float> p = {1, 2, 3}, q = {1, 0, 1};
    std::vector<double> a;
    ASSERT_TRUE(BestFitCoefficients({p.data(), q.data()}, 3, a));
    EXPECT_DOUBLE_EQ(a[1], -2.0);
}

TEST_F(LinComb, ExecuteWithTheDialogButtons)
{
    // No dialog: 0.333333 each, summed in single precision operand by operand.
    auto third = [](float x, float y, float z) {
        return static_cast<float>(static_cast<float>(static_cast<float>(0.333333 * x) + 0.333333 * y) + 0.333333 * z);
    };
    const std::vector<std::vector<float>> two = {{1, 2, 3, 4}, {2, 4, 6, 8}};
    const std::string kNoBestFit = "FFLinComb: no best fit: the other f-files are zero or linearly dependent";
    struct Case { const char* name; std::vector<std::vector<float>> ops; FFLinComb::Dialog dialog; std::vector<float> expected; std::string error; } cases[] = {
        {"none", {{1, 2, 3, 4}, {10, 10, 10, 10}, {0, 1, 0, 1}}, nullptr,
         {third(1, 10, 0), third(2, 10, 1), third(3, 10, 0), third(4, 10, 1)}, ""},
        {"subtraction", two, [](LinCombCoefficients& r) { return r.Subtraction(), true; }, {-1, -2, -3, -4}, ""},
        {"sum", two, [](LinCombCoefficients& r) { return r.Sum(), true; }, {3, 6, 9, 12}, ""},
        {"best fit of a scaled copy", two, [](LinCombCoefficients& r) { return r.BestFit(); }, {0, 0, 0, 0}, ""},
        {"edited", two, [](LinCombCoefficients& r) { return r.SetText(1, "x"), r.SetText(0, "2"), true; },
         {2, 4, 6, 8}, ""},
        // A refused Best Fit leaves the texts as they were.
        {"best fit of a zero operand", {{1, 2, 3, 4}, {0, 0, 0, 0}},
         [](LinCombCoefficients& r) { return r.Sum(), !r.BestFit(); }, {1, 2, 3, 4}, kNoBestFit},
        {"best fit of equal operands", {{1, 2, 3, 4}, {1, 1, 1, 1}, {1, 1, 1, 1}},
         [](LinCombCoefficients& r) { return r.Sum(), !r.BestFit(); }, {3, 4, 5, 6}, kNoBestFit},
        {"cancel", two, [](LinCombCoefficients& r) { return r.Sum(), false; }, {}, ""},
        {"one operand", {{1, 2, 3}}, nullptr, {}, "FFOperation: invalid number of operands"},
    };
    for (const Case& c : cases) {
        messages.recorder.clear();
        Operands o(c.ops);
        FFLinComb::SetDialog(c.dialog);
        FFLinComb op(o.list, &overlay);
        EXPECT_EQ(op.Execute(), !c.expected.empty()) << c.name;
        EXPECT_EQ(messages.errors(), errorList(c.error));
        if (c.expected.empty()) continue;
        std::unique_ptr<FFile> out = op.TakeOutput();
        EXPECT_EQ(samplesOf(*out), c.expected) << c.name;
        EXPECT_EQ(out->GetText("HISTORY").rfind("LINCOMB(", 0), 0u) << out->GetText("HISTORY");
    }
}

TEST_F(LinComb, OnlyAKeptOutputSpendsAGeneratedName)
{
    for (int kind : {0, 1, 2}) {  // correlation, combination dropped, combination kept
        Operands o({{1, 2, 3, 4}, {4, 3, 2, 1}});
        FFile::ResetNameCounter(5);
        std::unique_ptr<FFOperation> op;
        op = kind == 0 ? std::unique_ptr<FFOperation>(std::make_unique<FFCorrelation>(o.list, &overlay))
                       : std::make_unique<FFLinComb>(o.list, &overlay);
        ASSERT_TRUE(op->Execute());
        if (kind == 2) { EXPECT_EQ(op->TakeOutput()->GetName(), "new005.ff"); }
        FFile next;
        next.MakeNewName();
        EXPECT_EQ(next.GetName(), kind == 2 ? "new006.ff" : "new005.ff") << kind;
    }
    FFile::ResetNameCounter();
}
