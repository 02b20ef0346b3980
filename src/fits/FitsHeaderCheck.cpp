// A look at every header card before cfitsio parses it. FITS headers are
// printable ASCII; cfitsio 4.2 copies some values with other bytes past the
// end of its buffers (found by the fuzz target), so such a file is refused
// here. The walk reads header blocks only and skips the data by seeking.

#include "FitsSupport.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <cstring>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

constexpr long long kBlock = 2880;
constexpr int kMaxHdus = 100000;

long long cardNumber(const char* card)
{
    char value[21];
    std::memcpy(value, card + 10, 20);
    value[20] = '\0';
    return std::atoll(value);
}

template <class Read, class Skip>
bool walk(Read&& read, Skip&& skip)
{
    char block[kBlock];
    for (int hdu = 0; hdu < kMaxHdus; ++hdu) {
        long long bitpix = 0, naxis = 0, pcount = 0, gcount = 1, product = 1;
        bool groups = false;
        for (bool end = false; !end;) {
            // A file cut inside a header still has its cards looked at; then
            // cfitsio tells that it ends early.
            const long long n = read(block);
            if (n == 0)
                return true;
            for (int c = 0; c * 80 < n && !end; ++c) {
                const char* card = block + c * 80;
                for (int i = 0; i < 80 && c * 80 + i < n; ++i)
                    if (card[i] < 32 || card[i] > 126)
                        return false;
                if (n < kBlock)
                    continue;
                const std::string key(card, 8);
                end = key == "END     ";
                if (key == "BITPIX  ")
                    bitpix = cardNumber(card);
                else if (key == "NAXIS   ")
                    naxis = cardNumber(card);
                else if (key == "PCOUNT  ")
                    pcount = cardNumber(card);
                else if (key == "GCOUNT  ")
                    gcount = cardNumber(card);
                else if (key.compare(0, 5, "NAXIS") == 0 && card[8] == '=') {
                    const long long len = cardNumber(card);
                    groups = groups || (key == "NAXIS1  " && len == 0);  // random groups
                    if (len > 0 && len < (1LL << 40) && product < (1LL << 50) / len)
                        product *= len;
                    else if (len != 0 || !groups)
                        product = len <= 0 ? 0 : 1LL << 50;
                }
            }
            if (n < kBlock)
                return true;
        }
        if (naxis <= 0)
            product = 0;
        const long long bytes = std::llabs(bitpix) / 8 * std::max(gcount, 1LL) * (pcount + product);
        if (bytes < 0 || bytes >= (1LL << 50) || !skip((bytes + kBlock - 1) / kBlock * kBlock))
            return true;
    }
    return true;
}

}  // namespace

namespace FitsSupport {

bool headersPrintable(const std::string& path)
{
    gzFile in = gzopen(path.c_str(), "rb");
    if (!in)
        return true;  // cfitsio will say why it cannot open the file
    const bool ok = walk([&](char* block) { return std::max(0, gzread(in, block, kBlock)); },
                         [&](long long n) { return gzseek(in, static_cast<z_off_t>(n), SEEK_CUR) >= 0; });
    gzclose(in);
    return ok;
}

int openRegular(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string descriptorPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

bool compressionIntact(const std::string& path)
{
    gzFile in = gzopen(path.c_str(), "rb");
    if (!in)
        return true;
    bool ok = true;
    if (!gzdirect(in)) {
        // cfitsio sizes its buffer from the gzip trailer, which in a cut file
        // is whatever bytes happen to end it; the whole stream is read here
        // first, so that its checksum and length are known to be sound.
        std::vector<char> buffer(1 << 16);
        int n = 0;
        while ((n = gzread(in, buffer.data(), static_cast<unsigned>(buffer.size()))) > 0) {
        }
        int error = Z_OK;
        gzerror(in, &error);
        ok = n == 0 && error == Z_OK;
    }
    gzclose(in);
    return ok;
}

bool headersPrintable(std::string_view bytes)
{
    std::size_t pos = 0;
    return walk(
        [&](char* block) {
            const std::size_t n = std::min(bytes.size() - pos, static_cast<std::size_t>(kBlock));
            std::memcpy(block, bytes.data() + pos, n);
            pos += n;
            return static_cast<long long>(n);
        },
        [&](long long n) {
            if (static_cast<unsigned long long>(n) > bytes.size() - pos)
                return false;
            pos += static_cast<std::size_t>(n);
            return true;
        });
}

}  // namespace FitsSupport
