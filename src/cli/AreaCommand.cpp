// vexil-cli area FILE --select A:B... --discard A:B... [--power P]
// The area between the discarded samples and the Clip polynomial through
// the selected ones: the report's text is the result, printed on stdout.

#include "Commands.h"
#include "MarkFlags.h"
#include "PolyTuning.h"
#include "InPlaceCommands.h"

namespace cli {

int runArea(const Args& args)
{
    MarkedRecord record;
    const int status = loadMarkedRecord(
        args, {"usage: vexil-cli area FILE --select A:B... --discard A:B... [--power P]\n", false, true, true},
        record);
    if (status != kOk)
        return status;
    setPolyTuning<ClipTuning>(record.power);
    return CalcArea(record.view, record.file) ? kOk : kFailed;
}

}  // namespace cli
