// vexil-cli rms FILE [--select A:B]...
// The r.m.s. of the selected samples (of all without a selection): the
// report's text is the result, printed on stdout.

#include "Commands.h"
#include "MarkFlags.h"
#include "InPlaceCommands.h"

namespace cli {

int runRms(const Args& args)
{
    MarkedRecord record;
    const int status = loadMarkedRecord(args, {"usage: vexil-cli rms FILE [--select A:B]...\n", false, false, false},
                                        record);
    if (status != kOk)
        return status;
    return CalcRms(record.view, record.file) ? kOk : kFailed;
}

}  // namespace cli
