#include "layout/WindowList.h"

#include "LayoutFixture.h"
#include "layout/Nudge.h"
#include "model/Error.h"
#include "timesections/TimeSections.h"

namespace kestrel::test {
namespace {

using Fields4 = std::array<std::string, 4>;
using List = std::vector<std::string>;

class WindowListTest : public LayoutTest {
protected:
    // Sub windows 1..n listed, each with a distinct rectangle, marker and playlist.
    void Subs(int n) {
        ed.ListedSubWins = n;
        for (int i = 1; i <= n; ++i) {
            Place(i, i * 20, i * 20, 10, 10);
            Sub(i).Left = i * 100;
            Sub(i).Top = 0;
            Sub(i).Width = i;
            Sub(i).Height = 0;
            Sub(i).PLCount = i;
            Sub(i).PL[0].FileName = "clip" + std::to_string(i) + ".avi";
            Sub(i).PL[i].Times = i;
        }
        Sec().SubWinCount = n;
    }
};

TEST_F(WindowListTest, AddingAppendsUpToEightAndRecountsTheListFirst) {
    Subs(8);
    AddSubWinClick(ed);
    EXPECT_EQ(Sec().SubWinCount, 8);
    EXPECT_EQ(View(ed).SubWinList.size(), 8u);
    EXPECT_FALSE(View(ed).Command(CommandId::AddSubWin).Enabled);

    Subs(2);
    Sec().SubWinCount = 5;  // the section display listed only two of them
    AddSubWinClick(ed);
    EXPECT_EQ(Sec().SubWinCount, 3);
    EXPECT_EQ(View(ed).SubWinList, (List{"SubWin1", "SubWin2", "SubWin3"}));
    EXPECT_FALSE(Sub(3).Shape);
    EXPECT_EQ(Sub(3).Left, 300);  // rectangle and playlist are not reset by adding
    EXPECT_TRUE(View(ed).Command(CommandId::AddSubWin).Enabled);
}

TEST_F(WindowListTest, DeletingMovesLaterWindowsDownWithEverything) {
    Subs(3);
    const TSubWinData third = Sub(3);
    ListBox_SubWinClick(ed, 1);
    DelSubWinClick(ed);
    EXPECT_EQ(Sec().SubWinCount, 2);
    EXPECT_EQ(View(ed).SubWinList, (List{"SubWin1", "SubWin2"}));
    EXPECT_EQ(Model(Sub(2)), Model(third));
    EXPECT_EQ(Sub(2).PLCount, 3);
    EXPECT_EQ(Sub(2).PL[0].FileName, "clip3.avi");
    EXPECT_EQ(Sub(2).PL[3].Times, 3);
    EXPECT_EQ(Rect(*Sub(2).Shape), Rect(*third.Shape));
    EXPECT_FALSE(Sub(3).Shape);
    EXPECT_EQ(Model(Sub(3)), (std::array{0, 0, 0, 0}));
    EXPECT_EQ(Sub(3).PLCount, 0);
    // SubWin1 is chosen next.
    EXPECT_EQ(View(ed).SubWinListIndex, 0);
    EXPECT_EQ(ed.PLWinIndex(), 1);
    EXPECT_TRUE(MarkedChosen(ed, 1));
    EXPECT_FALSE(View(ed).MainWinPanelBlue);
}

TEST_F(WindowListTest, DeletingTheOnlyOneMakesMainWindowCurrent) {
    Subs(1);
    Current(1);
    TBtnDeleteSelClick(ed);
    EXPECT_TRUE(View(ed).SubWinList.empty());
    EXPECT_EQ(View(ed).SubWinListIndex, -1);
    EXPECT_EQ(ed.PLWinIndex(), 0);
    EXPECT_TRUE(View(ed).MainWinPanelBlue);
    EXPECT_FALSE(View(ed).Command(CommandId::DelSubWin).Enabled);
    EXPECT_TRUE(View(ed).Command(CommandId::AddSubWin).Enabled);
}

TEST_F(WindowListTest, DeletingNeverReachesPastTheEightSlots) {
    Subs(8);
    ed.ListedSubWins = 10;
    ListBox_SubWinClick(ed, 7);
    DelSubWinClick(ed);
    EXPECT_EQ(Sec().SubWinCount, 7);
    EXPECT_EQ(View(ed).SubWinList.size(), 7u);
    EXPECT_FALSE(Sub(8).Shape);
    EXPECT_TRUE(View(ed).Command(CommandId::AddSubWin).Enabled);
}

// Delete Sub Window works on the chosen sub window, and on nothing else.
TEST_F(WindowListTest, DeletingNeedsAChosenSubWindow) {
    Subs(2);
    for (int chosen : {-1, 0}) {
        SCOPED_TRACE(chosen);
        ChooseWindow(ed, chosen);
        EXPECT_FALSE(View(ed).Command(CommandId::DelSubWin).Enabled);
        DelSubWinClick(ed);
        EXPECT_EQ(Sec().SubWinCount, 2);
        EXPECT_TRUE(Sub(2).Shape);
    }
    ChooseWindow(ed, 2);
    EXPECT_TRUE(View(ed).Command(CommandId::DelSubWin).Enabled);
}

// A sub window not drawn yet takes typed values, and is drawn once it has an area; the
// arrow keys then move it.
TEST_F(WindowListTest, TypedValuesPlaceASubWindowNotDrawnYet) {
    Subs(1);
    AddSubWinClick(ed);
    ListBox_SubWinClick(ed, 1);
    EXPECT_EQ(ed.PLWinIndex(), 2);
    EXPECT_EQ(View(ed).PosFields, (Fields4{"0", "0", "0", "0"}));
    EXPECT_TRUE(View(ed).PosFieldsEnabled);
    Fields("680", "0", "0", "100");
    Edit_PosKeyUp(ed, typed);  // no width: nothing to draw yet
    EXPECT_EQ(Model(Sub(2)), (std::array{680, 0, 0, 100}));
    EXPECT_FALSE(Sub(2).Shape);
    Fields("680", "0", "340", "100");
    Edit_PosKeyUp(ed, typed);
    EXPECT_EQ(Model(Sub(2)), (std::array{680, 0, 340, 100}));
    ASSERT_TRUE(Sub(2).Shape);
    EXPECT_EQ(Rect(*Sub(2).Shape), (std::array{361, 0, 181, 53}));
    EXPECT_TRUE(MarkedChosen(ed, 2));
    EXPECT_TRUE(ArrowKeyNudge(ed, KeyPlace::Picture, Arrow::Right, false, false));
    EXPECT_EQ(Sub(2).Left, 681);
}

TEST_F(WindowListTest, ChoosingAWindowHighlightsOnlyItAndShowsItsRectangle) {
    Subs(2);
    ListBox_SubWinClick(ed, 1);
    EXPECT_TRUE(MarkedChosen(ed, 2));
    EXPECT_FALSE(MarkedChosen(ed, 1));
    EXPECT_FALSE(MarkedChosen(ed, 0));
    EXPECT_EQ(View(ed).PosFields, (Fields4{"200", "0", "2", "0"}));
}

// With no window chosen the fields take nothing; with no section they read 0 as at start-up.
TEST_F(WindowListTest, FieldsNeedAChosenWindow) {
    Subs(1);
    ChooseWindow(ed, -1);
    EXPECT_FALSE(View(ed).PosFieldsEnabled);
    EXPECT_EQ(View(ed).PosFields, (Fields4{"", "", "", ""}));
    Fields("5", "5", "50", "50");
    Edit_PosKeyUp(ed, typed);
    EXPECT_EQ(Model(Sec().MainWin), (std::array{0, 0, 0, 0}));
    EXPECT_EQ(Model(Sub(1)), (std::array{100, 0, 1, 0}));
    ed.Prj->CurTimeIndex = -1;
    EXPECT_EQ(View(ed).PosFields, (Fields4{"0", "0", "0", "0"}));
    EXPECT_FALSE(View(ed).PosFieldsEnabled);
}

TEST_F(WindowListTest, TypedPositionsAreClampedToTheDisplay) {
    struct { Fields4 in, out; } cases[] = {
        {{"2000", "0", "100", "50"}, {"1360", "0", "0", "50"}},
        {{"1300", "700", "200", "200"}, {"1300", "700", "60", "68"}},
        {{"100", "10", "-50", "20"}, {"100", "10", "-50", "20"}},
        {{"-20", "-5", "100", "100"}, {"0", "0", "80", "95"}},
        {{"2147483647", "0", "2147483647", "0"}, {"1360", "0", "0", "0"}},
        {{"+12", "0", "0", "0"}, {"12", "0", "0", "0"}},
    };
    Place(1, 0, 0, 10, 10);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in[0] + " " + c.in[2]);
        Current(1);
        Edit_PosKeyEnter(ed, c.in);
        EXPECT_EQ(View(ed).PosFields, c.out);
        EXPECT_EQ(Model(Sub(1)), (std::array{std::stoi(c.out[0]), std::stoi(c.out[1]),
                                             std::stoi(c.out[2]), std::stoi(c.out[3])}));
    }
}

