// libFuzzer target: arbitrary bytes through the FITS reader (cfitsio's
// in-memory files), as an image and as a table column "Y" over "X". Beyond
// "no crash, no leak, no undefined behaviour" it checks what a caller relies
// on after a successful read: the count equals NAXIS1, the header passed the
// check, and no record holds more samples than the bytes could describe.
// How to build and run it: fuzz/README.md.

#include "FFile.h"
#include "Fits.h"
#include "Messages.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

class SilentSink : public MessageSink {
public:
    void error(const std::string&) override {}
    void fatal(const std::string&) override {}
    Answer ask(const std::string&, const std::string&, Buttons) override { return Answer::Ok; }
    void info(const std::string&, const std::string&) override {}
    void showTable(const std::string&, const std::string&) override {}
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkRecord(FFile& f, std::size_t size)
{
    const int n = f.Count();
    check(n >= 0);
    check(n == f.GetInt("NAXIS1"));
    // A tile-compressed image is the only way to more samples than bytes.
    check(static_cast<std::size_t>(n) <= size * 1024);
    check(f.ValueIs("BITPIX", "-32") && f.Has("CTYPE1") && f.Has("BUNIT"));
    float sum = 0.0f;
    for (int i = 0; i < n; ++i)
        sum += std::isfinite(f.Data()[i]) ? f.Data()[i] : 0.0f;
    (void)sum;
    if (n > 0) {
        (void)f.FormatX(f.DisplayX(n - 1));
        (void)f.FormatY(f.Data()[0]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static SilentSink sink;
    Messages::install(&sink);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FFile image;
    if (Fits::ReadFromBytes(image, bytes, "fuzz.fits"))
        checkRecord(image, size);
    FFile column;
    if (Fits::ReadFromBytes(column, bytes, "fuzz.fits", {"Y", "X"}))
        checkRecord(column, size);
    return 0;
}
