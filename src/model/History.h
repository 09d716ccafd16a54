#pragma once
// The edit history: every edit of the project is one named step that can be undone and
// redone. A step holds the time sections as shared, immutable records; a new step copies
// only the sections the edit changed and shares the others with the step before, so a
// long history costs little more than the sections it touched.

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/Project.h"

namespace kestrel {

struct Editor;

// The part of the project an undo gives back: the section records and how many are listed.
// The file name and folder are no edit and stay as they are.
struct ProjectState {
    std::array<std::shared_ptr<const TTimePLData>, MaxTimeIndex + 1> TimePL;
    int TimeCount = 0;
};

// Whether two sections hold the same work. Markers are display state and file lists are
// rebuilt from the playlists, so neither counts.
bool SameSectionContent(const TTimePLData& a, const TTimePLData& b);

class History {
public:
    static constexpr size_t MaxSteps = 100;

    struct Step {
        std::string Name;    // "Move SubWin2"
        ProjectState State;  // the project after the edit
        int Section = -1;    // the section and window the edit changed: shown after undo and redo
        int Window = 0;
    };

    History();

    // Forgets every step: the project as it is now is where the history starts, and saved.
    void Reset(const Project& prj);
    // Adds the project as it is now as a step named `name` when it differs from the current
    // step; `section` and `window` are what to show when nothing tells them. Forgets the
    // steps that could be redone. True when a step was added. A step with a merge key
    // joins the step before it when that one was recorded last with the same key (a
    // held arrow key is one step); a joined step that comes back to where it began goes.
    bool Record(const Project& prj, const std::string& name, int section, int window,
                const std::string& mergeKey = {});
    // Gives the files of every step's sections the names `rename` gives them, keeping
    // what the steps share: a save that moved the project onto its folder's copies
    // moves undo and redo there too.
    void RenameFiles(const std::function<void(TTimePLData&)>& rename);
    // The project as it is now was written to its file.
    void MarkSaved(const Project& prj);
    bool DiffersFromSaved(const Project& prj) const;

    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ + 1 < steps_.size(); }
    std::string UndoName() const { return CanUndo() ? steps_[current_].Name : std::string(); }
    std::string RedoName() const { return CanRedo() ? steps_[current_ + 1].Name : std::string(); }
    // One step back or forward: the step undone or redone, or null when there is none.
    // Current() is then the state to give the project.
    const Step* Undo();
    const Step* Redo();
    const ProjectState& Current() const { return steps_[current_].State; }
    size_t StepCount() const { return steps_.size() - 1; }

private:
    std::deque<Step> steps_;  // steps_[0] is where the history starts
    size_t current_ = 0;
    ProjectState saved_;
    std::string mergeKey_;  // the key of the step recorded last, until anything else happens
};

// The project's state, sharing with `base` every section whose content is there already.
ProjectState Capture(const Project& prj, const ProjectState& base);
// Gives the project the sections of `state` that differ from it, keeping the markers the
// display owns; returns the records replaced.
std::vector<int> Restore(Project& prj, const ProjectState& state);

// Records the edit that just ended as one step (the call at the end of each edit);
// consecutive edits with the same merge key are one step.
void RecordEdit(Editor& ed, const std::string& name, const std::string& mergeKey = {});
// New and Open start a fresh history; a save marks the saved state.
void StartHistory(Editor& ed);
// The project differs from what was last opened, saved or started with New.
bool HasUnsavedChanges(const Editor& ed);
// The project file's bare name, "Untitled" before the first save.
std::string TitleName(const Editor& ed);

}  // namespace kestrel
