#include "storage/ProjectFolder.h"

#include "model/Paths.h"
#include "storage/MediaCopy.h"

namespace kestrel {

std::vector<CopyJob> RebuildFileList(Project& prj, int index) {
    std::vector<CopyJob> jobs;
    if (index < 0 || index > MaxTimeIndex) return jobs;
    TTimePLData& rec = prj.TimePL[index];
    rec.FileList.clear();
    int subCount = std::min(rec.SubWinCount, MaxSubWin);
    for (int j = 1; j <= subCount; ++j) {
        TSubWinData& win = rec.SubWin[j];
        int count = std::min(win.PLCount, MaxPLIndex + 1);
        for (int k = 0; k < count; ++k) {
            TSubWinPL& entry = win.PL[k];
            std::string name = BareName(entry.FileName);
            if (name.empty()) continue;  // copied nowhere; keeps its old index
            jobs.push_back({entry.FileName, prj.PrjDir + name, true});
            int pos = FindStringFormList(name, rec.FileList);
            if (pos < 0) {
                rec.FileList.push_back(name);
                pos = static_cast<int>(rec.FileList.size()) - 1;
            }
            entry.FileIndex = pos;
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
    for (const auto& job : jobs) CopyMediaFile(job.Source, job.Destination, job.Replace);
}

}  // namespace kestrel
