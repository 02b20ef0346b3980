#include "FFCorrelation.h"

#include "ProbeOperation.h"
#include "ScanBuilder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

ScanRecipe named(const char* name, std::vector<float> samples)
{
    ScanRecipe s;
    s.name = name;
    s.samples = std::move(samples);
    return s;
}

// Textbook Pearson coefficient, two passes in double.
double pearson(const std::vector<float>& a, const std::vector<float>& b)
{
    const double n = static_cast<double>(a.size());
    double ma = 0, mb = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        ma += a[k];
        mb += b[k];
    }
    ma /= n;
    mb /= n;
    double sab = 0, saa = 0, sbb = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        sab += (a[k] - ma) * (b[k] - mb);
        saa += (a[k] - ma) * (a[k] - ma);
        sbb += (b[k] - mb) * (b[k] - mb);
    }
    return sab / std::sqrt(saa * sbb);
}

std::vector<std::string> tables(const RecordMessages& rec)
{
    std::vector<std::string> out;
    for (const auto& e : rec.recorder.entries) {
        if (e.kind == "table") {
            EXPECT_EQ(e.caption, "Correlation coefficients");
            out.push_back(e.text);
        }
    }
    return out;
}

}  // namespace

TEST(FFCorrelation, HandWorkedTable)
{
    // a = 1 2 3, b = 1 3 2, c = 3 2 1: deviations -1 0 1, -1 1 0, 1 0 -1;
    // r(a,b) = 1/2, r(a,c) = -1, r(b,c) = -1/2.
    RecordMessages rec;
    auto a = makeScan(named("a.ff", {1, 2, 3}));
    auto b = makeScan(named("dir/b.ff", {1, 3, 2}));
    auto c = makeScan(named("c.ff", {3, 2, 1}));
    OperandList ops{a.get(), b.get(), c.get()};
    OverlayTuning t = overlay();
    FFCorrelation op(ops.list, &t);
    ASSERT_TRUE(op.Execute());
    EXPECT_TRUE(rec.errors().empty());
    const std::vector<std::string> shown = tables(rec);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0],
              "                    [ 1]   [ 2]   [ 3]\r\n\r\n"
              "           a:[ 1]  1.000  0.500 -1.000\r\n\r\n"
              "           b:[ 2]  0.500  1.000 -0.500\r\n\r\n"
              "           c:[ 3] -1.000 -0.500  1.000\r\n\r\n");
    // Three operands: every line 17 + 3 * 7 = 38 characters.
    EXPECT_EQ(shown[0].find("\r\n"), 38u);
}

TEST(FFCorrelation, IdenticalNegatedAndFlatOperands)
{
    RecordMessages rec;
    std::vector<float> wave(64), negated(64), zero(64, 0.0f), level(64, 5.0f);
    for (std::size_t k = 0; k < wave.size(); ++k) {
        wave[k] = static_cast<float>(std::sin(0.3 * static_cast<double>(k)));
        negated[k] = -wave[k];
    }
    auto a = makeScan(named("wave.ff", wave));
    auto b = makeScan(named("same.ff", wave));
    auto c = makeScan(named("negated.ff", negated));
    auto d = makeScan(named("zero.ff", zero));
    auto e = makeScan(named("level.ff", level));
    OperandList ops{a.get(), b.get(), c.get(), d.get(), e.get()};
    OverlayTuning t = overlay();
    FFCorrelation op(ops.list, &t);
    ASSERT_TRUE(op.Execute());
    const std::vector<std::string> shown = tables(rec);
    ASSERT_EQ(shown.size(), 1u);
    // Records without spread (all zero, or any constant level) have no
    // coefficient with anything but themselves.
    EXPECT_EQ(shown[0],
              "                    [ 1]   [ 2]   [ 3]   [ 4]   [ 5]\r\n\r\n"
              "        wave:[ 1]  1.000  1.000 -1.000 ------ ------\r\n\r\n"
              "        same:[ 2]  1.000  1.000 -1.000 ------ ------\r\n\r\n"
              "     negated:[ 3] -1.000 -1.000  1.000 ------ ------\r\n\r\n"
              "        zero:[ 4] ------ ------ ------  1.000 ------\r\n\r\n"
              "       level:[ 5] ------ ------ ------ ------  1.000\r\n\r\n");
}

