#include "KeywordDictionary.h"
#include "HeadEntry.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(KeywordDictionary, HasSeventyTwoDistinctRowsInCheckOrder)
{
    auto rows = KeywordDictionary::Rows();
    ASSERT_EQ(rows.size(), 72u);
    std::set<std::string> ids;
    for (const auto& r : rows)
        ids.insert(r.id);
    EXPECT_EQ(ids.size(), 72u);
    EXPECT_STREQ(rows[0].id, "SIMPLE");
    EXPECT_STREQ(rows[20].id, "OBSDEC");
    EXPECT_STREQ(rows[71].id, "RANDOMAMPL");
}

TEST(KeywordDictionary, CriticalAndFixedRowsAreTheDocumentedSet)
{
    std::string withoutDefault, withDefault, fixed;
    for (const auto& r : KeywordDictionary::Rows()) {
        if (r.classLetter() == 'f')
            fixed += std::string(r.id) + " ";
        else if (r.classLetter() == 'c')
            (*r.defaultValue ? withDefault : withoutDefault) += std::string(r.id) + " ";
    }
    EXPECT_EQ(fixed, "SIMPLE NAXIS ");
    EXPECT_EQ(withoutDefault, "BITPIX NAXIS1 CTYPE1 CDELT1 BUNIT ");
    EXPECT_EQ(withDefault, "CRVAL1 CRPIX1 BSCALE BZERO OBSDEC DEC NUT-RA TIMEWSH TIMEESH ");
}

TEST(HeadEntry, TypedValuesUseDecimalAndSixDigitGeneralForm)
{
    struct Case { double v; const char* text; } reals[] = {{1.0, "1"},       {0.0, "0"},          {0.5, "0.5"},     {-2.25, "-2.25"},
                 {1234.56789, "1234.57"}, {999999.4, "999999"}, {999999.5, "1e+06"}, {0.0001, "0.0001"},
                 {0.00009999, "9.999e-05"}};
    for (const Case& c : reals)
        EXPECT_EQ(HeadEntry("CRVAL1", c.v).GetValue(), c.text) << c.v;
    EXPECT_EQ(HeadEntry("NAXIS1", 0).GetValue(), "0");
    EXPECT_EQ(HeadEntry("NAXIS1", -42).GetValue(), "-42");
    HeadEntry e("OBJECT", std::string_view("3C 273"));
    EXPECT_EQ(e.AccessLetter(), 'p');
    e.SetValue("3C 84");
    EXPECT_EQ(e.GetValue(), "3C 84");
    EXPECT_STREQ(e.GetDescription(), "Name of observation object");
}

TEST(HeadEntry, CoordinatesKeepTheDigitsTheirToleranceNeeds)
{
    struct Case { double v, tolerance; const char* text; } cases[] = {{43200.075, 5e-8, "43200.075"}, {43200.0, 5e-8, "43200"}, {0.2, 1e-9, "0.2"},
                 {1.0 / 3.0, 1e-3, "0.333333"}, {1.0 / 3.0, 1e-12, "0.333333333333"}, {1e300, 0, "1e+300"}, {0.1 + 0.2, 0, "0.30000000000000004"}};
    for (const Case& c : cases)
        EXPECT_EQ(HeadEntry::FormatRealWithin(c.v, c.tolerance), c.text) << c.v;
}
