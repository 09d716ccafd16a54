#pragma once
// The check of a project before its folder goes to the player: files that are missing,
// unreadable or empty, windows off the display or without area, sections without a main
// playlist, sections that share time, stretches of the day with nothing on air, and
// files in the project folder that nothing names.

#include <cstdint>
#include <string>
#include <vector>

#include "model/Editor.h"
#include "model/Project.h"

namespace kestrel {

enum class Level { Error, Warning, Note };

// "error", "warning", "note".
const char* LevelName(Level level);

struct Finding {
    Level level = Level::Note;
    std::string Code;         // stable: "missing-media", "day-gap", ...
    int Section = -1;         // record index, -1 for none
    std::string SectionText;  // "08:30 -- 12:00"; for a day gap the stretch nothing covers
    int Window = -1;          // 0 main window, 1 to 8 sub window, -1 none
    int Entry = 0;            // playlist entry from 1; 0 for none
    bool Background = false;  // about the section's background picture
    std::string File;         // the file as looked for
    std::string Message;

    // "08:30 -- 12:00, SubWin2, entry 3"; the file when nothing else places it.
    std::string Where() const;
    // "error: WHERE: MESSAGE"
    std::string Line() const;
};

struct CheckOptions {
    int DisplayWidth = 1360;
    int DisplayHeight = 768;
    // Look for each file in the project folder under its bare name (a saved project),
    // rather than where its entry points (before the first save). Files in the folder
    // that nothing names are looked for only then.
    bool InProjectFolder = true;
};

struct CheckReport {
    std::vector<Finding> Findings;
    std::uintmax_t MediaBytes = 0;  // the size of every distinct file found, once

    // Errors and warnings: what stands between the folder and the player.
    int Problems() const;
    // "1 error, 2 warnings, 3 notes", or "No problems found." without findings.
    std::string Summary() const;
};

CheckReport CheckProject(const Project& prj, const CheckOptions& options = {});
// The project as it is in the editor, on the editor's display: before the first save
// files are looked for where the entries point, after it in the project folder.
CheckReport CheckProject(const Editor& ed);
// The line a save's closing message gains when the saved project has problems: empty
// when it has none.
std::string SavedCheckLine(const Editor& ed);

}  // namespace kestrel
