#include "storage/ProjectFolder.h"

#include <sys/stat.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "model/Error.h"
#include "model/Paths.h"
#include "storage/CopyWorker.h"
#include "storage/MediaCopy.h"

namespace kestrel {

std::vector<CopyJob> RebuildFileList(Project& prj, int index) {
    std::vector<CopyJob> jobs;
    if (index < 0 || index > MaxTimeIndex) return jobs;
    TTimePLData& rec = prj.TimePL[index];
    rec.FileList.clear();
    std::unordered_map<std::string, int> positions;
    int subCount = std::min(rec.SubWinCount, MaxSubWin);
    for (int j = 1; j <= subCount; ++j) {
        TSubWinData& win = rec.SubWin[j];
        int count = std::min(win.PLCount, MaxPLIndex + 1);
        for (int k = 0; k < count; ++k) {
            TSubWinPL& entry = win.PL[k];
            std::string name = BareName(entry.FileName);
            if (name.empty()) continue;  // copied nowhere; keeps its old index
            jobs.push_back({entry.FileName, prj.PrjDir + name, true});
            // The list's own lookup, by the name with a to z in one case, in one step.
            auto [found, added] = positions.try_emplace(AsciiUpper(name), static_cast<int>(rec.FileList.size()));
            if (added) rec.FileList.push_back(name);
            entry.FileIndex = found->second;
        }
    }
    return jobs;
}

bool FileListFits(const TTimePLData& rec) {
    std::vector<bool> used(rec.FileList.size());
    for (int j = 1; j <= std::min(rec.SubWinCount, MaxSubWin); ++j) {
        const TSubWinData& win = rec.SubWin[j];
        for (int k = 0; k < std::min(win.PLCount, MaxPLIndex + 1); ++k) {
            const std::string name = BareName(win.PL[k].FileName);
            const int index = win.PL[k].FileIndex;
            if (name.empty()) continue;
            if (index < 0 || index >= static_cast<int>(rec.FileList.size()) ||
                AsciiUpper(rec.FileList[index]) != AsciiUpper(name))
                return false;
            used[index] = true;
        }
    }
    return std::find(used.begin(), used.end(), false) == used.end();
}


std::vector<CopyFailure> TakeOutClashes(std::vector<CopyJob>& jobs, const std::string& projectFile) {
    std::vector<CopyFailure> clashes;
    std::unordered_map<std::string, std::string> firstSource;  // copy name in capitals -> its file
    if (!projectFile.empty()) firstSource[AsciiUpper(BareName(projectFile))] = projectFile;
    std::vector<CopyJob> kept;
    for (CopyJob& job : jobs) {
        auto [at, isNew] = firstSource.try_emplace(AsciiUpper(BareName(job.Destination)), job.Source);
        const std::string& other = at->second;
        if (isNew || (other != projectFile && SameForCopy(other, job.Source))) {
            kept.push_back(std::move(job));
            continue;
        }
        bool listed = std::any_of(clashes.begin(), clashes.end(), [&](const CopyFailure& f) { return f.Source == job.Source; });
        if (!listed) clashes.push_back({job.Source, " would replace " + Quoted(other, 200) + " in the project folder"});
    }
    jobs = std::move(kept);
    return clashes;
}

bool SameForCopy(const std::string& a, const std::string& b) {
    if (a == b) return true;
    struct stat sa {}, sb {};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    if (sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino) return true;
    // Either may be a copy on a store that keeps its time coarsely (a stick).
    return S_ISREG(sa.st_mode) && S_ISREG(sb.st_mode) &&
           (IsUnchangedCopy(StampOf(sa), StampOf(sb)) || IsUnchangedCopy(StampOf(sb), StampOf(sa)));
}

std::optional<std::string> NameClash(const Project& prj, const std::string& path,
                                     const std::vector<std::string>& pending) {
    const std::string name = BareName(path);
    auto refusal = [&](const std::string& other) {
        return "The file " + Quoted(path, 200) + " would replace " + Quoted(other, 200) +
               " in the project folder: both have the name " + Quoted(name, 200) + ".";
    };
    if (!prj.PrjFileName.empty() && SameCopyName(name, BareName(prj.PrjFileName))) return refusal(prj.PrjFileName);
    std::optional<std::string> clash;
    auto check = [&](const std::string& other) {
        if (!clash && !other.empty() && SameCopyName(name, BareName(other)) && !SameForCopy(other, path))
            clash = refusal(other);
    };
    for (const std::string& f : pending) check(f);
    ForEachProjectFile(prj, check);
    return clash;
}

std::optional<std::string> AddFileRefusal(const Project& prj, const std::string& path,
                                          const std::vector<std::string>& pending) {
    if (const char* problem = FolderNameProblem(BareName(path)))
        return "The file " + Quoted(path, 200) + " cannot be used: " + problem + ".";
    return NameClash(prj, path, pending);
}

void RefreshFileList(Editor& ed) {
    Project& prj = *ed.Prj;
    if (prj.CurTimeIndex == -1) return;
    auto jobs = RebuildFileList(prj, prj.CurTimeIndex);
    // Without a project file there is no project folder: copies would land in the
    // program's folder or in the previous project's. The first save copies them.
    if (prj.PrjFileName.empty()) return;
    TakeOutClashes(jobs, prj.PrjFileName);  // the save lists them
    // Checked by metadata first: with everything in place nothing is started at all. A
    // copy that failed or was cancelled here is not tried again at every activation.
    auto pending = PendingCopies(jobs);
    std::erase_if(pending, [&](const CopyJob& job) { return ed.CopiesLeftToSave.count(CopyKey(job)) > 0; });
    if (pending.empty()) return;
    CopyWorker copies(pending);
    ed.platform.RunJob([&](const JobReport& report, const std::atomic<bool>& cancel) {
        copies.Run(report, cancel);
    });
    for (const CopyJob& job : pending)
        if (NeedsCopy(job)) ed.CopiesLeftToSave.insert(CopyKey(job));
}

}  // namespace kestrel
