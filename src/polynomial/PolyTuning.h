#pragma once
// Settings of the three polynomial operations: the power of the fitted
// polynomial (0 to 9) and the quiet flag. Each operation has its own
// process-wide record, Tuning<ClipTuning>, Tuning<GlueTuning> and
// Tuning<TrendTuning>; the tuning dialog edits any of them as a PolyTuning.

#include "Tuning.h"

#include <algorithm>

struct PolyTuning {
    int power = 4;
    bool quiet = false;
};

struct ClipTuning : PolyTuning {
    static constexpr const char* kTitle = "Clip tuning";
};

struct GlueTuning : PolyTuning {
    static constexpr const char* kTitle = "Glue tuning";
};

struct TrendTuning : PolyTuning {
    static constexpr const char* kTitle = "Remove Trend tuning";
    TrendTuning() { power = 1; }
};

// The dialog keeps the power within its spin range; so does every reader.
inline int ClampPolyPower(int power) { return std::clamp(power, 0, 9); }

// Shows the record's dialog unless quiet; false on Cancel. Returns the
// power to use through *power.
template <typename T>
bool TunePoly(int* power)
{
    T& rec = Tuning<T>::current();
    rec.power = ClampPolyPower(rec.power);
    if (!rec.quiet && !Tuning<T>::edit())
        return false;
    *power = ClampPolyPower(Tuning<T>::current().power);
    return true;
}
