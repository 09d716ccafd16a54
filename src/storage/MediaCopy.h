#pragma once
// Copies of media files into the project folder.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct stat;

namespace kestrel {

enum class CopyStatus {
    Copied,     // the destination now holds the source's bytes and time
    Unchanged,  // the destination already had the source's size and time
    SameFile,   // the source is the destination itself (under any spelling)
    Kept,       // the destination existed and was to be kept
    Failed,     // see Reason
    Cancelled,  // stopped half way; the partial destination is removed
};

struct CopyResult {
    CopyStatus Status = CopyStatus::Failed;
    std::string Reason;  // the system's reason when Failed
};

// What a copy in progress reports and obeys: Progress gets the bytes written so far
// after every chunk; a set Cancel stops the copy at the next chunk.
struct CopyControl {
    std::function<void(std::uint64_t bytesWritten)> Progress;
    const std::atomic<bool>* Cancel = nullptr;
};

// A file's size and modification time, as an unchanged-copy check compares them.
struct FileStamp {
    std::int64_t Size = 0;
    std::int64_t Seconds = 0;
    long Nanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

// Whether a destination is an unchanged copy of its source: the sizes match and the
// times agree within what the destination's file system can store. FAT keeps even
// seconds, ext4 with small inodes and many network file systems whole seconds, NTFS
// and SMB 100 ns; the destination's stored time shows how coarse its store is.
bool IsUnchangedCopy(const FileStamp& source, const FileStamp& destination);
// The size and time of a file as IsUnchangedCopy compares them.
FileStamp StampOf(const struct stat& st);

// What stands at destination decides a copy from a source with metadata src: nullopt
// when the copy must be made. A symbolic link there is never trusted as a copy: it is
// replaced, its target left alone (unless it leads to the source itself). A
// write-protected copy is not replaced (Failed).
std::optional<CopyResult> DestinationDecides(const std::string& destination, const struct stat& src,
                                             bool replace);

// Copies source to destination through the kernel's copy path. The copy carries the
// source's modification time, so a destination with the same size and time as its
// source is taken as unchanged and not copied again. With replace false an existing
// destination is kept. A source that is the destination itself is never touched.
// Only a regular file is copied. The copy lands under a temporary name beside the
// destination and is renamed into place, replacing a link there rather than writing
// through it. A missing source whose destination already exists is Kept.
CopyResult CopyMediaFile(const std::string& source, const std::string& destination, bool replace,
                         const CopyControl* control = nullptr);

// Bytes written by CopyMediaFile since the program started (for measurements).
std::uint64_t MediaBytesCopied();

}  // namespace kestrel
