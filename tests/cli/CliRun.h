#pragma once
// Runs the real vexil-cli and the demo generator; writes and reads their F-files.

#include "FFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace clirun {

struct Result { int status = -1; std::string out, err; };

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

// An F-file on a TIME axis with the given samples and extra header lines.
inline std::string writeScan(const TempDir& dir, const std::string& name, const std::vector<float>& samples,
                             const std::string& extra = "", const std::string& axis = "CRVAL1=3600\nCDELT1=0.5\n")
{
    std::string bytes = "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=" + std::to_string(samples.size()) +
                        "\nCTYPE1=TIME\n" + axis + "BUNIT=K\n" + extra + "END\n";
    bytes.append(reinterpret_cast<const char*>(samples.data()), samples.size() * sizeof(float));
    writeBytes(dir.file(name), bytes);
    return dir.file(name);
}

inline std::vector<float> samplesOf(const std::string& path)
{
    FFile f;
    EXPECT_TRUE(f.Read(path)) << path;
    return std::vector<float>(f.Data(), f.Data() + f.Count());
}

// Status 1 with exactly the messages, or 2 with a usage text starting as given; no output file.
struct Failure { std::string args; int status; std::string err; };

inline void expectFailures(const std::vector<Failure>& cases, const TempDir& dir, const std::string& out)
{
    for (const Failure& c : cases) {
        const Result r = run(c.args, dir);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
        EXPECT_EQ(c.status == 1 ? r.err : r.err.substr(0, c.err.size()), c.err) << c.args;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.args;
    }
}

}  // namespace clirun
