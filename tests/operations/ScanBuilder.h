#pragma once
// Builds small F-files in memory through the real reader, so that they carry
// exactly what a file read from disk carries (completed defaults, axis).

#include "FFile.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

struct ScanRecipe {
    std::string name = "scan1.ff";
    std::string ctype = "TIME";
    double crval = 0.0;
    double cdelt = 1.0;
    std::string bunit = "K";
    std::vector<float> samples;
    // Further ID=value lines, in order, after the axis keywords.
    std::vector<std::pair<std::string, std::string>> extra;
};

std::unique_ptr<FFile> makeScan(const ScanRecipe& recipe);
inline ScanRecipe recipe(std::vector<float> samples, double cdelt = 1.0, double crval = 0.0,
                         std::string name = "scan1.ff", std::vector<std::pair<std::string, std::string>> extra = {})
{
    ScanRecipe r;
    r.samples = std::move(samples);
    r.cdelt = cdelt;
    r.crval = crval;
    r.name = std::move(name);
    r.extra = std::move(extra);
    return r;
}
// samples[k] = a + b * k, for n samples.
std::vector<float> ramp(int n, float a = 0.0f, float b = 1.0f);
inline std::vector<float> samplesOf(const FFile& f)
{
    return std::vector<float>(f.Data(), f.Data() + f.Count());
}
