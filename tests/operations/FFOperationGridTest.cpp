// The common X grid, the operand order and the life cycle of an operation.

#include "ProbeOperation.h"
#include "ScanBuilder.h"
#include "TestSupport.h"
#include "TuningFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const std::string kInitFailed = "FFOperation: can't initialize output FFile coordinates";

ScanRecipe scan(double crval, double cdelt, int n, std::string ctype = "TIME")
{
    return {"scan1.ff", std::move(ctype), crval, cdelt, "K", ramp(n), {}};
}

}  // namespace

TEST(FFOperationGrid, WorkedExamples)
{
    const struct { const char* what; ScanRecipe a, b; int offsetFlags; double start, step; int n; } cases[] = {  // n 0: refused
        {"overlapping halves", scan(0, 1, 100), scan(50, 1, 100), 6, 50, 1, 50},
        {"finer step wins", scan(0, 1, 11), scan(0, 0.5, 21), 6, 0, 0.5, 21},
        // A spans 0 ... 10 with step 1; B lies inside it, so q = B's length.
        {"q = 2.5 rounds up", scan(0, 1, 11), scan(1, 2.5, 2), 6, 1, 1, 4},
        {"q = 2.49 rounds down", scan(0, 1, 11), scan(1, 2.49, 2), 6, 1, 1, 3},
        {"q = 1.5 rounds up", scan(0, 1, 11), scan(1, 1.5, 2), 6, 1, 1, 3},
        {"q = 1.49 is too small", scan(0, 1, 11), scan(1, 1.49, 2), 6, 0, 0, 0},
        {"disjoint domains", scan(0, 1, 11), scan(20, 1, 11), 6, 0, 0, 0},
        // Without scaling every record is on its sample index.
        {"no scaling", scan(1000, 0.5, 100), scan(3, 1e-5, 60, "ANGLE"), 14, 0, 1, 60},
        // Absolute offsets off: CRVAL1 is left out of both.
        {"no absolute offsets", scan(1000, 1, 10), scan(2000, 1, 20), 7, 0, 1, 10},
        // Records whose X decreases are intersected too, walked downwards.
        {"decreasing records", scan(100, -1, 101), scan(150, -1, 101), 6, 100, -1, 51},
        {"mixed directions", scan(0, 1, 101), scan(150, -1, 101), 6, 50, 1, 51},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordMessages rec;
        auto a = makeScan(c.a), b = makeScan(c.b);
        ProbeRun run({a.get(), b.get()}, overlay(c.offsetFlags));
        EXPECT_EQ(run.ok, c.n > 0);
        const std::vector<std::string> refused = {"FFOperation: X domains intersection is too small or empty", kInitFailed};
        EXPECT_EQ(rec.errors(), c.n ? std::vector<std::string>{} : refused);
        if (c.n == 0)
            continue;
        EXPECT_DOUBLE_EQ(run.op.XStart(), c.start);
        EXPECT_DOUBLE_EQ(run.op.XStep(), c.step);
        EXPECT_EQ(run.op.GridSize(), c.n);
        EXPECT_EQ(run.out().Count(), c.n);
    }
}

TEST(FFOperationGrid, TimeAndAngleMeetThroughTheDeclination)
{
    // At declination 60 degrees one second of time is 0.5 * omega radians.
    const double omega = AxisConstants::omega;
    auto a = makeScan({"a.ff", "TIME", 0, 1, "K", ramp(101), {{"OBSDEC", "60"}}});
    auto b = makeScan({"b.ff", "ANGLE", 10 * 0.5 * omega, 2 * 0.5 * omega, "K", ramp(20), {{"OBSDEC", "60"}}});
    ProbeRun run({a.get(), b.get()}, overlay());
    ProbeOperation& op = run.op;
    ASSERT_TRUE(run.ok);
    EXPECT_NEAR(op.XStart(), 10.0, 1e-9);
    EXPECT_DOUBLE_EQ(op.XStep(), 1.0);
    EXPECT_EQ(op.GridSize(), 39);  // 10 ... 48 s
    EXPECT_EQ(op.XLabel(), "TIME");
    // B's sample k sits at 10 + 2k s: grid point 10 + j is its index j / 2.
    EXPECT_NEAR(op.Resampled(1)[3], 1.5f, 1e-5);
    EXPECT_EQ(b->GetXMode(), XModeTime);  // the conversion stays on the operand
}

