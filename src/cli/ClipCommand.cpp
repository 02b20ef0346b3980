// vexil-cli clip FILE -o OUT --select A:B... --discard A:B... [--power P]
// Replace discarded samples by a polynomial through the selected ones; the record is written as it is after the user confirmed.

#include "Commands.h"
#include "MarkFlags.h"
#include "PolyTuning.h"
#include "InPlaceCommands.h"

namespace cli {

int runClip(const Args& args)
{
    MarkedRecord record;
    const int status =
        loadMarkedRecord(args, {"usage: vexil-cli clip FILE -o OUT --select A:B... --discard A:B... [--power P]\n", true, true, true}, record);
    if (status != kOk)
        return status;
    setPolyTuning<ClipTuning>(record.power);
    if (!RunClip(record.view))
        return kFailed;
    return writeRecord(record.file, record.output);
}

}  // namespace cli
