#include "FFile.h"
#include "RecordBytes.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

TEST(FFileBulkIo, ConvertsAndScalesEveryFormToPhysicalValues)
{
    const float inf = std::numeric_limits<float>::infinity();
    struct Case { const char* name; std::string data; const char* bitpix; const char* scaling; std::vector<float> expected; } cases[] = {
        {"16 scaled", rawBytes<std::int16_t>({-32768, -2, 0, 3, 32767}), "16", "BSCALE=0.5\nBZERO=10\n",
         {-16374.0f, 9.0f, 10.0f, 11.5f, 16393.5f}},
        {"16 plain", rawBytes<std::int16_t>({-32768, -1, 7}), "16", "", {-32768.0f, -1.0f, 7.0f}},
        {"-32 scaled", rawBytes<float>({1.5f, -0.25f, 3e38f}), "-32", "BSCALE=2\nBZERO=-1\n", {2.0f, -1.5f, inf}},
        {"-64 plain", rawBytes<double>({0.1, -1e300, 1e-50, 2.5}), "-64", "", {0.1f, -inf, 0.0f, 2.5f}},
        // 1 + 2^-30 rounds to 1 in single precision before the scaling: 0, not 2.8e-9.
        {"-64 scaled", rawBytes<double>({1.0 + std::ldexp(1.0, -30), 4.0}), "-64", "BSCALE=3\nBZERO=-3\n",
         {0.0f, 9.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordMessages rec;
        FFile f;
        ASSERT_TRUE(f.ReadFromBytes(recordHead(c.bitpix, c.expected.size(), c.scaling) + c.data, "a.ff"));
        ASSERT_EQ(f.Count(), static_cast<int>(c.expected.size()));
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(f.Data()[i], c.expected[i]) << "sample " << i;
        EXPECT_EQ(f.GetText("BITPIX"), "-32");
        EXPECT_TRUE(rec.errors().empty());
    }
}

// Unscaled single-precision samples keep their bits, -0 and NaN payloads included.
TEST(FFileBulkIo, UnscaledFloatSamplesKeepTheirBits)
{
    const std::vector<std::uint32_t> bits = {0x80000000u, 0x7fc12345u, 0x00000001u, 0x3f800000u};
    FFile f;
    ASSERT_TRUE(f.ReadFromBytes(recordHead("-32", bits.size()) + rawBytes(bits), "a.ff"));
    EXPECT_EQ(rawBytes(samplesOf(f)), rawBytes(bits));
}

// Records longer than one conversion block (65536 samples).
TEST(FFileBulkIo, LongRecordsAcrossConversionBlocks)
{
    const std::size_t n = 150001;
    std::vector<std::int16_t> i16(n);
    std::vector<double> f64(n);
    for (std::size_t i = 0; i < n; ++i) {
        i16[i] = static_cast<std::int16_t>(static_cast<int>(i * 7919 % 65536) - 32768);
        f64[i] = std::sin(static_cast<double>(i)) * 1e5;
    }
    {
        FFile f;
        ASSERT_TRUE(f.ReadFromBytes(recordHead("16", n, "BSCALE=0.001\nBZERO=-7.5\n") + rawBytes(i16), "a.ff"));
        ASSERT_EQ(f.Count(), static_cast<int>(n));
        for (std::size_t i = 0; i < n; ++i)
            ASSERT_EQ(f.Data()[i], static_cast<float>(i16[i] * 0.001 - 7.5)) << i;
    }
    {
        FFile f;
        ASSERT_TRUE(f.ReadFromBytes(recordHead("-64", n) + rawBytes(f64), "a.ff"));
        for (std::size_t i = 0; i < n; ++i)
            ASSERT_EQ(f.Data()[i], static_cast<float>(f64[i])) << i;
    }
}

// Much larger than the 64 KiB read buffer, header length no multiple of four: the parts join without a gap.
TEST(FFileBulkIo, ReadFromDiskJoinsBufferedAndDirectParts)
{
    const std::size_t n = 300007;
    std::vector<float> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<float>(i) * 0.5f - 1000.0f;
    TempDir dir;
    const std::string head = recordHead("-32", n, "OBJECT=odd\n");
    ASSERT_NE(head.size() % 4, 0u);
    writeBytes(dir.file("big.ff"), head + rawBytes(v) + "tail");
    FFile f;
    ASSERT_TRUE(f.Read(dir.file("big.ff")));
    ASSERT_EQ(f.Count(), static_cast<int>(n));
    EXPECT_EQ(std::memcmp(f.Data(), v.data(), n * 4), 0);
}

// A save of several 4 MiB write-back slices is the header bytes and the samples, and reads back.
TEST(FFileBulkIo, LargeSaveIsExactAndReadsBack)
{
    const int n = 2'500'003;  // 10 MB of samples, a partial last slice
    std::vector<float> s(n);
    for (int i = 0; i < n; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<float>(i % 1000) * 0.25f - static_cast<float>(i) * 1e-3f;
    FFile f;
    ASSERT_TRUE(f.ReadFromBytes(recordHead("-32", s.size()) + rawBytes(s), "a.ff"));
    TempDir dir;
    f.SetName(dir.file("save.ff"));
    ASSERT_TRUE(f.Write());

    const std::string bytes = readBytes(dir.file("save.ff"));
    const std::string head = f.HeaderBytes();
    ASSERT_EQ(bytes.size(), head.size() + static_cast<std::size_t>(n) * 4);
    EXPECT_EQ(bytes.compare(0, head.size(), head), 0);
    EXPECT_EQ(std::memcmp(bytes.data() + head.size(), s.data(), static_cast<std::size_t>(n) * 4), 0);

    FFile back;
    ASSERT_TRUE(back.Read(dir.file("save.ff")));
    ASSERT_EQ(back.Count(), n);
    EXPECT_EQ(std::memcmp(back.Data(), s.data(), static_cast<std::size_t>(n) * 4), 0);
}
