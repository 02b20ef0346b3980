#include "InPlaceCommands.h"

#include "FFPolyFit.h"
#include "FFPolyGlue.h"
#include "FFPolyTrend.h"
#include "FFile.h"
#include "Messages.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Numbers in the stream's default form: six significant digits, the
// shorter of fixed and exponent notation.
std::string defaultNumber(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

}  // namespace

void ApplyResult(ViewArrays& view, ApplyMode mode, SampleChange* overwritten)
{
    // Nothing can be pending without a result array.
    if (!view.hasResult()) {
        view.clearMarks();
        return;
    }
    const std::uint8_t* marks = view.marks.data();
    const float* result = view.result.data();
    float* samples = view.samples;
    int i = 0;
    while (i < view.count) {
        if (marks[i] != MarkPending) {
            ++i;
            continue;
        }
        int end = i;
        while (end < view.count && marks[end] == MarkPending)
            ++end;
        if (overwritten)
            overwritten->keep(samples, i, end - i);
        for (; i < end; ++i)
            samples[i] = mode == ApplyMode::Replace ? result[i] : samples[i] - result[i];
    }
    view.clearMarks();
}

bool RunInPlaceCommand(ViewArrays& view, const std::function<bool()>& execute, std::string_view question,
                       ApplyMode mode, const std::function<void()>& repaint, SampleChange* overwritten)
{
    view.saveMarks();
    if (!execute()) {
        view.restoreMarks();
        return false;
    }
    if (repaint)
        repaint();
    if (Messages::ask("Complete", question, Buttons::OkCancel) != Answer::Ok) {
        view.restoreMarks();
        return false;
    }
    view.dropSaved();
    ApplyResult(view, mode, overwritten);
    return true;
}

bool RunClip(ViewArrays& view, const std::function<void()>& repaint, SampleChange* overwritten)
{
    FFPolyFit op(view);
    return RunInPlaceCommand(view, [&] { return op.Execute(); }, "Confirm data changes", ApplyMode::Replace,
                             repaint, overwritten);
}

bool RunGlue(ViewArrays& view, const std::function<void()>& repaint, SampleChange* overwritten)
{
    FFPolyGlue op(view);
    return RunInPlaceCommand(view, [&] { return op.Execute(); }, "Confirm data changing", ApplyMode::Replace,
                             repaint, overwritten);
}

bool RunRemoveTrend(ViewArrays& view, const std::function<void()>& repaint, SampleChange* overwritten)
{
    FFPolyTrend op(view);
    return RunInPlaceCommand(view, [&] { return op.Execute(); }, "Confirm data changes", ApplyMode::Subtract,
                             repaint, overwritten);
}

bool CalcRms(const ViewArrays& view, const FFile& file)
{
    const bool whole = !view.hasMark(MarkSelected);
    // NaN and infinite samples are left out, as if they were absent.
    auto considered = [&](int i) {
        return (whole || view.marks[static_cast<std::size_t>(i)] == MarkSelected) && std::isfinite(view.samples[i]);
    };
    long double sum = 0.0L;
    long long n = 0;
    for (int i = 0; i < view.count; ++i) {
        if (considered(i)) {
            sum += view.samples[i];
            ++n;
        }
    }
    if (n < 2) {
        Messages::error("FFView", "too little data selected");
        return false;
    }
    const long double c = std::sqrt(static_cast<long double>(n - 1) * static_cast<long double>(n));
    const long double mean = sum / static_cast<long double>(n);
    long double squares = 0.0L;
    for (int i = 0; i < view.count; ++i) {
        if (considered(i)) {
            const long double d = view.samples[i] - mean;
            squares += d * d;
        }
    }
    const double rms = static_cast<double>(std::sqrt(squares / c));
    std::string text = "r.m.s. = " + defaultNumber(rms) + " " + file.YUnits() +
                       (whole ? "\n(for whole data)" : "\n(for selected data)");
    Messages::info("Calc", Messages::cut(text));
    return true;
}

bool CalcArea(ViewArrays& view, const FFile& file, const std::function<void()>& repaint)
{
    view.saveMarks();
    long double sum = 0.0L;
    {
        FFPolyFit op(view);
        if (!op.Execute()) {
            view.restoreMarks();
            return false;
        }
        if (repaint)
            repaint();
    }
    // An undefined sample has no height above the baseline: it is left out.
    for (int i = 0; i < view.count; ++i)
        if (view.marks[static_cast<std::size_t>(i)] == MarkPending && std::isfinite(view.samples[i]))
            sum += static_cast<long double>(view.samples[i]) - view.result[static_cast<std::size_t>(i)];
    const double area = static_cast<double>(sum) * file.UnitScale() * file.DisplayStep();
    std::string text =
        "Area =  " + defaultNumber(area) + "  " + file.DisplayYUnits() + " * " + file.UnitLabel();
    Messages::info("Calc", Messages::cut(text));
    view.restoreMarks();
    if (repaint)
        repaint();
    return true;
}

std::unique_ptr<FFile> CopySelection(const ViewArrays& view, const FFile& file)
{
    int first = -1, last = -1;
    for (int i = 0; i < view.count; ++i) {
        if (view.marks[static_cast<std::size_t>(i)] == MarkSelected) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first >= 0 && last - first <= 2) {
        Messages::errorText("Selection is too small");
        return nullptr;
    }
    // The copy comes with a generated name (new000.ff …).
    auto copy = std::make_unique<FFile>(file, FFile::Full);
    if (first < 0)
        return copy;
    const int count = last - first + 1;
    copy->SetData(SampleArray::copyOf(file.Data() + first, count), count);
    // The origin keeps as many digits as place every sample within a
    // millionth of a step of its coordinate in the source; six digits would
    // move a selection starting at 43917.95 s to 43917.9, a sample early.
    const double step = copy->GetReal("CDELT1");
    copy->SetText("CRVAL1", HeadEntry::FormatRealWithin(copy->GetReal("CRVAL1") + step * first, 1e-6 * std::fabs(step)));
    copy->SetupAxis();
    // Named after the source, as the operations' HISTORY is.
    copy->SetText("HISTORY", "COPY(" + file.GetShortName() + ")");
    return copy;
}
