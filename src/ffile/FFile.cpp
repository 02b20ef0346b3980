#include "FFile.h"

#include "ByteSource.h"
#include "FFileBytes.h"
#include "Messages.h"
#include "Progress.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace ffbytes;

namespace {

constexpr const char* kClass = "FFile";
int nameCounter = 0;
// Records whose samples take more bytes than this are read with progress.
long long progressBytes = 100'000'000;

// Searches the data start: the byte after "\nEND\n", or after the line feed
// that ends a "\nEND " line (the END line padded with blanks).
bool findDataStart(ByteSource& in)
{
    unsigned char w[5];
    for (int i = 0; i < 5; ++i) {
        int c = in.get();
        if (c == EOF)
            return false;
        w[i] = static_cast<unsigned char>(c);
    }
    for (;;) {
        if (w[0] == '\n' && w[1] == 'E' && w[2] == 'N' && w[3] == 'D' && (w[4] == '\n' || w[4] == ' '))
            break;
        int c = in.get();
        if (c == EOF)
            return false;
        std::memmove(w, w + 1, 4);
        w[4] = static_cast<unsigned char>(c);
    }
    if (w[4] != '\n') {
        for (;;) {
            int c = in.get();
            if (c == EOF)
                return false;
            if (c == '\n')
                break;
        }
    }
    return true;
}

// The physical value of a sample read as v (already in single precision):
// v * b + z in double precision, stored in single precision.
struct Scaling {
    double b = 1.0;
    double z = 0.0;
    // The identity is skipped: it could only turn -0 into +0.
    bool identity() const { return b == 1.0 && z == 0.0; }
};

// Converts k samples of the file form Raw to physical single-precision values.
// One pass does both the conversion and the scaling, so that a record of
// millions of samples is written to memory once, from a block that is still
// in the cache.
template <typename Raw>
void convertBlock(const Raw* in, float* out, std::size_t k, Scaling s)
{
    if (s.identity()) {
        for (std::size_t i = 0; i < k; ++i)
            out[i] = static_cast<float>(fromLittleEndian(in[i]));
    } else {
        const double b = s.b;
        const double z = s.z;
        for (std::size_t i = 0; i < k; ++i) {
            // Every form is first taken to single precision (exact for
            // 16-bit integers, rounding for doubles), then scaled.
            const float v = static_cast<float>(fromLittleEndian(in[i]));
            out[i] = static_cast<float>(static_cast<double>(v) * b + z);
        }
    }
}

// Reads n samples of the file form Raw through a block that fits the cache.
template <typename Raw>
bool readConverted(ByteSource& in, float* out, std::size_t n, Scaling s)
{
    const std::size_t blockSize = std::min(n, kBlock);
    std::unique_ptr<Raw[]> block(new Raw[blockSize]);
    std::size_t done = 0;
    while (done < n) {
        const std::size_t k = std::min(n - done, kBlock);
        const std::size_t bytes = k * sizeof(Raw);
        if (in.read(block.get(), bytes) != bytes)
            return false;
        convertBlock(block.get(), out + done, k, s);
        done += k;
    }
    return true;
}

// Reads n samples in the form given by bitpix (16, -32 or -64) and leaves
// them in out as physical values.
bool readSamples(ByteSource& in, int bitpix, float* out, std::size_t n, Scaling s)
{
    if (n == 0)
        return true;
    switch (bitpix) {
    case -32:
        // The common case, the program's own files: straight into the array.
        if (s.identity() && std::endian::native == std::endian::little) {
            const std::size_t bytes = n * sizeof(float);
            return in.read(out, bytes) == bytes;
        }
        return readConverted<float>(in, out, n, s);
    case 16:
        return readConverted<std::int16_t>(in, out, n, s);
    case -64:
        return readConverted<double>(in, out, n, s);
    default:
        return false;
    }
}

// Reads the samples as readSamples does; a large record is read in slices
// under a progress scope, so that the user sees how far it got and may stop
// it (cancelled is then set).
bool readSamplesReporting(ByteSource& in, int bitpix, float* out, std::size_t n, Scaling s, bool large,
                          const std::string& name, bool& cancelled)
{
    cancelled = false;
    if (!large)
        return readSamples(in, bitpix, out, n, s);
    const std::size_t slash = name.find_last_of('/');
    Progress progress("Reading " + (slash == std::string::npos ? name : name.substr(slash + 1)));
    constexpr std::size_t kSlice = 1u << 20;  // samples
    for (std::size_t done = 0; done < n;) {
        if (!Progress::report(static_cast<long long>(done), static_cast<long long>(n))) {
            cancelled = true;
            return false;
        }
        const std::size_t k = std::min(kSlice, n - done);
        if (!readSamples(in, bitpix, out + done, k, s))
            return false;
        done += k;
    }
    return true;
}

int sampleBytes(int bitpix)
{
    switch (bitpix) {
    case 16:
        return 2;
    case -32:
        return 4;
    case -64:
        return 8;
    default:
        return 0;
    }
}

}  // namespace

