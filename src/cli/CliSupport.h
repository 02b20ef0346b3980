#pragma once
// Shared pieces of the vexil-cli subcommands.
//
// Conventions: a command's result goes to stdout, every message the program
// shows to stderr as one line with exactly its text (CliSink.h); exit status
// 0 on success, 1 when the operation failed, 2 on a usage error (after a
// short usage text on stderr).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// A small command-line reader: options may come before, between or after
// the positional arguments; "--name value" and "--name=value" both work.
class ArgReader {
public:
    explicit ArgReader(std::vector<std::string> args);

    // True if the flag (e.g. "--median") is present; it is consumed.
    bool flag(std::string_view name);
    // Value of an option given once (the last one wins); consumed.
    // Sets a usage error if the option is present without a value.
    std::optional<std::string> value(std::string_view name);
    // Every value of a repeatable option, in order; consumed.
    std::vector<std::string> values(std::string_view name);
    // Ordered (name, value) pairs of several repeatable options, so that
    // e.g. --select and --discard keep their relative order.
    std::vector<std::pair<std::string, std::string>> ordered(const std::vector<std::string>& names);
    // What remains after all options were consumed: the positional
    // arguments. An unknown option left over is a usage error.
    std::vector<std::string> positionals();

    bool hasError() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

private:
    std::vector<std::string> args_;
    std::vector<bool> used_;
    std::string error_;
};

// Prints "vexil-cli: <problem>" and the usage text to stderr; returns 2.
int usageError(std::string_view problem, std::string_view usage);

// Parsing helpers; they return nullopt on malformed text.
std::optional<double> parseDouble(std::string_view text);
std::optional<long long> parseInt(std::string_view text);
// "A:B" with 0-based inclusive indices.
std::optional<std::pair<long long, long long>> parseSpan(std::string_view text);

// Writes text to stdout as UTF-8 (header texts are Latin-1 bytes).
void printOut(std::string_view text);
// A command-line text as header bytes: UTF-8 becomes Latin-1 (false when a
// character lies beyond it); text that is not UTF-8 is taken as Latin-1
// already.
bool utf8ToLatin1(std::string_view text, std::string& out);

}  // namespace cli
