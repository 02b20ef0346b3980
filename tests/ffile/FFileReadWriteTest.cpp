#include "FFile.h"
#include "RecordBytes.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string kAxis = "CTYPE1=T\nCDELT1=1\nBUNIT=K\n";

}  // namespace

// Conversion and scaling of each sample form are covered in FFileBulkIoTest.
TEST(FFileRead, DataStartAndLength)
{
    struct Case { const char* name; std::string bytes; std::vector<float> expected; } cases[] = {
        {"extra bytes ignored", recordHead("-32", 1) + rawBytes<float>({7.f, 8.f}), {7.f}},
        {"padded END", "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=1\n" + kAxis + "END   \n" + rawBytes<float>({2.f}),
         {2.f}},
        {"blank before CR", "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=1\n" + kAxis + "END \r\n" + rawBytes<float>({5.f}),
         {5.f}},
    };
    for (const Case& c : cases) {
        RecordMessages rec;
        FFile f;
        ASSERT_TRUE(f.ReadFromBytes(c.bytes, "/data/x.ff")) << c.name;
        EXPECT_EQ(samplesOf(f), c.expected) << c.name;
        EXPECT_TRUE(rec.errors().empty()) << c.name;
    }
}

// Counts against the bytes there are: see FFileFuzzRegressionTest.
TEST(FFileRead, FailuresAndTheStateLeft)
{
    const std::string readError = "FFile: read error";
    struct Case { const char* name; std::string bytes; std::string message; bool emptyAfter; } cases[] = {
        {"BITPIX 8", recordHead("8", 1) + "x", "FFile: unhandled data type", true},
        {"BITPIX 32", recordHead("32", 1) + "xxxx", "FFile: unhandled data type", true},
        {"cut short", recordHead("-32", 3) + rawBytes<float>({1.f, 2.f}), readError, false},
        {"indented END", "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=0\n" + kAxis + "  END\n", "FFile: unexpected EOF",
         false},
        {"END CRLF", "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=0\n" + kAxis + "END\r\n", "FFile: unexpected EOF", false},
        {"header fails", "SIMPLE=T\nEND\n", "FHead: missing critical parameter BITPIX", false},
    };
    for (const Case& c : cases) {
        RecordMessages rec;
        FFile f;
        EXPECT_FALSE(f.ReadFromBytes(c.bytes, "x.ff")) << c.name;
        EXPECT_EQ(rec.errors(), std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(f.First() == nullptr, c.emptyAfter) << c.name;
        EXPECT_EQ(f.Count(), 0) << c.name;
        EXPECT_EQ(f.Data(), nullptr) << c.name;
    }
}

// Without standard input the next file opened gets descriptor 0.
TEST(FFileRead, DescriptorZeroIsAFileLikeAnyOther)
{
    TempDir dir;
    writeBytes(dir.file("a.ff"), recordHead("-32", 1) + rawBytes<float>({3.f}));
    const int saved = ::dup(0);
    ::close(0);
    FFile f;
    const bool read = f.Read(dir.file("a.ff"));
    const bool closed = ::fcntl(0, F_GETFD) == -1;  // and let go afterwards
    if (saved >= 0) ::dup2(saved, 0), ::close(saved);
    EXPECT_TRUE(closed);
    ASSERT_TRUE(read);
    EXPECT_EQ(samplesOf(f), std::vector<float>{3.f});
}

TEST(FFileWrite, EndPaddingPutsDataOnASampleBoundary)
{
    // Header bytes through "END": 1001 -> two blanks, 1003 -> none, 1004 -> three.
    struct Case { std::size_t throughEnd; std::size_t dataStart; } cases[] = {{1001, 1004}, {1003, 1004}, {1004, 1008}};
    for (const Case& c : cases) {
        TempDir dir;
        FFile f;
        for (auto [id, value] : {std::pair{"SIMPLE", "T"}, {"BITPIX", "-32"}, {"NAXIS", "1"}, {"NAXIS1", "2"}})
            f.SetText(id, value);
        const std::string fixed = "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=2\nCOMMENT=\nEND";
        f.SetText("COMMENT", std::string(c.throughEnd - fixed.size(), 'c'));
        f.SetData(SampleArray::copyOf(std::vector<float>{1.f, -2.f}.data(), 2), 2);
        f.SetName(dir.file("out.ff"));
        ASSERT_TRUE(f.Write());
        std::string bytes = readBytes(dir.file("out.ff"));
        ASSERT_EQ(bytes.size(), c.dataStart + 8);
        EXPECT_EQ(bytes.substr(c.throughEnd - 3, 3), "END");
        EXPECT_EQ(bytes.substr(c.throughEnd, c.dataStart - c.throughEnd),
                  std::string(c.dataStart - c.throughEnd - 1, ' ') + "\n");
        EXPECT_EQ(bytes.substr(c.dataStart), rawBytes<float>({1.f, -2.f}));
    }
}

// Scaling entries normalised in place, critical defaults after in dictionary order, samples scaled.
TEST(FFileWrite, RoundTripIsByteExact)
{
    TempDir dir;
    RecordMessages rec;
    const std::string original =
        recordHead("16", 3, "OBJECT = 3C 84\nBSCALE=0.5\n") + rawBytes<std::int16_t>({1, 2, 3});
    FFile f;
    ASSERT_TRUE(f.ReadFromBytes(original, "x.ff"));
    f.SetName(dir.file("rt.ff"));
    ASSERT_TRUE(f.Write());
    const std::string expected =
        "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=3\nCTYPE1=TIME\nCDELT1=1\nBUNIT=K\nOBJECT=3C 84\nBSCALE=1\n"
        "CRVAL1=0.0\nCRPIX1=1.0\nBZERO=0\nOBSDEC=0.0\nDEC=0.0\nNUT-RA=0.0\nTIMEWSH=0.0\nTIMEESH=0.0\nEND";
    std::string pad(4 - expected.size() % 4 - 1, ' ');
    EXPECT_EQ(readBytes(dir.file("rt.ff")), expected + pad + "\n" + rawBytes<float>({0.5f, 1.f, 1.5f}));
    FFile back;
    ASSERT_TRUE(back.Read(dir.file("rt.ff")));
    EXPECT_EQ(samplesOf(back), samplesOf(f));
    EXPECT_EQ(back.GetShortName(), "rt");
}

TEST(FFileWrite, FailedSaveKeepsTheOldFile)
{
    TempDir dir;
    RecordMessages rec;
    FFile f;
    EXPECT_FALSE(f.Write());
    EXPECT_EQ(rec.errors(), std::vector<std::string>{"FFile: can't write unnamed file"});
    rec.recorder.clear();

    // Entries the reader could not take back: nothing written. The longest line is.
    f.SetName(dir.file("long.ff"));
    for (const std::string& value : {std::string(1990, 'h'), std::string("a\nb"), std::string(1989, 'h')}) {
        rec.recorder.clear();
        f.SetText("HISTORY", value);
        const bool fits = value.size() == 1989;
        EXPECT_EQ(f.Write(), fits) << value.size();
        EXPECT_EQ(rec.errors(), fits ? std::vector<std::string>{}
                                     : std::vector<std::string>{"FFile: entry HISTORY does not fit on a header line"});
        EXPECT_EQ(std::filesystem::exists(dir.file("long.ff")), fits);
    }
    rec.recorder.clear();
    f.Clear();

    // A folder that cannot take the temporary file: the old file stays.
    const std::string sub = dir.file("ro");
    ::mkdir(sub.c_str(), 0755);
    writeBytes(sub + "/keep.ff", "precious");
    ::chmod(sub.c_str(), 0555);
    f.SetText("BITPIX", "-32");
    f.SetName(sub + "/keep.ff");
    const bool wrote = f.Write();
    ::chmod(sub.c_str(), 0755);
    if (::geteuid() != 0) {  // root ignores the folder's write bits
        EXPECT_FALSE(wrote);
        EXPECT_EQ(rec.errors(), std::vector<std::string>{"FFile: write error"});
        EXPECT_EQ(readBytes(sub + "/keep.ff"), "precious");
    }
    // A target that is a folder cannot be replaced: nothing left behind.
    rec.recorder.clear();
    ::mkdir(dir.file("isdir.ff").c_str(), 0755);
    f.SetName(dir.file("isdir.ff"));
    EXPECT_FALSE(f.Write());
    EXPECT_EQ(rec.errors(), std::vector<std::string>{"FFile: write error"});
    int leftovers = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        leftovers += e.path().filename().string().rfind(".isdir", 0) == 0;
    EXPECT_EQ(leftovers, 0);
}

TEST(FFileWrite, KeepsPermissionsOfTheReplacedFile)
{
    TempDir dir;
    const std::string path = dir.file("perm.ff");
    writeBytes(path, "old");
    ::chmod(path.c_str(), 0640);
    FFile f;
    f.SetText("BITPIX", "-32");
    f.SetName(path);
    ASSERT_TRUE(f.Write());
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(FFileNames, ShortNamesAndGeneratedNames)
{
    struct Case { const char* path; const char* shortName; } cases[] = {{"C:\\data\\scan.2.ff", "scan"},
        {"/home/obs/averyverylongname.ff", "averyverylon"}, {"plain", "plain"}, {"/x/.hidden", ""},
        {"/leading", "/leading"} /* the first character is never a separator */, {"d:x.ff", "x"}};
    for (const Case& c : cases) {
        FFile f;
        f.SetName(c.path);
        EXPECT_EQ(f.GetShortName(), c.shortName) << c.path;
        EXPECT_EQ(f.GetName(), c.path);
    }
    FFile::ResetNameCounter(999);
    FFile g;
    g.MakeNewName();
    EXPECT_EQ(g.GetName() + " " + g.GetShortName(), "new999.ff new999.ff");
    g.MakeNewName();
    EXPECT_EQ(g.GetName(), "new000.ff");
}

TEST(FFileCopy, HeadAndFullCopies)
{
    RecordMessages rec;
    FFile src;
    ASSERT_TRUE(src.ReadFromBytes(recordHead("-32", 3, "CRVAL1=5\n") + rawBytes<float>({1.f, 2.f, 3.f}), "/d/src.ff"));
    src.SetOffsets(OffsetPixels);
    FFile::ResetNameCounter(7);
    FFile full(src, FFile::Full);
    EXPECT_EQ(samplesOf(full), samplesOf(src));
    EXPECT_EQ(full.GetName(), "new007.ff");
    EXPECT_EQ(full.OffsetFlags(), 0);  // axis set up afresh
    EXPECT_DOUBLE_EQ(full.OffsetOrigin(), 5.0);
    FFile headOnly(src, FFile::HeadOnly);
    EXPECT_EQ(headOnly.Count(), 3);
    EXPECT_EQ(headOnly.GetName(), "new008.ff");
}

TEST(FFileValueAt, InterpolatesExtrapolatesAndStaysInside)
{
    FFile f;
    f.SetData(SampleArray::copyOf(std::vector<float>{1.f, 5.f, 9.f}.data(), 3), 3);
    struct Case { double x, expected; } cases[] = {{3, 7}, {-2, -3}, {6, 13}, {5, 11}, {0, 1}, {4, 9}, {2, 5}, {1, 3}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(f.ValueAt(2, 0, c.x), c.expected) << c.x;
    FFile one;
    one.SetData(SampleArray::copyOf(std::vector<float>{4.f}.data(), 1), 1);
    EXPECT_TRUE(one.ValueAt(1, 0, 10) == 4.0 && one.ValueAt(1, 0, -10) == 4.0);
    EXPECT_TRUE(std::isnan(FFile().ValueAt(1, 0, 0)));
    FFile two;
    two.SetData(SampleArray::copyOf(std::vector<float>{0.f, 1.f}.data(), 2), 2);
    EXPECT_TRUE(std::isnan(two.ValueAt(0, 0, 1)));  // a zero step has no index
    EXPECT_DOUBLE_EQ(two.ValueAt(1, 0, 0.25), 0.25);
}
