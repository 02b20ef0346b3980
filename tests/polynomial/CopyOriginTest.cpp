// Copy of a selection: the copy's samples keep their coordinates, whatever
// the start and step of the record.

#include "FFile.h"
#include "InPlaceCommands.h"
#include "MarkedRecord.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(CopyOrigin, EverySampleKeepsItsCoordinate)
{
    struct Case {
        double crval, cdelt;
        int first;
    };
    const Case cases[] = {
        {43917.0, 0.05, 19},  {43200.0, 0.001, 75}, {0.0, 0.5, 10},     {86000.5, 1e-4, 12345},
        {-100.0, 0.3, 7},     {1e6, 0.02, 3},       {3.25, -0.01, 40},  {1.420e9, 1e3, 999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        std::unique_ptr<FFile> file = makeScan(recipe(ramp(c.first + 10, 0, 1), c.cdelt, c.crval, "src.ff"));
        ViewArrays view;
        view.attach(file->Data(), file->Count());
        view.markRange(c.first, c.first + 4, MarkSelected);
        std::unique_ptr<FFile> copy = CopySelection(view, *file);
        ASSERT_TRUE(copy && copy->Count() == 5);
        for (int i = 0; i < 5; ++i) {  // against the coordinate in long double
            const long double want = static_cast<long double>(c.crval) + static_cast<long double>(c.cdelt) * (c.first + i);
            EXPECT_LE(std::fabs(static_cast<double>(copy->DisplayX(i) - want)), 1e-6 * std::fabs(c.cdelt)) << i;
        }
        EXPECT_EQ(copy->GetText("HISTORY"), "COPY(src)");
    }
}
