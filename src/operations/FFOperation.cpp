// The common part of the multi-file operations: operands, settings, the
// common X grid, the output F-file and the resampled operands.

#include "FFOperation.h"

#include "FiniteSamples.h"

#include "BusyCursor.h"
#include "Progress.h"
#include "FFile.h"
#include "Messages.h"
#include "Near.h"
#include "Tuning.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

constexpr const char* kClass = "FFOperation";

void fail(const char* message) { Messages::error(kClass, message); }

// A message naming one operand by its short name (at most 12 characters).
void failFor(const char* format, const FFile& file)
{
    char buf[256];
    std::snprintf(buf, sizeof buf, format, file.GetShortName().c_str());
    Messages::error(kClass, buf);
}

}  // namespace

FFOperation::FFOperation(const FFList& operands, const OverlayTuning* settings) : operands_(operands)
{
    if (settings) {
        settings_ = *settings;
        settings_.given = true;
    }
    // One operand per F-file object: a list that names an F-file twice would
    // otherwise count it twice while the active one is resampled only once.
    for (FFile* f = operands_.First(); f; f = operands_.Next())
        if (f && std::find(listed_.begin(), listed_.end(), f) == listed_.end())
            listed_.push_back(f);
    if (FFile* active = operands_.Active()) {
        order_.push_back(active);
        for (FFile* f : listed_)
            if (f != active)
                order_.push_back(f);
    }
}

FFOperation::~FFOperation() { operands_.Clear(); }

bool FFOperation::Execute()
{
    if (executed_) {
        fail("can't execute twice");
        return false;
    }
    executed_ = true;
    // Two stages: putting the operands on the grid (in Prepare, after the
    // tuning dialog), then the combination itself.
    Progress progress(progressLabel_, 2);
    if (!Prepare() || Progress::cancelled())
        return false;
    BusyCursor busy;
    Progress::nextStage();
    succeeded_ = Compute() && !Progress::cancelled();
    return succeeded_;
}

std::unique_ptr<FFile> FFOperation::TakeOutput()
{
    if (!succeeded_ || !output_)
        return nullptr;
    outputData_ = nullptr;
    // A generated name is spent only on an output that someone keeps; the
    // correlation's output, always discarded, takes none.
    output_->MakeNewName();
    return std::move(output_);
}

std::optional<std::string> FFOperation::YUnits()
{
    const std::string& units = ActiveOperand()->YUnits();
    for (FFile* p : order_)
        if (p->YUnits() != units)
            return std::nullopt;
    return units;
}

bool FFOperation::CheckOperands() { return OperandCount() > 1; }

bool FFOperation::Prepare()
{
    if (!CheckOperands()) {
        fail("invalid number of operands");
        return false;
    }
    if (!settings_.given) {
        if (!Tuning<OverlayTuning>::current().quiet && !Tuning<OverlayTuning>::edit())
            return false;
        settings_ = Tuning<OverlayTuning>::current();
    }
    // Aligning and resampling records of millions of samples takes a while
    // after the overlaying dialog's OK.
    BusyCursor busy;
    if (!InitCoordinates()) {
        fail("can't initialize output FFile coordinates");
        return false;
    }
    std::unique_ptr<FHead> head = AssembleHead();
    if (!head) {
        fail("can't assemble output FFile head");
        return false;
    }

    output_ = std::make_unique<FFile>();
    static_cast<FHead&>(*output_) = *head;
    head.reset();
    output_->SetData(SampleArray(n_), n_);
    output_->SetupAxis();

    resampled_.clear();
    resampled_.reserve(order_.size());
    for (FFile* p : order_) {
        if (!Progress::report(static_cast<long long>(resampled_.size()), static_cast<long long>(order_.size())))
            return false;
        resampled_.emplace_back(n_);
        Resample(*p, xStart_, xStep_, n_, resampled_.back().data());
    }
    outputData_ = output_->Data();
    return true;
}

bool FFOperation::checkSampleCounts()
{
    // Interpolation needs two neighbours; a shorter record would be read
    // outside its samples.
    for (FFile* p : order_) {
        if (p->Count() < 2) {
            failFor("FFile %s has fewer than two samples", *p);
            return false;
        }
    }
    return true;
}

