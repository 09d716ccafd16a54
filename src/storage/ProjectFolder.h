#pragma once
// The project folder: the file list of a section and the copies of its media files.

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

// Rebuilds the file list of section `index` from its sub window playlists and renumbers
// the entries' FileIndex; returns the copies of its sub window files into prj.PrjDir,
// in playlist order, without making them.
std::vector<CopyJob> RebuildFileList(Project& prj, int index);

// Rebuilds the file list of the current section and copies its sub window files
// into the project folder. While the project has no file name there is no project
// folder yet, and nothing is copied. Failed copies are not reported here; the save
// reports them.
void RefreshFileList(Editor& ed);

}  // namespace kestrel