TEST_F(WindowListTest, TypedPositionPlacesTheMarker) {
    Place(1, 0, 0, 10, 10);
    Current(1);
    Fields("340", "0", "680", "768");
    Edit_PosKeyUp(ed, typed);
    EXPECT_EQ(Rect(*Sub(1).Shape), (std::array{180, 0, 362, 407}));
}

// Typed values go to the window the fields show, not to the one the pointer crossed
// last; entering or leaving a field without a change leaves every rectangle as it is,
// even one the display could not hold.
TEST_F(WindowListTest, TypedValuesGoToTheChosenWindowOnlyWhenChanged) {
    Subs(2);
    Current(1);
    Move(45, 45);  // over SubWin2
    ASSERT_EQ(ed.SelWinIndex, 2);
    const auto second = Model(Sub(2));
    Fields("300", "10", "40", "50");
    Edit_PosKeyUp(ed, typed);
    EXPECT_EQ(Model(Sub(1)), (std::array{300, 10, 40, 50}));
    EXPECT_EQ(Model(Sub(2)), second);

    Sub(1).Left = 2000;  // as read from a file
    LeaveField(ed);
    LeaveField(ed);
    EXPECT_EQ(Model(Sub(1)), (std::array{2000, 10, 40, 50}));

    ClearDisplay(ed);  // a section shown afresh: no window takes typed values
    Edit_PosKeyEnter(ed, typed);
    EXPECT_EQ(Model(Sub(1)), (std::array{2000, 10, 40, 50}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(WindowListTest, EmptiedFieldBecomesZeroOnKeyRelease) {
    Place(1, 0, 0, 10, 10);
    Current(1);
    Fields("", "10", "", "20");
    Edit_PosKeyUp(ed, typed);
    EXPECT_EQ(View(ed).PosFields, (Fields4{"0", "10", "0", "20"}));
}

// An empty field or a lone minus, as a field holds it half typed, reads as 0 and raises
// no message, also when the focus moves.
TEST_F(WindowListTest, HalfTypedFieldsReadAsZero) {
    struct { Fields4 in; bool keyUp; Fields4 out; } cases[] = {
        {{"-", "10", "20", "30"}, true, {"0", "10", "20", "30"}},
        {{"5", "", "20", "-"}, false, {"5", "0", "20", "0"}},
    };
    Place(1, 0, 0, 10, 10);
    Current(1);
    for (const auto& c : cases) {
        c.keyUp ? Edit_PosKeyUp(ed, c.in) : Edit_PosKeyEnter(ed, c.in);
        EXPECT_EQ(View(ed).PosFields, c.out);
        EXPECT_TRUE(platform.messages.empty());
    }
}

// What a field lets the user type: a number as far as it goes, nothing else.
TEST_F(WindowListTest, FieldsAcceptOnlyWhatCanBeANumber) {
    for (const char* ok : {"", "-", "0", "768", "-50", "123456", "-12345"})
        EXPECT_TRUE(PosFieldTextAllowed(ok)) << ok;
    for (const char* bad : {"a", "7a", "--1", "1-", "+5", " 1", "1234567", "-123456", "1.5"})
        EXPECT_FALSE(PosFieldTextAllowed(bad)) << bad;
}

TEST_F(WindowListTest, TextThatIsNotANumberEndsTheOperationUnstored) {
    struct { const char* name; Fields4 in; bool keyUp; std::string bad; } cases[] = {
        {"letters", {"0", "1x", "10", "10"}, true, "'1x' is not a valid integer value"},
        {"too large", {"0", "0", "99999999999", "10"}, true, "'99999999999' is not a valid integer value"},
        {"sign only after digits", {"0", "0", "10", "1-"}, false, "'1-' is not a valid integer value"},
    };
    Place(1, 0, 0, 10, 10);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sub(1).Left = 7;
        Current(1);
        try {
            c.keyUp ? Edit_PosKeyUp(ed, c.in) : Edit_PosKeyEnter(ed, c.in);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.what(), c.bad);
        }
        EXPECT_EQ(Sub(1).Left, 7);
    }
}

// Choosing a window shows its stored rectangle and never changes it, even where the
// picture cannot show it exactly.
TEST_F(WindowListTest, ChoosingKeepsTheStoredRectangle) {
    const Fields4 typed[] = {{"189", "0", "400", "300"}, {"960", "0", "400", "768"}, {"0", "1", "1359", "767"}};
    for (const Fields4& f : typed) {
        SCOPED_TRACE(f[0]);
        Current(0);
        Edit_PosKeyUp(ed, f);
        Panel_MainWinClick(ed);
        EXPECT_EQ(View(ed).PosFields, f);
        EXPECT_EQ(Model(Sec().MainWin), (std::array{std::stoi(f[0]), std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3])}));

        Place(2, 0, 0, 10, 10);
        Current(2);
        Edit_PosKeyEnter(ed, f);
        ListBox_SubWinClick(ed, 1);
        EXPECT_EQ(View(ed).PosFields, f);
        EXPECT_EQ(Model(Sub(2)), Model(Sec().MainWin));
    }
}

