#pragma once
// The Save and Save as commands.

#include <functional>
#include <string>
#include <vector>

#include "model/Editor.h"
#include "storage/ProjectFolder.h"

namespace kestrel {

inline constexpr const char* SaveDialogFilter = "XML file (*.XML)|*.XML";
inline constexpr const char* SaveCancelledText =
    "Save cancelled. The project file was not written; the files copied so far stay in the "
    "project folder.";

// A line the closing message gains after a save (empty for none), from the project
// as saved.
using SaveAfterword = std::function<std::string(const Editor&)>;

void TBtnSavePrjClick(Editor& ed, const SaveAfterword& afterword = {});  // Save
void Saveas1Click(Editor& ed, const SaveAfterword& afterword = {});      // Save as
void SavePrjClick(Editor& ed, const SaveAfterword& afterword = {});      // the save procedure both share

// The chosen path with ".XML" appended unless its bare name, in capitals, contains it.
std::string WithXmlExtension(const std::string& path);

// Every copy of a save, in order: the current section's sub window files (its file list
// rebuilt), the other sections' sub window files, the backgrounds (kept when present),
// the main window files.
std::vector<CopyJob> SaveCopyPlan(Project& prj);

}  // namespace kestrel
