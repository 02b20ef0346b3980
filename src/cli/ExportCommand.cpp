// vexil-cli export FILE -o OUT.csv [--select A:B]...
// The samples as comma-separated text: X in the record's display unit (with
// the time or angle text for TIME and ANGLE axes) and Y, one line each; only
// the selected samples when spans are selected.

#include "CommandFiles.h"
#include "Commands.h"
#include "CsvExport.h"
#include "MarkFlags.h"

namespace cli {

int runExport(const Args& args)
{
    MarkedRecord record;
    const int status = loadMarkedRecord(
        args, {"usage: vexil-cli export FILE -o OUT.csv [--select A:B]...\n", true, false, false}, record);
    if (status != kOk)
        return status;
    if (!CsvExport::Write(record.file, record.view.marks.data(), record.output))
        return kFailed;
    noteWritten(record.output);
    return kOk;
}

}  // namespace cli
