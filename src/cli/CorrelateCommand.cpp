// vexil-cli correlate ACTIVE OTHER... [overlay flags]: the matrix of
// correlation coefficients of the files, the first one active, in the order
// given, printed on stdout with a blank line after every line.

#include "CliSupport.h"
#include "CommandFiles.h"
#include "Commands.h"
#include "FFCorrelation.h"
#include "Messages.h"
#include "OverlayFlags.h"

#include <string>
#include <vector>

namespace cli {

namespace {

constexpr const char* kUsageText = "usage: vexil-cli correlate ACTIVE OTHER... [overlay flags]\n";

}  // namespace

int runCorrelate(const Args& args)
{
    ArgReader reader(args);
    applyOverlayFlags(reader);
    std::vector<std::string> paths = reader.positionals();
    const std::string usage = std::string(kUsageText) + kOverlayFlagsUsage;
    if (reader.hasError())
        return usageError(reader.error(), usage);
    if (paths.empty())
        return usageError("correlate needs at least two files", usage);

    OperandFiles files;
    if (!files.Read(paths))
        return kFailed;

    FFCorrelation correlation(files.List());
    return correlation.Execute() ? kOk : kFailed;
}

}  // namespace cli
