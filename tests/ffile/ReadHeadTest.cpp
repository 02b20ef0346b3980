#include "FHead.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kCore = "BITPIX=-32\nNAXIS=1\nNAXIS1=0\nCTYPE1=TIME\nCDELT1=1\nBUNIT=K\n";

struct Parsed { bool ok; std::vector<std::string> errors; FHead head; };

Parsed parse(const std::string& text)
{
    RecordMessages rec;
    Parsed p;
    p.ok = p.head.ReadHeadFromBytes(text);
    p.errors = rec.errors();
    return p;
}

}  // namespace

TEST(ReadHead, TolerantLineReading)
{
    struct Case { const char* name; std::string text; const char* id; const char* value; } cases[] = {
        {"padded around =", "SIMPLE=T\n  CRVAL1   =   12.5  \n" + kCore + "END\n", "CRVAL1", "12.5"},
        {"inner blank kept", "SIMPLE=T\nOBJECT = 3C 273\n" + kCore + "END\n", "OBJECT", "3C 273"},
        {"second = in value", "SIMPLE=T\nA=B=C\n" + kCore + "END\n", "A", "B=C"},
        {"empty value", "SIMPLE=T\nA=\n" + kCore + "END\n", "A", nullptr},
        {"blank value", "SIMPLE=T\nA=   \n" + kCore + "END\n", "A", nullptr},
        {"starts with =", "SIMPLE=T\n=A\n" + kCore + "END\n", "", nullptr},
        {"no =", "SIMPLE=T\nJUST TEXT\n" + kCore + "END\n", "JUST TEXT", nullptr},
        {"END=3 is an entry", "SIMPLE=T\nEND=3\n" + kCore + "END\n", "END", "3"},
        {"ENDING ignored", "SIMPLE=T\nENDING\n" + kCore + "END   \n", "ENDING", nullptr},
        {"leading blank lines", "\n\n   \t SIMPLE=T\n\n   OBJECT=X\n" + kCore + "END\n", "OBJECT", "X"},
        {"CRLF lines", "SIMPLE=T\r\nOBJECT=M 87\r\n" + kCore + "END\r\n", "OBJECT", "M 87"},
    };
    for (const Case& c : cases) {
        Parsed p = parse(c.text);
        EXPECT_TRUE(p.ok) << c.name;
        EXPECT_EQ(p.errors, std::vector<std::string>{}) << c.name;
        const HeadEntry* e = p.head.Find(c.id);
        EXPECT_EQ(e ? e->GetValue() : std::string("(none)"), c.value ? c.value : "(none)") << c.name;
    }
}

TEST(ReadHead, RepeatedIdKeepsFirstPosition)
{
    Parsed p = parse("SIMPLE=T\nOBJECT=A\n" + kCore + "OBJECT=B\nEND\n");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.head.EntryAt(1).GetID() + "=" + p.head.EntryAt(1).GetValue(), "OBJECT=B");
}

TEST(ReadHead, FailuresAndTheirMessages)
{
    struct Case { const char* name; std::string text; const char* message; } cases[] = {
        {"empty file", "", "FHead: unexpected EOF"},
        {"only blanks", " \n\t\n", "FHead: unexpected EOF"},
        {"short first line at EOF", "SIMP", "FHead: unexpected EOF"},
        {"first line without line feed", "SIMPLE=T", "FHead: unexpected EOF"},
        {"not SIMPLE", "BITPIX=-32\nSIMPLE=T\nEND\n", "FHead: missing or invalid head"},
        {"short first line", "SIMP\nEND\n", "FHead: missing or invalid head"},
        {"lower case", "simple=T\nEND\n", "FHead: missing or invalid head"},
        {"END without line feed", "SIMPLE=T\n" + kCore + "END", "FHead: unexpected EOF"},
        {"no END", "SIMPLE=T\n" + kCore, "FHead: unexpected EOF"},
        {"SIMPLEX", "SIMPLEX=T\n" + kCore + "END\n", "FHead: missing critical parameter SIMPLE"},
        {"line of 1998", "SIMPLE=T\nA=" + std::string(1996, 'x') + "\n" + kCore + "END\n", "FHead: too long line"},
        {"first line of 1998", "SIMPLE=" + std::string(1991, 'x') + "\n" + kCore + "END\n", "FHead: too long line"},
        {"huge line", "SIMPLE=T\nA=" + std::string(100000, 'x') + "\n" + kCore + "END\n", "FHead: too long line"},
    };
    for (const Case& c : cases) {
        Parsed p = parse(c.text);
        EXPECT_FALSE(p.ok) << c.name;
        EXPECT_EQ(p.errors, std::vector<std::string>{c.message}) << c.name;
    }
}

