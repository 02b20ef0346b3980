#include "FilterReference.h"
#include "TestSupport.h"
#include "ptools.h"

#include <gtest/gtest.h>

TEST(Ptools, UnknownFilterTypeKeepsTheCopyAndBackgroundIsZero)
{
    std::vector<float> x = ref::randomSamples(50, 1);
    ptools p;
    p.init(x.data(), 50, 1.0);
    p.apply(0, 2, 5.0);
    EXPECT_EQ(std::vector<float>(p.work(), p.work() + 50), x);
    EXPECT_EQ(std::make_pair(p.lowMargin(), p.highBound()), std::make_pair(0, 50));
    p.removeBackground();
    EXPECT_EQ(std::vector<float>(p.work(), p.work() + 50), std::vector<float>(50, 0.0f));
}

TEST(Ptools, FlattenRefusesWhenTheMarginsLeaveNoInterior)
{
    std::vector<float> x = ref::randomSamples(30, 2);
    for (int n : {30, 20, 16}) {
        ptools p;
        p.init(x.data(), n, 1.0);
        p.apply(2, 0, 4.0);  // Gaussian m = 8: 2m >= 16 only
        const std::vector<float> before(p.work(), p.work() + n);
        const bool ok = p.flattenEdges();
        EXPECT_EQ(ok, 2 * 8 < n) << n;
        EXPECT_TRUE(ok || std::vector<float>(p.work(), p.work() + n) == before);
    }
    ptools p;
    p.init(x.data(), 10, 1.0);
    p.apply(2, 1, 4.0);  // m = 8 beyond the middle of 10 samples
    EXPECT_FALSE(p.flattenEdges());
}

TEST(PtoolsDeathTest, ApplyWithoutDataIsFatal)
{
    ptools p;
    EXPECT_EXIT(p.apply(0, 0, 5.0), testing::ExitedWithCode(1), "ptools: no input data");
}

TEST(Ptools, InPlaceWorkArrayIsTheCallersBuffer)
{
    std::vector<float> x = ref::randomSamples(40, 6);
    std::vector<float> buffer = x;
    buffer.push_back(12345.0f);  // past the record: never touched
    ptools p;
    p.initInPlace(x.data(), buffer.data(), 40, 1.0);
    p.apply(0, 0, 4.0);  // rectangular mean, m = 2
    EXPECT_EQ(p.work(), buffer.data());
    for (int i = 0; i < 40; ++i)
        EXPECT_LE(ref::ulps(buffer[static_cast<std::size_t>(i)], ref::mean(x, i, std::vector<double>(3, 1.0))), 1);
    const std::vector<float> smooth = buffer;
    p.removeBackground();
    for (std::size_t i = 0; i < 40; ++i)
        EXPECT_EQ(buffer[i], x[i] - smooth[i]);
    EXPECT_EQ(buffer[40], 12345.0f);
}
