#include "PolyViewOperation.h"

#include "BusyCursor.h"
#include "Messages.h"
#include "PolyMessages.h"
#include "Progress.h"

#include <cstring>

namespace {
// The command's name in the progress dialog.
const char* progressLabel(const char* className)
{
    if (std::strcmp(className, "FFPolyGlue") == 0)
        return "Glue";
    if (std::strcmp(className, "FFPolyFit") == 0)
        return "Clip";
    return "Remove trend";
}
}  // namespace

bool PolyViewOperation::Execute()
{
    if (executed_) {
        error("can't execute twice");
        return false;
    }
    executed_ = true;
    if (!Prepare())
        return false;
    BusyCursor busy;
    Progress progress(progressLabel(className_));
    // Cancelling during the fit stops before anything is stored.
    if (!Fit() || Progress::cancelled())
        return false;
    return Store();
}

void PolyViewOperation::error(const char* message) const { Messages::error(className_, message); }

bool PolyViewOperation::fitted(bool ok)
{
    if (Progress::cancelled()) {
        // The sums were left unfinished: no fit, and no message either.
        fitted_ = false;
        return false;
    }
    fitted_ = ok;
    return ok || refuse();
}

bool PolyViewOperation::refuse() const
{
    error(kSingularFit);
    return false;
}
