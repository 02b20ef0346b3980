#pragma once
// Small F-files built in memory for the transform tests.

#include "FFile.h"
#include "SampleArray.h"

#include <string>
#include <vector>

namespace fixture {

inline void makeFile(FFile& f, const std::vector<float>& values, double step = 1.0, double crval = 0.0,
                     const std::string& name = "/data/scan1.ff")
{
    f.Clear();
    f.SetText("SIMPLE", "T");
    f.SetText("BITPIX", "-32");
    f.SetInt("NAXIS", 1);
    f.SetText("CTYPE1", "TIME");
    f.SetReal("CRVAL1", crval);
    f.SetReal("CRPIX1", 1.0);
    f.SetReal("CDELT1", step);
    f.SetText("BUNIT", "K");
    const int n = static_cast<int>(values.size());
    f.SetData(SampleArray::copyOf(values.data(), n), n);
    f.QControl();  // the defaults a read file gets
    f.SetupAxis();
    f.SetName(name);
}

inline std::vector<float> samplesOf(const FFile& f)
{
    return std::vector<float>(f.Data(), f.Data() + f.Count());
}

inline std::vector<float> ramp(int n, float a = 0.0f, float b = 1.0f)
{
    std::vector<float> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<std::size_t>(i)] = a + b * static_cast<float>(i);
    return v;
}

}  // namespace fixture
