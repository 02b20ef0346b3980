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

// Prints tables with the terminal's line ends; everything else as usual.
class TableSink : public StderrSink {
public:
    void showTable(const std::string&, const std::string& text) override
    {
        std::string out;
        out.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
                out += text[i];
        printOut(out);
    }
};

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

    TableSink sink;
    MessageSink* previous = Messages::install(&sink);
    FFCorrelation correlation(files.List());
    const bool ok = correlation.Execute();
    Messages::install(previous);
    return ok ? kOk : kFailed;
}

}  // namespace cli
