// vexil-makedemo OUTDIR [COUNT]: writes the demo drift scan as demo.ff
// (single precision, as the program writes), demo16.ff (16-bit scaled) and
// demo64.ff (double precision).

#include "DemoScan.h"
#include "Messages.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    Messages::installOutOfMemoryHandler();
    if (argc < 2 || argc > 3) {
        std::fputs("usage: vexil-makedemo OUTDIR [COUNT]\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    DemoScanOptions options;
    if (argc == 3)
        options.count = std::atoi(argv[2]);
    if (options.count < 2) {
        std::fputs("vexil-makedemo: COUNT must be at least 2\n", stderr);
        return 2;
    }
    FFile file;
    makeDemoScan(file, options);
    file.SetName(dir + "/demo.ff");
    if (!file.Write())
        return 1;
    if (!writeDemoScan16(file, dir + "/demo16.ff") || !writeDemoScan64(file, dir + "/demo64.ff")) {
        std::fputs("vexil-makedemo: cannot write the example files\n", stderr);
        return 1;
    }
    std::printf("%s/demo.ff\n%s/demo16.ff\n%s/demo64.ff\n", dir.c_str(), dir.c_str(), dir.c_str());
    return 0;
}
