#include "storage/ProjectSaver.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

#include "model/DialogFolder.h"
#include "model/Error.h"
#include "model/History.h"
#include "model/Paths.h"
#include "storage/CopyWorker.h"
#include "storage/PrjFileWriter.h"
#include "storage/RecentProjects.h"
#include "storage/SafeFiles.h"

namespace kestrel {

namespace {

constexpr size_t MaxListedFailures = 20;

using Failure = CopyFailure;

std::string FailureList(const std::vector<Failure>& failures) {
    std::string text;
    size_t listed = std::min(failures.size(), MaxListedFailures);
    for (size_t i = 0; i < listed; ++i) text += "\n" + Shortened(failures[i].Source, 200) + failures[i].Reason;
    if (failures.size() > listed) text += "\nand " + std::to_string(failures.size() - listed) + " more";
    return text;
}

std::string PartialMessage(const std::vector<Failure>& failures) {
    return "Save completed, but some files could not be copied into the project folder:" + FailureList(failures);
}

// After a save every file the project names is taken from its copy in the folder, as
// after reopening the file, so that later copies and checks use the folder's files.
// Files whose copy is not there keep their source, to be tried again. The history's
// steps take the same names, so an undo never brings back a file the folder replaced.
void UseFolderCopies(Editor& ed, const std::unordered_set<std::string>& placed) {
    const std::string& folder = ed.Prj->PrjDir;
    auto useCopy = [&](std::string& file) {
        if (placed.count(file)) file = folder + BareName(file);
    };
    ForEachProjectFile(*ed.Prj, useCopy);
    ed.Edits.RenameFiles([&](TTimePLData& rec) { ForEachSectionFile(rec, useCopy); });
}

void SaveThenCleanUp(Editor& ed, const SaveAfterword& afterword) {
    SavePrjClick(ed, afterword);
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
    // The other sections keep their lists unless a list no longer fits the files their
    // windows play (a deleted sub window's files leave it); their files still belong in
    // this folder.
    for (int i = 0; i < sections; ++i) {
        if (i == prj.CurTimeIndex) continue;
        if (!FileListFits(prj.TimePL[i])) RebuildFileList(prj, i);
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

namespace {

// Until a save has written its file, the project keeps the name and folder it had: a
// cancelled, declined or failed Save as leaves the title and the next Save where they were.
class KeepNameUntilSaved {
public:
    explicit KeepNameUntilSaved(Project& prj) : prj_(prj), name_(prj.PrjFileName), dir_(prj.PrjDir) {}
    ~KeepNameUntilSaved() {
        if (saved_) return;
        prj_.PrjFileName = name_;
        prj_.PrjDir = dir_;
    }
    void Saved() { saved_ = true; }

private:
    Project& prj_;
    std::string name_, dir_;
    bool saved_ = false;
};

}  // namespace

void SavePrjClick(Editor& ed, const SaveAfterword& afterword) {
    Project& prj = *ed.Prj;
    KeepNameUntilSaved keep(prj);
    if (ed.SaveAsMode) {
        std::string chosen = ed.platform.SaveFile(SaveDialogFilter, DialogStartFolder(ed));
        if (chosen.empty()) return;
        RememberDialogFolder(ed, chosen);
        std::string path = WithXmlExtension(chosen);
        prj.PrjFileName = path;
        prj.PrjDir = FolderPart(path);
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) {
            // A declined replacement keeps the previous name, so that a later plain Save
            // cannot overwrite the file the user chose to keep.
            if (ed.platform.Message("Warning", "File exist, replace it?", Buttons::YesNo, Icon::None) !=
                Answer::Yes)
                return;
            // The old file is replaced only by the rename of the complete new one.
        }
    }

    auto jobs = SaveCopyPlan(prj);
    // Nothing is copied or written for a project that cannot be saved whole.
    const std::string text = PrjFileText(prj);
    CheckReplaceable(prj.PrjFileName);
    std::vector<Failure> failures = TakeOutClashes(jobs, prj.PrjFileName);
    CopyWorker copies(jobs);
    ed.platform.RunJob([&](const JobReport& report, const std::atomic<bool>& cancel) {
        copies.Run(report, cancel);
    });
    if (copies.Cancelled()) {
        // Nothing was saved: the project keeps the file it had, which is still whole.
        ed.platform.Report(SaveCancelledText);
        return;
    }
    failures.insert(failures.end(), copies.Failures().begin(), copies.Failures().end());
    std::unordered_set<std::string> placed;
    for (const CopyJob& job : jobs) placed.insert(job.Source);
    for (const Failure& f : copies.Failures()) placed.erase(f.Source);

    try {
        WriteFileReplacing(prj.PrjFileName, text);
    } catch (const Error& e) {
        if (failures.empty()) throw;
        throw Error(std::string(e.what()) + "\nThese files could not be copied into the project folder either:" +
                    FailureList(failures));
    }
    keep.Saved();
    UseFolderCopies(ed, placed);
    RemoveStaleTemporaries(prj.PrjDir);
    ed.Edits.MarkSaved(prj);
    RememberRecentProject(ed.platform, prj.PrjFileName);
    std::string message = failures.empty() ? "Save completed!" : PartialMessage(failures);
    if (std::string more = afterword ? afterword(ed) : std::string(); !more.empty()) message += "\n" + more;
    ed.platform.Report(message);
}

void TBtnSavePrjClick(Editor& ed, const SaveAfterword& afterword) {
    ed.SaveAsMode = ed.Prj->PrjFileName.empty();
    SaveThenCleanUp(ed, afterword);
}

void Saveas1Click(Editor& ed, const SaveAfterword& afterword) {
    ed.SaveAsMode = true;
    SaveThenCleanUp(ed, afterword);
}

}  // namespace kestrel
