#include "SafeSave.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

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

SafeSave::~SafeSave()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_ && !temp_.empty())
        ::unlink(temp_.c_str());
}

bool SafeSave::begin(const std::string& target, bool keepOpen)
{
    target_ = resolveTarget(target);
    const std::size_t slash = target_.find_last_of('/');
    dir_ = slash == std::string::npos ? std::string(".") : target_.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target_ : target_.substr(slash + 1);
    std::string pattern = (slash == std::string::npos ? std::string() : dir_) + "." + base + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0)
        return false;
    temp_.assign(name.data());

    // A replaced file keeps its permissions; a new one gets the usual 0666
    // less the umask rather than mkstemp's private 0600.
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0) {
        mode_ = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode_ = 0666 & ~mask;
    }
    if (!keepOpen) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(temp_.c_str());
    }
    return true;
}

bool SafeSave::commit()
{
    if (temp_.empty())
        return false;
    if (fd_ < 0)
        fd_ = ::open(temp_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    bool ok = ::fchmod(fd_, static_cast<mode_t>(mode_)) == 0 || errno == EPERM;
    ok = ::fsync(fd_) == 0 && ok;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    ok = ok && ::rename(temp_.c_str(), target_.c_str()) == 0;
    if (!ok)
        return false;
    committed_ = true;
    // Make the rename itself durable.
    const int dfd = ::open(dir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}
