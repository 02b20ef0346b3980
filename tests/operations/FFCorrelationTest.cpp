#include "FFCorrelation.h"
#include "ProbeOperation.h"
#include "ScanBuilder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

namespace {

// Textbook Pearson coefficient, two passes in double.
double pearson(const std::vector<float>& a, const std::vector<float>& b)
{
    const double ma = std::accumulate(a.begin(), a.end(), 0.0) / static_cast<double>(a.size());
    const double mb = std::accumulate(b.begin(), b.end(), 0.0) / static_cast<double>(b.size());
    double sab = 0, saa = 0, sbb = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        sab += (a[k] - ma) * (b[k] - mb);
        saa += (a[k] - ma) * (a[k] - ma);
        sbb += (b[k] - mb) * (b[k] - mb);
    }
    return sab / std::sqrt(saa * sbb);
}

// The tables shown by the operation on scans of these names and samples, the first active.
std::vector<std::string> tables(const std::vector<std::pair<const char*, std::vector<float>>>& scans)
{
    RecordMessages rec;
    std::vector<std::unique_ptr<FFile>> files;
    std::vector<FFile*> operands;
    for (const auto& [name, samples] : scans)
        operands.push_back((files.push_back(makeScan(recipe(samples, 1.0, 0.0, name))), files.back().get()));
    OperandList ops(operands);
    OverlayTuning t = overlay(6, 0, true);
    FFCorrelation op(ops.list, &t);
    EXPECT_TRUE(op.Execute());
    EXPECT_TRUE(rec.errors().empty());
    std::vector<std::string> out;
    for (const auto& e : rec.recorder.entries)
        if (e.kind == "table")
            out.push_back(e.caption + "\n" + e.text);
    return out;
}

}  // namespace

TEST(FFCorrelation, HandWorkedTablesWithIdenticalNegatedAndFlatOperands)
{
    // a = 1 2 3, b = 1 3 2, c = 3 2 1: deviations -1 0 1, -1 1 0, 1 0 -1;
    // r(a,b) = 1/2, r(a,c) = -1, r(b,c) = -1/2. Every line 17 + 3 * 7 wide.
    EXPECT_EQ(tables({{"a.ff", {1, 2, 3}}, {"dir/b.ff", {1, 3, 2}}, {"c.ff", {3, 2, 1}}}),
              std::vector<std::string>{"Correlation coefficients\n                    [ 1]   [ 2]   [ 3]\r\n\r\n"
                                       "           a:[ 1]  1.000  0.500 -1.000\r\n\r\n"
                                       "           b:[ 2]  0.500  1.000 -0.500\r\n\r\n"
                                       "           c:[ 3] -1.000 -0.500  1.000\r\n\r\n"});
    std::vector<float> wave(64), negated(64);
    for (std::size_t k = 0; k < wave.size(); ++k) {
        wave[k] = static_cast<float>(std::sin(0.3 * static_cast<double>(k)));
        negated[k] = -wave[k];
    }
    // Records without spread (all zero, or any level) have no coefficient but with themselves.
    EXPECT_EQ(tables({{"wave.ff", wave}, {"same.ff", wave}, {"negated.ff", negated},
                      {"zero.ff", std::vector<float>(64, 0.0f)}, {"level.ff", std::vector<float>(64, 5.0f)}}),
              std::vector<std::string>{"Correlation coefficients\n                    [ 1]   [ 2]   [ 3]   [ 4]   [ 5]\r\n\r\n"
                                       "        wave:[ 1]  1.000  1.000 -1.000 ------ ------\r\n\r\n"
                                       "        same:[ 2]  1.000  1.000 -1.000 ------ ------\r\n\r\n"
                                       "     negated:[ 3] -1.000 -1.000  1.000 ------ ------\r\n\r\n"
                                       "        zero:[ 4] ------ ------ ------  1.000 ------\r\n\r\n"
                                       "       level:[ 5] ------ ------ ------ ------  1.000\r\n\r\n"});
}

TEST(FFCorrelation, CoefficientsMatchAnIndependentComputation)
{
    // Neither a large common level under small signals nor lengths around the block size change them.
    unsigned seed = 777;
    auto noise = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<float>((seed >> 9) % 10000) / 5000.0f - 1.0f;
    };
    for (int n : {3, 7, 255, 256, 257, 1031, 5000}) {
        SCOPED_TRACE(n);
        std::vector<std::vector<float>> data(4, std::vector<float>(static_cast<std::size_t>(n)));
        for (std::size_t k = 0; k < data[0].size(); ++k) {
            const float common = static_cast<float>(std::sin(static_cast<double>(k) * 0.01));
            data[0][k] = 1000.0f + common + 0.5f * noise();
            data[1][k] = 1000.0f + noise();
            data[2][k] = -20.0f - 2.0f * common + noise();
            data[3][k] = 3.0f * noise();
        }
        const std::vector<double> r =
            FFCorrelation::Correlate({data[0].data(), data[1].data(), data[2].data(), data[3].data()}, n);
        ASSERT_EQ(r.size(), 16u);
        for (std::size_t i = 0; i < 4; ++i)
            for (std::size_t j = 0; j < 4; ++j)
                EXPECT_NEAR(r[i * 4 + j], i == j ? 1.0 : pearson(data[i], data[j]), 1e-9) << i << "," << j;
    }
}

TEST(FFCorrelation, NaNSamplesGiveNoCoefficient)
{
    std::vector<float> a = {1, 2, 3, 4}, b = {1, NAN, 2, 5}, c = {4, 1, 3, 2};
    std::vector<double> r = FFCorrelation::Correlate({a.data(), b.data(), c.data()}, 4);
    EXPECT_EQ(r[1], FFCorrelation::kUndefined);
    EXPECT_EQ(r[5], FFCorrelation::kUndefined);
    EXPECT_EQ(FFCorrelation::FormatTable({"a", "b", "c"}, r).substr(38, 46),
              "\r\n\r\n           a:[ 1]  1.000 ------ -0.400\r\n\r\n");
}
