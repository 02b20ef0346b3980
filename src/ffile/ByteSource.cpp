#include "ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::size_t ByteSource::read(void* dst, std::size_t n)
{
    // An empty read may come with no array at all (a record of no samples).
    if (n == 0)
        return 0;
    auto* out = static_cast<char*>(dst);
    std::size_t done = 0;
    std::size_t buffered = end_ - pos_;
    if (buffered > 0) {
        std::size_t k = buffered < n ? buffered : n;
        std::memcpy(out, buf_ + pos_, k);
        pos_ += k;
        done = k;
    }
    while (done < n) {
        std::size_t k = readDirect(out + done, n - done);
        if (k == 0)
            break;
        done += k;
    }
    return done;
}

MemorySource::MemorySource(std::string_view bytes)
{
    buf_ = bytes.data();
    pos_ = 0;
    end_ = bytes.size();
}

FileSource::~FileSource()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool FileSource::open(const std::string& path)
{
    // Only regular files are read. Opening without blocking and asking the
    // opened descriptor what it is means a named pipe cannot stall the open
    // (nor a read) waiting for a writer, and nothing can swap another file in
    // between the check and the reading.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd_ < 0)
        return false;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    size_ = static_cast<long long>(st.st_size);
    storage_.resize(64 * 1024);
    buf_ = storage_.data();
    return true;
}

long long FileSource::remaining() const
{
    if (size_ < 0)
        return -1;
    long long left = size_ - consumed_ + static_cast<long long>(end_ - pos_);
    return std::max(left, 0LL);
}

bool FileSource::refill()
{
    if (fd_ < 0)
        return false;
    for (;;) {
        ssize_t k = ::read(fd_, storage_.data(), storage_.size());
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            return false;
        consumed_ += k;
        pos_ = 0;
        end_ = static_cast<std::size_t>(k);
        return true;
    }
}

std::size_t FileSource::readDirect(void* dst, std::size_t n)
{
    if (fd_ < 0)
        return 0;
    // Small reads go through the buffer; large ones straight to the caller.
    if (n < storage_.size()) {
        if (!refill())
            return 0;
        return read(dst, n);
    }
    for (;;) {
        ssize_t k = ::read(fd_, dst, n);
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            return 0;
        consumed_ += k;
        return static_cast<std::size_t>(k);
    }
}
