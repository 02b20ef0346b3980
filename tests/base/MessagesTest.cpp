#include "BusyCursor.h"
#include "Messages.h"
#include "SampleArray.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

TEST(Messages, ComposeCutsTo254Characters)
{
    EXPECT_EQ(Messages::compose("FHead", "missing critical parameter BITPIX"),
              "FHead: missing critical parameter BITPIX");
    std::string longText = Messages::compose("FFOperation", std::string(400, 'x'));
    EXPECT_EQ(longText.size(), 254u);
    EXPECT_EQ(longText.substr(0, 13), "FFOperation: ");
}

TEST(Messages, Latin1DegreeSignBecomesUtf8)
{
    EXPECT_EQ(latin1ToUtf8("001\xB0" "02'"), "001\xC2\xB0" "02'");
}

TEST(MessagesDeathTest, ExhaustedMemoryIsFatalWithStatusOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Messages::installOutOfMemoryHandler();
            Messages::outOfMemory();
        },
        ::testing::ExitedWithCode(1), "Insufficient memory");
}

TEST(BusyCursor, HookSeesOnlyTheOutermostGuard)
{
    std::vector<bool> calls;
    BusyCursor::setHook([&](bool busy) { calls.push_back(busy); });
    {
        BusyCursor outer;
        BusyCursor inner;
        EXPECT_EQ(BusyCursor::depth(), 2);
    }
    BusyCursor::setHook(nullptr);
    EXPECT_EQ(calls, (std::vector<bool>{true, false}));
}

TEST(SampleArray, OwnsAndMovesLargeAndSmallArrays)
{
    for (long long n : {0LL, 1LL, 1000LL, 3000000LL}) {
        SampleArray a(n);
        EXPECT_EQ(a.size(), n);
        for (long long i = 0; i < n; i += 4096)
            a[static_cast<std::size_t>(i)] = static_cast<float>(i);
        SampleArray b = std::move(a);
        EXPECT_EQ(a.size(), 0);
        EXPECT_EQ(b.size(), n);
        if (n > 0) { EXPECT_EQ(b[0], 0.f); }
    }
    EXPECT_EQ(SampleArray(-5).size(), 0);
}
