#pragma once
// Where vexil-cli puts what the program says.
//
// The result of a command (the r.m.s. and area reports, the correlation
// table, listings) goes to stdout and nothing else does, so that
// `vexil-cli rms scan.ff > rms.txt` keeps just the result. Failures and
// warnings go to stderr, one message per line. The confirmation questions a
// batch run answers itself (with OK / Yes) are noise in a loop over many
// files: they show on stderr only with --verbose.

#include "Messages.h"

#include <string_view>

namespace cli {

class CliSink : public StderrSink {
public:
    Answer ask(const std::string& caption, const std::string& text, Buttons buttons) override;
    // A box with only OK is a message and always shows; one that asks is a
    // question like ask().
    Answer show(Icon icon, const std::string& caption, const std::string& text, Buttons buttons) override;
    void info(const std::string& caption, const std::string& text) override;
    void showTable(const std::string& title, const std::string& text) override;
};

// --verbose: questions answered by the batch, files read and written.
void setVerbose(bool on);
bool verbose();
// Prints the line on stderr with --verbose, nothing otherwise.
void note(std::string_view text);

}  // namespace cli
