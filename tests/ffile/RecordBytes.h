#pragma once

#include <cstring>
#include <string>
#include <vector>

// SIMPLE, BITPIX, NAXIS, NAXIS1, a time axis of step 1, BUNIT, the extra lines, END.
inline std::string recordHead(const std::string& bitpix, const std::string& naxis1, const std::string& extra = "")
{
    return "SIMPLE=T\nBITPIX=" + bitpix + "\nNAXIS=1\nNAXIS1=" + naxis1 + "\nCTYPE1=TIME\nCDELT1=1\nBUNIT=K\n" + extra +
           "END\n";
}
inline std::string recordHead(const std::string& bitpix, std::size_t n, const std::string& extra = "")
{
    return recordHead(bitpix, std::to_string(n), extra);
}

template <typename T>
std::string rawBytes(const std::vector<T>& v)
{
    std::string out(v.size() * sizeof(T), '\0');
    if (!v.empty()) std::memcpy(out.data(), v.data(), out.size());
    return out;
}

template <typename Record>
std::vector<float> samplesOf(const Record& f)
{
    return {f.Data(), f.Data() + f.Count()};
}
