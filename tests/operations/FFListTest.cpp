// The list's own rules; the order it gives an operation is checked with the operations.
#include "FFList.h"
#include "FFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

TEST(FFList, IterationCopiesDuplicatesAndTheActiveFFile)
{
    RecordMessages rec;
    FFile a, b, c, twin;  // twin: equal contents, another object
    FFList list;
    EXPECT_EQ(FFList(list).First(), nullptr);  // empty, no active: nothing to report
    for (FFile* f : {&a, &b, &c})
        list.Add(f);
    FFList noActive(list);
    EXPECT_EQ(rec.errors(), (std::vector<std::string>{"FFList: active FFile is NULL"}));
    EXPECT_EQ(noActive.Count(), 3);  // made all the same
    // Count and SetActive leave an iteration in progress alone.
    EXPECT_EQ(list.First(), &c);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(list.SetActive(&a));
    EXPECT_EQ(std::vector<FFile*>({list.Next(), list.Next(), list.Next(), list.Next()}),  // stays at the end
              std::vector<FFile*>({&b, &a, nullptr, nullptr}));
    EXPECT_FALSE(list.SetActive(&twin));
    EXPECT_EQ(list.Active(), &a);
    EXPECT_EQ(rec.errors().back(), "FFList: can't set given FFile as active");
    list.Add(&a);  // duplicates are kept; Clear keeps the active reference
    EXPECT_EQ(list.Count(), 4);
    list.Clear();
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Active(), &a);
}
