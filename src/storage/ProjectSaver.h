#pragma once
// The Save and Save as commands.

#include <string>
#include <vector>

#include "model/Editor.h"
#include "storage/ProjectFolder.h"

namespace kestrel {

inline constexpr const char* SaveDialogFilter = "XML file (*.XML)|*.XML";
inline constexpr const char* SaveCancelledText =
    "Save cancelled. The project file was not written; the files copied so far stay in the "
    "project folder.";

void TBtnSavePrjClick(Editor& ed);  // Save
void Saveas1Click(Editor& ed);      // Save as
void SavePrjClick(Editor& ed);      // the save procedure both share

// The chosen path with ".XML" appended unless its bare name, in capitals, contains it.
std::string WithXmlExtension(const std::string& path);

// Every copy of a save, in order: the current section's sub window files (its file list
// rebuilt), the other sections' sub window files, the backgrounds (kept when present),
// the main window files.
std::vector<CopyJob> SaveCopyPlan(Project& prj);

}  // namespace kestrel
