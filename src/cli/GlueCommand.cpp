// vexil-cli glue FILE -o OUT --select A:B... --discard A:B... [--power P]
// Remove steps: level the stretches between discarded jumps; the record is written as it is after the user confirmed.

#include "Commands.h"
#include "MarkFlags.h"
#include "PolyTuning.h"
#include "InPlaceCommands.h"

namespace cli {

int runGlue(const Args& args)
{
    MarkedRecord record;
    const int status =
        loadMarkedRecord(args, {"usage: vexil-cli glue FILE -o OUT --select A:B... --discard A:B... [--power P]\n", true, true, true}, record);
    if (status != kOk)
        return status;
    setPolyTuning<GlueTuning>(record.power);
    if (!RunGlue(record.view))
        return kFailed;
    return writeRecord(record.file, record.output);
}

}  // namespace cli
