#include "FFList.h"

#include "FFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<FFile*> walk(FFList& list)
{
    std::vector<FFile*> out;
    for (FFile* f = list.First(); f; f = list.Next())
        out.push_back(f);
    return out;
}

}  // namespace

TEST(FFList, AddInsertsAtTheFrontAndCopiesReverse)
{
    RecordMessages rec;
    FFile a, b, c;
    FFList list;
    FFList empty(list);  // empty, no active: nothing to report
    EXPECT_EQ(empty.First(), nullptr);
    for (FFile* f : {&a, &b, &c})
        list.Add(f);
    EXPECT_EQ(walk(list), (std::vector<FFile*>{&c, &b, &a}));
    EXPECT_EQ(list.Next(), nullptr);  // stays at the end
    ASSERT_TRUE(list.SetActive(&b));
    FFList copy(list);
    EXPECT_EQ(walk(copy), (std::vector<FFile*>{&a, &b, &c}));
    EXPECT_EQ(copy.Active(), &b);
    EXPECT_EQ(walk(*std::make_unique<FFList>(copy)), (std::vector<FFile*>{&c, &b, &a}));
    EXPECT_TRUE(rec.errors().empty());
    // Count and SetActive leave an iteration in progress alone.
    EXPECT_EQ(list.First(), &c);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(list.SetActive(&a));
    EXPECT_EQ(list.Next(), &b);
}

TEST(FFList, ActiveFFileProblemsAreReported)
{
    RecordMessages rec;
    FFile a, b, twin;  // twin: equal contents, another object
    FFList list;
    list.Add(&a);
    list.Add(&b);
    FFList copy(list);
    EXPECT_EQ(rec.errors(), (std::vector<std::string>{"FFList: active FFile is NULL"}));
    EXPECT_EQ(walk(copy), (std::vector<FFile*>{&a, &b}));  // made all the same
    ASSERT_TRUE(list.SetActive(&a));
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
