// vexil-cli info FILE: the header as the writer would write it, the sample
// count, the display X range with its unit and the sample range with BUNIT.

#include "CliSupport.h"
#include "Commands.h"
#include "FFile.h"
#include "RecordFile.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace cli {

namespace {
constexpr const char* kUsageText = "usage: vexil-cli info FILE\n";
}

int runInfo(const Args& args)
{
    ArgReader reader(args);
    std::vector<std::string> files = reader.positionals();
    if (reader.hasError())
        return usageError(reader.error(), kUsageText);
    if (files.size() != 1)
        return usageError("info takes exactly one file", kUsageText);

    FFile file;
    if (!RecordFile::Read(file, files[0]))
        return kFailed;

    std::string out;
    for (int i = 0; i < file.EntryCount(); ++i) {
        const HeadEntry& e = file.EntryAt(i);
        out += e.GetID() + "=" + e.GetValue() + "\n";
    }
    const int n = file.Count();
    out += "samples: " + std::to_string(n) + "\n";
    if (n > 0) {
        out += "x: " + file.FormatX(file.DisplayX(0)) + " " + file.FormatX(file.DisplayX(n - 1)) + " " +
               file.UnitLabel() + "\n";
        // Undefined samples (NaN, infinities) take no part in the range, as in the view.
        float lo = INFINITY, hi = -INFINITY;
        for (float v : file.Samples().span()) {
            if (!std::isfinite(v))
                continue;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        if (lo > hi)
            lo = hi = NAN;
        out += "y: " + file.FormatY(lo) + " " + file.FormatY(hi) + " " + file.DisplayYUnits() + "\n";
    } else {
        out += "x: none " + file.UnitLabel() + "\n";
        out += "y: none " + file.DisplayYUnits() + "\n";
    }
    printOut(out);
    return kOk;
}

}  // namespace cli
