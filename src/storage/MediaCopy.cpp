#include "storage/MediaCopy.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
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

FileStamp Stamp(const struct stat& st) {
    return {static_cast<std::int64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtim.tv_sec),
            static_cast<long>(st.st_mtim.tv_nsec)};
}

// The coarsest step a stored time is a multiple of: two seconds for an even whole
// second, one for an odd one, else the largest power of ten nanoseconds its fraction is.
std::int64_t StoredTimeStep(const FileStamp& stored) {
    if (stored.Nanoseconds == 0) return stored.Seconds % 2 == 0 ? 2'000'000'000 : 1'000'000'000;
    std::int64_t step = 1;
    for (long ns = stored.Nanoseconds; ns % 10 == 0; ns /= 10) step *= 10;
    return step;
}

// One kernel call moves at most this much, so that progress and Cancel are seen
// within one large file.
constexpr size_t ChunkBytes = 1 << 20;

// Moves len bytes from in to out: copy_file_range first (the kernel copies, or shares
// the blocks where the file system can), sendfile where that is refused, and a plain
// read/write loop as the last resort. Returns 0, an errno value, or ECANCELED when
// control's Cancel was set.
int CopyBytes(int in, int out, off_t len, const CopyControl* control) {
    off_t done = 0;
    bool rangeOk = true, sendOk = true;
    while (done < len) {
        if (control && control->Cancel && control->Cancel->load()) return ECANCELED;
        const size_t chunk = std::min(ChunkBytes, static_cast<size_t>(len - done));
        ssize_t n = -1;
        if (rangeOk) {
            n = ::copy_file_range(in, nullptr, out, nullptr, chunk, 0);
            if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                rangeOk = false;
                continue;
            }
        } else if (sendOk) {
            n = ::sendfile(out, in, nullptr, chunk);
            if (n < 0 && (errno == ENOSYS || errno == EINVAL)) {
                sendOk = false;
                continue;
            }
        } else {
            std::vector<char> buf(std::min(chunk, size_t{1} << 20));
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
        if (control && control->Progress) control->Progress(static_cast<std::uint64_t>(done));
    }
    return 0;
}

}  // namespace

bool IsUnchangedCopy(const FileStamp& source, const FileStamp& destination) {
    if (source.Size != destination.Size) return false;
    const std::int64_t apart = (source.Seconds - destination.Seconds) * 1'000'000'000 +
                               (source.Nanoseconds - destination.Nanoseconds);
    return std::abs(apart) < StoredTimeStep(destination);
}

CopyResult CopyMediaFile(const std::string& source, const std::string& destination, bool replace,
                         const CopyControl* control) {
    Fd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.fd < 0) return Failure(errno);
    struct stat src {};
    if (::fstat(in.fd, &src) != 0) return Failure(errno);
    if (!S_ISREG(src.st_mode)) return Failure(S_ISDIR(src.st_mode) ? EISDIR : EINVAL);

    struct stat dst {};
    if (::stat(destination.c_str(), &dst) == 0) {
        if (dst.st_dev == src.st_dev && dst.st_ino == src.st_ino) return {CopyStatus::SameFile, {}};
        if (!replace) return {CopyStatus::Kept, {}};
        if (S_ISREG(dst.st_mode) && IsUnchangedCopy(Stamp(src), Stamp(dst)))
            return {CopyStatus::Unchanged, {}};
    }

    Fd out(::open(destination.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (out.fd < 0) return Failure(errno);
    if (int err = CopyBytes(in.fd, out.fd, src.st_size, control)) {
        if (err != ECANCELED) return Failure(err);
        ::unlink(destination.c_str());  // half a copy is no copy
        return {CopyStatus::Cancelled, {}};
    }
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
