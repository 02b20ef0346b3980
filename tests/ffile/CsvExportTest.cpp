#include "CsvExport.h"
#include "FFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

TEST(CsvExport, TimeAngleAndOtherAxesWithSelections)
{
    struct Case { const char* axis; std::vector<std::uint8_t> marks; std::string csv; } cases[] = {
        {"CTYPE1=TIME\nCRVAL1=43200\nCDELT1=0.5\nBUNIT=K\n", {},
         "X (SEC),TIME,Y (K)\n43200,12:00:00.0,1.5\n43200.5,12:00:00.5,NaN\n43201,12:00:01.0,-2\n"},
        // 0.01 rad is 2062.648 arc seconds: 0 degrees 34' 22.6".
        {"CTYPE1=ANGLE\nCRVAL1=0.01\nCDELT1=-0.01\nBUNIT=mJy,beam\n", {1, 2, 1},
         "X (RAD),ANGLE,\"Y (mJy,beam)\"\n0.01,\"000\xC2\xB0" "34'22.6\"\"\",1.5\n-0.01,\"359\xC2\xB0" "25'37.4\"\"\",-2\n"},
        {"CTYPE1=FREQ\nCRVAL1=1.4e9\nCRPIX1=2\nCDELT1=1e6\nBUNIT=K\n", {0, 2, 0},
         "X (FREQ),Y (K)\n1.399e+09,1.5\n1.4e+09,NaN\n1.401e+09,-2\n"},
    };
    for (const Case& c : cases) {
        std::string bytes = std::string("SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=3\n") + c.axis + "END\n";
        const float samples[3] = {1.5f, NAN, -2.0f};
        bytes.append(reinterpret_cast<const char*>(samples), sizeof samples);
        RecordMessages rec;
        FFile f;
        ASSERT_TRUE(f.ReadFromBytes(bytes, "a.ff")) << c.axis;
        TempDir dir;
        ASSERT_TRUE(CsvExport::Write(f, c.marks.empty() ? nullptr : c.marks.data(), dir.file("a.csv")));
        EXPECT_EQ(readBytes(dir.file("a.csv")), c.csv) << c.axis;
        EXPECT_TRUE(rec.errors().empty());
    }
    RecordMessages rec;
    FFile f;
    ASSERT_TRUE(f.ReadFromBytes("SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=0\nCTYPE1=TIME\nCDELT1=1\nBUNIT=K\nEND\n", "a"));
    EXPECT_FALSE(CsvExport::Write(f, nullptr, "/nonexistent/a.csv"));
    EXPECT_EQ(rec.errors(), std::vector<std::string>{"CSV: write error"});
}
