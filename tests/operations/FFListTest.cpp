#include "FFList.h"

#include "FFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

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
    list.Add(&a);
    list.Add(&b);
    list.Add(&c);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(walk(list), (std::vector<FFile*>{&c, &b, &a}));
    ASSERT_TRUE(list.SetActive(&b));

    FFList copy(list);
    EXPECT_EQ(walk(copy), (std::vector<FFile*>{&a, &b, &c}));
    EXPECT_EQ(copy.Active(), &b);
    FFList copyOfCopy(copy);
    EXPECT_EQ(walk(copyOfCopy), (std::vector<FFile*>{&c, &b, &a}));
    EXPECT_TRUE(rec.errors().empty());
}

TEST(FFList, EmptyListAndEndOfIteration)
{
    RecordMessages rec;
    FFList list;
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Next(), nullptr);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Active(), nullptr);
    FFList copy(list);  // empty, no active: nothing to report
    EXPECT_EQ(copy.Count(), 0);

    FFile a;
    list.Add(&a);
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Next(), nullptr);
    EXPECT_EQ(list.Next(), nullptr);
    EXPECT_TRUE(rec.errors().empty());
}

TEST(FFList, CopyWithoutActiveIsReportedButMade)
{
    RecordMessages rec;
    FFile a, b;
    FFList list;
    list.Add(&a);
    list.Add(&b);
    FFList copy(list);
    EXPECT_EQ(rec.errors(), (std::vector<std::string>{"FFList: active FFile is NULL"}));
    EXPECT_EQ(walk(copy), (std::vector<FFile*>{&a, &b}));
    EXPECT_EQ(copy.Active(), nullptr);
}

TEST(FFList, SetActiveComparesIdentity)
{
    RecordMessages rec;
    FFile a, twin;  // equal contents, another object
    FFList list;
    list.Add(&a);
    ASSERT_TRUE(list.SetActive(&a));
    EXPECT_FALSE(list.SetActive(&twin));
    EXPECT_EQ(list.Active(), &a);
    EXPECT_EQ(rec.errors(), (std::vector<std::string>{"FFList: can't set given FFile as active"}));
}

TEST(FFList, CountAndSetActiveLeaveAnIterationInProgressAlone)
{
    RecordMessages rec;
    FFile a, b, c;
    FFList list;
    list.Add(&a);
    list.Add(&b);
    list.Add(&c);
    EXPECT_EQ(list.First(), &c);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(list.SetActive(&a));
    EXPECT_EQ(list.Next(), &b);
    EXPECT_EQ(list.Next(), &a);
    EXPECT_EQ(list.Next(), nullptr);
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
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Active(), &a);
}
