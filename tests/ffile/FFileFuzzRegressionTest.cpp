// Inputs found by the fuzz target (fuzz/ffile_fuzz.cpp), reduced by hand, and
// the damaged sample counts it checks: each is fed through ReadFromBytes.

#include "FFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string header(const std::string& bitpix, const std::string& naxis1)
{
    return "SIMPLE=T\nBITPIX=" + bitpix + "\nNAXIS=1\nNAXIS1=" + naxis1 + "\nCTYPE1=TIME\nCDELT1=1\nBUNIT=K\n";
}

std::string floats(std::vector<float> v)
{
    std::string out(v.size() * 4, '\0');
    std::memcpy(out.data(), v.data(), out.size());
    return out;
}

}  // namespace

// A record of no samples followed by stray bytes once handed an empty read
// with no destination array to memcpy (undefined behaviour under UBSan).
TEST(FFileFuzzRegression, NoSamplesWithTrailingBytesReadsEmptyRecord)
{
    RecordMessages rec;
    FFile f;
    ASSERT_TRUE(f.ReadFromBytes(header("-32", "0") + "END\nstray bytes after the data section", "a.ff"));
    EXPECT_EQ(f.Count(), 0);
    EXPECT_TRUE(rec.errors().empty());
}

// The first line only has to begin with SIMPLE; the SIMPLE entry may come from
// a later line. Such a header used to be written back in its own order, with
// BITPIX first, into a file that the reader then refused.
TEST(FFileFuzzRegression, HeaderWithSimpleFurtherDownIsWrittenReadable)
{
    RecordMessages rec;
    const std::string bytes = "SIMPLE   5   T\nBITPIX=-32\nNAXIS=1\nNAXIS1=2\nSIMPLE=T\nCTYPE1=TIME\nCDELT1=1\n"
                              "BUNIT=K\nEND\n" +
                              floats({1.5f, -2.0f});
    FFile f;
    ASSERT_TRUE(f.ReadFromBytes(bytes, "a.ff"));
    EXPECT_EQ(f.EntryAt(0).GetID(), "BITPIX");  // in memory the order of the file stays

    const std::string head = f.HeaderBytes();
    EXPECT_EQ(head.substr(0, 20), "SIMPLE=T\nBITPIX=-32\n");
    FFile back;
    ASSERT_TRUE(back.ReadFromBytes(head + floats({1.5f, -2.0f}), "b.ff"));
    EXPECT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Data()[1], -2.0f);
    EXPECT_TRUE(rec.errors().empty());

    // The same through the file the writer makes.
    TempDir dir;
    f.SetName(dir.file("out.ff"));
    ASSERT_TRUE(f.Write());
    FFile disk;
    ASSERT_TRUE(disk.Read(dir.file("out.ff")));
    EXPECT_EQ(disk.Count(), 2);
    EXPECT_EQ(disk.EntryAt(0).GetID(), "SIMPLE");
}

// Counts that the bytes cannot hold fail before any storage is requested for
// them; a count that exactly fits is read.
TEST(FFileFuzzRegression, SampleCountsAgainstTheBytesThereAre)
{
    struct Case {
        const char* bitpix;
        const char* naxis1;
        int dataBytes;  // bytes after the END line
        bool ok;
    } cases[] = {
        {"-32", "-5", 64, false},
        {"-32", "-2147483648", 64, false},
        {"-32", "2147483647", 8, false},
        {"-32", "99999999999999999999", 8, false},  // saturates to the largest int
        {"-32", "3", 12, true},
        {"-32", "3", 11, false},
        {"16", "6", 12, true},
        {"16", "7", 12, false},
        {"-64", "2", 16, true},
        {"-64", "2", 15, false},
        {"-64", "1073741824", 16, false},  // count * 8 overflows 32 bits
        {"16", "2147483647", 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bitpix) + " / " + c.naxis1 + " / " + std::to_string(c.dataBytes));
        RecordMessages rec;
        FFile f;
        const bool ok = f.ReadFromBytes(header(c.bitpix, c.naxis1) + "END\n" + std::string(c.dataBytes, '\0'), "a.ff");
        EXPECT_EQ(ok, c.ok);
        if (c.ok) {
            EXPECT_TRUE(rec.errors().empty());
        } else {
            EXPECT_EQ(rec.errors(), std::vector<std::string>{"FFile: read error"});
            EXPECT_EQ(f.Count(), 0);
            EXPECT_EQ(f.Data(), nullptr);
        }
    }
}
