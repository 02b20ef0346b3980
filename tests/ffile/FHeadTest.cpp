#include "FHead.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> idsOf(FHead& h)
{
    std::vector<std::string> ids;
    for (HeadEntry* e = h.First(); e; e = h.Next())
        ids.push_back(e->GetID() + "=" + e->GetValue());
    return ids;
}

void setMinimal(FHead& h)
{
    for (auto [id, value] : {std::pair{"SIMPLE", "T"}, {"BITPIX", "-32"}, {"NAXIS", "1"}, {"NAXIS1", "0"},
                             {"CTYPE1", "TIME"}, {"CDELT1", "1"}, {"BUNIT", "K"}})
        h.SetText(id, value);
}

}  // namespace

TEST(FHead, InsertReplacesInPlaceAndAppendsNewIds)
{
    FHead h;
    h.SetText("A", "1");
    h.SetText("HISTORY", "first");
    h.SetText("B", "2");
    h.SetText("HISTORY", "second");
    EXPECT_EQ(idsOf(h), (std::vector<std::string>{"A=1", "HISTORY=second", "B=2"}));
    EXPECT_TRUE(h.ValueIs("HISTORY", "second"));
    EXPECT_FALSE(h.ValueIs("HISTORY", "Second"));
    EXPECT_FALSE(h.ValueIs("NOPE", ""));
    EXPECT_EQ(h.IndexOf("B"), 2);
    EXPECT_EQ(h.IndexOf("NOPE"), -1);
}

TEST(FHead, TypedReadsFollowCRules)
{
    RecordMessages rec;
    FHead h;
    h.SetText("CTYPE1", "TIME");
    h.SetText("N", "  42abc");
    h.SetText("R", "1.5e3xyz");
    h.SetText("BIG", "99999999999999");
    EXPECT_EQ(h.GetInt("CTYPE1"), 0);
    EXPECT_EQ(h.GetInt("N"), 42);
    EXPECT_DOUBLE_EQ(h.GetReal("R"), 1500.0);
    EXPECT_EQ(h.GetInt("BIG"), 2147483647);
    EXPECT_TRUE(rec.errors().empty());
    EXPECT_EQ(h.GetReal("ABSENT"), 0.0);
    EXPECT_EQ(h.GetText("ABSENT"), "");
    EXPECT_EQ(rec.errors(), (std::vector<std::string>{"FHead: can't access unexistent entry ABSENT",
                                                      "FHead: can't access unexistent entry ABSENT"}));
}

TEST(FHeadQControl, ReportsTheFirstFailingRow)
{
    struct Case { const char* name; std::vector<std::pair<std::string, std::string>> changes; const char* message; } cases[] = {
        {"quoted SIMPLE", {{"SIMPLE", "'T'"}}, "FHead: invalid value of the fixed parameter SIMPLE"},
        {"NAXIS 1.0", {{"NAXIS", "1.0"}}, "FHead: invalid value of the fixed parameter NAXIS"},
        {"NAXIS 01", {{"NAXIS", "01"}}, "FHead: invalid value of the fixed parameter NAXIS"},
        {"no BITPIX nor NAXIS1", {{"BITPIX", ""}, {"NAXIS1", ""}}, "FHead: missing critical parameter BITPIX"},
        {"no SIMPLE", {{"SIMPLE", ""}}, "FHead: missing critical parameter SIMPLE"},
        {"no NAXIS", {{"NAXIS", ""}}, "FHead: missing critical parameter NAXIS"},
        {"no BUNIT", {{"BUNIT", ""}}, "FHead: missing critical parameter BUNIT"},
        {"lower-case naxis", {{"NAXIS", ""}, {"naxis", "1"}}, "FHead: missing critical parameter NAXIS"},
    };
    for (const Case& c : cases) {
        RecordMessages rec;
        FHead h;
        setMinimal(h);
        for (const auto& [id, value] : c.changes)
            value.empty() ? static_cast<void>(h.Remove(id)) : h.SetText(id, value);
        EXPECT_FALSE(h.QControl()) << c.name;
        EXPECT_EQ(rec.errors(), std::vector<std::string>{c.message}) << c.name;
    }
}

TEST(FHeadQControl, KeepsDefaultsAddedBeforeTheFailure)
{
    RecordMessages rec;
    FHead h;
    setMinimal(h);
    h.Remove("BUNIT");
    EXPECT_FALSE(h.QControl());
    EXPECT_TRUE(h.Has("CRVAL1"));
    EXPECT_TRUE(h.Has("CRPIX1"));
    EXPECT_FALSE(h.Has("BSCALE"));  // its row comes after BUNIT
}
