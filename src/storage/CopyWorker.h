#pragma once
// The media copies of a save or a refresh as one piece of long work: run off the
// user-interface thread, reporting bytes done of bytes to copy and stopping on Cancel.

#include <sys/stat.h>

#include <atomic>
#include <string>
#include <vector>

#include "model/Platform.h"
#include "storage/MediaCopy.h"
#include "storage/ProjectFolder.h"

namespace kestrel {

// Whether a copy would change its destination, judged by metadata alone: false when the
// destination is the source itself, is to be kept, or is an unchanged copy. A source
// that cannot be examined needs its copy tried, so that the failure is seen.
bool NeedsCopy(const CopyJob& job);

// A job and the size and time its source has now ("missing" when it has none): equal
// keys mean the copy would go the same way again.
std::string CopyKey(const CopyJob& job);

// The jobs that need their copy, in order.
std::vector<CopyJob> PendingCopies(const std::vector<CopyJob>& jobs);

class CopyWorker {
public:
    // A job planned twice (one file in several playlists) is made once.
    explicit CopyWorker(std::vector<CopyJob> jobs);

    // Makes the copies in order on the calling thread. report gets the bytes done of
    // the bytes to copy and the file at each file and each chunk; once cancel is set the
    // copy in progress is removed and no further one is started.
    void Run(const JobReport& report, const std::atomic<bool>& cancel);

    bool Cancelled() const { return cancelled_; }
    // The sources that could not be copied, each once, in order.
    const std::vector<CopyFailure>& Failures() const { return failures_; }

private:
    std::vector<CopyJob> jobs_;
    std::vector<CopyFailure> failures_;
    bool cancelled_ = false;
};

}  // namespace kestrel
