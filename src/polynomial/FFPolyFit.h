#pragma once
// Clip: fits a polynomial to the selected samples of a view and puts its
// values in place of the discarded ones (in the result array, pending until
// the user confirms). Area runs the same fit to get its baseline.

#include "SingleLevelOperation.h"

class FFPolyFit : public SingleLevelOperation {
public:
    explicit FFPolyFit(ViewArrays& view) : SingleLevelOperation(view, "FFPolyFit") {}

    bool Prepare() override;

private:
    bool Store() override;
};
