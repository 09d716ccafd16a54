// The check on a small project in a real folder: one clean section, then one fault at
// a time.
#include "check/ProjectCheck.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>

#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace kestrel {
namespace {

using test::TempDir;
using test::WriteBytes;
namespace fs = std::filesystem;

// The whole day, a main window and a sub window with one file each, a background; every
// file in the folder beside the project file and a Thumbs.db.
struct CleanProject {
    TempDir dir;
    Project prj;

    CleanProject() {
        prj.PrjDir = dir.Dir();
        prj.PrjFileName = dir / "PLAN.XML";
        prj.TimeCount = 1;
        TTimePLData& s = prj.TimePL[0];
        s.StartTime = 0;
        s.EndTime = 2359;
        s.MainWin = {};
        s.MainWin.Width = 960, s.MainWin.Height = 768, s.MainWin.PLCount = 1;
        s.MainWin.PL[0] = {1, 50, dir / "intro.mp4"};
        s.SubWinCount = 1;
        s.FileList = {"pic1.jpg"};
        TSubWinData& w = s.SubWin[1];
        w.Left = 960, w.Width = 400, w.Height = 300, w.PLCount = 1;
        w.PL[0] = {0, 1, dir / "pic1.jpg"};
        s.BGFile = dir / "back.jpg";
        for (const char* name : {"PLAN.XML", "intro.mp4", "pic1.jpg", "back.jpg", "Thumbs.db"})
            WriteBytes(dir / name, "12345");
    }
    std::vector<std::string> Lines(const CheckOptions& options = {}) const {
        std::vector<std::string> lines;
        for (const Finding& f : CheckProject(prj, options).Findings) lines.push_back(f.Line());
        return lines;
    }
};

TEST(ProjectCheck, CleanProjectHasNoFindingsAndCountsEachFileOnce) {
    CleanProject p;
    p.prj.TimePL[0].SubWin[1].PL[1] = {0, 1, p.dir / "pic1.jpg"};
    p.prj.TimePL[0].SubWin[1].PLCount = 2;
    const CheckReport report = CheckProject(p.prj);
    EXPECT_TRUE(report.Findings.empty()) << report.Findings[0].Line();
    EXPECT_EQ(report.MediaBytes, 15u);  // intro.mp4, pic1.jpg, back.jpg
    EXPECT_EQ(report.Problems(), 0);
}

struct FaultCase {
    const char* name;
    std::function<void(CleanProject&)> fault;
    std::vector<std::string> lines;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class OneFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(OneFault, IsReportedWhereItApplies) {
    CleanProject p;
    GetParam().fault(p);
    EXPECT_EQ(p.Lines(), GetParam().lines);
}

void Remove(CleanProject& p, const char* name) { fs::remove(p.dir / name); }

// A second section like the first, at other times.
void AddSection(CleanProject& p, int start, int end) {
    TTimePLData& s = p.prj.TimePL[p.prj.TimeCount++];
    s = p.prj.TimePL[0];
    s.StartTime = start;
    s.EndTime = end;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, OneFault,
    ::testing::Values(
        FaultCase{"MissingMedia", [](CleanProject& p) { Remove(p, "pic1.jpg"); },
                  {"error: 00:00 -- 23:59, SubWin1, entry 1: pic1.jpg is not in the project folder"}},
        FaultCase{"UnreadableMedia",
                  [](CleanProject& p) {
                      Remove(p, "intro.mp4");
                      fs::create_directory(p.dir / "intro.mp4");
                  },
                  {"error: 00:00 -- 23:59, Main Window, entry 1: intro.mp4 cannot be read"}},
        FaultCase{"EmptyMedia", [](CleanProject& p) { WriteBytes(p.dir / "back.jpg", ""); },
                  {"error: 00:00 -- 23:59, background: back.jpg is empty (0 bytes)"}},
        FaultCase{"EntryWithoutFile",
                  [](CleanProject& p) { p.prj.TimePL[0].MainWin.PL[0].FileName = p.prj.PrjDir; },
                  {"error: 00:00 -- 23:59, Main Window, entry 1: names no file",
                   "note: intro.mp4: no entry or background names it"}},
        FaultCase{"WindowBeyondTheRightEdge", [](CleanProject& p) { p.prj.TimePL[0].SubWin[1].Left = 961; },
                  {"warning: 00:00 -- 23:59, SubWin1: reaches beyond the 1360 x 768 display (at 961, 0, 400 x 300)"}},
        FaultCase{"WindowAboveTheTop", [](CleanProject& p) { p.prj.TimePL[0].MainWin.Top = -1; },
                  {"warning: 00:00 -- 23:59, Main Window: reaches beyond the 1360 x 768 display (at 0, -1, 960 x 768)"}},
        FaultCase{"WindowFarOutDoesNotWrapAround",
                  [](CleanProject& p) { p.prj.TimePL[0].SubWin[1].Left = INT_MAX - 100; },
                  {"warning: 00:00 -- 23:59, SubWin1: reaches beyond the 1360 x 768 display (at 2147483547, 0, 400 x 300)"}},
        FaultCase{"WindowWithoutWidth", [](CleanProject& p) { p.prj.TimePL[0].SubWin[1].Width = 0; },
                  {"warning: 00:00 -- 23:59, SubWin1: has no area (0 x 300)"}},
        FaultCase{"WindowWithNegativeHeight", [](CleanProject& p) { p.prj.TimePL[0].MainWin.Height = -5; },
                  {"warning: 00:00 -- 23:59, Main Window: has no area (960 x -5)"}},
        FaultCase{"NoMainPlaylist", [](CleanProject& p) { p.prj.TimePL[0].MainWin.PLCount = 0; },
                  {"warning: 00:00 -- 23:59, Main Window: has no entries",
                   "note: intro.mp4: no entry or background names it"}},
        FaultCase{"SectionsOverlap", [](CleanProject& p) { AddSection(p, 1000, 1100); },
                  {"warning: 00:00 -- 23:59: shares 10:00 to 11:00 with 10:00 -- 11:00"}},
        FaultCase{"TouchingSectionsDoNotOverlap",
                  [](CleanProject& p) {
                      p.prj.TimePL[0].EndTime = 1200;
                      AddSection(p, 1200, 2359);
                  },
                  {}},
        FaultCase{"DayGaps",
                  [](CleanProject& p) {
                      p.prj.TimePL[0].StartTime = 800;
                      p.prj.TimePL[0].EndTime = 1130;
                      AddSection(p, 1200, 2200);
                  },
                  {"note: 00:00 -- 08:00: nothing on air", "note: 11:30 -- 12:00: nothing on air",
                   "note: 22:00 -- 24:00: nothing on air"}},
        FaultCase{"UnusedFile",
                  [](CleanProject& p) {
                      WriteBytes(p.dir / "old.jpg", "x");
                      fs::create_directory(p.dir / "sub");  // a folder is no file
                  },
                  {"note: old.jpg: no entry or background names it"}},
        FaultCase{"ALineBreakInAFileNameStaysInItsLine",
                  [](CleanProject& p) { WriteBytes(p.dir / "x\nerror: 00:00 -- 23:59: fake", "x"); },
                  {"note: x\\x0Aerror: 00:00 -- 23:59: fake: no entry or background names it"}},
        FaultCase{"SubWindowsBeyondTheCountAreNotLookedAt",
                  [](CleanProject& p) {
                      p.prj.TimePL[0].SubWin[2].PLCount = 1;
                      p.prj.TimePL[0].SubWin[2].PL[0] = {0, 1, p.dir / "gone.jpg"};
                  },
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectCheck, BeforeSavingLooksWhereTheEntriesPoint) {
    CleanProject p;
    TempDir elsewhere;
    WriteBytes(elsewhere / "intro.mp4", "1234567");
    p.prj.TimePL[0].MainWin.PL[0].FileName = elsewhere / "intro.mp4";
    p.prj.TimePL[0].SubWin[1].PL[0].FileName = elsewhere / "pic1.jpg";  // only in the folder
    WriteBytes(p.dir / "old.jpg", "x");

    const CheckReport report = CheckProject(p.prj, {1360, 768, false});
    ASSERT_EQ(report.Findings.size(), 1u);  // no folder is looked through for unused files
    const Finding& f = report.Findings[0];
    EXPECT_EQ(f.Line(), "error: 00:00 -- 23:59, SubWin1, entry 1: " + (elsewhere / "pic1.jpg") + " is not there");
    EXPECT_EQ(f.File, elsewhere / "pic1.jpg");
    EXPECT_EQ(report.MediaBytes, 12u);  // the intro found elsewhere and the background
}

TEST(ProjectCheck, FindingsKnowTheirSectionWindowAndEntry) {
    CleanProject p;
    AddSection(p, 0, 2359);
    TSubWinData& w = p.prj.TimePL[1].SubWin[1];
    w.PLCount = 3;
    w.PL[1] = w.PL[0];
    w.PL[2] = {0, 1, p.dir / "gone.jpg"};
    const CheckReport report = CheckProject(p.prj, {});
    const auto missing = std::find_if(report.Findings.begin(), report.Findings.end(),
                                      [](const Finding& f) { return f.Code == "missing-media"; });
    ASSERT_NE(missing, report.Findings.end());
    EXPECT_EQ(missing->Section, 1);
    EXPECT_EQ(missing->Window, 1);
    EXPECT_EQ(missing->Entry, 3);
    EXPECT_EQ(missing->File, "gone.jpg");
    EXPECT_EQ(report.Problems(), 2);  // the missing file, and the two sections overlapping once
}

// The editor's check: where files are looked for follows the project's state, and the
// display is the editor's.
TEST(EditorCheck, LooksWhereTheEntriesPointUntilTheFirstSave) {
    CleanProject p;
    TempDir media;
    WriteBytes(media / "clip.mp4", "clip");
    FakePlatform platform;
    Editor ed(platform);
    *ed.Prj = p.prj;
    ed.Prj->PrjFileName.clear();
    ed.Prj->TimePL[0].MainWin.PL[0].FileName = media / "clip.mp4";
    ed.Prj->TimePL[0].SubWin[1].Left = 1500;  // inside a wider display
    ed.Display.DisplayWidth = 1920;
    EXPECT_EQ(CheckProject(ed).Problems(), 0);
    EXPECT_EQ(SavedCheckLine(ed), "");

    ed.Prj->PrjFileName = p.prj.PrjFileName;  // saved: the copy belongs in the folder
    ASSERT_EQ(CheckProject(ed).Problems(), 1);
    EXPECT_EQ(CheckProject(ed).Findings[0].Code, "missing-media");
    EXPECT_EQ(SavedCheckLine(ed), "Check Project found 1 problems.");
}

}  // namespace
}  // namespace kestrel
