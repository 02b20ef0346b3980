#include "ScanBuilder.h"

#include <cstdio>
#include <cstring>

std::unique_ptr<FFile> makeScan(const ScanRecipe& recipe)
{
    auto num = [](double v) {
        char out[64];
        std::snprintf(out, sizeof out, "%.17g", v);
        return std::string(out);
    };
    std::string bytes = "SIMPLE=T\nBITPIX=-32\nNAXIS=1\nNAXIS1=" + std::to_string(recipe.samples.size()) +
                        "\nCTYPE1=" + recipe.ctype + "\nCRVAL1=" + num(recipe.crval) + "\nCDELT1=" + num(recipe.cdelt) +
                        "\nBUNIT=" + recipe.bunit + "\n";
    for (const auto& [id, value] : recipe.extra)
        bytes += id + "=" + value + "\n";
    bytes += "END\n";
    bytes.append(reinterpret_cast<const char*>(recipe.samples.data()), recipe.samples.size() * sizeof(float));
    auto file = std::make_unique<FFile>();
    return file->ReadFromBytes(bytes, recipe.name) ? std::move(file) : nullptr;
}

std::vector<float> ramp(int n, float a, float b)
{
    std::vector<float> v(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        v[static_cast<std::size_t>(k)] = a + b * static_cast<float>(k);
    return v;
}