TEST(FFCorrelation, CoefficientsMatchAnIndependentComputation)
{
    // A large common level under small signals: the coefficients must not
    // depend on it.
    const int n = 5000;
    unsigned seed = 777;
    auto noise = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<float>((seed >> 9) % 10000) / 5000.0f - 1.0f;
    };
    std::vector<std::vector<float>> data(4, std::vector<float>(n));
    for (int k = 0; k < n; ++k) {
        const float common = static_cast<float>(std::sin(k * 0.01));
        data[0][k] = 1000.0f + common + 0.5f * noise();
        data[1][k] = 1000.0f + noise();
        data[2][k] = -20.0f - 2.0f * common + noise();
        data[3][k] = 3.0f * noise();
    }
    std::vector<std::unique_ptr<FFile>> files;
    for (int i = 0; i < 4; ++i)
        files.push_back(makeScan(named("s.ff", data[static_cast<std::size_t>(i)])));
    OperandList ops{files[0].get(), files[1].get(), files[2].get(), files[3].get()};
    OverlayTuning t = overlay();
    RecordMessages rec;
    FFCorrelation op(ops.list, &t);
    ASSERT_TRUE(op.Execute());
    const std::vector<double>& r = op.Coefficients();
    ASSERT_EQ(r.size(), 16u);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(r[static_cast<std::size_t>(i * 4 + j)],
                        i == j ? 1.0 : pearson(data[static_cast<std::size_t>(i)], data[static_cast<std::size_t>(j)]),
                        1e-9)
                << i << "," << j;
    EXPECT_NEAR(r[1], 0.0, 0.05);  // independent noise stays uncorrelated
}

TEST(FFCorrelation, OddLengthsAndBlockEnds)
{
    // Lengths around the internal block size must give the same answer.
    for (int n : {3, 7, 255, 256, 257, 1031}) {
        SCOPED_TRACE(n);
        std::vector<float> a(static_cast<std::size_t>(n)), b(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k) {
            a[static_cast<std::size_t>(k)] = static_cast<float>(std::cos(k * 0.37) + 0.001 * k);
            b[static_cast<std::size_t>(k)] = static_cast<float>(std::sin(k * 0.11) * k);
        }
        std::vector<double> r = FFCorrelation::Correlate({a.data(), b.data()}, n);
        EXPECT_NEAR(r[1], pearson(a, b), 1e-12);
        EXPECT_EQ(r[1], r[2]);
    }
}

TEST(FFCorrelation, NoTableWhenPreparationFails)
{
    struct Case {
        const char* what;
        int operands;
        const char* otherDec;
        std::vector<std::string> errors;
    } cases[] = {
        {"single operand", 1, "30", {"FFOperation: invalid number of operands"}},
        {"declinations",
         2,
         "31",
         {"FFOperation: nonequal declinations", "FFOperation: can't assemble output FFile head"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordMessages rec;
        ScanRecipe sa = named("a.ff", {1, 2, 3, 4}), sb = named("b.ff", {4, 3, 2, 1});
        sa.extra = {{"DEC", "30"}};
        sb.extra = {{"DEC", c.otherDec}};
        auto a = makeScan(sa), b = makeScan(sb);
        OperandList two{a.get(), b.get()};
        OperandList one{a.get()};
        OverlayTuning t = overlay(6, 0, true);
        FFCorrelation op(c.operands == 1 ? one.list : two.list, &t);
        EXPECT_FALSE(op.Execute());
        EXPECT_EQ(rec.errors(), c.errors);
        EXPECT_TRUE(tables(rec).empty());
    }
}

TEST(FFCorrelation, NaNSamplesGiveNoCoefficient)
{
    std::vector<float> a = {1, 2, 3, 4}, b = {1, NAN, 2, 5}, c = {4, 1, 3, 2};
    std::vector<double> r = FFCorrelation::Correlate({a.data(), b.data(), c.data()}, 4);
    EXPECT_EQ(r[1], FFCorrelation::kUndefined);
    EXPECT_EQ(r[5], FFCorrelation::kUndefined);
    EXPECT_TRUE(std::isfinite(r[2]));
    EXPECT_EQ(FFCorrelation::FormatTable({"a", "b", "c"}, r).substr(38, 46),
              "\r\n\r\n           a:[ 1]  1.000 ------ -0.400\r\n\r\n");
}
