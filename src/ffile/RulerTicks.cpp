#include "RulerTicks.h"

#include "ReadoutText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace RulerTicks {

namespace {

// More ticks than this in one ruler means the step is absurdly small for
// the range (or precision is gone); nothing useful can be drawn.
constexpr double kMaxTicks = 20000.0;

// 1-2-5 steps of one decade or more at or above minStep.
Step decadeStep(double minStep, double unit)
{
    const double scaled = minStep / unit;
    double base = std::pow(10.0, std::floor(std::log10(scaled)));
    for (;;) {
        if (base * 1.0 >= scaled * (1 - 1e-12))
            return {base * unit, 5};
        if (base * 2.0 >= scaled * (1 - 1e-12))
            return {base * 2.0 * unit, 4};
        if (base * 5.0 >= scaled * (1 - 1e-12))
            return {base * 5.0 * unit, 5};
        base *= 10.0;
    }
}

// Sexagesimal steps: below one unit 1-2-5 fractions, then whole units of
// the table, then 1-2-5 multiples of the table's last step.
Step tableStep(double minStep, const std::vector<Step>& table)
{
    if (minStep < table.front().major)
        return decadeStep(minStep, 1.0);
    for (const Step& s : table)
        if (s.major >= minStep * (1 - 1e-12))
            return s;
    return decadeStep(minStep, table.back().major);
}

const std::vector<Step>& timeSteps()
{
    static const std::vector<Step> steps = {
        {1, 5},      {2, 4},      {5, 5},      {10, 5},     {15, 3},     {30, 3},    {60, 6},
        {120, 4},    {300, 5},    {600, 5},    {900, 3},    {1800, 3},   {3600, 4},  {7200, 4},
        {10800, 3},  {21600, 6},  {43200, 4},  {86400, 4},
    };
    return steps;
}

const std::vector<Step>& angleSteps()
{
    static const std::vector<Step> steps = {
        {1, 5},      {2, 4},      {5, 5},       {10, 5},      {15, 3},     {30, 3},      {60, 6},
        {120, 4},    {300, 5},    {600, 5},     {900, 3},     {1800, 3},   {3600, 4},    {7200, 4},
        {18000, 5},  {36000, 5},  {54000, 3},   {108000, 3},  {162000, 3}, {324000, 3},  {1296000, 4},
    };
    return steps;
}

// Digits after the point that resolve step (negative for steps of tens and
// more), with slack for steps such as 0.001 that are not exact in binary.
int digitsFor(double step) { return static_cast<int>(std::ceil(-std::log10(step) - 1e-9)); }

}  // namespace

Step niceStep(Kind kind, double minStep)
{
    if (!(minStep > 0) || !std::isfinite(minStep))
        return {};
    switch (kind) {
    case Kind::Time: return tableStep(minStep, timeSteps());
    case Kind::Angle: return tableStep(minStep, angleSteps());
    default: return decadeStep(minStep, 1.0);
    }
}

std::string label(Kind kind, double value, double step, double magnitude)
{
    step = std::fabs(step);
    // Labels of whole-unit steps show no fraction at all.
    const int decimals = step >= 1 - 1e-9 ? 0 : ReadoutText::secondDecimals(step);
    if (kind == Kind::Time)
        return ReadoutText::timeText(value, decimals);
    if (kind == Kind::Angle)
        return ReadoutText::angleText(value, decimals);
    if (std::fabs(value) < step * 1e-6)
        value = 0.0;  // no "-0" from an inexact multiple
    char buf[64];
    magnitude = std::fabs(magnitude);
    if (magnitude >= 1e6 || (step < 1e-4 && magnitude > 0)) {
        const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
        // Labels may use all the digits a double holds: a ruler has room to
        // grow, unlike a status-bar pane.
        const int digits = std::clamp(exponent + digitsFor(step), 0, 15);
        std::snprintf(buf, sizeof buf, "%.*e", digits, value);
    } else {
        std::snprintf(buf, sizeof buf, "%.*f", std::max(0, digitsFor(step)), value);
    }
    return buf;
}

std::vector<Tick> ticks(Kind kind, double lo, double hi, double minStep)
{
    if (lo > hi)
        std::swap(lo, hi);
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(minStep > 0) || !std::isfinite(minStep))
        return {};
    const Step step = niceStep(kind, minStep);
    const double minorStep = step.major / step.minor;
    const double first = std::ceil(lo / minorStep - 1e-9);
    const double last = std::floor(hi / minorStep + 1e-9);
    // Beyond 2^52 minor steps from zero the multiples are no longer distinct.
    if (!(last - first < kMaxTicks) || std::fabs(first) > 4.5e15 || std::fabs(last) > 4.5e15)
        return {};
    const double magnitude = std::max(std::fabs(lo), std::fabs(hi));
    std::vector<Tick> out;
    out.reserve(static_cast<std::size_t>(last - first + 1));
    for (double k = first; k <= last; k += 1.0) {
        const long long ki = static_cast<long long>(k);
        Tick t;
        t.major = ki % step.minor == 0;
        // Majors are whole multiples of the major step, so their values (and
        // labels) come out as clean as the step itself.
        t.value = t.major ? static_cast<double>(ki / step.minor) * step.major : k * minorStep;
        if (t.major)
            t.label = label(kind, t.value, step.major, magnitude);
        out.push_back(std::move(t));
    }
    return out;
}

}  // namespace RulerTicks