FFile::FFile(const FFile& other, CopyMode mode) : FHead(other)
{
    SetupAxis();
    samples_ = SampleArray(count_);
    if (mode == Full && count_ > 0) {
        int n = std::min(count_, other.count_);
        std::memcpy(samples_.data(), other.samples_.data(), static_cast<std::size_t>(n) * sizeof(float));
        // A header that promises more samples than the source holds gets
        // zeros rather than undefined values.
        std::fill(samples_.data() + n, samples_.data() + count_, 0.0f);
    }
    MakeNewName();
}

void FFile::reset()
{
    Clear();
    samples_.reset();
    count_ = 0;
    name_.clear();
    shortName_.clear();
}

bool FFile::Read(const std::string& path)
{
    reset();
    FileSource head;
    if (!head.open(path)) {
        Messages::error("FHead", "can't open input file");
        return false;
    }
    if (!ReadHeadFrom(head))
        return false;
    FileSource data;
    if (!data.open(path)) {
        Messages::error(kClass, "read error");
        return false;
    }
    return readData(data, path);
}

bool FFile::ReadFromBytes(std::string_view bytes, const std::string& name)
{
    reset();
    MemorySource head(bytes);
    if (!ReadHeadFrom(head))
        return false;
    MemorySource data(bytes);
    return readData(data, name);
}

bool FFile::readData(ByteSource& data, const std::string& name)
{
    SetupAxis();
    const int naxis1 = GetInt("NAXIS1");
    const int bitpix = GetInt("BITPIX");

    if (!findDataStart(data)) {
        Messages::error(kClass, "unexpected EOF");
        return false;
    }
    const int size = sampleBytes(bitpix);
    if (size == 0) {
        reset();
        Messages::error(kClass, "unhandled data type");
        return false;
    }
    // A count that the file cannot hold is refused before anything is
    // allocated for it, so a damaged header cannot exhaust memory. (Inputs
    // of unknown size, such as devices, are bounded only by the count; their
    // storage is not touched before the bytes arrive.)
    const long long left = data.remaining();
    if (naxis1 < 0 || (left >= 0 && static_cast<long long>(naxis1) * size > left)) {
        samples_.reset();
        count_ = 0;
        Messages::error(kClass, "read error");
        return false;
    }
    Scaling scaling;
    scaling.b = GetReal("BSCALE");
    scaling.z = GetReal("BZERO");
    SampleArray samples(naxis1);
    bool cancelled = false;
    if (!readSamplesReporting(data, bitpix, samples.data(), static_cast<std::size_t>(naxis1), scaling,
                              static_cast<long long>(naxis1) * size > progressBytes, name, cancelled)) {
        if (cancelled) {
            // The user chose to stop: nothing was loaded, nothing to report.
            reset();
            return false;
        }
        samples_.reset();
        count_ = 0;
        Messages::error(kClass, "read error");
        return false;
    }
    samples_ = std::move(samples);
    count_ = naxis1;

    SetText("BITPIX", "-32");
    SetReal("BSCALE", 1.0);
    SetReal("BZERO", 0.0);
    SetName(name);
    return true;
}


void FFile::SetName(std::string_view path)
{
    name_ = std::string(path);
    std::size_t start = 0;
    for (std::size_t i = 1; i < path.size(); ++i)
        if (path[i] == '/' || path[i] == '\\' || path[i] == ':')
            start = i + 1;
    shortName_.clear();
    for (std::size_t i = start; i < path.size() && path[i] != '.' && shortName_.size() < 12; ++i)
        shortName_ += path[i];
}

void FFile::MakeNewName()
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "new%03d.ff", nameCounter);
    name_ = buf;
    shortName_ = buf;
    nameCounter = nameCounter >= 999 ? 0 : nameCounter + 1;
}

void FFile::ResetNameCounter(int value) { nameCounter = value; }

void FFile::SetProgressThreshold(long long bytes) { progressBytes = bytes; }

void FFile::SetData(SampleArray samples, int count)
{
    if (count < 0)
        count = 0;
    if (count > samples.size())
        count = static_cast<int>(samples.size());
    samples_ = std::move(samples);
    count_ = count;
    SetInt("NAXIS1", count);
}

double FFile::ValueAt(double step, double origin, double x) const
{
    // Interpolation needs two samples; with fewer the record is constant
    // (one sample) or has no value at all.
    if (count_ < 2)
        return count_ == 1 ? static_cast<double>(samples_[0]) : std::nan("");
    const double d = (x - origin) / step;
    if (!std::isfinite(d))
        return std::nan("");
    double i0 = std::floor(d);
    double i1 = std::ceil(d);
    if (i1 == i0)
        i1 = i0 + 1;
    if (i0 < 0) {
        i0 = 0;
        i1 = 1;
    }
    if (i1 >= count_) {
        i0 = count_ - 2;
        i1 = count_ - 1;
    }
    const double s0 = samples_[static_cast<std::size_t>(i0)];
    const double s1 = samples_[static_cast<std::size_t>(i1)];
    return s0 + (s1 - s0) * (d - i0) / (i1 - i0);
}
