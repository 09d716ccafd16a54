#include "storage/ProjectFolder.h"

#include <unordered_map>

#include "model/Paths.h"
#include "storage/CopyWorker.h"

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

void RefreshFileList(Editor& ed) {
    Project& prj = *ed.Prj;
    if (prj.CurTimeIndex == -1) return;
    auto jobs = RebuildFileList(prj, prj.CurTimeIndex);
    // Without a project file there is no project folder: copies would land in the
    // program's folder or in the previous project's. The first save copies them.
    if (prj.PrjFileName.empty()) return;
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
