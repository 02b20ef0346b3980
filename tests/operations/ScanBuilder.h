#pragma once
// Small F-files built in memory through the real reader, so they carry what a file read from disk carries.

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
    std::vector<std::pair<std::string, std::string>> extra;  // further ID=value lines after the axis keywords
};

std::unique_ptr<FFile> makeScan(const ScanRecipe& recipe);
inline ScanRecipe recipe(std::vector<float> samples, double cdelt = 1.0, double crval = 0.0,
                         std::string name = "scan1.ff", std::vector<std::pair<std::string, std::string>> extra = {})
{
    return {std::move(name), "TIME", crval, cdelt, "K", std::move(samples), std::move(extra)};
}
// samples[k] = a + b * k, for n samples.
std::vector<float> ramp(int n, float a = 0.0f, float b = 1.0f);
inline std::vector<float> samplesOf(const FFile& f) { return std::vector<float>(f.Data(), f.Data() + f.Count()); }
