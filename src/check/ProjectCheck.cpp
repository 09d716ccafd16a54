#include "check/ProjectCheck.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "check/Schedule.h"
#include "model/Paths.h"

namespace kestrel {

namespace fs = std::filesystem;

namespace {

enum class FileState { Missing, Unreadable, Empty, Present };

struct FileFacts {
    FileState State = FileState::Missing;
    std::uintmax_t Size = 0;
};

FileFacts Inspect(const std::string& path) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (st.type() == fs::file_type::not_found) return {FileState::Missing};
    if (ec || !fs::is_regular_file(st)) return {FileState::Unreadable};
    const std::uintmax_t size = fs::file_size(path, ec);
    std::ifstream in(path, std::ios::binary);
    if (ec || !in) return {FileState::Unreadable};
    if (size == 0) return {FileState::Empty};
    char byte;
    if (!in.get(byte)) return {FileState::Unreadable};
    return {FileState::Present, size};
}

class Checker {
public:
    Checker(const Project& prj, const CheckOptions& options) : prj_(prj), options_(options) {}

    CheckReport Run() {
        for (int i = 0; i < ListedSections(prj_); ++i) Section(i);
        Day();
        if (options_.InProjectFolder) UnusedFiles();
        return std::move(report_);
    }

private:
    Finding& Add(Level level, const char* code, int section, std::string message) {
        Finding f;
        f.level = level;
        f.Code = code;
        f.Section = section;
        if (section >= 0) f.SectionText = SectionText(prj_.TimePL[section].StartTime, prj_.TimePL[section].EndTime);
        f.Message = std::move(message);
        report_.Findings.push_back(std::move(f));
        return report_.Findings.back();
    }

    void Section(int i) {
        const TTimePLData& rec = prj_.TimePL[i];
        Window(i, 0, rec.MainWin);
        if (rec.MainWin.PLCount <= 0) Add(Level::Warning, "no-main-playlist", i, "has no entries").Window = 0;
        for (int j = 1; j <= std::min(rec.SubWinCount, MaxSubWin); ++j) Window(i, j, rec.SubWin[j]);
        if (!rec.BGFile.empty()) File(i, -1, 0, rec.BGFile);
    }

    template <class Win>
    void Window(int section, int window, const Win& win) {
        const std::string size = std::to_string(win.Width) + " x " + std::to_string(win.Height);
        if (win.Width <= 0 || win.Height <= 0) {
            Add(Level::Warning, "window-empty", section, "has no area (" + size + ")").Window = window;
        } else if (win.Left < 0 || win.Top < 0 ||
                   std::int64_t{win.Left} + win.Width > options_.DisplayWidth ||
                   std::int64_t{win.Top} + win.Height > options_.DisplayHeight) {
            Add(Level::Warning, "window-outside-display", section,
                "reaches beyond the " + std::to_string(options_.DisplayWidth) + " x " +
                    std::to_string(options_.DisplayHeight) + " display (at " + std::to_string(win.Left) + ", " +
                    std::to_string(win.Top) + ", " + size + ")")
                .Window = window;
        }
        for (int k = 0; k < std::clamp(win.PLCount, 0, MaxPLIndex + 1); ++k)
            File(section, window, k + 1, win.PL[k].FileName);
    }

    // One file the project names, at one place (window -1: the background).
    void File(int section, int window, int entry, const std::string& fileName) {
        const std::string bare = BareName(fileName);
        named_.insert(bare);
        const std::string path = options_.InProjectFolder ? prj_.PrjDir + bare : fileName;
        const std::string shown = options_.InProjectFolder ? bare : fileName;
        auto place = [&](Finding& f) {
            f.Window = window;
            f.Entry = entry;
            f.Background = window < 0;
            f.File = shown;
        };
        if (bare.empty()) {
            place(Add(Level::Error, "missing-media", section, "names no file"));
            return;
        }
        auto [it, isNew] = facts_.try_emplace(path);
        if (isNew) {
            it->second = Inspect(path);
            report_.MediaBytes += it->second.Size;
        }
        switch (it->second.State) {
            case FileState::Missing:
                place(Add(Level::Error, "missing-media", section,
                          shown + (options_.InProjectFolder ? " is not in the project folder" : " is not there")));
                break;
            case FileState::Unreadable:
                place(Add(Level::Error, "unreadable-media", section, shown + " cannot be read"));
                break;
            case FileState::Empty:
                place(Add(Level::Error, "empty-media", section, shown + " is empty (0 bytes)"));
                break;
            case FileState::Present:
                break;
        }
    }

