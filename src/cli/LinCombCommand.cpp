// vexil-cli lincomb ACTIVE OTHER... -o OUT
//     [--average | --sum | --subtraction | --best-fit | --coefficients a0,a1,...] [overlay flags]
// The linear combination of the files on their common grid, the first one
// active, written to OUT. The coefficients are what the dialog gives after
// that button and OK: they pass through their six-digit texts (Average of
// three files uses 0.333333); --coefficients sets the texts as typed.
// Without a choice the dialog's initial coefficients (Average) apply.

#include "CliSupport.h"
#include "CommandFiles.h"
#include "Commands.h"
#include "FFLinComb.h"
#include "OverlayFlags.h"

#include <string>
#include <vector>

namespace cli {

namespace {

constexpr const char* kUsageText =
    "usage: vexil-cli lincomb ACTIVE OTHER... -o OUT\n"
    "         [--average | --sum | --subtraction | --best-fit | --coefficients a0,a1,...] [overlay flags]\n";

std::vector<std::string> splitCommas(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        out.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return out;
        start = comma + 1;
    }
}

}  // namespace

int runLinComb(const Args& args)
{
    ArgReader reader(args);
    const std::string usage = std::string(kUsageText) + kOverlayFlagsUsage;
    applyOverlayFlags(reader);
    std::optional<std::string> output = reader.value("-o");
    std::optional<std::string> coefficientText = reader.value("--coefficients");
    std::string choice;
    int choices = coefficientText ? 1 : 0;
    for (const char* name : {"--average", "--sum", "--subtraction", "--best-fit"}) {
        if (reader.flag(name)) {
            choice = name;
            ++choices;
        }
    }
    std::vector<std::string> paths = reader.positionals();
    if (reader.hasError())
        return usageError(reader.error(), usage);
    if (choices > 1)
        return usageError("choose one way of setting the coefficients", usage);
    if (paths.size() < 2)
        return usageError("lincomb needs at least two files", usage);
    if (!output || output->empty())
        return usageError("-o OUT is required", usage);
    if (choice == "--subtraction" && paths.size() != 2)
        return usageError("--subtraction needs exactly two files", usage);
    std::vector<std::string> texts;
    if (coefficientText) {
        texts = splitCommas(*coefficientText);
        if (texts.size() != paths.size())
            return usageError("--coefficients needs one value per file", usage);
        for (const std::string& t : texts)
            if (!parseDouble(t) || t.size() > LinCombCoefficients::kMaxText)
                return usageError("bad coefficient " + t, usage);
    }

    OperandFiles files;
    if (!files.Read(paths))
        return kFailed;

    FFLinComb::SetDialog([&](LinCombCoefficients& rows) {
        if (choice == "--average")
            rows.Average();
        else if (choice == "--sum")
            rows.Sum();
        else if (choice == "--subtraction")
            rows.Subtraction();
        else if (choice == "--best-fit" && !rows.BestFit())
            return false;  // the dialog would stay open; a batch run gives up
        for (std::size_t j = 0; j < texts.size() && static_cast<int>(j) < rows.Count(); ++j)
            rows.SetText(static_cast<int>(j), texts[j]);
        return true;
    });
    FFLinComb op(files.List());
    const bool ok = op.Execute();
    FFLinComb::SetDialog(nullptr);
    return ok ? writeOutput(op.TakeOutput(), *output) : kFailed;
}

}  // namespace cli
