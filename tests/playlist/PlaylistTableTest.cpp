#include "playlist/PlaylistTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "layout/WindowChoice.h"
#include "support/FakePlatform.h"

using namespace kestrel;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// An editor with one current section holding one sub window and a three-name file list.
struct PlaylistFixture : ::testing::Test {
    FakePlatform fake;
    Editor ed{fake};
    PlaylistTable t;

    void SetUp() override {
        ed.Prj->TimeCount = 1;
        ed.Prj->CurTimeIndex = 0;
        Sec().SubWinCount = 1;
        ed.ListedSubWins = 1;
        Sec().FileList = {"A.JPG", "B.JPG", "C.JPG"};
    }
    TTimePLData& Sec() { return ed.Prj->TimePL[0]; }

    void SetMain(const std::vector<std::string>& files) {
        Sec().MainWin.PLCount = static_cast<int>(files.size());
        for (size_t i = 0; i < files.size(); ++i)
            Sec().MainWin.PL[i] = {static_cast<int>(i) + 1, 10 * static_cast<int>(i), files[i]};
    }
    void Show(int win) {
        ChooseWindow(ed, win);
        PLFormShow(ed, t);
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> f;
        for (int r = 1; r < t.RowCount(); ++r) f.push_back(t.Rows[r][0]);
        return f;
    }
    void Select(int top, int bottom) {
        t.SelTop = top;
        t.SelBottom = bottom;
    }
    void Add(std::vector<std::string> files) {
        fake.fileLists.push_back(std::move(files));
        AddFiles1Click(ed, t);
    }
};

TEST_F(PlaylistFixture, EmptyPlaylistsShowTheirTemplateAndOkStoresNothing) {
    struct Case {
        int win;
        PLRow header, row;
    } cases[] = {
        {0, {"文件", "音量", "间隔"}, {"", "50", "1"}},
        {1, {"文件", "次数", ""}, {"", "1", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.win);
        Show(c.win);
        EXPECT_EQ(t.ColCount, c.win == 0 ? 3 : 2);
        ASSERT_EQ(t.RowCount(), 2);
        EXPECT_EQ(t.Rows[0], c.header);
        EXPECT_EQ(t.Rows[1], c.row);
        EXPECT_EQ(t.ItemCount, 0);
        SpeedButton_OKClick(ed, t);
        EXPECT_EQ(c.win == 0 ? Sec().MainWin.PLCount : Sec().SubWin[1].PLCount, 0);
    }
    EXPECT_THAT(fake.messages, IsEmpty());
}

TEST_F(PlaylistFixture, AddingToAnEmptyListReplacesTheTemplate) {
    Show(0);
    Add({"/m/a.jpg", "/m/b.avi", "/m/c.mp3"});
    EXPECT_THAT(Files(), ElementsAre("/m/a.jpg", "/m/b.avi", "/m/c.mp3"));
    EXPECT_EQ(t.ItemCount, 3);
    EXPECT_EQ(t.Rows[2], (PLRow{"/m/b.avi", "50", "1"}));
    EXPECT_EQ(fake.choosers.back().filter, "");
    Add({"/m/d.jpg"});
    EXPECT_THAT(Files(), ElementsAre("/m/a.jpg", "/m/b.avi", "/m/c.mp3", "/m/d.jpg"));
}

TEST_F(PlaylistFixture, CancelledFileDialogChangesNothing) {
    SetMain({"x", "y"});
    Show(0);
    auto before = t.Rows;
    AddFiles1Click(ed, t);  // no queued choice: cancelled
    InsertFiles1Click(ed, t);
    EXPECT_EQ(t.Rows, before);
    EXPECT_EQ(t.ItemCount, 2);
}

TEST_F(PlaylistFixture, InsertFilesGoBeforeTheSelection) {
    SetMain({"1", "2", "3", "4"});
    Show(0);
    Select(2, 3);
    fake.fileLists.push_back({"n1", "n2"});
    InsertFiles1Click(ed, t);
    EXPECT_THAT(Files(), ElementsAre("1", "n1", "n2", "2", "3", "4"));
    EXPECT_EQ(t.ItemCount, 6);
    EXPECT_EQ(t.Rows[2], (PLRow{"n1", "50", "1"}));
    EXPECT_EQ(t.Rows[4], (PLRow{"2", "10", "2"}));  // moved rows keep their numbers
}

TEST_F(PlaylistFixture, InsertIntoEmptyListDropsTheTemplate) {
    Show(1);
    fake.fileLists.push_back({"n1", "n2"});
    InsertFiles1Click(ed, t);
    EXPECT_THAT(Files(), ElementsAre("n1", "n2"));
    EXPECT_EQ(t.ItemCount, 2);
}

TEST_F(PlaylistFixture, DeletingEveryRowLeavesOneBlankRow) {
    SetMain({"x", "y", "z"});
    Show(0);
    Select(1, 3);
    DeleteItem1Click(t);
    ASSERT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.Rows[1], PLRow{});
    EXPECT_EQ(t.ItemCount, 0);
    DeleteItem1Click(t);
    EXPECT_EQ(t.ItemCount, 0);
    EXPECT_EQ(t.RowCount(), 2);
    SpeedButton_OKClick(ed, t);
    EXPECT_EQ(Sec().MainWin.PLCount, 0);
    Add({"w"});
    EXPECT_THAT(Files(), ElementsAre("w"));
    EXPECT_EQ(t.ItemCount, 1);
}

