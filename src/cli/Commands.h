#pragma once
// The vexil-cli subcommands. Each takes the arguments after its name and
// returns the process exit status.

#include <string>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

int runInfo(const Args& args);
int runCompress(const Args& args);
int runSmooth(const Args& args);

}  // namespace cli
