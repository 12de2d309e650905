#include "RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// File systems whose "regular" files are made up by the kernel as they are
// read: their size says nothing and some block (/proc/kmsg) or never end.
bool isPseudoFileSystem(int fd)
{
    struct statfs fs = {};
    if (::fstatfs(fd, &fs) != 0)
        return true;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x9fa0UL:     // proc
    case 0x62656572UL: // sysfs
    case 0x64626720UL: // debugfs
    case 0x74726163UL: // tracefs
    case 0x73636673UL: // securityfs
    case 0x27e0ebUL:   // cgroup
    case 0x63677270UL: // cgroup2
    case 0x6165676cUL: // pstore
    case 0xcafe4a11UL: // bpf
    case 0x42494e4dUL: // binfmt_misc
        return true;
    default:
        return false;
    }
}

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Opens @p path only when it is a regular file on an ordinary file system.
// The name is looked at before opening, so a device is never opened (opening
// one can have effects of its own), and the opened file is looked at again
// in case the name was swapped in between.
int openRegular(const std::string &path, struct stat &info, const char *&refusal)
{
    refusal = ImageMessages::kUnreadable;
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            refusal = ImageMessages::kNotFound;
        return -1;
    }
    if (!S_ISREG(info.st_mode))
        return -1;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || isPseudoFileSystem(fd)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads up to @p size bytes; -1 on a read error.
long long readUpTo(int fd, std::uint8_t *out, std::size_t size)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, out + got, size - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    return static_cast<long long>(got);
}

} // namespace

ImageStatus RegularFile::read(const std::string &path, std::uint64_t maxBytes, std::vector<std::uint8_t> &bytes)
{
    struct stat info = {};
    const char *refusal = nullptr;
    const Descriptor fd(openRegular(path, info, refusal));
    if (fd.get() < 0)
        return ImageStatus::failure(refusal, path);
    if (info.st_size <= 0)
        return ImageStatus::failure(ImageMessages::kEmpty, path);
    if (std::uint64_t(info.st_size) > maxBytes)
        return ImageStatus::failure(ImageMessages::kTooLarge, path);
    std::vector<std::uint8_t> data(static_cast<std::size_t>(info.st_size));
    const long long got = readUpTo(fd.get(), data.data(), data.size());
    if (got < 0)
        return ImageStatus::failure(ImageMessages::kUnreadable, path);
    if (got == 0)
        return ImageStatus::failure(ImageMessages::kEmpty, path);
    // A file cut short while it was read keeps what was there.
    data.resize(static_cast<std::size_t>(got));
    bytes.swap(data);
    return ImageStatus::success();
}

std::size_t RegularFile::readHead(const std::string &path, std::uint8_t *buffer, std::size_t size)
{
    struct stat info = {};
    const char *refusal = nullptr;
    const Descriptor fd(openRegular(path, info, refusal));
    if (fd.get() < 0)
        return 0;
    const long long got = readUpTo(fd.get(), buffer, size);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}
