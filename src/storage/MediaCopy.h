#pragma once
// Copies of media files into the project folder.

#include <cstdint>
#include <string>

namespace kestrel {

enum class CopyStatus {
    Copied,     // the destination now holds the source's bytes and time
    Unchanged,  // the destination already had the source's size and time
    SameFile,   // the source is the destination itself (under any spelling)
    Kept,       // the destination existed and was to be kept
    Failed,     // see Reason
};

struct CopyResult {
    CopyStatus Status = CopyStatus::Failed;
    std::string Reason;  // the system's reason when Failed
};

// Copies source to destination through the kernel's copy path. The copy carries the
// source's modification time, so a destination with the same size and time as its
// source is taken as unchanged and not copied again. With replace false an existing
// destination is kept. A source that is the destination itself is never touched.
// Only a regular file is copied. The copy lands under a temporary name beside the
// destination and is renamed into place, replacing a link there rather than writing
// through it. A missing source whose destination already exists is Kept.
CopyResult CopyMediaFile(const std::string& source, const std::string& destination, bool replace);

// Bytes written by CopyMediaFile since the program started (for measurements).
std::uint64_t MediaBytesCopied();

}  // namespace kestrel
