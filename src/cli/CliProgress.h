#pragma once
// The progress of a long computation as one line on a terminal:
// "\rSliding mean:  42%", rewritten in place and wiped at the end. Shown
// only after a delay, so that short commands print nothing; vexil-cli
// installs it only when stderr is a terminal, so that logs and pipes never
// see it. There is nothing to cancel from here: Ctrl+C ends the run, and
// the output file is only ever replaced whole.

#include "Progress.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace cli {

class CliProgress : public Progress::Hook {
public:
    explicit CliProgress(std::FILE* out, std::chrono::milliseconds delay = std::chrono::milliseconds(500));

    void begin(const std::string& label) override;
    bool update(double fraction) override;
    void end() override;

private:
    std::FILE* out_;
    std::chrono::milliseconds delay_;
    std::chrono::steady_clock::time_point start_;
    std::string label_;
    int shown_ = -1;  // percentage on the line, -1: no line
};

// Installs CliProgress on stderr when stderr is a terminal.
void installTerminalProgress();

}  // namespace cli