TEST_F(PlaylistFixture, DeleteMiddleRowsClosesTheGap) {
    SetMain({"x", "y", "z", "w"});
    Show(0);
    Select(2, 3);
    DeleteItem1Click(t);
    EXPECT_THAT(Files(), ElementsAre("x", "w"));
    EXPECT_EQ(t.ItemCount, 2);
}

TEST_F(PlaylistFixture, MoveRows) {
    struct Case {
        const char* name;
        int top, bottom;
        bool up;
        std::vector<std::string> expected;
    } cases[] = {
        {"up at the top", 1, 1, true, {"X", "Y", "Z"}},
        {"down at the bottom", 3, 3, false, {"X", "Y", "Z"}},
        {"up rows 2-3", 2, 3, true, {"Y", "Z", "X"}},
        {"down rows 1-2", 1, 2, false, {"Z", "X", "Y"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetMain({"X", "Y", "Z"});
        Show(0);
        Select(c.top, c.bottom);
        c.up ? MoveUp1Click(t) : MoveDown1Click(t);
        EXPECT_EQ(Files(), c.expected);
        EXPECT_EQ(t.SelTop, c.top);
        EXPECT_EQ(t.SelBottom, c.bottom);
    }
    // The numbers travel with their file.
    EXPECT_EQ(t.Rows[1], (PLRow{"Z", "20", "3"}));
}

TEST_F(PlaylistFixture, LeftClickPlacesTheBoxOverTheCell) {
    SetMain({"x"});
    Sec().MainWin.PL[0].Vol = 70;
    Show(0);
    struct Case {
        int col;
        std::string cell;
        SpinBox box;
        int value;
    } cases[] = {
        {1, "70", SpinBox::Volume, 70},
        {1, "", SpinBox::Volume, 50},
        {2, "", SpinBox::Repeat, 1},
        {2, "7", SpinBox::Repeat, 7},
        {0, "x", SpinBox::None, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.col);
        t.Rows[1][c.col] = c.cell;
        StringGrid_PLSelectCell(t, c.col, 1);
        SpinPlacement p = StringGrid_PLMouseDown(t, false, 100, 23, 90, 22, 1, 1);
        EXPECT_EQ(p.Box, c.box);
        if (c.box == SpinBox::None) continue;
        EXPECT_EQ(p.Value, c.value);
        EXPECT_EQ(t.Visible, c.box);
        EXPECT_EQ((std::array{p.Left, p.Top, p.Width, p.Height}), (std::array{101, 25, 90, 19}));
    }
    StringGrid_PLMouseDown(t, true, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(t.Visible, SpinBox::None);
}

TEST_F(PlaylistFixture, VolumeBoxText) {
    struct Case {
        std::string text, cell;
    } cases[] = {{"70", "70"}, {"-5", "33"}, {"", "0"}, {"-", "0"}, {"100", "100"}, {"101", "33"}};
    for (int win : {0, 1}) {  // a sub window's times go through the same box
        Show(win);
        Add({"f"});
        StringGrid_PLSelectCell(t, 1, 1);
        StringGrid_PLMouseDown(t, false, 0, 0, 90, 22, 0, 0);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(win) + ":" + c.text);
            t.Rows[1][1] = "33";
            SpinEdit_VolumeChange(t, c.text);
            EXPECT_EQ(t.Rows[1][1], c.cell);
        }
    }
    SpinEdit_VolumeChange(t, "0");
    SpeedButton_OKClick(ed, t);
    EXPECT_EQ(Sec().SubWin[1].PL[0].Times, 0);
}

// Esc gives the cell back what it held when the box opened, after any number of changes.
TEST_F(PlaylistFixture, EscRestoresTheCell) {
    Show(0);
    Add({"f"});
    t.Rows[1][1] = "70";
    StringGrid_PLSelectCell(t, 1, 1);
    StringGrid_PLMouseDown(t, false, 0, 0, 90, 22, 0, 0);
    SpinEdit_VolumeChange(t, "7");
    SpinEdit_VolumeChange(t, "");
    SpinEditCancel(t);
    EXPECT_EQ(t.Rows[1][1], "70");
    EXPECT_EQ(t.Visible, SpinBox::None);
    t.Rows[1][1] = "5";
    SpinEditCancel(t);  // no box open: nothing to give back
    EXPECT_EQ(t.Rows[1][1], "5");
}

TEST_F(PlaylistFixture, HiddenBoxWritesNothing) {
    Show(0);
    Add({"f"});
    StringGrid_PLSelectCell(t, 2, 1);
    StringGrid_PLMouseDown(t, false, 0, 0, 90, 22, 0, 0);
    SpinEdit_RepeatChange(t, 9);
    EXPECT_EQ(t.Rows[1][2], "9");
    SpinEditExit(t);
    SpinEdit_RepeatChange(t, 4);
    SpinEdit_VolumeChange(t, "4");
    EXPECT_EQ(t.Rows[1], (PLRow{"f", "50", "9"}));
}

TEST_F(PlaylistFixture, LoadReportsBadEntriesAndShowsTheRestWithoutGap) {
    auto& sub = Sec().SubWin[1];
    sub.PLCount = 4;
    sub.PL[0] = {0, 2, "/a"};
    sub.PL[1] = {1, 3, ""};  // silently left out
    sub.PL[2] = {5, 4, "/bad"};
    sub.PL[3] = {2, 5, "/c"};
    Show(1);
    EXPECT_THAT(fake.Texts(), ElementsAre("Error!!! File name in list 2 not in sub windows file list!"));
    EXPECT_EQ(fake.messages[0].caption, AppTitle);
    EXPECT_THAT(Files(), ElementsAre("/a", "/c"));
    EXPECT_EQ(t.Rows[2][1], "5");
    EXPECT_EQ(t.ItemCount, 2);

    fake.messages.clear();
    SetMain({"m0", "", "m2"});
    Show(0);
    EXPECT_THAT(fake.Texts(), ElementsAre("Error!!! File name in list 1 is null!"));
    EXPECT_THAT(Files(), ElementsAre("m0", "m2"));
}

TEST_F(PlaylistFixture, LoadWithNoShowableEntryLeavesOneBlankRow) {
    SetMain({""});
    Show(0);
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.Rows[1], PLRow{});
    EXPECT_EQ(t.ItemCount, 0);
}