    void Day() {
        const DaySchedule day = ScheduleOf(prj_);
        for (const Overlap& o : day.Overlaps) {
            const TTimePLData& other = prj_.TimePL[o.Second];
            Add(Level::Warning, "sections-overlap", o.First,
                "shares " + MinuteText(o.Start) + " to " + MinuteText(o.End) + " with " +
                    SectionText(other.StartTime, other.EndTime));
        }
        for (const Stretch& g : day.Gaps) Add(Level::Note, "day-gap", -1, "nothing on air").SectionText = StretchText(g.Start, g.End);
    }

    void UnusedFiles() {
        std::error_code ec;
        std::set<std::string> unused;  // in name order
        // A project file named without a folder lies in the current one.
        const fs::path folder = prj_.PrjDir.empty() ? fs::path(".") : fs::path(prj_.PrjDir);
        for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
            std::error_code typeEc;
            if (!e.is_regular_file(typeEc)) continue;
            const std::string name = e.path().filename().string();
            if (named_.count(name) || name == BareName(prj_.PrjFileName) || AsciiUpper(name) == "THUMBS.DB") continue;
            unused.insert(name);
        }
        for (const std::string& name : unused)
            Add(Level::Note, "unused-file", -1, "no entry or background names it").File = name;
    }

    const Project& prj_;
    CheckOptions options_;
    CheckReport report_;
    std::map<std::string, FileFacts> facts_;  // by the path looked at: each file is read once
    std::set<std::string> named_;             // bare names of every file the project names
};

}  // namespace

const char* LevelName(Level level) {
    switch (level) {
        case Level::Error: return "error";
        case Level::Warning: return "warning";
        case Level::Note: return "note";
    }
    return "note";
}

std::string Finding::Where() const {
    std::vector<std::string> parts;
    if (!SectionText.empty()) parts.push_back(SectionText);
    if (Window >= 0) parts.push_back(WindowName(Window));
    if (Background) parts.push_back("background");
    if (Entry > 0) parts.push_back("entry " + std::to_string(Entry));
    if (parts.empty() && !File.empty()) parts.push_back(File);
    std::string where;
    for (const std::string& p : parts) where += (where.empty() ? "" : ", ") + p;
    return where;
}

namespace {

// A file in the folder may have any name, a line break in it too: shown as "\x0A", it
// cannot start a line of its own that a script would read as another finding.
std::string OneLine(const std::string& text) {
    static const char* const hex = "0123456789ABCDEF";
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) line += c;
        else line += std::string("\\x") + hex[byte >> 4] + hex[byte & 0xF];
    }
    return line;
}

}  // namespace

std::string Finding::Line() const { return OneLine(std::string(LevelName(level)) + ": " + Where() + ": " + Message); }

int CheckReport::Problems() const {
    return static_cast<int>(std::count_if(Findings.begin(), Findings.end(),
                                          [](const Finding& f) { return f.level != Level::Note; }));
}

std::string CheckReport::Summary() const {
    if (Findings.empty()) return "No problems found.";
    std::string text;
    for (Level level : {Level::Error, Level::Warning, Level::Note}) {
        const auto n = std::count_if(Findings.begin(), Findings.end(), [&](const Finding& f) { return f.level == level; });
        if (n == 0) continue;
        text += (text.empty() ? "" : ", ") + std::to_string(n) + " " + LevelName(level) + (n == 1 ? "" : "s");
    }
    return text;
}

CheckReport CheckProject(const Project& prj, const CheckOptions& options) { return Checker(prj, options).Run(); }

CheckReport CheckProject(const Editor& ed) {
    return CheckProject(*ed.Prj, {ed.Display.DisplayWidth, ed.Display.DisplayHeight, !ed.Prj->PrjFileName.empty()});
}

std::string SavedCheckLine(const Editor& ed) {
    const int problems = CheckProject(ed).Problems();
    return problems > 0 ? "Check Project found " + std::to_string(problems) + " problems." : std::string();
}

}  // namespace kestrel
