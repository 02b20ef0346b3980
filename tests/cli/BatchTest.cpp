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

// Runs side by side: on one output they leave one complete file, never a mixture, and no temporary file.
TEST(CliBatch, ConcurrentRunsWriteWholeOutputs)
{
    TempDir dir;
    ASSERT_TRUE(clirun::makeDemo(dir, 2000000));
    const std::string in = dir.file("demo.ff");
    auto compress = [&](int f, const std::string& out) {
        return "compress " + in + " -o " + dir.file(out) + " --factor " + std::to_string(f);
    };
    std::vector<std::string> alone;
    for (int f : {2, 3}) {
        ASSERT_EQ(clirun::run(compress(f, "alone.ff"), dir).status, 0);
        alone.push_back(readBytes(dir.file("alone.ff")));
    }
    // Side by side on distinct outputs, each as when run alone.
    EXPECT_EQ(runTogether({compress(2, "a.ff"), compress(3, "b.ff")}), (std::vector<int>{0, 0}));
    EXPECT_TRUE(readBytes(dir.file("a.ff")) == alone[0] && readBytes(dir.file("b.ff")) == alone[1]);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(runTogether({compress(2, "out.ff"), compress(3, "out.ff")}), (std::vector<int>{0, 0}));
        const std::string got = readBytes(dir.file("out.ff"));
        EXPECT_TRUE(got == alone[0] || got == alone[1]) << "round " << round << ": " << got.size() << " bytes";
    }
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
}

TEST(CliBatch, ProgressLineIsRewrittenInPlaceAndWiped)
{
    const struct { int delayMs; std::vector<double> fractions; std::string expected; } cases[] = {
        {0, {0.0, 0.004, 0.25, 0.999, 1.0}, "\rGlue:   0%\rGlue:  25%\rGlue:  99%\rGlue: 100%\r\033[K"},
        {60000, {0.0, 0.5, 1.0}, ""},  // shorter than the delay: nothing at all
    };
    for (const auto& c : cases) {
        std::FILE* f = std::tmpfile();
        ASSERT_NE(f, nullptr);
        cli::CliProgress p(f, std::chrono::milliseconds(c.delayMs));
        p.begin("Glue");
        for (double x : c.fractions)
            EXPECT_TRUE(p.update(x));
        p.end();
        std::string text(static_cast<std::size_t>(std::ftell(f)), '\0');
        std::rewind(f);
        EXPECT_EQ(std::fread(text.data(), 1, text.size(), f), text.size());
        std::fclose(f);
        EXPECT_EQ(text, c.expected);
    }
}