TEST(ReadHead, LineLengthLimitCountsFromFirstNonBlank)
{
    // 1997 characters is the longest accepted line, indentation not counted.
    std::string line = "A=" + std::string(1995, 'x');
    ASSERT_EQ(line.size(), 1997u);
    Parsed p = parse("SIMPLE=T\n      " + line + "\n" + kCore + "END\n");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.head.GetText("A").size(), 1995u);
    // The first line too, trailing blanks counted.
    EXPECT_TRUE(parse("SIMPLE=T" + std::string(1989, ' ') + "\n" + kCore + "END\n").ok);
    EXPECT_FALSE(parse("SIMPLE=T" + std::string(1990, ' ') + "\n" + kCore + "END\n").ok);
    // A carriage return before the line feed is not part of the line.
    Parsed crlf = parse("SIMPLE=T\r\n" + line + "\r\n" + kCore + "END\r\n");
    EXPECT_TRUE(crlf.ok);
}

TEST(ReadHead, MissingFileAndClearing)
{
    RecordMessages rec;
    FHead h;
    h.SetText("STALE", "1");
    EXPECT_FALSE(h.ReadHead("/nonexistent/dir/x.ff"));
    EXPECT_EQ(rec.errors(), std::vector<std::string>{"FHead: can't open input file"});
    EXPECT_EQ(h.First(), nullptr);
}

TEST(ReadHead, StopsAtEndAndNeverReadsTheData)
{
    TempDir dir;
    // Binary garbage after END, including line feeds and "=" bytes.
    writeBytes(dir.file("a.ff"), "SIMPLE=T\n" + kCore + "END\n" + std::string("\x00=\n\xff\nX=Y\n", 9));
    RecordMessages rec;
    FHead h;
    EXPECT_TRUE(h.ReadHead(dir.file("a.ff")));
    EXPECT_FALSE(h.Has("X"));
}

// Reading and replacing 200 000 entries cost a bounded number of ID comparisons each.
TEST(ReadHead, ManyEntriesCostLinearWork)
{
    constexpr int kEntries = 200000;
    std::string text = "SIMPLE=T\n" + kCore;
    for (int i = 0; i < kEntries; ++i)
        text += "U" + std::to_string(i) + "=" + std::to_string(i * 7) + "\n";
    Parsed p = parse(text + "END\n");
    ASSERT_TRUE(p.ok);
    FHead& h = p.head;
    ASSERT_EQ(h.EntryCount(), 7 + kEntries + 9);  // SIMPLE and 6 core lines first, 9 defaults last
    EXPECT_LT(h.LookupComparisons(), 4ull * kEntries);
    for (int i = 0; i < kEntries; ++i)
        h.SetInt("U" + std::to_string(i), -i);
    EXPECT_LT(h.LookupComparisons(), 12ull * kEntries);
    EXPECT_EQ(h.EntryAt(7 + 4321).GetID(), "U4321");
    ASSERT_TRUE(h.Remove("U0"));
    ASSERT_FALSE(h.Remove("U0"));
    ASSERT_TRUE(h.Remove("U100000"));
    EXPECT_EQ(h.EntryAt(7 + 99999).GetID(), "U100001");
    const FHead copy(h);
    h.Clear();
    EXPECT_FALSE(h.Has("U150000"));
    EXPECT_EQ(copy.GetInt("U150000"), -150000);
    EXPECT_EQ(copy.GetInt("U199999"), -199999);
}
