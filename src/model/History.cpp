#include "model/History.h"

#include <map>

#include "model/Editor.h"
#include "model/Paths.h"

namespace kestrel {

namespace {

template <class Win>
bool SameWindow(const Win& a, const Win& b) {
    if (a.Left != b.Left || a.Top != b.Top || a.Width != b.Width || a.Height != b.Height ||
        a.PLCount != b.PLCount)
        return false;
    // Entries past the count are compared too: a later, larger count brings them back.
    for (size_t k = 0; k < a.PL.size(); ++k) {
        const auto& x = a.PL[k];
        const auto& y = b.PL[k];
        if constexpr (std::is_same_v<Win, TMainWinData>) {
            if (x.Interval != y.Interval || x.Vol != y.Vol || x.FileName != y.FileName) return false;
        } else {
            if (x.Times != y.Times || x.FileName != y.FileName) return false;
        }
    }
    return true;
}

// The first window of a section that an edit changed: 0 the main window, 1..10 a sub
// window slot, -1 none.
int FirstChangedWindow(const TTimePLData& a, const TTimePLData& b) {
    if (!SameWindow(a.MainWin, b.MainWin)) return 0;
    for (size_t j = 1; j < a.SubWin.size(); ++j)
        if (!SameWindow(a.SubWin[j], b.SubWin[j])) return static_cast<int>(j);
    return -1;
}

bool SameState(const Project& prj, const ProjectState& state) {
    if (prj.TimeCount != state.TimeCount) return false;
    for (size_t i = 0; i < prj.TimePL.size(); ++i)
        if (!SameSectionContent(prj.TimePL[i], *state.TimePL[i])) return false;
    return true;
}

// Whether a record kept by the history can stand for the live section. Its file list
// counts here: an undo that brings the record back gives the list back too, and a list
// rebuilt after the step was taken must not come back as it was before.
bool SameRecord(const TTimePLData& live, const TTimePLData& kept) {
    return SameSectionContent(live, kept) && live.FileList == kept.FileList;
}

}  // namespace

bool SameSectionContent(const TTimePLData& a, const TTimePLData& b) {
    if (&a == &b) return true;
    if (a.StartTime != b.StartTime || a.EndTime != b.EndTime || a.SubWinCount != b.SubWinCount ||
        a.BGFile != b.BGFile)
        return false;
    return FirstChangedWindow(a, b) < 0;
}

ProjectState Capture(const Project& prj, const ProjectState& base) {
    ProjectState state;
    state.TimeCount = prj.TimeCount;
    for (size_t i = 0; i < prj.TimePL.size(); ++i) {
        const TTimePLData& live = prj.TimePL[i];
        if (base.TimePL[i] && SameRecord(live, *base.TimePL[i])) {
            state.TimePL[i] = base.TimePL[i];
            continue;
        }
        // Deleting a section moves the later ones up a place: share them where they were.
        for (const auto& other : base.TimePL)
            if (other && SameRecord(live, *other)) {
                state.TimePL[i] = other;
                break;
            }
        if (!state.TimePL[i]) state.TimePL[i] = std::make_shared<const TTimePLData>(live);
    }
    return state;
}

std::vector<int> Restore(Project& prj, const ProjectState& state) {
    std::vector<int> replaced;
    for (size_t i = 0; i < prj.TimePL.size(); ++i) {
        TTimePLData& live = prj.TimePL[i];
        if (SameSectionContent(live, *state.TimePL[i])) continue;
        std::optional<Shape> mainShape = std::move(live.MainWin.Shape);
        live = *state.TimePL[i];
        live.MainWin.Shape = std::move(mainShape);
        for (auto& sub : live.SubWin) sub.Shape.reset();  // made again when the section is shown
        replaced.push_back(static_cast<int>(i));
    }
    prj.TimeCount = state.TimeCount;
    return replaced;
}

// Until the editor starts it, the history holds one empty project.
History::History() {
    ProjectState empty;
    empty.TimePL.fill(std::make_shared<const TTimePLData>());
    steps_.push_back({"", empty, -1, 0});
    saved_ = empty;
}

void History::Reset(const Project& prj) {
    mergeKey_.clear();
    steps_.clear();
    steps_.push_back({"", Capture(prj, {}), prj.CurTimeIndex, 0});
    current_ = 0;
    saved_ = steps_.front().State;
}

bool History::Record(const Project& prj, const std::string& name, int section, int window,
                     const std::string& mergeKey) {
    const bool merge = !mergeKey.empty() && mergeKey == mergeKey_ && current_ > 0 && current_ + 1 == steps_.size();
    mergeKey_ = mergeKey;
    if (merge) {
        Step& top = steps_[current_];
        const ProjectState& before = steps_[current_ - 1].State;
        if (SameState(prj, before)) {
            steps_.pop_back();
            --current_;
            mergeKey_.clear();
        } else {
            top.State = Capture(prj, before);
        }
        return false;
    }
    const Step& top = steps_[current_];
    if (SameState(prj, top.State)) return false;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, steps_.end());
    Step step{name, Capture(prj, top.State), section, window};
    for (size_t i = 0; i < prj.TimePL.size(); ++i) {
        if (SameSectionContent(*step.State.TimePL[i], *top.State.TimePL[i])) continue;
        step.Section = static_cast<int>(i);
        const int changed = FirstChangedWindow(*step.State.TimePL[i], *top.State.TimePL[i]);
        if (changed >= 0) step.Window = changed;
        break;
    }
    steps_.push_back(std::move(step));
    ++current_;
    if (steps_.size() > MaxSteps + 1) {
        steps_.pop_front();
        --current_;
    }
    return true;
}

void History::RenameFiles(const std::function<void(TTimePLData&)>& rename) {
    // Each shared section is renamed once; the original is held so its address stays its own.
    std::map<const TTimePLData*, std::pair<std::shared_ptr<const TTimePLData>, std::shared_ptr<const TTimePLData>>>
        renamed;
    auto renameState = [&](ProjectState& state) {
        for (auto& section : state.TimePL) {
            auto [it, fresh] = renamed.try_emplace(section.get(), section, section);
            if (fresh) {
                TTimePLData copy = *section;
                rename(copy);
                if (!SameSectionContent(copy, *section))
                    it->second.second = std::make_shared<const TTimePLData>(std::move(copy));
            }
            section = it->second.second;
        }
    };
    for (Step& s : steps_) renameState(s.State);
    renameState(saved_);
}

// A save ends a run of merged steps: what was saved stays a step of its own.
void History::MarkSaved(const Project& prj) {
    saved_ = Capture(prj, Current());
    mergeKey_.clear();
}

bool History::DiffersFromSaved(const Project& prj) const { return !SameState(prj, saved_); }

const History::Step* History::Undo() {
    mergeKey_.clear();
    if (!CanUndo()) return nullptr;
    return &steps_[current_--];
}

const History::Step* History::Redo() {
    mergeKey_.clear();
    if (!CanRedo()) return nullptr;
    return &steps_[++current_];
}

void RecordEdit(Editor& ed, const std::string& name, const std::string& mergeKey) {
    ed.Edits.Record(*ed.Prj, name, ed.Prj->CurTimeIndex, ed.PLWinIndex(), mergeKey);
}

void StartHistory(Editor& ed) { ed.Edits.Reset(*ed.Prj); }

bool HasUnsavedChanges(const Editor& ed) { return ed.Edits.DiffersFromSaved(*ed.Prj); }

std::string TitleName(const Editor& ed) {
    return ed.Prj->PrjFileName.empty() ? "Untitled" : BareName(ed.Prj->PrjFileName);
}

}  // namespace kestrel
