#include "PolyViewOperation.h"

#include "BusyCursor.h"
#include "Messages.h"
#include "PolyMessages.h"

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
    if (!Fit())
        return false;
    return Store();
}

void PolyViewOperation::error(const char* message) const { Messages::error(className_, message); }

bool PolyViewOperation::fitted(bool ok)
{
    fitted_ = ok;
    return ok || refuse();
}

bool PolyViewOperation::refuse() const
{
    error(kSingularFit);
    return false;
}