TEST_F(WindowListTest, FirstMainWindowClickGivesASquareAtTopLeft) {
    ed.Prj = ed.NewProject();
    ed.Prj->CurTimeIndex = 0;
    Panel_MainWinClick(ed);
    const auto& main = ed.Prj->TimePL[0].MainWin;
    EXPECT_EQ(Rect(*main.Shape), (std::array{0, 0, 405, 405}));
    EXPECT_TRUE(main.Shape->Visible);
    EXPECT_TRUE(MarkedChosen(ed, 0));
    EXPECT_EQ(Model(main), (std::array{0, 0, 763, 764}));
    EXPECT_TRUE(View(ed).MainWinPanelBlue);
    EXPECT_EQ(View(ed).PosFields, (Fields4{"0", "0", "763", "764"}));
}

TEST_F(WindowListTest, DoubleClicksNameTheWindowAndNeedASection) {
    Subs(2);
    EXPECT_TRUE(ListBox_SubWinDblClick(ed, 1));
    EXPECT_EQ(ed.PLWinIndex(), 2);
    EXPECT_TRUE(Panel_MainWinDblClick(ed));
    EXPECT_EQ(ed.PLWinIndex(), 0);
    ed.Prj->CurTimeIndex = -1;
    EXPECT_FALSE(Panel_MainWinDblClick(ed));
    EXPECT_FALSE(ListBox_SubWinDblClick(ed, 1));
}

