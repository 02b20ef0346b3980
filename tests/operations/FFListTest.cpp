// The list's own rules; the order it gives an operation is checked with the operations.
#include "FFList.h"
#include "FFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

TEST(FFList, IterationCopiesAndTheActiveFFile)
{
    RecordMessages rec;
    FFile a, b, c, twin;  // twin: equal contents, another object
    FFList list;
    FFList empty(list);  // empty, no active: nothing to report
    EXPECT_EQ(empty.First(), nullptr);
    for (FFile* f : {&a, &b, &c})
        list.Add(f);
    FFList noActive(list);
    EXPECT_EQ(rec.errors(), (std::vector<std::string>{"FFList: active FFile is NULL"}));
    EXPECT_EQ(noActive.Count(), 3);  // made all the same
    // Count and SetActive leave an iteration in progress alone.
    EXPECT_EQ(list.First(), &c);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(list.SetActive(&a));
    EXPECT_EQ(list.Next(), &b);
    EXPECT_EQ(list.Next(), &a);
    EXPECT_EQ(list.Next(), nullptr);
    EXPECT_EQ(list.Next(), nullptr);  // stays at the end
    EXPECT_FALSE(list.SetActive(&twin));
    EXPECT_EQ(list.Active(), &a);
    EXPECT_EQ(rec.errors().back(), "FFList: can't set given FFile as active");
}

TEST(FFList, ClearKeepsTheActiveReferenceAndDuplicatesAreKept)
{
    FFile a;
    FFList list;
    list.Add(&a);
    list.Add(&a);
    EXPECT_EQ(list.Count(), 2);
    ASSERT_TRUE(list.SetActive(&a));
    list.Clear();
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Active(), &a);
}
