#include "storage/MediaCopy.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <vector>

namespace kestrel {

namespace {

std::atomic<std::uint64_t> bytesCopied{0};

struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

CopyResult Failure(int err) { return {CopyStatus::Failed, std::strerror(err)}; }

bool SameTime(const struct stat& a, const struct stat& b) {
    return a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Moves len bytes from in to out: copy_file_range first (the kernel copies, or shares
// the blocks where the file system can), sendfile where that is refused, and a plain
// read/write loop as the last resort. Returns 0 or an errno value.
int CopyBytes(int in, int out, off_t len) {
    off_t done = 0;
    bool rangeOk = true, sendOk = true;
    while (done < len) {
        ssize_t n = -1;
        if (rangeOk) {
            n = ::copy_file_range(in, nullptr, out, nullptr, static_cast<size_t>(len - done), 0);
            if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                rangeOk = false;
                continue;
            }
        } else if (sendOk) {
            n = ::sendfile(out, in, nullptr, static_cast<size_t>(len - done));
            if (n < 0 && (errno == ENOSYS || errno == EINVAL)) {
                sendOk = false;
                continue;
            }
        } else {
            std::vector<char> buf(1 << 20);
            n = ::read(in, buf.data(), buf.size());
            if (n > 0) {
                for (ssize_t w = 0; w < n;) {
                    ssize_t m = ::write(out, buf.data() + w, static_cast<size_t>(n - w));
                    if (m < 0) {
                        if (errno == EINTR) continue;
                        return errno;
                    }
                    w += m;
                }
            }
        }
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) break;  // the source became shorter while copying
        done += n;
        bytesCopied += static_cast<std::uint64_t>(n);
    }
    return 0;
}

}  // namespace

CopyResult CopyMediaFile(const std::string& source, const std::string& destination, bool replace) {
    Fd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.fd < 0) return Failure(errno);
    struct stat src {};
    if (::fstat(in.fd, &src) != 0) return Failure(errno);
    if (!S_ISREG(src.st_mode)) return Failure(S_ISDIR(src.st_mode) ? EISDIR : EINVAL);

    struct stat dst {};
    if (::stat(destination.c_str(), &dst) == 0) {
        if (dst.st_dev == src.st_dev && dst.st_ino == src.st_ino) return {CopyStatus::SameFile, {}};
        if (!replace) return {CopyStatus::Kept, {}};
        if (S_ISREG(dst.st_mode) && dst.st_size == src.st_size && SameTime(dst, src))
            return {CopyStatus::Unchanged, {}};
    }

    Fd out(::open(destination.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (out.fd < 0) return Failure(errno);
    if (int err = CopyBytes(in.fd, out.fd, src.st_size)) return Failure(err);
    struct timespec times[2] = {src.st_atim, src.st_mtim};
    if (::futimens(out.fd, times) != 0) return Failure(errno);
    if (::close(out.fd) != 0) {
        out.fd = -1;
        return Failure(errno);
    }
    out.fd = -1;
    return {CopyStatus::Copied, {}};
}

std::uint64_t MediaBytesCopied() { return bytesCopied.load(); }

}  // namespace kestrel
