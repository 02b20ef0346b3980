#pragma once
// Demo scans for the multi-file benchmarks, written to disk so the numpy
// peers read the very same samples. The records start a fraction of a sample
// apart, so that putting them on a common grid really interpolates.

#include "DemoScan.h"
#include "FFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

inline std::vector<std::unique_ptr<FFile>> writeBenchScans(const char* defaultDir, int records, int samples,
                                                           unsigned seedBase, double crvalStep)
{
    const char* env = std::getenv("VEXIL_BENCH_DIR");
    const std::filesystem::path dir = env && *env ? env : defaultDir;
    std::filesystem::create_directories(dir);
    std::vector<std::unique_ptr<FFile>> files;
    for (int k = 0; k < records; ++k) {
        auto f = std::make_unique<FFile>();
        DemoScanOptions o;
        o.count = samples;
        o.seed = seedBase + static_cast<unsigned>(k);
        makeDemoScan(*f, o);
        char crval[64];
        std::snprintf(crval, sizeof crval, "%.17g", 43200.0 + crvalStep * k);
        f->SetText("CRVAL1", crval);
        f->SetupAxis();
        char name[32];
        std::snprintf(name, sizeof name, "scan%d.ff", k);
        f->SetName((dir / name).string());
        f->Write();
        files.push_back(std::move(f));
    }
    return files;
}
