// vexil-cli correlate ACTIVE OTHER... [overlay flags]: the matrix of
// correlation coefficients of the files, the first one active, in the order
// given, printed on stdout with a blank line after every line.

#include "CliSupport.h"
#include "Commands.h"
#include "FFCorrelation.h"
#include "FFList.h"
#include "FFile.h"
#include "Messages.h"
#include "OverlayFlags.h"

#include <memory>
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

    std::vector<std::unique_ptr<FFile>> files;
    for (const std::string& path : paths) {
        files.push_back(std::make_unique<FFile>());
        if (!files.back()->Read(path))
            return kFailed;
    }
    // The operation's copy reverses the list: adding in command-line order
    // gives the operation the files in that order.
    FFList list;
    for (auto& f : files)
        list.Add(f.get());
    list.SetActive(files.front().get());

    TableSink sink;
    MessageSink* previous = Messages::install(&sink);
    FFCorrelation correlation(list);
    const bool ok = correlation.Execute();
    Messages::install(previous);
    list.Clear();
    return ok ? kOk : kFailed;
}

}  // namespace cli
