#pragma once
// Remove trend: fits a polynomial to the selected samples of a view (or to
// the whole record when nothing is selected), and leaves its values over the
// whole record in the view's result array with every sample pending. The
// command then subtracts them after the user confirmed.

#include "SingleLevelOperation.h"

class FFPolyTrend : public SingleLevelOperation {
public:
    explicit FFPolyTrend(ViewArrays& view) : SingleLevelOperation(view, "FFPolyTrend") {}

    bool Prepare() override;
    bool WholeRecord() const { return wholeRecord_; }

private:
    bool Store() override;

    bool wholeRecord_ = false;
};