bool FFOperation::InitCoordinates()
{
    if (!ActiveOperand() || !checkSampleCounts())
        return false;
    FFile* active = ActiveOperand();
    for (FFile* p : order_)
        p->SetOffsets(settings_.offsetFlags);

    const int mode = active->GetXMode();
    bool compatible = true;
    for (FFile* p : order_) {
        if (mode == XModeNone)
            compatible = p->XLabel() == active->XLabel();
        else
            compatible = p->SetXMode(mode);
        if (!compatible)
            break;
    }
    if (!compatible) {
        fail("incompatible X coordinates");
        return false;
    }
    xLabel_ = active->XLabel();

    std::optional<std::string> units = YUnits();
    if (!units) {
        fail("incompatible Y units");
        return false;
    }
    yUnits_ = *units;
    return prepareGrid();
}

// The intersection of the operands' X domains, walked in the direction of
// the active operand with the finest step of all. Each domain is taken
// between its lower and upper end whatever the direction of its record, so
// that records whose X decreases are intersected, not united.
bool FFOperation::prepareGrid()
{
    double lo = 0.0, hi = 0.0, step = 0.0;
    bool ascending = true;
    bool firstOperand = true;
    for (FFile* p : order_) {
        const double c = p->XScale();
        const double first = c * p->OffsetOrigin();
        const double last = c * (p->OffsetOrigin() + (p->Count() - 1) * p->OffsetStep());
        const double d = c * p->OffsetStep();
        if (!std::isfinite(first) || !std::isfinite(last) || !std::isfinite(d) || d == 0.0 || first == last) {
            failFor("FFile %s has no valid X step", *p);
            return false;
        }
        const double pLo = std::min(first, last);
        const double pHi = std::max(first, last);
        if (firstOperand) {
            lo = pLo;
            hi = pHi;
            step = std::fabs(d);
            ascending = d > 0;
            firstOperand = false;
            continue;
        }
        lo = std::max(lo, pLo);
        hi = std::min(hi, pHi);
        step = std::min(step, std::fabs(d));
    }
    xStart_ = ascending ? lo : hi;
    xStep_ = ascending ? step : -step;
    const double q = (hi - lo) / step;
    // Rounding half up; the grid may end up to half a step beyond the
    // intersection, where the operand that ends first is extrapolated.
    const long long points = q >= 0.0 ? static_cast<long long>(nearInt(q)) + 1 : 0;
    if (points < 3) {
        n_ = 0;
        fail("X domains intersection is too small or empty");
        return false;
    }
    if (points > INT_MAX) {
        n_ = 0;
        fail("X domains intersection is too large");
        return false;
    }
    n_ = static_cast<int>(points);
    return true;
}

namespace {

void resampleLoop(const float* s, int count, double origin, double step, double xStart, double xStep, int n,
                  float* out)
{
    // The same interpolation as FFile::ValueAt: inside the record between
    // the two neighbours, beyond either end along the first or last two
    // samples. The segment is the fractional index clamped to 0 ... count-2
    // (NaN falls to 0 and stays NaN in the value).
    const double lastSegment = count - 2;
    for (int j = 0; j < n; ++j) {
        const double x = xStart + j * xStep;
        const double d = (x - origin) / step;
        double c = d > 0.0 ? d : 0.0;
        c = c < lastSegment ? c : lastSegment;
        const int i0 = static_cast<int>(c);
        const double s0 = s[i0];
        const double s1 = s[i0 + 1];
        out[j] = static_cast<float>(s0 + (s1 - s0) * (d - i0));
    }
}

// The same for a record holding NaN or infinite samples: a grid point that
// falls exactly on a sample takes that sample, so a defined sample next to
// an undefined one keeps its value; between them the value is undefined.
void resampleLoopDefined(const float* s, int count, double origin, double step, double xStart, double xStep,
                         int n, float* out)
{
    const double lastSegment = count - 2;
    for (int j = 0; j < n; ++j) {
        const double x = xStart + j * xStep;
        const double d = (x - origin) / step;
        double c = d > 0.0 ? d : 0.0;
        c = c < lastSegment ? c : lastSegment;
        const int i0 = static_cast<int>(c);
        const double s0 = s[i0];
        const double s1 = s[i0 + 1];
        if (d == i0)
            out[j] = static_cast<float>(s0);
        else if (d == i0 + 1)
            out[j] = static_cast<float>(s1);
        else
            out[j] = static_cast<float>(s0 + (s1 - s0) * (d - i0));
    }
}

}  // namespace

void FFOperation::Resample(const FFile& p, double xStart, double xStep, int n, float* out)
{
    const bool defined = allFinite(p.Data(), static_cast<std::size_t>(std::max(p.Count(), 0)));
    (defined ? resampleLoop : resampleLoopDefined)(p.Data(), p.Count(), p.XScale() * p.OffsetOrigin(),
                                                   p.XScale() * p.OffsetStep(), xStart, xStep, n, out);
}
