#include "DemoScan.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <random>
#include <vector>

namespace {

// Box-Muller on a fixed generator, so the noise is the same on every
// standard library.
class Noise {
public:
    explicit Noise(unsigned seed) : gen_(seed) {}
    double uniform() { return (static_cast<double>(gen_()) + 0.5) / 4294967296.0; }
    double gauss()
    {
        if (hasSpare_) {
            hasSpare_ = false;
            return spare_;
        }
        double u = uniform(), v = uniform();
        double r = std::sqrt(-2.0 * std::log(u));
        spare_ = r * std::sin(2.0 * M_PI * v);
        hasSpare_ = true;
        return r * std::cos(2.0 * M_PI * v);
    }

private:
    std::mt19937 gen_;
    double spare_ = 0;
    bool hasSpare_ = false;
};

void setDemoHeader(FHead& h, const DemoScanOptions& o)
{
    h.SetText("SIMPLE", "T");
    h.SetInt("BITPIX", -32);
    h.SetInt("NAXIS", 1);
    h.SetInt("NAXIS1", o.count);
    h.SetText("CTYPE1", "TIME");
    h.SetReal("CRVAL1", 43200.0);
    h.SetReal("CRPIX1", 1.0);
    h.SetReal("CDELT1", o.cdelt);
    h.SetText("BUNIT", "K");
    h.SetReal("BSCALE", 1.0);
    h.SetReal("BZERO", 0.0);
    h.SetText("OBJECT", "3C 84");
    h.SetText("DATE-OBS", "2026-11-14");
    h.SetText("OBSERVER", "Demo");
    h.SetReal("LAMBDA", 0.039);
    h.SetReal("OBSDEC", o.declination);
    h.SetReal("DEC", o.declination);
    h.SetReal("NUT-RA", 0.8);
    h.SetReal("TIMEWSH", -2.5);
    h.SetReal("TIMEESH", 3.1);
    h.SetText("TELESCOP", "DEMO");
    h.SetText("INSTRUME", "RX1");
    h.SetText("COMMENT", "Synthetic drift scan made by vexil-makedemo");
}

}  // namespace

void makeDemoScan(FFile& file, const DemoScanOptions& o)
{
    file.Clear();
    setDemoHeader(file, o);
    file.QControl();

    const int n = o.count;
    SampleArray s(n);
    Noise noise(o.seed);
    const double duration = n * o.cdelt;
    const double centre = 0.55 * duration;
    // Beam width in time grows with the declination (slower drift).
    const double fwhm = 12.0 / std::cos(o.declination * M_PI / 180.0);
    const double sigma = fwhm / 2.354820045;
    const int stepAt = static_cast<int>(0.78 * n);
    for (int i = 0; i < n; ++i) {
        const double t = i * o.cdelt;
        const double u = t / duration;
        double v = 1.8 + 0.35 * u - 0.22 * u * u + 0.05 * std::sin(2 * M_PI * u * 1.7);  // baseline
        v += 2.4 * std::exp(-0.5 * (t - centre) * (t - centre) / (sigma * sigma));           // source
        v += 0.025 * noise.gauss();                                                          // noise
        if (i >= stepAt)
            v += 0.3;  // level step (receiver gain jump)
        s[static_cast<std::size_t>(i)] = static_cast<float>(v);
    }
    // A few interference spikes.
    const double spikes[][2] = {{0.12, 1.6}, {0.31, -0.9}, {0.47, 2.2}, {0.66, 1.1}, {0.91, -1.4}};
    for (const auto& sp : spikes) {
        int at = static_cast<int>(sp[0] * n);
        for (int k = 0; k < 3 && at + k < n; ++k)
            s[static_cast<std::size_t>(at + k)] += static_cast<float>(sp[1] * (k == 1 ? 1.0 : 0.5));
    }
    file.SetData(std::move(s), n);
    file.SetupAxis();
}

namespace {

bool writeRaw(const FFile& file, const std::string& path, int bitpix, double bscale, double bzero,
              const std::vector<unsigned char>& data)
{
    FHead h(file);
    h.SetInt("BITPIX", bitpix);
    h.SetReal("BSCALE", bscale);
    h.SetReal("BZERO", bzero);
    std::string text;
    for (int i = 0; i < h.EntryCount(); ++i)
        text += h.EntryAt(i).GetID() + "=" + h.EntryAt(i).GetValue() + "\n";
    text += "END";
    const std::size_t size = static_cast<std::size_t>(std::abs(bitpix) / 8);
    text.append(size - text.size() % size - 1, ' ');
    text += "\n";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size() &&
              std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return (std::fclose(f) == 0) && ok;
}

template <typename T>
void appendLittleEndian(std::vector<unsigned char>& out, T v)
{
    unsigned char b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    out.insert(out.end(), b, b + sizeof(T));
}

}  // namespace

bool writeDemoScan16(const FFile& file, const std::string& path)
{
    const float* s = file.Data();
    const int n = file.Count();
    float lo = 0, hi = 0;
    if (n > 0) {
        lo = *std::min_element(s, s + n);
        hi = *std::max_element(s, s + n);
    }
    // BSCALE and BZERO as they will read back from the header's six digits.
    const double bscale = std::stod(HeadEntry::FormatReal(hi > lo ? (hi - lo) / 60000.0 : 1.0));
    const double bzero = std::stod(HeadEntry::FormatReal((hi + lo) / 2.0));
    std::vector<unsigned char> data;
    data.reserve(static_cast<std::size_t>(n) * 2);
    for (int i = 0; i < n; ++i) {
        double q = std::round((s[i] - bzero) / bscale);
        q = std::clamp(q, -32768.0, 32767.0);
        appendLittleEndian(data, static_cast<std::int16_t>(q));
    }
    return writeRaw(file, path, 16, bscale, bzero, data);
}

bool writeDemoScan64(const FFile& file, const std::string& path)
{
    std::vector<unsigned char> data;
    data.reserve(static_cast<std::size_t>(file.Count()) * 8);
    for (int i = 0; i < file.Count(); ++i)
        appendLittleEndian(data, static_cast<double>(file.Data()[i]));
    return writeRaw(file, path, -64, 1.0, 0.0, data);
}
