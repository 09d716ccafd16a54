// A new section that starts as a copy of a listed one ("Copy layout from").
#include "SectionFixture.h"
#include "layout/WindowList.h"

namespace kestrel {
namespace {

// A section's layout as text: windows, playlists, file list and background, not its
// times nor its markers.
std::string Layout(const TTimePLData& r) {
    std::ostringstream o;
    auto rect = [&](const auto& w) { o << w.Left << "," << w.Top << "," << w.Width << "," << w.Height << "/" << w.PLCount; };
    rect(r.MainWin);
    for (int k = 0; k <= MaxPLIndex; ++k)
        o << " " << r.MainWin.PL[k].FileName << ":" << r.MainWin.PL[k].Vol << ":" << r.MainWin.PL[k].Interval;
    o << " subs=" << r.SubWinCount << " bg=" << r.BGFile << " files=";
    for (const auto& f : r.FileList) o << f << ";";
    for (int j = 1; j <= MaxSubWin; ++j) {
        o << " s" << j << "=";
        rect(r.SubWin[j]);
        for (int k = 0; k <= MaxPLIndex; ++k)
            o << " " << r.SubWin[j].PL[k].FileName << ":" << r.SubWin[j].PL[k].FileIndex << ":" << r.SubWin[j].PL[k].Times;
    }
    return o.str();
}

class SectionCopyTest : public SectionFixture {
protected:
    // New with a copy choice: the dialog lists "(none)" and the sections, OK adds.
    bool AddCopy(int sh, int eh, int copyChoice) {
        if (!SBtn_NewTimeListClick(ed)) return false;
        TimeListEditor dlg{sh, 0, eh, 0};
        dlg.FormShow(ed);
        choices = dlg.CopyChoices;
        dlg.CopyFrom = copyChoice - 1;
        return dlg.SBtn_TLOKClick(ed);
    }
    std::vector<std::string> choices;
};

TEST_F(SectionCopyTest, NewSectionTakesADeepCopyOfTheChosenLayoutAndIsShown) {
    ASSERT_TRUE(Add(8, 0, 11, 0));
    ASSERT_TRUE(Add(11, 0, 14, 0));
    Fill(0, 3);
    Fill(1, 2);
    Choose(1);  // the current section is not the one copied
    const std::string source = Layout(ed.Prj->TimePL[0]);

    ASSERT_TRUE(AddCopy(18, 22, 1));
    EXPECT_EQ(choices, (std::vector<std::string>{"(none)", "08:00 -- 11:00", "11:00 -- 14:00"}));
    const auto& copy = ed.Prj->TimePL[2];
    EXPECT_EQ(copy.StartTime, 1800);
    EXPECT_EQ(copy.EndTime, 2200);
    EXPECT_EQ(Layout(copy), source);
    // Shown at once: its list, its windows drawn, its background; the section left is cleared.
    EXPECT_EQ(ed.Prj->CurTimeIndex, 2);
    EXPECT_EQ(View(ed).TimeListIndex, 2);
    EXPECT_EQ(View(ed).SubWinList, (std::vector<std::string>{"SubWin1", "SubWin2", "SubWin3"}));
    EXPECT_EQ(View(ed).BGFileField, "/media/bg0.jpg");
    ASSERT_TRUE(copy.MainWin.Shape);
    EXPECT_TRUE(copy.MainWin.Shape->Visible);
    for (int j = 1; j <= 3; ++j) EXPECT_TRUE(copy.SubWin[j].Shape) << j;
    EXPECT_FALSE(ed.Prj->TimePL[1].SubWin[1].Shape);

    // Choosing "Main Window" keeps the copied rectangle, not a default 763 x 764 square
    // (up to the round trip through the picture that choosing makes).
    Panel_MainWinClick(ed);
    EXPECT_EQ(copy.MainWin.Left, 0);
    EXPECT_NEAR(copy.MainWin.Width, 600, 2);
    EXPECT_NEAR(copy.MainWin.Height, 300, 2);

    // Later edits of either never reach the other.
    auto& src = ed.Prj->TimePL[0];
    const std::string copied = Layout(copy);
    src.MainWin.PL[0].FileName = "/media/changed.mp4";
    src.SubWin[2].PL[0].Times = 9;
    src.SubWin[1].Left = 5;
    src.FileList.push_back("more.jpg");
    src.BGFile = "/media/other.jpg";
    EXPECT_EQ(Layout(copy), copied);
    ed.Prj->TimePL[2].SubWin[3].PL[0].FileName = "/media/mine.jpg";
    ed.Prj->TimePL[2].MainWin.Height = 1;
    EXPECT_NE(Layout(src), Layout(copy));
    EXPECT_EQ(src.SubWin[3].PL[0].FileName, "/media/sub0.jpg");
    EXPECT_EQ(src.MainWin.Height, 300);
}

TEST_F(SectionCopyTest, NoneOrEditCopiesNothing) {
    ASSERT_TRUE(Add(8, 0, 11, 0));
    Fill(0, 2);
    ASSERT_TRUE(AddCopy(12, 13, 0));  // "(none)"
    EXPECT_EQ(ed.Prj->TimePL[1].SubWinCount, 0);
    EXPECT_EQ(ed.Prj->TimePL[1].MainWin.PLCount, 0);
    EXPECT_TRUE(View(ed).SubWinList.empty());  // a plain new section is not drawn at once

    // Edit lists no copy choice, and a copy choice left over changes nothing.
    ASSERT_TRUE(SBtn_EditTimeListClick(ed));
    TimeListEditor dlg;
    dlg.FormShow(ed);
    EXPECT_TRUE(dlg.CopyChoices.empty());
    dlg.EHour = 14;
    dlg.CopyFrom = 0;
    ASSERT_TRUE(dlg.SBtn_TLOKClick(ed));
    EXPECT_EQ(ed.Prj->TimePL[1].EndTime, 1400);
    EXPECT_EQ(ed.Prj->TimePL[1].SubWinCount, 0);
}

}  // namespace
}  // namespace kestrel
