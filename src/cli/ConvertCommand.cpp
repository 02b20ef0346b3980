// vexil-cli convert IN OUT [--column NAME] [--x-column NAME]
// Reads an F-file or a FITS file (an image, or a column of a table) and
// writes it in the format OUT's extension names: .ff, or .fits/.fit/.fts.

#include "CliSupport.h"
#include "CommandFiles.h"
#include "Commands.h"
#include "FFile.h"
#include "RecordFile.h"

#include <strings.h>

namespace cli {

namespace {

constexpr const char* kUsageText =
    "usage: vexil-cli convert IN OUT [--column NAME] [--x-column NAME]\n"
    "  IN   an F-file, or a FITS file (FILE.fits[N] or FILE.fits[EXTNAME] picks the HDU)\n"
    "  OUT  ending in .ff (F-file) or .fits, .fit, .fts (FITS)\n"
    "  --column NAME    read this numeric column of a FITS table as the samples\n"
    "  --x-column NAME  and this evenly spaced column as X (default: the row index)\n";

bool endsWith(const std::string& s, const char* tail)
{
    const std::size_t n = std::char_traits<char>::length(tail);
    return s.size() >= n && strcasecmp(s.c_str() + s.size() - n, tail) == 0;
}

}  // namespace

int runConvert(const Args& args)
{
    ArgReader reader(args);
    FitsChoice choice;
    choice.column = reader.value("--column").value_or("");
    choice.xColumn = reader.value("--x-column").value_or("");
    std::vector<std::string> files = reader.positionals();
    if (reader.hasError())
        return usageError(reader.error(), kUsageText);
    if (files.size() != 2)
        return usageError("convert takes an input and an output file", kUsageText);
    const std::string& out = files[1];
    if (!endsWith(out, ".ff") && !(Fits::IsFitsName(out) && !endsWith(out, ".gz") && out.back() != ']'))
        return usageError("the output name must end in .ff, .fits, .fit or .fts", kUsageText);
    if (choice.column.empty() && !choice.xColumn.empty())
        return usageError("--x-column needs --column", kUsageText);
    const bool fits = RecordFile::IsFits(files[0]);
    if (!choice.column.empty() && !fits)
        return usageError("--column reads a FITS table; " + files[0] + " is not a FITS file", kUsageText);

    FFile file;
    if (!(fits ? Fits::Read(file, files[0], choice) : file.Read(files[0])))
        return kFailed;
    file.SetName(out);
    return writeRecordFile(file) ? kOk : kFailed;
}

}  // namespace cli