TEST_F(PlaylistFixture, OkStoresRowsSkipsBlanksAndKeepsFileIndex) {
    auto& sub = Sec().SubWin[1];
    sub.PLCount = 2;
    sub.PL[0] = {2, 4, "/a"};
    sub.PL[1] = {1, 6, "/b"};
    sub.PL[2] = {0, 9, "/old"};
    Show(1);
    Select(1, 1);
    MoveDown1Click(t);
    SpeedButton_OKClick(ed, t);
    EXPECT_EQ(sub.PLCount, 2);
    EXPECT_EQ(sub.PL[0].FileName, "/b");
    EXPECT_EQ(sub.PL[0].Times, 6);
    EXPECT_EQ(sub.PL[0].FileIndex, 2);  // the slot's index, refreshed later by the file list
    EXPECT_EQ(sub.PL[1].FileName, "/a");
    EXPECT_EQ(sub.PL[2].FileName, "/old");  // beyond the count: untouched
}

TEST_F(PlaylistFixture, WithoutOkTheModelIsUntouched) {
    SetMain({"x", "y"});
    Show(0);
    Add({"z"});
    Select(1, 1);
    DeleteItem1Click(t);
    EXPECT_EQ(Sec().MainWin.PLCount, 2);
    EXPECT_EQ(Sec().MainWin.PL[0].FileName, "x");
}

