// Writing a record as a FITS file: a primary HDU holding a one-dimensional
// BITPIX -32 image, every header entry a card.
//
// cfitsio makes the header (in memory); the samples follow as big-endian
// floats written here in large slices, because cfitsio would first fill the
// whole data unit with zeros and then copy the samples through its small
// buffers, which makes a save of 40 MB half again as slow.

#include "FitsSupport.h"

#include "FFile.h"
#include "Messages.h"
#include "SafeSave.h"

#include <cerrno>
#include <cstdio>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

using namespace FitsSupport;

namespace {

constexpr std::size_t kBlock = 2880;
constexpr std::size_t kSlice = 1u << 20;  // samples per write

bool writeAll(int fd, const void* data, std::size_t n)
{
    const char* p = static_cast<const char*>(data);
    while (n > 0) {
        const ssize_t k = ::write(fd, p, n);
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            return false;
        p += k;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

// The header cards of the file, END and padding included, for count samples.
bool headerBytes(const FFile& file, std::string& out, std::vector<std::string>& notKept)
{
    std::size_t size = 4 * kBlock;
    void* buffer = std::malloc(size);
    if (!buffer)
        Messages::outOfMemory();
    fitsfile* f = nullptr;
    int status = 0;
    long long dataStart = 0;
    if (ffimem(&f, &buffer, &size, 4 * kBlock, std::realloc, &status) == 0) {
        // An empty image, so that cfitsio writes no data; NAXIS1 is set below.
        LONGLONG none = 0;
        ffcrimll(f, FLOAT_IMG, 1, &none, &status);
        // cfitsio's own note on the standard is no entry of the record.
        while (status == 0 && ffdkey(f, "COMMENT", &status) == 0) {
        }
        if (status == KEY_NO_EXIST) {
            status = 0;
            ffcmsg();
        }
        writeCards(f, file, notKept, status);
        long long headStart = 0;
        long long dataEnd = 0;
        ffrdef(f, &status);
        ffghadll(f, &headStart, &dataStart, &dataEnd, &status);
        ffclos(f, &status);
    }
    if (status == 0 && dataStart > 0 && static_cast<std::size_t>(dataStart) <= size)
        out.assign(static_cast<const char*>(buffer), static_cast<std::size_t>(dataStart));
    std::free(buffer);
    ffcmsg();
    // NAXIS1 is the fourth card.
    if (status != 0 || out.size() < 4 * 80 || out.compare(3 * 80, 9, "NAXIS1  =") != 0)
        return false;
    char value[32];
    std::snprintf(value, sizeof value, "%20d", file.Count());
    out.replace(3 * 80 + 10, 20, value);
    return true;
}

bool writeSamples(int fd, const float* samples, std::size_t n)
{
    std::vector<std::uint32_t> slice(std::min(n, kSlice));
    std::size_t started = 0;  // bytes whose writeback has been started
    std::size_t written = 0;
    for (std::size_t done = 0; done < n;) {
        const std::size_t k = std::min(n - done, kSlice);
        std::memcpy(slice.data(), samples + done, k * 4);
        for (std::size_t i = 0; i < k; ++i)
            slice[i] = __builtin_bswap32(slice[i]);
        if (!writeAll(fd, slice.data(), k * 4))
            return false;
        done += k;
        written += k * 4;
#if defined(__linux__)
        // Let the disk start on this slice while the next one is made; the
        // final fsync only waits for the tail. (A hint: fsync makes it durable.)
        ::sync_file_range(fd, static_cast<off_t>(started), static_cast<off_t>(written - started), SYNC_FILE_RANGE_WRITE);
        started = written;
#endif
    }
    const std::size_t pad = (kBlock - (n * 4) % kBlock) % kBlock;
    const std::string zeros(pad, '\0');
    return writeAll(fd, zeros.data(), zeros.size());
}

}  // namespace

namespace Fits {

bool Write(const FFile& file)
{
    if (!file.HasName()) {
        Messages::error(kClass, "can't write unnamed file");
        return false;
    }
    const std::string& name = file.GetName();
    if (name.size() > 3 && strcasecmp(name.c_str() + name.size() - 3, ".gz") == 0) {
        Messages::error(kClass, "can't write compressed file " + name);
        return false;
    }
    std::string header;
    std::vector<std::string> notKept;
    SafeSave save;
    bool ok = headerBytes(file, header, notKept) && save.begin(name) && writeAll(save.fd(), header.data(), header.size()) &&
              writeSamples(save.fd(), file.Data(), static_cast<std::size_t>(file.Count())) && save.commit();
    if (!ok) {
        Messages::error(kClass, "write error");
        return false;
    }
    if (!notKept.empty()) {
        std::string list;
        for (const std::string& id : notKept)
            list += (list.empty() ? "" : ", ") + id;
        Messages::error(kClass, "header entries not kept exactly in " + name + ": " + list);
    }
    return true;
}

}  // namespace Fits
