#pragma once
// Where the rulers beside a plot put their ticks and what they write there.
// Major ticks fall on "nice" steps that suit the kind of coordinate: 1-2-5
// steps for plain numbers; whole seconds, minutes and hours for time;
// arcseconds, arcminutes and degrees for angle (with 1-2-5 fractions below
// one second). Each major step is divided into a few minor steps.

#include <string>
#include <vector>

namespace RulerTicks {

enum class Kind { Number, Time, Angle };

struct Step {
    double major = 1.0;
    int minor = 5;  // minor steps per major step
};

struct Tick {
    double value = 0.0;
    bool major = false;
    std::string label;  // major ticks only
};

// The smallest nice step of the kind that is at least minStep.
Step niceStep(Kind kind, double minStep);

// The label of a major tick at value for ticks `step` apart on a ruler
// whose values reach up to `magnitude` in absolute value: time as hh:mm:ss,
// angle as ddd°mm'ss" (with decimals only when the step needs them), numbers
// in plain or exponent form with as many decimals as the step needs.
std::string label(Kind kind, double value, double step, double magnitude);

// The ticks between lo and hi (either order, ends included) with major
// ticks at least minStep apart, in increasing order. Empty when the range
// or step is not finite, or when the ticks would be too many to draw.
std::vector<Tick> ticks(Kind kind, double lo, double hi, double minStep);

}  // namespace RulerTicks
