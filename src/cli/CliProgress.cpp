#include "CliProgress.h"

#include <memory>
#include <unistd.h>

namespace cli {

CliProgress::CliProgress(std::FILE* out, std::chrono::milliseconds delay) : out_(out), delay_(delay) {}

void CliProgress::begin(const std::string& label)
{
    label_ = label;
    start_ = std::chrono::steady_clock::now();
    shown_ = -1;
}

bool CliProgress::update(double fraction)
{
    const int percent = static_cast<int>(fraction * 100.0);
    if (percent == shown_ || std::chrono::steady_clock::now() - start_ < delay_)
        return true;
    shown_ = percent;
    std::fprintf(out_, "\r%s: %3d%%", label_.c_str(), percent);
    std::fflush(out_);
    return true;
}

void CliProgress::end()
{
    if (shown_ < 0)
        return;
    // Back to the start of the line and clear it for what comes next.
    std::fputs("\r\033[K", out_);
    std::fflush(out_);
    shown_ = -1;
}

void installTerminalProgress()
{
    if (::isatty(STDERR_FILENO))
        Progress::setHook(std::make_shared<CliProgress>(stderr));
}

}  // namespace cli
