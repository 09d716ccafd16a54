#include "storage/ProjectSaver.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "model/Paths.h"
#include "storage/CopyWorker.h"
#include "storage/PrjFileWriter.h"

namespace kestrel {

namespace {

constexpr size_t MaxListedFailures = 20;

std::string PartialMessage(const std::vector<CopyFailure>& failures) {
    std::string text = "Save completed, but some files could not be copied into the project folder:";
    size_t listed = std::min(failures.size(), MaxListedFailures);
    for (size_t i = 0; i < listed; ++i) text += "\n" + failures[i].Source + ": " + failures[i].Reason;
    if (failures.size() > listed) text += "\nand " + std::to_string(failures.size() - listed) + " more";
    return text;
}

void SaveThenCleanUp(Editor& ed) {
    SavePrjClick(ed);
    std::error_code ec;
    std::filesystem::remove(ed.Prj->PrjDir + "Thumbs.db", ec);  // a missing one is no error
}

}  // namespace

std::string WithXmlExtension(const std::string& path) {
    if (AsciiUpper(BareName(path)).find(".XML") != std::string::npos) return path;
    return path + ".XML";
}

std::vector<CopyJob> SaveCopyPlan(Project& prj) {
    std::vector<CopyJob> jobs;
    int sections = std::clamp(prj.TimeCount, 0, MaxTimeIndex + 1);
    if (prj.CurTimeIndex >= 0) jobs = RebuildFileList(prj, prj.CurTimeIndex);
    // The other sections keep their lists; their files still belong in this folder.
    for (int i = 0; i < sections; ++i) {
        if (i == prj.CurTimeIndex) continue;
        const TTimePLData& rec = prj.TimePL[i];
        for (int j = 1; j <= std::min(rec.SubWinCount, MaxSubWin); ++j) {
            const TSubWinData& w = rec.SubWin[j];
            for (int k = 0; k < std::clamp(w.PLCount, 0, MaxPLIndex + 1); ++k) {
                std::string name = BareName(w.PL[k].FileName);
                if (!name.empty()) jobs.push_back({w.PL[k].FileName, prj.PrjDir + name, true});
            }
        }
    }
    for (int i = 0; i < sections; ++i) {
        std::string name = BareName(prj.TimePL[i].BGFile);
        if (!name.empty()) jobs.push_back({prj.TimePL[i].BGFile, prj.PrjDir + name, false});
    }
    for (int i = 0; i < sections; ++i) {
        const TMainWinData& w = prj.TimePL[i].MainWin;
        for (int k = 0; k < std::clamp(w.PLCount, 0, MaxPLIndex + 1); ++k) {
            std::string name = BareName(w.PL[k].FileName);
            if (!name.empty()) jobs.push_back({w.PL[k].FileName, prj.PrjDir + name, true});
        }
    }
    return jobs;
}

void SavePrjClick(Editor& ed) {
    Project& prj = *ed.Prj;
    const std::string previousName = prj.PrjFileName, previousDir = prj.PrjDir;
    if (ed.SaveAsMode) {
        std::string chosen = ed.platform.SaveFile(SaveDialogFilter, prj.PrjDir);
        if (chosen.empty()) return;
        std::string path = WithXmlExtension(chosen);
        prj.PrjFileName = path;
        prj.PrjDir = FolderPart(path);
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) {
            if (ed.platform.Message("Warning", "File exist, replace it?", Buttons::YesNo, Icon::None) !=
                Answer::Yes) {
                // A declined replacement keeps the previous name, so that a later plain
                // Save cannot overwrite the file the user chose to keep.
                prj.PrjFileName = previousName;
                prj.PrjDir = previousDir;
                return;
            }
            // The old file is replaced only by the rename of the complete new one.
        }
    }

    CopyWorker copies(SaveCopyPlan(prj));
    ed.platform.RunJob([&](const JobReport& report, const std::atomic<bool>& cancel) {
        copies.Run(report, cancel);
    });
    if (copies.Cancelled()) {
        // Nothing was saved: the project keeps the file it had, which is still whole.
        prj.PrjFileName = previousName;
        prj.PrjDir = previousDir;
        ed.platform.Report(SaveCancelledText);
        return;
    }
    const auto& failures = copies.Failures();

    WritePrjFile(prj);
    if (failures.empty())
        ed.platform.Report("Save completed!");
    else
        ed.platform.Report(PartialMessage(failures));
}

void TBtnSavePrjClick(Editor& ed) {
    ed.SaveAsMode = ed.Prj->PrjFileName.empty();
    SaveThenCleanUp(ed);
}

void Saveas1Click(Editor& ed) {
    ed.SaveAsMode = true;
    SaveThenCleanUp(ed);
}

}  // namespace kestrel
