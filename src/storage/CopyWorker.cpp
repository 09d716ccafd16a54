#include "storage/CopyWorker.h"

#include <sys/stat.h>

#include <algorithm>
#include <unordered_set>

#include "storage/MediaCopy.h"

namespace kestrel {

namespace {

std::uint64_t SourceSize(const CopyJob& job) {
    struct stat st {};
    return ::stat(job.Source.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

}  // namespace

bool NeedsCopy(const CopyJob& job) {
    struct stat src {};
    if (::stat(job.Source.c_str(), &src) != 0 || !S_ISREG(src.st_mode)) return true;
    const std::optional<CopyResult> decided = DestinationDecides(job.Destination, src, job.Replace);
    return !decided || decided->Status == CopyStatus::Failed;
}

std::string CopyKey(const CopyJob& job) {
    std::string key = job.Source + '\0' + job.Destination + '\0';
    struct stat st {};
    if (::stat(job.Source.c_str(), &st) != 0) return key + "missing";
    const FileStamp s = StampOf(st);
    return key + std::to_string(s.Size) + ' ' + std::to_string(s.Seconds) + '.' + std::to_string(s.Nanoseconds);
}

std::vector<CopyJob> PendingCopies(const std::vector<CopyJob>& jobs) {
    std::vector<CopyJob> pending;
    for (const CopyJob& job : jobs)
        if (NeedsCopy(job)) pending.push_back(job);
    return pending;
}

CopyWorker::CopyWorker(std::vector<CopyJob> jobs) {
    std::unordered_set<std::string> planned;
    for (CopyJob& job : jobs)
        if (planned.insert(job.Source + '\0' + job.Destination).second) jobs_.push_back(std::move(job));
}

void CopyWorker::Run(const JobReport& report, const std::atomic<bool>& cancel) {
    // Only what changed is copied, and only that counts towards the bytes to copy.
    std::vector<std::uint64_t> sizes;
    std::vector<bool> counted;
    JobProgress progress;
    for (const CopyJob& job : jobs_) {
        sizes.push_back(SourceSize(job));
        counted.push_back(NeedsCopy(job));
        if (counted.back()) progress.BytesTotal += sizes.back();
    }
    std::unordered_set<std::string> failed;
    for (size_t n = 0; n < jobs_.size(); ++n) {
        const CopyJob& job = jobs_[n];
        // An earlier copy to the same destination (two files of one bare name) may have
        // changed what this one finds there.
        if (!counted[n]) {
            if (!NeedsCopy(job)) continue;
            progress.BytesTotal += sizes[n];
        }
        if (cancel.load()) {
            cancelled_ = true;
            return;
        }
        const std::uint64_t before = progress.BytesDone;
        progress.CurrentFile = job.Source;
        report(progress);
        CopyControl control{[&](std::uint64_t written) {
                                progress.BytesDone = before + std::min(written, sizes[n]);
                                report(progress);
                            },
                            &cancel};
        const CopyResult r = CopyMediaFile(job.Source, job.Destination, job.Replace, &control);
        if (r.Status == CopyStatus::Cancelled) {
            cancelled_ = true;
            return;
        }
        if (r.Status == CopyStatus::Failed && failed.insert(job.Source).second)
            failures_.push_back({job.Source, ": " + r.Reason});
        progress.BytesDone = before + sizes[n];
    }
    progress.CurrentFile.clear();
    report(progress);
    cancelled_ = cancel.load();  // a Cancel pressed as the last copy ended still counts
}

}  // namespace kestrel
