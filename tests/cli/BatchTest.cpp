// Batch use: several vexil-cli runs at once, and the terminal progress line.

#include "CliProgress.h"
#include "CliRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Starts every command, then waits for all of them: they run side by side.
std::vector<int> runTogether(const std::vector<std::string>& args)
{
    std::vector<std::FILE*> running;
    for (const std::string& a : args)
        running.push_back(::popen((std::string(VEXIL_CLI_PATH) + " " + a + " 2>/dev/null").c_str(), "r"));
    std::vector<int> status;
    for (std::FILE* p : running) {
        const int st = ::pclose(p);
        status.push_back(WIFEXITED(st) ? WEXITSTATUS(st) : -1);
    }
    return status;
}

}  // namespace

TEST(CliBatch, ConcurrentRunsWriteTheirOwnOutputs)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 400000));
    const std::string in = dir.file("demo.ff");
    std::vector<std::string> args;
    for (int f = 2; f <= 5; ++f)
        args.push_back("compress " + in + " -o " + dir.file("c" + std::to_string(f) + ".ff") + " --factor " +
                       std::to_string(f));
    EXPECT_EQ(runTogether(args), std::vector<int>(4, 0));
    // Each output is what the same command gives when run alone.
    for (int f = 2; f <= 5; ++f) {
        const clirun::Result alone = clirun::run(
            "compress " + in + " -o " + dir.file("alone.ff") + " --factor " + std::to_string(f), dir);
        ASSERT_EQ(alone.status, 0);
        EXPECT_TRUE(readBytes(dir.file("c" + std::to_string(f) + ".ff")) == readBytes(dir.file("alone.ff"))) << f;
    }
}

TEST(CliBatch, TwoRunsOnOneOutputLeaveOneCompleteFile)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 2000000));
    const std::string in = dir.file("demo.ff");
    const std::string out = dir.file("out.ff");
    const std::string a = "compress " + in + " -o " + out + " --factor 2";
    const std::string b = "smooth " + in + " -o " + out + " --window 0.5";
    ASSERT_EQ(clirun::run(a, dir).status, 0);
    const std::string bytesA = readBytes(out);
    ASSERT_EQ(clirun::run(b, dir).status, 0);
    const std::string bytesB = readBytes(out);
    ASSERT_NE(bytesA.size(), bytesB.size());
    for (int round = 0; round < 3; ++round) {
        std::filesystem::remove(out);
        EXPECT_EQ(runTogether({a, b}), (std::vector<int>{0, 0}));
        const std::string got = readBytes(out);
        EXPECT_TRUE(got == bytesA || got == bytesB) << "round " << round << ": " << got.size() << " bytes";
    }
    // No temporary file is left behind.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        files += e.path().filename().string()[0] == '.';
    EXPECT_EQ(files, 0);
}

TEST(CliBatch, ProgressLineIsRewrittenInPlaceAndWiped)
{
    struct Case {
        int delayMs;
        std::vector<double> fractions;
        std::string expected;
    } cases[] = {
        {0, {0.0, 0.004, 0.25, 0.999, 1.0}, "\rGlue:   0%\rGlue:  25%\rGlue:  99%\rGlue: 100%\r\033[K"},
        // A command shorter than the delay prints nothing at all.
        {60000, {0.0, 0.5, 1.0}, ""},
    };
    for (const Case& c : cases) {
        std::FILE* f = std::tmpfile();
        ASSERT_NE(f, nullptr);
        cli::CliProgress p(f, std::chrono::milliseconds(c.delayMs));
        p.begin("Glue");
        for (double x : c.fractions)
            EXPECT_TRUE(p.update(x));
        p.end();
        std::rewind(f);
        std::string text;
        for (int ch; (ch = std::fgetc(f)) != EOF;)
            text += static_cast<char>(ch);
        std::fclose(f);
        EXPECT_EQ(text, c.expected);
    }
}