TEST_F(PlaylistFixture, AtMost101Entries) {
    std::vector<std::string> hundred;
    for (int i = 0; i < 100; ++i) hundred.push_back("/f" + std::to_string(i));
    Show(0);
    Add(hundred);
    EXPECT_EQ(t.ItemCount, 100);
    fake.fileLists.push_back({"/g1", "/g2"});
    InsertFiles1Click(ed, t);
    Add({"/g1", "/g2"});
    EXPECT_THAT(fake.Texts(), ElementsAre(TooManyFilesText, TooManyFilesText));
    EXPECT_EQ(t.ItemCount, 100);
    EXPECT_EQ(t.RowCount(), 101);
    Add({"/last"});
    EXPECT_EQ(t.ItemCount, 101);
    SpeedButton_OKClick(ed, t);
    EXPECT_EQ(Sec().MainWin.PLCount, 101);
    EXPECT_EQ(Sec().MainWin.PL[100].FileName, "/last");
}

TEST_F(PlaylistFixture, NamesTheProjectFileCannotCarryAreRefused) {
    Show(0);
    Add({"/a.jpg", "/say \"hi\".jpg", "/x<y.jpg", "/two\nlines.jpg", "/b.jpg"});
    EXPECT_THAT(Files(), ElementsAre("/a.jpg", "/b.jpg"));
    ASSERT_EQ(fake.messages.size(), 3u);
    EXPECT_THAT(fake.messages[0].text, ::testing::HasSubstr("/say \"hi\".jpg"));
    EXPECT_THAT(fake.messages[1].text, ::testing::HasSubstr("/x<y.jpg"));
}

// Names clash with the project as OK would leave it: a file of the same name in another
// window is refused, while one replacing a row just deleted here is taken.
TEST_F(PlaylistFixture, NameClashesCountTheTableNotTheWindowsStoredPlaylist) {
    SetMain({"/old/offer.jpg", "/old/clock.jpg"});
    Sec().SubWin[1].PLCount = 1;
    Sec().SubWin[1].PL[0].FileName = "/old/logo.jpg";
    Show(0);
    Select(1, 1);
    DeleteItem1Click(t);
    Add({"/new/offer.jpg", "/new/logo.jpg", "/new/clock.jpg"});
    EXPECT_THAT(Files(), ElementsAre("/old/clock.jpg", "/new/offer.jpg"));
    ASSERT_EQ(fake.messages.size(), 2u);
    EXPECT_THAT(fake.messages[0].text, ::testing::HasSubstr("would replace \"/old/logo.jpg\""));
    EXPECT_THAT(fake.messages[1].text, ::testing::HasSubstr("would replace \"/old/clock.jpg\""));
}

TEST_F(PlaylistFixture, EditorNeedsACurrentSectionAndAnExistingSubWindow) {
    struct Case {
        int cur, win;
        bool ok;
    } cases[] = {{0, 0, true}, {0, 1, true}, {0, 2, false}, {-1, 0, false}, {-1, 1, false}};
    for (const Case& c : cases) {
        ed.Prj->CurTimeIndex = c.cur;
        ChooseWindow(ed, c.win);
        EXPECT_EQ(CanEditPlaylist(ed), c.ok) << c.cur << "," << c.win;
    }
}

// The columns fill the visible width exactly, whatever the scroll bar leaves of it.
TEST(PlaylistLayout, FileColumnWidth) {
    EXPECT_EQ(FileColumnWidth(518, 3), 518 - 180);
    EXPECT_EQ(FileColumnWidth(502, 3), 502 - 180);
    EXPECT_EQ(FileColumnWidth(518, 2), 518 - 90);
    EXPECT_EQ(FileColumnWidth(150, 3), MinFileColumnWidth);
}

}  // namespace
