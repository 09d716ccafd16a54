// The time list commands: adding, editing, refusing and deleting sections.
#include <gtest/gtest.h>

#include "storage/PrjFileWriter.h"
#include "support/TempDir.h"
#include "timesections/SectionFixture.h"

namespace kestrel {
namespace {

using TimeSectionsTest = SectionFixture;

TEST_F(TimeSectionsTest, AddedSectionsReadAsPaddedTimes) {
    struct Case { int sh, sm, eh, em, start, end; const char* text; };
    const Case cases[] = {
        {9, 5, 17, 0, 905, 1700, "09:05 -- 17:00"},
        {0, 0, 23, 59, 0, 2359, "00:00 -- 23:59"},
        {12, 0, 12, 0, 1200, 1200, "12:00 -- 12:00"},  // equal start and end is accepted
    };
    int i = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(Add(c.sh, c.sm, c.eh, c.em));
        ASSERT_EQ(View(ed).TimeList.size(), size_t(i + 1));
        EXPECT_EQ(View(ed).TimeList[i], c.text);
        EXPECT_EQ(View(ed).TimeListIndex, i);
        EXPECT_EQ(ed.Prj->CurTimeIndex, i);
        EXPECT_EQ(ed.Prj->TimePL[i].StartTime, c.start);
        EXPECT_EQ(ed.Prj->TimePL[i].EndTime, c.end);
        ++i;
    }
    EXPECT_TRUE(fp.messages.empty());
    EXPECT_EQ(TimerToString(123, 7), "123:07");  // longer numbers are not cut
}

TEST_F(TimeSectionsTest, RefusalsWarnAndChangeNothing) {
    struct Case { const char* name; bool edit; int sh, sm, eh, em; const char* text; };
    const char* order = "End time must large than start time?";
    const char* dup = "New time exist in timer list, add failure! Please check.";
    const Case cases[] = {
        {"start after end", false, 17, 0, 8, 30, order},
        {"one minute late", false, 8, 31, 8, 30, order},
        {"same times added again", false, 8, 0, 12, 0, dup},
        {"edit made equal to another section", true, 8, 0, 12, 0, dup},
        {"edit left unchanged", true, -1, 0, 0, 0, dup},  // as FormShow loads it
        {"edit start after end", true, 11, 0, 10, 0, order},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fp.messages.clear();
        ed.Prj = ed.NewProject();
        ClearDisplay(ed);
        ASSERT_TRUE(Add(8, 0, 12, 0));
        ASSERT_TRUE(Add(10, 0, 11, 0));  // overlapping sections are accepted
        Fill(1);
        ShowTimeSection(ed);
        const std::string before = Dump(ed);

        ASSERT_TRUE(c.edit ? SBtn_EditTimeListClick(ed) : SBtn_NewTimeListClick(ed));
        TimeListEditor dlg;
        dlg.FormShow(ed);
        if (c.sh >= 0) dlg = {c.sh, c.sm, c.eh, c.em};
        EXPECT_FALSE(dlg.SBtn_TLOKClick(ed));  // the dialog stays open

        ASSERT_EQ(fp.messages.size(), 1u);
        EXPECT_EQ(fp.messages[0].caption, "Warning");
        EXPECT_EQ(fp.messages[0].text, c.text);
        EXPECT_EQ(fp.messages[0].buttons, Buttons::Ok);
        EXPECT_EQ(fp.messages[0].icon, Icon::Warning);
        EXPECT_EQ(Dump(ed), before);
    }
}

TEST_F(TimeSectionsTest, SectionsKeepTheOrderTheyWereAddedIn) {
    ASSERT_TRUE(Add(14, 0, 15, 0));
    ASSERT_TRUE(Add(8, 0, 9, 0));
    ASSERT_TRUE(Add(20, 0, 21, 0));
    ASSERT_TRUE(Add(8, 0, 20, 30));  // wraps the others
    EXPECT_EQ(View(ed).TimeList, (std::vector<std::string>{"14:00 -- 15:00", "08:00 -- 09:00",
                                                          "20:00 -- 21:00", "08:00 -- 20:30"}));
    EXPECT_EQ(ed.Prj->TimePL[1].StartTime, 800);
}

TEST_F(TimeSectionsTest, AddingClearsTheSectionLeftAndShowsTheNewOneEmpty) {
    ASSERT_TRUE(Add(8, 0, 9, 0));
    Fill(0);
    Choose(0);
    ASSERT_EQ(View(ed).SubWinList.size(), 2u);
    ASSERT_TRUE(Add(9, 0, 10, 0));
    EXPECT_EQ(ed.Prj->CurTimeIndex, 1);
    EXPECT_TRUE(View(ed).SubWinList.empty());
    EXPECT_EQ(View(ed).Picture, PictureKind::Default);
    EXPECT_FALSE(ed.Prj->TimePL[0].SubWin[1].Shape);
    EXPECT_FALSE(ed.Prj->TimePL[0].MainWin.Shape->Visible);
    EXPECT_EQ(ed.SelWinIndex, -1);
}

TEST_F(TimeSectionsTest, EditChangesTheCurrentSectionInPlace) {
    ASSERT_TRUE(Add(8, 0, 9, 0));
    ASSERT_TRUE(Add(10, 15, 11, 45));
    ASSERT_TRUE(Add(12, 0, 13, 0));
    Choose(1);
    Fill(1);
    ASSERT_TRUE(SBtn_EditTimeListClick(ed));
    EXPECT_TRUE(ed.TimeEditMode);
    TimeListEditor dlg;
    dlg.FormShow(ed);
    EXPECT_EQ((std::array{dlg.SHour, dlg.SMinute, dlg.EHour, dlg.EMinute}), (std::array{10, 15, 11, 45}));
    dlg.EHour = 18;
    ASSERT_TRUE(dlg.SBtn_TLOKClick(ed));
    EXPECT_EQ(View(ed).TimeList,
              (std::vector<std::string>{"08:00 -- 09:00", "10:15 -- 18:45", "12:00 -- 13:00"}));
    EXPECT_EQ(View(ed).TimeListIndex, 1);
    EXPECT_EQ(ed.Prj->CurTimeIndex, 1);
    EXPECT_EQ(ed.Prj->TimePL[1].EndTime, 1845);
    EXPECT_EQ(ed.Prj->TimePL[1].MainWin.PLCount, 1);  // the layout stays
}

TEST_F(TimeSectionsTest, AddingKeepsTheFieldsOfTheLastTime) {
    ASSERT_TRUE(Add(8, 0, 9, 0));
    ASSERT_TRUE(SBtn_NewTimeListClick(ed));
    TimeListEditor dlg{7, 30, 7, 45};
    dlg.FormShow(ed);
    EXPECT_EQ((std::array{dlg.SHour, dlg.SMinute, dlg.EHour, dlg.EMinute}), (std::array{7, 30, 7, 45}));
}

TEST_F(TimeSectionsTest, TenSectionsRefuseNewUntilOneIsDeleted) {
    for (int h = 0; h < 10; ++h) ASSERT_TRUE(Add(h, 0, h + 1, 0));
    ed.TimeEditMode = true;
    EXPECT_FALSE(SBtn_NewTimeListClick(ed));
    ASSERT_EQ(fp.messages.size(), 1u);
    EXPECT_EQ(fp.messages[0].caption, "Warning");
    EXPECT_EQ(fp.messages[0].text,
              "Please note time section number can not more than 10, can not add again!");
    EXPECT_EQ(fp.messages[0].icon, Icon::Warning);
    EXPECT_EQ(View(ed).TimeList.size(), 10u);

    ASSERT_TRUE(SBtn_EditTimeListClick(ed));  // editing still works
    TimeListEditor dlg;
    dlg.FormShow(ed);
    dlg.EMinute = 30;
    EXPECT_TRUE(dlg.SBtn_TLOKClick(ed));
    EXPECT_EQ(View(ed).TimeList[9], "09:00 -- 10:30");

    fp.answers = {Answer::Yes};
    SBtn_DeleteTimeListClick(ed);
    EXPECT_TRUE(Add(22, 0, 23, 0));
    EXPECT_EQ(View(ed).TimeList.size(), 10u);
    EXPECT_EQ(ed.Prj->TimePL[9].StartTime, 2200);
    EXPECT_EQ(ed.Prj->TimePL[10].StartTime, 0);  // the spare is never used
}

// The sections of a project never saved before are what a save writes: the count of
// sections follows the list through adding and deleting.
TEST_F(TimeSectionsTest, SectionsOfANewProjectAreCountedForSaving) {
    ASSERT_TRUE(Add(8, 30, 12, 0));
    ASSERT_TRUE(Add(12, 0, 18, 0));
    ASSERT_TRUE(Add(18, 0, 22, 0));
    EXPECT_EQ(ed.Prj->TimeCount, 3);
    Choose(1);
    fp.answers = {Answer::Yes};
    SBtn_DeleteTimeListClick(ed);
    EXPECT_EQ(ed.Prj->TimeCount, 2);

    test::TempDir dir;
    ed.Prj->PrjFileName = dir / "new.XML";
    WritePrjFile(*ed.Prj);
    const std::string text = test::ReadBytes(dir / "new.XML");
    EXPECT_NE(text.find("<TIME s=\"0830\" e=\"1200\"/>"), std::string::npos);
    EXPECT_NE(text.find("<TIME s=\"1800\" e=\"2200\"/>"), std::string::npos);
    EXPECT_EQ(text.find("<TIME s=\"1200\""), std::string::npos);
}

TEST_F(TimeSectionsTest, DeletingMovesTheLaterSectionsUpWhole) {
    for (int h = 0; h < 5; ++h) {
        ASSERT_TRUE(Add(h + 8, 0, h + 9, 0));
        Fill(h);
    }
    Choose(3);  // section 3's sub windows get markers; leaving it destroys them again
    Choose(2);
    ed.Prj->TimePL[3].MainWin.Shape->Left = 33;  // markers move with their windows
    const std::string before = Dump(ed);

    fp.answers = {Answer::Yes};
    SBtn_DeleteTimeListClick(ed);

    ASSERT_EQ(fp.messages.size(), 1u);
    EXPECT_EQ(fp.messages[0].caption, "Confirm");
    EXPECT_EQ(fp.messages[0].text, "Are you sure to delete the time section and data?");
    EXPECT_EQ(fp.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(fp.messages[0].icon, Icon::Question);
    EXPECT_EQ(View(ed).TimeList, (std::vector<std::string>{"08:00 -- 09:00", "09:00 -- 10:00",
                                                          "11:00 -- 12:00", "12:00 -- 13:00"}));
    EXPECT_EQ(ed.Prj->TimePL[2].MainWin.Shape->Left, 33);
    // Records 1 to 3 hold what records 1, 3 and 4 held; record 0 is shown now.
    const auto rec = [](const std::string& dump, int i) {
        auto from = dump.find("rec" + std::to_string(i) + " ");
        return dump.substr(from, dump.find('\n', from) - from).substr(5);
    };
    EXPECT_EQ(rec(Dump(ed), 1), rec(before, 1));
    EXPECT_EQ(rec(Dump(ed), 2), rec(before, 3));
    EXPECT_EQ(rec(Dump(ed), 3), rec(before, 4));
    EXPECT_EQ(ed.Prj->TimePL[2].FileList, (std::vector<std::string>{"sub3.jpg"}));
    EXPECT_EQ(ed.Prj->TimePL[3].BGFile, "/media/bg4.jpg");
    EXPECT_EQ(ed.Prj->TimePL[3].SubWin[2].PL[0].Times, 6);
    // Records 4 to 10 are empty, each with its hidden main window marker over the image.
    const Editor fresh{fp};
    for (int i = 4; i <= MaxTimeIndex; ++i) EXPECT_EQ(rec(Dump(ed), i), rec(Dump(fresh), i)) << i;
    EXPECT_EQ(ed.Prj->CurTimeIndex, 0);
    EXPECT_EQ(View(ed).TimeListIndex, 0);
    EXPECT_EQ(View(ed).SubWinList, (std::vector<std::string>{"SubWin1", "SubWin2"}));
    EXPECT_EQ(View(ed).BGFileField, "/media/bg0.jpg");
    EXPECT_TRUE(ed.Prj->TimePL[0].SubWin[1].Shape);
    EXPECT_EQ(ed.SelWinIndex, -1);
    EXPECT_EQ(View(ed).PosFields, (std::array<std::string, 4>{"", "", "", ""}));
}

TEST_F(TimeSectionsTest, DeleteAnsweredNoChangesNothing) {
    ASSERT_TRUE(Add(8, 0, 9, 0));
    ASSERT_TRUE(Add(9, 0, 10, 0));
    Fill(1);
    Choose(1);
    const std::string before = Dump(ed);
    fp.answers = {Answer::No};
    SBtn_DeleteTimeListClick(ed);
    EXPECT_EQ(fp.messages.size(), 1u);
    EXPECT_EQ(Dump(ed), before);
}

TEST_F(TimeSectionsTest, DeletingTheOnlySectionResetsTheProject) {
    ASSERT_TRUE(Add(8, 0, 9, 0));
    Fill(0);
    Choose(0);
    ed.Prj->PrjFileName = "/p/show.XML";
    fp.answers = {Answer::Yes};
    SBtn_DeleteTimeListClick(ed);
    EXPECT_TRUE(View(ed).TimeList.empty());
    EXPECT_EQ(View(ed).TimeListIndex, -1);
    EXPECT_EQ(ed.Prj->CurTimeIndex, -1);
    EXPECT_EQ(View(ed).Picture, PictureKind::Default);
    EXPECT_TRUE(View(ed).SubWinList.empty());
    for (const auto& r : ed.Prj->TimePL) {
        EXPECT_EQ(SectionEntryCount(r), 0);
        EXPECT_EQ(r.SubWinCount, 0);
        EXPECT_TRUE(r.BGFile.empty());
        ASSERT_TRUE(r.MainWin.Shape);
        EXPECT_FALSE(r.MainWin.Shape->Visible);
    }
}

TEST_F(TimeSectionsTest, EditAndDeleteWithoutSectionRefuseQuietly) {
    ed.Prj->TimePL[0].StartTime = 700;  // a record nobody may touch
    const std::string before = Dump(ed);
    EXPECT_FALSE(SBtn_EditTimeListClick(ed));
    EXPECT_FALSE(ed.TimeEditMode);
    fp.answers = {Answer::Yes};
    SBtn_DeleteTimeListClick(ed);
    EXPECT_TRUE(fp.messages.empty());
    EXPECT_EQ(Dump(ed), before);
}

}  // namespace
}  // namespace kestrel
