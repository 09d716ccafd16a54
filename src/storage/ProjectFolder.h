#pragma once
// The project folder: the file list of a section and the copies of its media files.

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "model/Editor.h"

namespace kestrel {

// One planned copy into the project folder.
struct CopyJob {
    std::string Source;
    std::string Destination;
    bool Replace = true;  // false: an existing destination is kept (backgrounds)
};

// Why path cannot join the project (a name the project file cannot carry, or a name
// clash as NameClash tells), or nullopt when it can.
std::optional<std::string> AddFileRefusal(const Project& prj, const std::string& path,
                                          const std::vector<std::string>& pending = {});

// Rebuilds the file list of section `index` from its sub window playlists and renumbers
// the entries' FileIndex; returns the copies of its sub window files into prj.PrjDir,
// in playlist order, without making them.
std::vector<CopyJob> RebuildFileList(Project& prj, int index);

// Whether a section's file list is what a rebuild would make of it: every sub window
// entry's index names its own file (letters a to z compared without regard to case) and
// every name in the list is used, so that no file a deleted window or entry played is
// saved in the list.
bool FileListFits(const TTimePLData& rec);

// A copy that a save could not make, with the reason as the save lists it.
struct CopyFailure {
    std::string Source;
    std::string Reason;  // ": " and the system's reason, or " would replace ..."
};

// Calls fn with every file path a section names: its background, its main window's
// entries and its listed sub windows' entries, in that order.
template <class R, class Fn>
void ForEachSectionFile(R& rec, Fn fn) {
    fn(rec.BGFile);
    for (int k = 0; k < std::clamp(rec.MainWin.PLCount, 0, MaxPLIndex + 1); ++k) fn(rec.MainWin.PL[k].FileName);
    for (int j = 1; j <= std::min(rec.SubWinCount, MaxSubWin); ++j)
        for (int k = 0; k < std::clamp(rec.SubWin[j].PLCount, 0, MaxPLIndex + 1); ++k)
            fn(rec.SubWin[j].PL[k].FileName);
}

// Calls fn with every file path the listed sections name, section by section.
template <class P, class Fn>
void ForEachProjectFile(P& prj, Fn fn) {
    int sections = std::clamp(prj.TimeCount, 0, MaxTimeIndex + 1);
    for (int i = 0; i < sections; ++i) ForEachSectionFile(prj.TimePL[i], fn);
}

// Takes out of a plan every copy that would land on the copy of a different file (or
// on the project file) and returns them; the first file of a name keeps the name.
std::vector<CopyFailure> TakeOutClashes(std::vector<CopyJob>& jobs, const std::string& projectFile);

// Whether copying b into the project folder over a copy of a would change nothing:
// the same file, or one the copy takes as unchanged (same size, times within what the
// stores keep).
bool SameForCopy(const std::string& a, const std::string& b);

// When the copy of path would land on the copy of a different file the project already
// names (its bare name compared as the folder copy is, or equal to the project file's),
// the message refusing it; nullopt when it can be added. pending holds files about to
// join the project (rows of an editor not yet stored).
std::optional<std::string> NameClash(const Project& prj, const std::string& path,
                                     const std::vector<std::string>& pending = {});

// Rebuilds the file list of the current section and copies its sub window files
// into the project folder. While the project has no file name there is no project
// folder yet, and nothing is copied. Failed copies are not reported here; the save
// reports them.
void RefreshFileList(Editor& ed);

}  // namespace kestrel
