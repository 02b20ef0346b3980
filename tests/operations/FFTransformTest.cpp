#include "FFTransform.h"
#include "ScanBuilder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A transform whose Compute doubles the samples of the output.
class Doubler : public FFTransform {
public:
    Doubler(FFile* input, bool copyMode, std::string name) : FFTransform(input, copyMode) { historyName_ = name; }
    bool prepareResult = true;
    int computed = 0;

protected:
    bool Prepare() override { return FFTransform::Prepare() && prepareResult; }
    bool Compute() override
    {
        ++computed;
        for (int i = 0; i < outputN_; ++i)
            outputData_[i] = 2 * samples_[i];
        return true;
    }
};

}  // namespace

TEST(FFTransform, CopyModeCopiesTheInputUnderANewNameAndHistory)
{
    RecordMessages rec;
    auto in = makeScan(recipe({1, 2, 3}, 1.0, 0.0, "scan1.ff", {{"HISTORY", "OLD(x)"}}));
    FFile::ResetNameCounter(7);
    Doubler op(in.get(), true, "SLIDING_MEAN");
    ASSERT_TRUE(op.Execute());
    std::unique_ptr<FFile> out = op.TakeOutput();
    EXPECT_EQ(out->GetName() + " " + out->GetText("HISTORY") + " " + in->GetText("HISTORY"),
              "new007.ff SLIDING_MEAN(scan1) OLD(x)");
    EXPECT_EQ(samplesOf(*out), (std::vector<float>{2, 4, 6}));
    EXPECT_EQ(samplesOf(*in), (std::vector<float>{1, 2, 3}));
    EXPECT_TRUE(rec.errors().empty());
}

TEST(FFTransform, HistoryTextIsCutAtFortyEightCharacters)
{
    auto in = makeScan(recipe({1}, 1.0, 0.0, "/d/abcdefghijklmnop.ff"));  // short name: 12 characters
    const std::string name(40, 'H');
    Doubler op(in.get(), true, name);
    ASSERT_TRUE(op.Execute());
    EXPECT_EQ(op.History(), name + "(abcdefg");
}

TEST(FFTransform, ExecutesOnceEvenAfterAFailedPrepare)
{
    RecordMessages rec;
    auto in = makeScan(recipe({1, 2}));
    Doubler op(in.get(), true, "X");
    op.prepareResult = false;
    EXPECT_FALSE(op.Execute());
    EXPECT_TRUE(rec.errors().empty());
    op.prepareResult = true;
    EXPECT_FALSE(op.Execute());
    EXPECT_EQ(op.computed, 0);
    EXPECT_EQ(rec.errors(), std::vector<std::string>{"FFTransform: can't execute twice"});
    EXPECT_FALSE(Doubler(nullptr, true, "X").Execute());
    EXPECT_EQ(rec.errors().back(), "FFTransform: no input FFile specified");
}

TEST(FFTransform, InputAxisIsPutBackToTheFilesOwn)
{
    auto in = makeScan(recipe({1, 2, 3}, 0.5));
    in->SetXMode(XModeAngle);
    in->SetUnit(UnitArcsec);
    Doubler op(in.get(), true, "X");
    ASSERT_TRUE(op.Execute());
    EXPECT_EQ(std::make_tuple(in->GetXMode(), in->XScale(), in->UnitScale()), std::make_tuple(XModeTime, 1.0, 1.0));
}
