// vexil-cli compress FILE -o OUT [--factor F] [--median]: block means (or
// medians) of F samples into a new F-file, as the Compress command makes it.

#include "CliSupport.h"
#include "CommandFiles.h"
#include "Commands.h"
#include "FFCompress.h"
#include "FFile.h"
#include "RecordFile.h"
#include "Tuning.h"

#include <climits>

namespace cli {

namespace {
constexpr const char* kUsageText = "usage: vexil-cli compress FILE -o OUT [--factor F] [--median]\n";
}

int runCompress(const Args& args)
{
    ArgReader reader(args);
    const std::optional<std::string> out = reader.value("-o");
    const std::optional<std::string> factorText = reader.value("--factor");
    const bool median = reader.flag("--median");
    const std::vector<std::string> files = reader.positionals();
    if (reader.hasError())
        return usageError(reader.error(), kUsageText);
    if (files.size() != 1)
        return usageError("compress takes exactly one file", kUsageText);
    if (!out || out->empty())
        return usageError("compress needs -o OUT", kUsageText);

    CompressTuning settings;  // the initial values, unless flags say otherwise
    if (factorText) {
        const std::optional<long long> f = parseInt(*factorText);
        if (!f || *f < INT_MIN || *f > INT_MAX)
            return usageError("--factor takes a whole number", kUsageText);
        settings.factor = static_cast<int>(*f);
    }
    settings.method = median ? CompressMethod::Median : CompressMethod::Mean;
    settings.quiet = true;
    Tuning<CompressTuning>::current() = settings;

    FFile file;
    if (!RecordFile::Read(file, files[0]))
        return kFailed;
    FFCompress op(&file);
    return op.Execute() ? writeOutput(op.TakeOutput(), *out) : kFailed;
}

}  // namespace cli
