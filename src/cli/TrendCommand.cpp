// vexil-cli trend FILE -o OUT [--power P] [--select A:B]...
// Remove a polynomial trend (fitted to the selection, or to the whole record); the record is written as it is after the user confirmed.

#include "Commands.h"
#include "MarkFlags.h"
#include "PolyTuning.h"
#include "InPlaceCommands.h"

namespace cli {

int runTrend(const Args& args)
{
    MarkedRecord record;
    const int status =
        loadMarkedRecord(args, {"usage: vexil-cli trend FILE -o OUT [--power P] [--select A:B]...\n", true, false, true}, record);
    if (status != kOk)
        return status;
    setPolyTuning<TrendTuning>(record.power);
    if (!RunRemoveTrend(record.view))
        return kFailed;
    return writeRecord(record.file, record.output);
}

}  // namespace cli
