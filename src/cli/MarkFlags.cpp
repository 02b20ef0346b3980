#include "MarkFlags.h"

#include "CommandFiles.h"
#include "RecordFile.h"

namespace cli {

std::vector<MarkSpan> readMarkFlags(ArgReader& reader, bool allowDiscard, std::string* error)
{
    std::vector<std::string> names = {"--select"};
    if (allowDiscard)
        names.push_back("--discard");
    std::vector<MarkSpan> spans;
    for (const auto& [name, value] : reader.ordered(names)) {
        auto span = parseSpan(value);
        if (!span || span->first < 0 || span->first > span->second) {
            if (error->empty())
                *error = "bad span " + value + " for " + name + " (expected A:B with 0 <= A <= B)";
            continue;
        }
        spans.push_back({name == "--select" ? std::uint8_t(MarkSelected) : std::uint8_t(MarkDiscarded), span->first,
                         span->second});
    }
    return spans;
}

bool applyMarkSpans(ViewArrays& view, const std::vector<MarkSpan>& spans, std::string* error)
{
    for (const MarkSpan& s : spans) {
        if (s.last >= view.count) {
            *error = "span " + std::to_string(s.first) + ":" + std::to_string(s.last) + " lies outside the " +
                     std::to_string(view.count) + " samples of the record";
            return false;
        }
        view.markRange(static_cast<int>(s.first), static_cast<int>(s.last), s.mark);
    }
    return true;
}

std::optional<int> readPowerFlag(ArgReader& reader, std::string* error)
{
    std::optional<std::string> text = reader.value("--power");
    if (!text)
        return std::nullopt;
    std::optional<long long> p = parseInt(*text);
    if (!p || *p < 0 || *p > 9) {
        if (error->empty())
            *error = "--power takes an integer from 0 to 9";
        return std::nullopt;
    }
    return static_cast<int>(*p);
}

int loadMarkedRecord(const Args& args, const MarkedRecordUsage& how, MarkedRecord& record)
{
    ArgReader reader(args);
    std::string error;
    if (how.output) {
        std::optional<std::string> out = reader.value("-o");
        if (out)
            record.output = *out;
    }
    if (how.power)
        record.power = readPowerFlag(reader, &error);
    std::vector<MarkSpan> spans = readMarkFlags(reader, how.discard, &error);
    std::vector<std::string> files = reader.positionals();
    if (reader.hasError())
        return usageError(reader.error(), how.usage);
    if (!error.empty())
        return usageError(error, how.usage);
    if (files.size() != 1)
        return usageError("exactly one input file expected", how.usage);
    if (how.output && record.output.empty())
        return usageError("-o OUT is required", how.usage);
    if (!RecordFile::Read(record.file, files[0]))
        return kFailed;
    record.view.attach(record.file.Data(), record.file.Count());
    if (!applyMarkSpans(record.view, spans, &error))
        return usageError(error, how.usage);
    return kOk;
}

int writeRecord(FFile& file, const std::string& output)
{
    file.SetName(output);
    return writeRecordFile(file) ? kOk : kFailed;
}

}  // namespace cli
