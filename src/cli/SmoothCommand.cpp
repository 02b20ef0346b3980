// vexil-cli smooth FILE -o OUT (--window W | --select A:B) [--median]
//   [--window-function rectangular|parabolic|gaussian] [--remove-background]
//   [--boundary leave|cut|flatten]
// The sliding-mean filter into a new F-file, as the Sliding mean command
// makes it. With --select the window size is the width of the selected
// samples A ... B (0-based, inclusive), as a selection in the view presets it.

#include "CliSupport.h"
#include "CommandFiles.h"
#include "Commands.h"
#include "FFSlidingMean.h"
#include "FFile.h"
#include "RecordFile.h"
#include "Tuning.h"

#include <algorithm>

namespace cli {

namespace {
constexpr const char* kUsageText =
    "usage: vexil-cli smooth FILE -o OUT (--window W | --select A:B) [--median]\n"
    "         [--window-function rectangular|parabolic|gaussian] [--remove-background]\n"
    "         [--boundary leave|cut|flatten]\n";

// The value named by text, or -1.
int valueOf(const std::string& text, std::initializer_list<std::pair<const char*, int>> names)
{
    for (const auto& [name, value] : names)
        if (text == name)
            return value;
    return -1;
}
}  // namespace

int runSmooth(const Args& args)
{
    ArgReader reader(args);
    const std::optional<std::string> out = reader.value("-o");
    const std::optional<std::string> windowText = reader.value("--window");
    const std::optional<std::string> selectText = reader.value("--select");
    const std::optional<std::string> functionText = reader.value("--window-function");
    const std::optional<std::string> boundaryText = reader.value("--boundary");
    const bool median = reader.flag("--median");
    const bool background = reader.flag("--remove-background");
    const std::vector<std::string> files = reader.positionals();
    if (reader.hasError())
        return usageError(reader.error(), kUsageText);
    if (files.size() != 1)
        return usageError("smooth takes exactly one file", kUsageText);
    if (!out || out->empty())
        return usageError("smooth needs -o OUT", kUsageText);
    if (windowText.has_value() == selectText.has_value())
        return usageError("smooth needs either --window W or --select A:B", kUsageText);

    SlidingMeanTuning settings;
    settings.quiet = true;
    settings.filterType = median ? FilterType::Median : FilterType::Mean;
    settings.removeBackground = background;
    if (functionText) {
        settings.windowFunction = valueOf(*functionText, {{"rectangular", WindowFunction::Rectangular},
                                                          {"parabolic", WindowFunction::Parabolic},
                                                          {"gaussian", WindowFunction::Gaussian}});
        if (settings.windowFunction < 0)
            return usageError("--window-function takes rectangular, parabolic or gaussian", kUsageText);
    }
    if (boundaryText) {
        settings.boundaryMode = valueOf(*boundaryText, {{"leave", BoundaryMode::Leave},
                                                        {"cut", BoundaryMode::Cut},
                                                        {"flatten", BoundaryMode::Flatten}});
        if (settings.boundaryMode < 0)
            return usageError("--boundary takes leave, cut or flatten", kUsageText);
    }
    std::optional<std::pair<long long, long long>> span;
    if (windowText) {
        const std::optional<double> w = parseDouble(*windowText);
        if (!w)
            return usageError("--window takes a number", kUsageText);
        settings.windowSize = *w;
    } else {
        span = parseSpan(*selectText);
        if (!span || span->first < 0 || span->second < 0)
            return usageError("--select takes A:B, two sample indices", kUsageText);
    }

    FFile file;
    if (!RecordFile::Read(file, files[0]))
        return kFailed;
    if (span) {
        const long long first = std::min(span->first, span->second);
        const long long last = std::max(span->first, span->second);
        if (last >= file.Count())
            return usageError("--select reaches beyond the last sample", kUsageText);
        // The selection's width in display units, as the view presets it.
        settings.windowSize = static_cast<double>(last - first) * file.UnitScale() * file.DisplayStep();
    }
    Tuning<SlidingMeanTuning>::current() = settings;

    FFSlidingMean op(&file);
    return op.Execute() ? writeOutput(op.TakeOutput(), *out) : kFailed;
}

}  // namespace cli