TEST(FFOperationGrid, IncompatibleOperandsAreReported)
{
    auto renamed = [](ScanRecipe s, const char* name, const char* bunit = "K") {
        s.name = name;
        s.bunit = bunit;
        return s;
    };
    struct Case { ScanRecipe b; std::string message; std::string aType = "TIME"; } cases[] = {  // message empty: accepted
        {scan(0, 1, 20, "FREQ"), "FFOperation: incompatible X coordinates"},
        {renamed(scan(0, 1, 20), "scan1.ff", "k"), "FFOperation: incompatible Y units"},  // case counts
        {renamed(scan(0, 1, 1), "one.ff"), "FFOperation: FFile one has fewer than two samples"},
        {renamed(scan(0, 0, 20), "flat.ff"), "FFOperation: FFile flat has no valid X step"},
        {scan(0, 1, 20, "VELO"), "FFOperation: incompatible X coordinates", "FREQ"},  // pixel axes, other labels
        {scan(0, 1, 20, "FREQ"), "", "FREQ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        RecordMessages rec;
        auto a = makeScan(scan(0, 1, 20, c.aType)), b = makeScan(c.b);
        ProbeRun run({a.get(), b.get()}, overlay());
        EXPECT_EQ(run.ok, c.message.empty());
        if (c.message.empty()) {
            EXPECT_EQ(run.op.XLabel(), c.aType);
            continue;
        }
        EXPECT_EQ(rec.errors(), (std::vector<std::string>{c.message, kInitFailed}));
        EXPECT_EQ(run.op.computed, 0);
        EXPECT_EQ(run.op.TakeOutput(), nullptr);
    }
}

// Reference: walk to the bracketing pair, interpolate, or extrapolate along the end pair.
double bruteForceValue(const std::vector<float>& s, double first, double step, double x)
{
    std::size_t k = 0;
    auto at = [&](std::size_t i) { return first + static_cast<double>(i) * step; };
    while (k + 2 < s.size() && (step > 0 ? x >= at(k + 1) : x <= at(k + 1)))
        ++k;
    const double s0 = s[k], s1 = s[k + 1];
    return s0 + (s1 - s0) * (x - at(k)) / (at(k + 1) - at(k));
}

TEST(FFOperationGrid, ResamplingMatchesABruteForceInterpolation)
{
    struct Case { const char* what; double crvalA, cdeltA; int nA; double crvalB, cdeltB; int nB; } cases[] = {
        {"coarse on fine", 0.0, 0.3, 400, 1.1, 1.0, 90},
        {"fine on coarse", 5.0, 1.7, 60, 0.0, 0.25, 500},
        // q = 22.5: the last grid point, 9.2, lies beyond B's end at 9.
        {"grid ends beyond the intersection", 0.0, 0.4, 25, 0.0, 1.0, 10},
        {"descending other", 0.0, 0.5, 200, 120.0, -1.3, 80},
        {"equal grids, copied sample for sample", 0.0, 1.0, 100, 50.0, 1.0, 100},
    };
    unsigned seed = 12345;
    auto noise = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<float>((seed >> 8) % 2001) / 100.0f - 10.0f;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScanRecipe sa = scan(c.crvalA, c.cdeltA, c.nA), sb = scan(c.crvalB, c.cdeltB, c.nB);
        std::generate(sa.samples.begin(), sa.samples.end(), noise);
        std::generate(sb.samples.begin(), sb.samples.end(), noise);
        auto a = makeScan(sa), b = makeScan(sb);
        ProbeRun run({a.get(), b.get()}, overlay());
        ProbeOperation& op = run.op;
        ASSERT_TRUE(run.ok);
        for (int j = 0; j < op.GridSize(); ++j) {
            const double x = op.XStart() + j * op.XStep();
            EXPECT_NEAR(op.Resampled(0)[j], bruteForceValue(sa.samples, c.crvalA, c.cdeltA, x), 1e-4) << j;
            EXPECT_NEAR(op.Resampled(1)[j], bruteForceValue(sb.samples, c.crvalB, c.cdeltB, x), 1e-4) << j;
            EXPECT_EQ(op.OutputFile()->Data()[j], op.Resampled(0)[j]);
        }
        if (c.cdeltA == c.cdeltB) {
            EXPECT_EQ(std::vector<float>(op.Resampled(0), op.Resampled(0) + 50),
                      std::vector<float>(sa.samples.begin() + 50, sa.samples.end()));
            EXPECT_EQ(std::vector<float>(op.Resampled(1), op.Resampled(1) + 50),
                      std::vector<float>(sb.samples.begin(), sb.samples.begin() + 50));
        }
    }
}

