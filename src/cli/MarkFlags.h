#pragma once
// Marks and power for the subcommands that work on a view's marks (trend,
// clip, glue, rms, area, copy).
//
//   --select A:B    mark samples A…B (0-based, inclusive) selected
//   --discard A:B   mark samples A…B discarded
// Both repeat and apply in the order given, a later span overwriting the
// marks of an earlier one, as a later mouse drag does.
//   --power P       power of the fitted polynomial, 0…9

#include "CliSupport.h"
#include "Commands.h"
#include "FFile.h"
#include "Tuning.h"
#include "ViewArrays.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cli {

struct MarkSpan {
    std::uint8_t mark;
    long long first;
    long long last;
};

// Consumes --select and --discard (with allowDiscard) in order; a malformed
// span sets *error.
std::vector<MarkSpan> readMarkFlags(ArgReader& reader, bool allowDiscard, std::string* error);
// Sets the marks; false with *error when a span lies outside the record.
bool applyMarkSpans(ViewArrays& view, const std::vector<MarkSpan>& spans, std::string* error);
// Consumes --power; nullopt when absent, sets *error when not 0…9.
std::optional<int> readPowerFlag(ArgReader& reader, std::string* error);

// Installs the settings of one polynomial operation for a batch run: the
// power given (or the initial one) and quiet.
template <typename T>
void setPolyTuning(std::optional<int> power)
{
    T settings;
    if (power)
        settings.power = *power;
    settings.quiet = true;
    Tuning<T>::current() = settings;
}

// A record read from FILE with its marks set from the flags, for the
// subcommands above.
struct MarkedRecord {
    FFile file;
    ViewArrays view;
    std::optional<int> power;
    std::string output;  // -o OUT, when the subcommand writes one
};

struct MarkedRecordUsage {
    const char* usage;
    bool output;   // -o OUT required
    bool discard;  // --discard accepted
    bool power;    // --power accepted
};

// Parses FILE and the flags, reads the file and sets the marks. Returns
// kOk, or the exit status to end with (after a usage text or a message).
int loadMarkedRecord(const Args& args, const MarkedRecordUsage& how, MarkedRecord& record);

// Writes the record under the name given with -o.
int writeRecord(FFile& file, const std::string& output);

}  // namespace cli
