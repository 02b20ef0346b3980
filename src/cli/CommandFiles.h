#pragma once
// Reading the command line's F-files and writing a subcommand's result.

#include "FFList.h"
#include "FFile.h"

#include <memory>
#include <string>
#include <vector>

namespace cli {

// The files of a multi-file operation, read in command-line order and
// listed so that the operation sees them in that order, the first active.
class OperandFiles {
public:
    ~OperandFiles() { list_.Clear(); }
    // False when a file can't be read (the reader has said why).
    bool Read(const std::vector<std::string>& paths);
    FFList& List() { return list_; }

private:
    std::vector<std::unique_ptr<FFile>> files_;
    FFList list_;
};

// Writes an operation's output under the given name; the exit status.
int writeOutput(std::unique_ptr<FFile> result, const std::string& path);
// Writes the file under its name in the format the name asks for; with
// --verbose says so, with the HISTORY the file carries. False after a message.
bool writeRecordFile(FFile& file);
// With --verbose, says that path was written.
void noteWritten(const std::string& path, const FFile* file = nullptr);

}  // namespace cli