TEST_F(WindowListTest, BackgroundChoice) {
    struct Case {
        const char* name;
        std::string chosen;
        std::string problem;  // picture check's reason, if any
        std::string stored;
        PictureKind picture;
        bool warned;
    };
    const Case cases[] = {
        {"picture in capitals", "/p/back.JPG", "", "/p/back.JPG", PictureKind::File, false},
        {"not a picture", "/p/notes.txt", "", "/p/notes.txt", PictureKind::Empty, false},
        {"cancelled", "", "", "/old.bmp", PictureKind::Default, false},
        {"quotation mark", "/p/a\"b.jpg", "", "/old.bmp", PictureKind::Default, true},
        {"angle bracket", "/p/a<b.jpg", "", "/old.bmp", PictureKind::Default, true},
        {"line break", "/p/a\nb.jpg", "", "/old.bmp", PictureKind::Default, true},
        {"unreadable picture", "/p/broken.bmp", "not a picture", "/p/broken.bmp", PictureKind::Default, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sec().BGFile = "/old.bmp";
        ed.Picture = PictureKind::Default;
        ed.Prj->PrjDir = "/prj/";
        ed.Prj->PrjFileName = "/prj/show.XML";
        platform.messages.clear();
        platform.choosers.clear();
        platform.files = {c.chosen};
        if (!c.problem.empty()) platform.pictureProblems[c.chosen] = c.problem;
        SBtn_BGFileClick(ed);
        ASSERT_EQ(platform.choosers.size(), 1u);
        EXPECT_EQ(platform.choosers[0].filter, "All (*.*)|*.*");
        EXPECT_EQ(platform.choosers[0].initialDir, "/prj/");
        EXPECT_EQ(Sec().BGFile, c.stored);
        EXPECT_EQ(View(ed).BGFileField, c.stored);
        EXPECT_EQ(View(ed).Picture, c.picture);
        if (c.picture == PictureKind::File) {
            EXPECT_EQ(View(ed).PictureFile, c.chosen);
        }
        ASSERT_EQ(platform.messages.size(), c.warned ? 1u : 0u);
        if (c.warned) {
            EXPECT_NE(platform.messages[0].text.find(c.chosen), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace kestrel::test
