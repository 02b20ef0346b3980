// vexil-cli: the batch front end over the same core as the desktop app.

#include "CliProgress.h"
#include "CliSink.h"
#include "CliSupport.h"
#include "Commands.h"
#include "Messages.h"
#include "Version.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const cli::Args&);
};

const Command kCommands[] = {
    {"info", "FILE  print the header, sample count and coordinate and value ranges", cli::runInfo},
    {"head",
     "FILE [-o OUT [--set ID=VALUE]... [--delete ID]... [--force]]  list the header, or change it under the"
     " header editor's access rules",
     cli::runHead},
    {"compress", "FILE -o OUT [--factor F] [--median]  block means or medians into a new F-file", cli::runCompress},
    {"smooth",
     "FILE -o OUT (--window W | --select A:B) [--median] [--window-function rectangular|parabolic|gaussian]"
     " [--remove-background] [--boundary leave|cut|flatten]  sliding-mean filter into a new F-file",
     cli::runSmooth},
    {"correlate", "ACTIVE OTHER... [overlay flags]  print the matrix of correlation coefficients",
     cli::runCorrelate},
    {"trend", "FILE -o OUT [--power P] [--select A:B]...  remove a polynomial trend", cli::runTrend},
    {"clip", "FILE -o OUT --select A:B... --discard A:B... [--power P]  replace discarded samples by a polynomial",
     cli::runClip},
    {"glue", "FILE -o OUT --select A:B... --discard A:B... [--power P]  remove step interference", cli::runGlue},
    {"lincomb",
     "ACTIVE OTHER... -o OUT [--average | --sum | --subtraction | --best-fit | --coefficients a0,a1,...] "
     "[overlay flags]  linear combination",
     cli::runLinComb},
    {"rms", "FILE [--select A:B]...  print the r.m.s. of the selection or of the whole record", cli::runRms},
    {"area", "FILE --select A:B... --discard A:B... [--power P]  print the area above the Clip baseline",
     cli::runArea},
    {"copy", "FILE -o OUT [--select A:B]...  copy the selected stretch or the whole record", cli::runCopy},
    {"convert",
     "IN OUT [--column NAME] [--x-column NAME]  F-file <-> FITS by OUT's extension (.ff, .fits); "
     "--column reads a FITS table column",
     cli::runConvert},
    {"export", "FILE -o OUT.csv [--select A:B]...  the samples (or the selection) as CSV: X, [time/angle,] Y",
     cli::runExport},
};

void printHelp(std::FILE* out)
{
    std::fputs("usage: vexil-cli COMMAND [ARGS...]\n\ncommands:\n", out);
    for (const Command& c : kCommands)
        std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
    std::fputs("\nResults go to stdout; failures and warnings to stderr. Exit status: 0 success,\n"
               "1 the operation failed, 2 usage error. --verbose (with any command) also shows on\n"
               "stderr the questions the batch run answers itself and the files written.\n", out);
    std::fputs("\nFILE may be an F-file or a FITS file (.fits, .fit, .fts, also .gz); FILE.fits[N] or\n"
               "FILE.fits[EXTNAME] picks an HDU. Outputs ending in .fits, .fit or .fts are written as FITS.\n"
               "\nvexil-cli COMMAND --help shows the usage of one command; vexil-cli --version the\n"
               "version.\n", out);
}

}  // namespace

int main(int argc, char** argv)
{
    Messages::installOutOfMemoryHandler();
    // --verbose may come anywhere, also before the command.
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--verbose") == 0)
            cli::setVerbose(true);
        else
            words.emplace_back(argv[i]);
    }
    if (words.empty()) {
        printHelp(stderr);
        return cli::kUsage;
    }
    const std::string name = words.front();
    if (name == "--help" || name == "-h" || name == "help") {
        printHelp(stdout);
        return cli::kOk;
    }
    if (name == "--version") {
        std::printf("%s\n", Vexil::kVersionText);
        return cli::kOk;
    }
    cli::installTerminalProgress();
    static cli::CliSink sink;
    Messages::install(&sink);
    const cli::Args args(words.begin() + 1, words.end());
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
