// vexil-cli: the batch front end over the same core as the desktop app.

#include "CliSupport.h"
#include "Commands.h"
#include "Messages.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const cli::Args&);
};

const Command kCommands[] = {
    {"info", "FILE  print the header, sample count and coordinate and value ranges", cli::runInfo},
    {"compress", "FILE -o OUT [--factor F] [--median]  block means or medians into a new F-file", cli::runCompress},
    {"smooth",
     "FILE -o OUT (--window W | --select A:B) [--median] [--window-function rectangular|parabolic|gaussian]"
     " [--remove-background] [--boundary leave|cut|flatten]  sliding-mean filter into a new F-file",
     cli::runSmooth},
};

void printHelp(std::FILE* out)
{
    std::fputs("usage: vexil-cli COMMAND [ARGS...]\n\ncommands:\n", out);
    for (const Command& c : kCommands)
        std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
    std::fputs("\nvexil-cli COMMAND --help shows the usage of one command.\n", out);
}

}  // namespace

int main(int argc, char** argv)
{
    Messages::installOutOfMemoryHandler();
    if (argc < 2) {
        printHelp(stderr);
        return cli::kUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printHelp(stdout);
        return cli::kOk;
    }
    cli::Args args(argv + 2, argv + argc);
    for (const Command& c : kCommands) {
        if (name == c.name) {
            for (const std::string& a : args) {
                if (a == "--help" || a == "-h") {
                    std::printf("usage: vexil-cli %s %s\n", c.name, c.summary);
                    return cli::kOk;
                }
            }
            return c.run(args);
        }
    }
    std::fprintf(stderr, "vexil-cli: unknown command %s\n", name.c_str());
    printHelp(stderr);
    return cli::kUsage;
}
