// libFuzzer target: arbitrary bytes through the F-file header reader and the
// whole-file reader. Beyond "no crash, no leak, no undefined behaviour" it
// checks what a caller relies on after a successful read:
//  - the count equals NAXIS1 and the samples are readable;
//  - the samples never take more memory than the bytes could hold;
//  - the file the writer would produce from the result reads back to the
//    same header and the same sample bits.
// How to build and run it: fuzz/README.md.

#include "FFile.h"
#include "HeadEntry.h"
#include "Messages.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// Bad input is reported through messages; the fuzzer wants none on stderr.
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

// Writer output without touching the disk: header bytes, then the samples
// as little-endian floats (the fuzz hosts are little-endian).
std::string serialise(const FFile& f)
{
    std::string out = f.HeaderBytes();
    out.append(reinterpret_cast<const char*>(f.Data()), static_cast<std::size_t>(f.Count()) * sizeof(float));
    return out;
}

void exerciseAxis(FFile& f)
{
    const int n = f.Count();
    if (n <= 0)
        return;
    (void)f.FormatX(f.DisplayX(0));
    (void)f.FormatX(f.DisplayX(n - 1));
    (void)f.FormatDX(f.DisplayDX(n));
    (void)f.FormatY(f.Data()[0]);
    if (n >= 2) {
        (void)f.ValueAt(f.OffsetStep(), f.OffsetOrigin(), f.OperationX(n / 2));
        (void)f.ValueAt(1.0, 0.0, -1.5);
        (void)f.ValueAt(1.0, 0.0, n + 0.5);
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

    FHead head;
    (void)head.ReadHeadFromBytes(bytes);

    FFile f;
    if (!f.ReadFromBytes(bytes, "fuzz.ff"))
        return 0;

    const int n = f.Count();
    check(n >= 0);
    check(n == f.GetInt("NAXIS1"));
    check(static_cast<std::size_t>(n) * 2 <= size);  // at least 2 bytes per sample in the input
    check(f.ValueIs("BITPIX", "-32"));
    unsigned bits = 0;
    for (int i = 0; i < n; ++i) {
        std::uint32_t u;
        std::memcpy(&u, f.Data() + i, 4);
        bits ^= u;
    }
    (void)bits;

    exerciseAxis(f);

    // Round trip through the writer's bytes.
    const std::string written = serialise(f);
    FFile back;
    check(back.ReadFromBytes(written, "fuzz.ff"));
    check(back.Count() == n);
    // Same entries, in the same order but for SIMPLE, which the writer
    // always puts first.
    check(back.EntryCount() == f.EntryCount());
    check(back.EntryCount() > 0 && back.EntryAt(0).GetID() == "SIMPLE");
    int j = 1;
    for (int i = 0; i < f.EntryCount(); ++i) {
        const HeadEntry& e = f.EntryAt(i);
        if (e.GetID() == "SIMPLE")
            continue;
        check(back.EntryAt(j).GetID() == e.GetID());
        check(back.EntryAt(j).GetValue() == e.GetValue());
        ++j;
    }
    check(n == 0 || std::memcmp(back.Data(), f.Data(), static_cast<std::size_t>(n) * sizeof(float)) == 0);
    return 0;
}
