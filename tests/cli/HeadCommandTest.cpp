#include "CliRun.h"

#include <gtest/gtest.h>

using clirun::run;

namespace {

// A scan written with OBJECT and COMMENT as read back: the lines before them, the defaults after.
const std::string kFront = "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=3\nCTYPE1=TIME\nCRVAL1=3600\nCDELT1=0.5\nBUNIT=K\n";
const std::string kDefaults = "CRPIX1=1.0\nBSCALE=1\nBZERO=0\nOBSDEC=0.0\nDEC=0.0\nNUT-RA=0.0\nTIMEWSH=0.0\nTIMEESH=0.0\n";
const std::string kMiddle = "OBJECT=3C 84\nCOMMENT=old\n";

std::string headerOf(const std::string& path)
{
    FFile f;
    if (!f.Read(path)) return "<unreadable>";
    std::string out;
    for (int i = 0; i < f.EntryCount(); ++i)
        out += f.EntryAt(i).GetID() + "=" + f.EntryAt(i).GetValue() + "\n";
    return out;
}

std::string replaceAll(std::string s, const std::string& from, const std::string& to)
{
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

const std::string kProtected = "Head entry OBJECT is PROTECTED.\nAre you sure you want to edit its value?\n";
const std::string kNoForce = "vexil-cli: answered No without --force; nothing written\n";

}  // namespace

TEST(CliHead, ListsTheHeaderWithTheDictionaryWords)
{
    TempDir dir;
    const clirun::Result r = run("head " + clirun::writeScan(dir, "in.ff", {1, 2, 3}, "OBJECT=3C 84\nMY NOTE=x\n"), dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find("BITPIX\t")), "SIMPLE\tT\tSTRING/FIXED/READ-ONLY\tFormat identifier\n");
    EXPECT_NE(r.out.find("\nOBJECT\t3C 84\tSTRING/DEFAULT/PROTECTED\tName of observation object\n"
                         "MY NOTE\tx\tSTRING/DEFAULT/FREE\tUser-defined entry\nCRPIX1\t1.0\t"),
              std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 18);
}

// From a fresh in.ff each time; header is what out.ff (or in.ff, saved in place) holds afterwards.
TEST(CliHead, ChangesFollowTheAccessRulesAllOrNothing)
{
    struct Case { std::string args; int status; std::string err; std::string header; } cases[] = {
        {"{IN} -o {OUT} --set COMMENT=new", 0, "", kFront + "OBJECT=3C 84\nCOMMENT=new\n" + kDefaults},
        {"{IN} -o {OUT} --set 'OBJECT=Cas A'", 1, kProtected + kNoForce, ""},
        {"{IN} -o {OUT} --force --set ' OBJECT = Cas A '", 0, kProtected, kFront + "OBJECT=Cas A\nCOMMENT=old\n" + kDefaults},
        {"{IN} -o {OUT} --set DATE-OBS=2025-01-02 --force --set PROG-ID=P7", 0, "The entry being inserted is classified as READ-ONLY.\nDo you really want to create it?\n",
         kFront + kMiddle + kDefaults + "DATE-OBS=2025-01-02\nPROG-ID=P7\n"},
        {"{IN} -o {OUT} --delete COMMENT --verbose", 0, "Head entry COMMENT is to be deleted\nAre you sure?\nwrote {OUT}\n", kFront + "OBJECT=3C 84\n" + kDefaults},
        {"{IN} -o {OUT} --delete OBJECT", 1, "Head entry OBJECT is PROTECTED.\nAre you still sure you want to delete it?\n" + kNoForce, ""},
        {"{IN} -o {OUT} --set COMMENT=x --set BUNIT=Jy --set Z=1", 1, "Can't update READ-ONLY entry BUNIT\n", ""},
        {"{IN} -o {IN} --set 'COMMENT=tilt 3\xC2\xB0 \xC3\xA9t\xC3\xA9'", 0, "",
         kFront + "OBJECT=3C 84\nCOMMENT=tilt 3\xB0 \xE9t\xE9\n" + kDefaults},
        {"{IN} -o {IN} --set COMMENT=x --delete TAU", 1, "FHead: can't access unexistent entry TAU\n", ""},
        {"{IN} -o {OUT} --set COMMENT=\xD0\x96", 2, "vexil-cli: 'Value' field holds characters outside Latin-1\n", ""},
        {"{IN} --set COMMENT=x", 2, "vexil-cli: --set and --delete need -o OUT\n", ""},
        {"{IN} -o {OUT} --set", 2, "vexil-cli: option --set needs a value\n", ""},
        // Entries that would not read back as written: a second line, the header's end, a line too long.
        {"{IN} -o {OUT} --set 'COMMENT=a\nb'", 2, "vexil-cli: 'Value' field holds a line break\n", ""},
        {"{IN} -o {OUT} --set 'END X=1'", 2, "vexil-cli: 'ID' must not begin with END and a blank\n", ""},
        {"{IN} -o {OUT} --set COMMENT=" + std::string(1990, 'a'), 2,
         "vexil-cli: The entry is longer than 1997 characters\n", ""},
        {"{IN} -o {OUT} --set COMMENT=" + std::string(1989, 'a'), 0, "",
         kFront + "OBJECT=3C 84\nCOMMENT=" + std::string(1989, 'a') + "\n" + kDefaults},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string in = clirun::writeScan(dir, "in.ff", {1, 2, 3}, kMiddle);
        const std::string before = readBytes(in);
        const std::string args = replaceAll(replaceAll(c.args, "{OUT}", dir.file("out.ff")), "{IN}", in);
        const clirun::Result r = run("head " + args, dir);
        EXPECT_EQ(r.status, c.status) << c.args;
        const std::string err = replaceAll(c.err, "{OUT}", dir.file("out.ff"));
        EXPECT_EQ(c.status == 2 ? r.err.substr(0, err.size()) : r.err, err) << c.args;
        const bool inPlace = c.args.find("-o {IN}") != std::string::npos;
        const std::string written = inPlace ? in : dir.file("out.ff");
        if (c.status != 0) {  // nothing written
            EXPECT_FALSE(std::filesystem::exists(dir.file("out.ff"))) << c.args;
            EXPECT_EQ(readBytes(in), before) << c.args;
            continue;
        }
        EXPECT_EQ(headerOf(written), c.header) << c.args;
        EXPECT_EQ(clirun::samplesOf(written), (std::vector<float>{1, 2, 3})) << c.args;
    }
}