TEST(FFOperationLife, OperandOrderAndASingleExecution)
{
    RecordMessages rec;
    auto a = makeScan(scan(0, 1, 10)), b = makeScan(scan(0, 1, 10)), c = makeScan(scan(0, 1, 10));
    FFList caller;
    for (FFile* f : {a.get(), b.get(), c.get(), a.get()})
        caller.Add(f);  // caller iterates a, c, b, a; the operation b, a, c
    ASSERT_TRUE(caller.SetActive(b.get()));
    OverlayTuning t = overlay();
    ProbeOperation op(caller, &t);
    EXPECT_EQ(op.TakeOutput(), nullptr);
    ASSERT_TRUE(op.Execute());
    ASSERT_EQ(op.OperandCount(), 3);
    EXPECT_EQ(std::vector<FFile*>({op.Operand(0), op.Operand(1), op.Operand(2)}),
              std::vector<FFile*>({b.get(), a.get(), c.get()}));
    EXPECT_EQ(op.OutputFile()->GetText("HISTORY"), "PROBE(scan1,scan1,scan1)");
    EXPECT_TRUE(rec.errors().empty());
    // It executes once and hands its output over once.
    EXPECT_FALSE(op.Execute());
    EXPECT_EQ(op.computed, 1);
    EXPECT_EQ(rec.errors(), (std::vector<std::string>{"FFOperation: can't execute twice"}));
    EXPECT_EQ(op.TakeOutput()->GetName().substr(0, 3), "new");
    EXPECT_EQ(op.TakeOutput(), nullptr);
}

TEST(FFOperationLife, TooFewOperands)
{
    auto a = makeScan(scan(0, 1, 10)), b = makeScan(scan(0, 1, 10));
    OperandList twice({a.get(), a.get()});
    FFList noActive;
    noActive.Add(a.get());
    noActive.Add(b.get());
    const std::string count = "FFOperation: invalid number of operands";
    const std::pair<FFList*, std::vector<std::string>> cases[] = {
        {&twice.list, {count}}, {&noActive, {"FFList: active FFile is NULL", count}}};
    for (const auto& [list, errors] : cases) {
        RecordMessages rec;
        OverlayTuning t = overlay();
        EXPECT_FALSE(ProbeOperation(*list, &t).Execute());
        EXPECT_EQ(rec.errors(), errors);
    }
}

using OverlayDialog = TuningFixture<OverlayTuning>;

// The dialog shows unless given or quiet; Cancel ends silently, the object spent; an edited record is used.
TEST_F(OverlayDialog, CancelGivenQuietAndEditedSettings)
{
    int shown = 0;
    bool accept = false;
    Tuning<OverlayTuning>::setEditor([&](OverlayTuning& t) { return ++shown, t.offsetFlags = 14, t.quiet = true, accept; });
    auto a = makeScan(scan(0, 0.5, 10)), b = makeScan(scan(0, 0.5, 12));
    EXPECT_FALSE(ProbeOperation(OperandList({a.get()}).list).Execute());  // fails before the dialog
    EXPECT_EQ(shown, 0);
    rec.recorder.clear();
    OperandList ops({a.get(), b.get()});
    ProbeOperation cancelled(ops.list);
    EXPECT_FALSE(cancelled.Execute());
    EXPECT_TRUE(rec.errors().empty());
    EXPECT_FALSE(cancelled.Execute());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(rec.errors(), (std::vector<std::string>{"FFOperation: can't execute twice"}));
    OverlayTuning t = overlay();
    ProbeOperation given(ops.list, &t);
    EXPECT_TRUE(given.Execute());
    EXPECT_TRUE(given.Settings().given);
    EXPECT_EQ(shown, 1);
    accept = true;
    ProbeOperation edited(ops.list);
    ASSERT_TRUE(edited.Execute());
    EXPECT_EQ(edited.XLabel(), "PIXELS");
    EXPECT_FALSE(edited.Settings().given);
    ProbeOperation quiet(ops.list);
    ASSERT_TRUE(quiet.Execute());
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(quiet.GridSize(), 10);
}
