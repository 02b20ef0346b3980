#pragma once
// A realistic synthetic drift scan for demonstrations and tests: a TIME
// axis, a declination, horn time shifts and a nutation shift, a source as a
// Gaussian beam on a slowly drifting baseline, receiver noise, a few
// interference spikes and one level step. Deterministic: the same call
// always gives the same samples.

#include "FFile.h"

#include <string>

struct DemoScanOptions {
    int count = 30000;
    double cdelt = 0.05;          // seconds per sample
    double declination = 42.5;    // degrees
    unsigned seed = 20261206;
};

// Fills an FFile (header and samples) with the demo scan.
void makeDemoScan(FFile& file, const DemoScanOptions& options = {});

// Writes the scan in the raw 16-bit scaled form (BITPIX 16 with BSCALE and
// BZERO) or as 64-bit doubles; the program itself only writes -32 files.
bool writeDemoScan16(const FFile& file, const std::string& path);
bool writeDemoScan64(const FFile& file, const std::string& path);
