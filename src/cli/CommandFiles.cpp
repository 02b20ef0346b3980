#include "CommandFiles.h"

#include "CliSink.h"
#include "CliSupport.h"
#include "RecordFile.h"

namespace cli {

bool OperandFiles::Read(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        files_.push_back(std::make_unique<FFile>());
        if (!RecordFile::Read(*files_.back(), path))
            return false;
    }
    // The operation's copy reverses the list: adding in command-line order
    // gives the operation the files in that order.
    for (auto& f : files_)
        list_.Add(f.get());
    list_.SetActive(files_.front().get());
    return true;
}

int writeOutput(std::unique_ptr<FFile> result, const std::string& path)
{
    if (!result)
        return kFailed;
    result->SetName(path);
    return writeRecordFile(*result) ? kOk : kFailed;
}

void noteWritten(const std::string& path, const FFile* file)
{
    if (!verbose())
        return;
    std::string text = "wrote " + path;
    if (file && file->Has("HISTORY"))
        text += " (HISTORY=" + file->GetText("HISTORY") + ")";
    note(text);
}

bool writeRecordFile(FFile& file)
{
    if (!RecordFile::Write(file))
        return false;
    noteWritten(file.GetName(), &file);
    return true;
}

}  // namespace cli
