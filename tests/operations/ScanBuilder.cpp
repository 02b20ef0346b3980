#include "ScanBuilder.h"

#include <cstdio>
#include <cstring>

std::unique_ptr<FFile> makeScan(const ScanRecipe& recipe)
{
    char num[64];
    std::string text = "SIMPLE=T\nBITPIX=-32\nNAXIS=1\n";
    text += "NAXIS1=" + std::to_string(recipe.samples.size()) + "\n";
    text += "CTYPE1=" + recipe.ctype + "\n";
    std::snprintf(num, sizeof num, "%.17g", recipe.crval);
    text += std::string("CRVAL1=") + num + "\n";
    std::snprintf(num, sizeof num, "%.17g", recipe.cdelt);
    text += std::string("CDELT1=") + num + "\n";
    text += "BUNIT=" + recipe.bunit + "\n";
    for (const auto& [id, value] : recipe.extra)
        text += id + "=" + value + "\n";
    text += "END\n";
    std::string bytes = text;
    bytes.resize(text.size() + recipe.samples.size() * sizeof(float));
    if (!recipe.samples.empty())
        std::memcpy(bytes.data() + text.size(), recipe.samples.data(), recipe.samples.size() * sizeof(float));
    auto file = std::make_unique<FFile>();
    if (!file->ReadFromBytes(bytes, recipe.name))
        return nullptr;
    return file;
}

std::vector<float> ramp(int n, float a, float b)
{
    std::vector<float> v(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        v[static_cast<std::size_t>(k)] = a + b * static_cast<float>(k);
    return v;
}
