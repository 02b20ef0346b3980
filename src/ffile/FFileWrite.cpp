#include "FFile.h"

#include "FFileBytes.h"
#include "Messages.h"

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
}  // namespace

std::string FFile::HeaderBytes() const
{
    // Entries go out in header order, except that the SIMPLE entry always
    // comes first: a reader recognises an F-file by its first line, and a
    // file read from a damaged first line ("SIMPLE T" without "=", with
    // SIMPLE=T further down) must not be saved into one it cannot open.
    std::string out;
    auto put = [&out](const HeadEntry& e) { out.append(e.GetID()).append("=").append(e.GetValue()).append("\n"); };
    const HeadEntry* simple = Find("SIMPLE");
    if (simple)
        put(*simple);
    for (int i = 0; i < EntryCount(); ++i) {
        const HeadEntry& e = EntryAt(i);
        if (&e != simple)
            put(e);
    }
    out.append("END");
    int size = std::abs(textToInt(Has("BITPIX") ? Find("BITPIX")->GetValue() : std::string("-32"))) / 8;
    if (size < 1)
        size = 4;  // the samples are always written as 4-byte floats
    const std::size_t pos = out.size();
    const std::size_t pad = static_cast<std::size_t>(size) - pos % static_cast<std::size_t>(size) - 1;
    out.append(pad, ' ');
    out.append("\n");
    return out;
}

namespace {

bool writeAll(int fd, const void* data, std::size_t n)
{
    const char* p = static_cast<const char*>(data);
    while (n > 0) {
        ssize_t k = ::write(fd, p, n);
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            return false;
        p += k;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

// Sequential output to a file that is flushed to disk at the end. The bytes
// go out in slices, and the disk is asked to start writing each slice as soon
// as it is in the page cache, so that the device works while later slices
// are copied and the final fsync only waits for the tail: a 40 MB save then
// costs about the larger of copying and writing rather than their sum.
class DurableOutput {
public:
    explicit DurableOutput(int fd) : fd_(fd) {}

    bool write(const void* data, std::size_t n)
    {
        const char* p = static_cast<const char*>(data);
        while (n > 0) {
            const std::size_t k = std::min(n, kSlice - (written_ - started_));
            if (!writeAll(fd_, p, k))
                return false;
            p += k;
            n -= k;
            written_ += k;
            if (written_ - started_ >= kSlice)
                startWriteback();
        }
        return true;
    }

    // Waits until every byte is on the disk.
    bool sync()
    {
        return ::fsync(fd_) == 0;
    }

private:
    static constexpr std::size_t kSlice = 4u << 20;

    void startWriteback()
    {
#if defined(__linux__)
        // Only a hint: fsync remains what makes the data durable.
        ::sync_file_range(fd_, static_cast<off_t>(started_), static_cast<off_t>(written_ - started_),
                          SYNC_FILE_RANGE_WRITE);
#endif
        started_ = written_;
    }

    int fd_;
    std::size_t written_ = 0;  // bytes written so far
    std::size_t started_ = 0;  // bytes whose writeback has been started
};

// The file that a save really replaces: the target of a symbolic link,
// so that saving through a link updates the linked file.
std::string resolveTarget(const std::string& path)
{
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string out(real);
    std::free(real);
    return out;
}

}  // namespace

bool FFile::Write()
{
    if (!HasName()) {
        Messages::error(kClass, "can't write unnamed file");
        return false;
    }
    // The reader takes lines of at most kMaxLine characters: a longer entry
    // (the many HISTORY cards of a FITS file, joined) or one holding a line
    // break would make a file that cannot be opened again.
    for (int i = 0; i < EntryCount(); ++i) {
        const HeadEntry& e = EntryAt(i);
        if (e.GetID().size() + 1 + e.GetValue().size() > static_cast<std::size_t>(kMaxLine) ||
            e.GetID().find_first_of("\r\n") != std::string::npos ||
            e.GetValue().find_first_of("\r\n") != std::string::npos) {
            Messages::error(kClass, "entry " + e.GetID().substr(0, 72) + " does not fit on a header line");
            return false;
        }
    }
    const std::string target = resolveTarget(name_);
    const std::size_t slash = target.find_last_of('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);

    std::string temp = (slash == std::string::npos ? std::string() : dir) + "." + base + ".XXXXXX";
    std::vector<char> tempName(temp.begin(), temp.end());
    tempName.push_back('\0');
    int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        Messages::error(kClass, "write error");
        return false;
    }
    temp.assign(tempName.data());

    // Keep the permissions of the file being replaced; a new file gets the
    // usual 0666 less the umask rather than mkstemp's private 0600.
    struct stat st {};
    mode_t mode;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    bool ok = ::fchmod(fd, mode) == 0 || errno == EPERM;
    const std::string head = HeaderBytes();
    DurableOutput out(fd);
    ok = ok && out.write(head.data(), head.size());
    if (ok && count_ > 0) {
        if constexpr (std::endian::native == std::endian::little) {
            ok = out.write(samples_.data(), static_cast<std::size_t>(count_) * sizeof(float));
        } else {
            std::vector<float> block;
            for (int i = 0; ok && i < count_; i += static_cast<int>(kBlock)) {
                int k = std::min<int>(count_ - i, static_cast<int>(kBlock));
                block.assign(samples_.data() + i, samples_.data() + i + k);
                for (float& v : block)
                    v = fromLittleEndian(v);
                ok = out.write(block.data(), block.size() * sizeof(float));
            }
        }
    }
    ok = ok && out.sync();
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        Messages::error(kClass, "write error");
        return false;
    }
    // Make the rename itself durable.
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}
