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
#include <optional>
#include <vector>

#include "model/Paths.h"
#include "storage/SafeFiles.h"

namespace kestrel {

namespace {

std::atomic<std::uint64_t> bytesCopied{0};

CopyResult Failure(int err) { return {CopyStatus::Failed, std::strerror(err)}; }

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

// Written data goes to the disk while the copy runs, a step behind the writing: the
// progress then moves at the disk's own speed (a USB stick's, not the memory's), Cancel
// is seen within a step, and the flush before the rename, which cannot be cancelled,
// stays short. Only advice: where a file system ignores it, that last flush does it all.
class WriteBehind {
public:
    explicit WriteBehind(int fd) : fd_(fd) {}
    void Written(off_t end) {
        if (end - started_ < StepBytes) return;
        ::sync_file_range(fd_, started_, end - started_, SYNC_FILE_RANGE_WRITE);
        if (started_ > ended_)
            ::sync_file_range(fd_, ended_, started_ - ended_,
                              SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
        ended_ = started_;
        started_ = end;
    }

private:
    static constexpr off_t StepBytes = 8 << 20;
    int fd_;
    off_t started_ = 0;  // writing to the disk has been started up to here
    off_t ended_ = 0;    // and has ended up to here
};

// Moves len bytes from in to out: copy_file_range first (the kernel copies, or shares
// the blocks where the file system can), sendfile where that is refused, and a plain
// read/write loop as the last resort. Returns 0, an errno value, or ECANCELED when
// control's Cancel was set.
int CopyBytes(int in, int out, off_t len, const CopyControl* control) {
    off_t done = 0;
    bool rangeOk = true, sendOk = true;
    WriteBehind behind(out);
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
        behind.Written(done);
        bytesCopied += static_cast<std::uint64_t>(n);
        if (control && control->Progress) control->Progress(static_cast<std::uint64_t>(done));
    }
    return 0;
}

bool SourceChanged(int in, const struct stat& before) {
    struct stat now {};
    if (::fstat(in, &now) != 0) return true;
    return StampOf(before) != StampOf(now);
}

// The copy is written under a temporary name in the destination's folder and renamed
// into place when complete, so the real name never holds a partial file; a cancelled
// copy leaves only the temporary file, which goes with tmp.
CopyResult CopyIntoPlace(int in, const struct stat& src, const std::string& destination,
                         const CopyControl* control) {
    TemporaryFile tmp(FolderPart(destination));
    if (tmp.Fd() < 0) return Failure(tmp.Errno());
    int err = tmp.SetMode();
    if (!err) err = CopyBytes(in, tmp.Fd(), src.st_size, control);
    if (err == ECANCELED) return {CopyStatus::Cancelled, {}};
    // A file written to while it was copied (a video still being exported) gave a copy
    // of no state it ever had; after the save the project would use that copy.
    if (!err && SourceChanged(in, src)) return {CopyStatus::Failed, "the file changed while it was copied"};
    struct timespec times[2] = {src.st_atim, src.st_mtim};
    if (!err && ::futimens(tmp.Fd(), times) != 0) err = errno;
    if (!err) err = tmp.PlaceAs(destination);
    return err ? Failure(err) : CopyResult{CopyStatus::Copied, {}};
}

}  // namespace

std::optional<CopyResult> DestinationDecides(const std::string& destination, const struct stat& src,
                                             bool replace) {
    struct stat dst {};
    if (::lstat(destination.c_str(), &dst) != 0) return std::nullopt;
    struct stat followed {};
    if (::stat(destination.c_str(), &followed) == 0 && followed.st_dev == src.st_dev &&
        followed.st_ino == src.st_ino)
        return CopyResult{CopyStatus::SameFile, {}};
    if (!S_ISREG(dst.st_mode)) return std::nullopt;  // a link, a pipe: no copy, to be kept or trusted
    if (!replace) return CopyResult{CopyStatus::Kept, {}};
    if (IsUnchangedCopy(StampOf(src), StampOf(dst))) return CopyResult{CopyStatus::Unchanged, {}};
    if ((dst.st_mode & 0222) == 0) return CopyResult{CopyStatus::Failed, "the copy in the project folder is write-protected"};
    return std::nullopt;
}

FileStamp StampOf(const struct stat& st) {
    return {static_cast<std::int64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtim.tv_sec),
            static_cast<long>(st.st_mtim.tv_nsec)};
}

bool IsUnchangedCopy(const FileStamp& source, const FileStamp& destination) {
    if (source.Size != destination.Size) return false;
    // No step is wider than two seconds; times further apart would overflow in nanoseconds.
    const std::int64_t seconds = source.Seconds - destination.Seconds;
    if (seconds > 3 || seconds < -3) return false;
    const std::int64_t apart = seconds * 1'000'000'000 +
                               (source.Nanoseconds - destination.Nanoseconds);
    return std::abs(apart) < StoredTimeStep(destination);
}

CopyResult CopyMediaFile(const std::string& source, const std::string& destination, bool replace,
                         const CopyControl* control) {
    if (const char* problem = FolderNameProblem(BareName(destination))) return {CopyStatus::Failed, problem};
    const RegularFile in(source);  // a named pipe or a device among the media is no copy
    if (in.Fd() < 0) {
        // A source that is gone while its copy is in the folder has done its work.
        struct stat dst {};
        const bool gone = in.OpenErrno() == ENOENT || in.OpenErrno() == ENOTDIR;
        if (gone && ::lstat(destination.c_str(), &dst) == 0 && S_ISREG(dst.st_mode)) return {CopyStatus::Kept, {}};
        return {CopyStatus::Failed, in.Problem()};
    }
    if (auto decided = DestinationDecides(destination, in.Stat(), replace)) return *decided;
    return CopyIntoPlace(in.Fd(), in.Stat(), destination, control);
}

std::uint64_t MediaBytesCopied() { return bytesCopied.load(); }

}  // namespace kestrel
