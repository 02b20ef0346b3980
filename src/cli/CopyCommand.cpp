// vexil-cli copy FILE -o OUT [--select A:B]...
// A new F-file of the selected stretch (first to last selected sample), or
// of the whole record without a selection.

#include "Commands.h"
#include "MarkFlags.h"
#include "InPlaceCommands.h"

namespace cli {

int runCopy(const Args& args)
{
    MarkedRecord record;
    const int status = loadMarkedRecord(
        args, {"usage: vexil-cli copy FILE -o OUT [--select A:B]...\n", true, false, false}, record);
    if (status != kOk)
        return status;
    std::unique_ptr<FFile> copy = CopySelection(record.view, record.file);
    if (!copy)
        return kFailed;
    return writeRecord(*copy, record.output);
}

}  // namespace cli
