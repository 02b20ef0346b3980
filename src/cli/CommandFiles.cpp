#include "CommandFiles.h"

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
    return RecordFile::Write(*result) ? kOk : kFailed;
}

}  // namespace cli
