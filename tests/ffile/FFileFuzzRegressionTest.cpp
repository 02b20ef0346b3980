#include "FFile.h"
#include "RecordBytes.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Counts the bytes cannot hold fail before any storage is requested; no samples and stray bytes read cleanly.
TEST(FFileFuzzRegression, SampleCountsAgainstTheBytesThereAre)
{
    struct Case { const char* bitpix; const char* naxis1; int dataBytes; bool ok; } cases[] = {
        {"-32", "0", 35, true}, {"-32", "-5", 64, false}, {"-32", "-2147483648", 64, false}, {"-32", "2147483647", 8, false},
        {"-32", "99999999999999999999", 8, false}, {"-32", "3", 12, true}, {"-32", "3", 11, false}, {"16", "6", 12, true},
        {"16", "7", 12, false}, {"-64", "2", 16, true}, {"-64", "2", 15, false},
        {"-64", "1073741824", 16, false},  // count * 8 overflows 32 bits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bitpix) + " / " + c.naxis1 + " / " + std::to_string(c.dataBytes));
        RecordMessages rec;
        FFile f;
        EXPECT_EQ(f.ReadFromBytes(recordHead(c.bitpix, c.naxis1) + std::string(c.dataBytes, '\0'), "a.ff"), c.ok);
        EXPECT_EQ(rec.errors(), c.ok ? std::vector<std::string>{} : std::vector<std::string>{"FFile: read error"});
        EXPECT_EQ(f.Count(), c.ok ? std::stoi(c.naxis1) : 0);
        if (!c.ok) { EXPECT_EQ(f.Data(), nullptr); }
    }
}

// The SIMPLE entry from a later line: written back SIMPLE first, so the reader takes it again.
TEST(FFileFuzzRegression, HeaderWithSimpleFurtherDownIsWrittenReadable)
{
    RecordMessages rec;
    const std::string bytes = "SIMPLE   5   T\nBITPIX=-32\nNAXIS=1\nNAXIS1=2\nSIMPLE=T\nCTYPE1=TIME\nCDELT1=1\n"
                              "BUNIT=K\nEND\n" + rawBytes<float>({1.5f, -2.0f});
    FFile f;
    ASSERT_TRUE(f.ReadFromBytes(bytes, "a.ff"));
    EXPECT_EQ(f.EntryAt(0).GetID(), "BITPIX");  // in memory the order of the file stays
    const std::string head = f.HeaderBytes();
    EXPECT_EQ(head.substr(0, 20), "SIMPLE=T\nBITPIX=-32\n");
    FFile back;
    ASSERT_TRUE(back.ReadFromBytes(head + rawBytes<float>({1.5f, -2.0f}), "b.ff"));
    EXPECT_EQ(samplesOf(back), (std::vector<float>{1.5f, -2.0f}));
    EXPECT_TRUE(rec.errors().empty());
}
