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
int runCorrelate(const Args& args);
int runTrend(const Args& args);
int runClip(const Args& args);
int runGlue(const Args& args);
int runLinComb(const Args& args);
int runRms(const Args& args);
int runArea(const Args& args);
int runCopy(const Args& args);
int runHead(const Args& args);
int runConvert(const Args& args);
int runExport(const Args& args);

}  // namespace cli
