#pragma once
// Runs the real vexil-cli (and the demo generator) for end-to-end tests.

#include "TestSupport.h"

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace clirun {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

inline Result run(const std::string& args, const TempDir& dir)
{
    const std::string errFile = dir.file("stderr.txt");
    const std::string cmd = std::string(VEXIL_CLI_PATH) + " " + args + " 2>" + errFile;
    Result r;
    std::FILE* p = ::popen(cmd.c_str(), "r");
    std::array<char, 4096> buf{};
    std::size_t k;
    while ((k = std::fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), k);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.err = readBytes(errFile);
    return r;
}

// Writes demo.ff, demo16.ff and demo64.ff of n samples into the folder.
inline bool makeDemo(const TempDir& dir, int n)
{
    const std::string cmd = std::string(VEXIL_MAKEDEMO_PATH) + " " + dir.path().string() + " " + std::to_string(n) +
                            " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

}  // namespace clirun
