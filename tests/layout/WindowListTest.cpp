#include "layout/WindowList.h"

#include "LayoutFixture.h"
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
        ed.View.SubWinList.clear();
        for (int i = 1; i <= n; ++i) {
            ed.View.SubWinList.push_back("SubWin" + std::to_string(i));
            Sub(i).Left = i * 100;
            Sub(i).Width = i;
            Sub(i).PLCount = i;
            Sub(i).PL[0].FileName = "clip" + std::to_string(i) + ".avi";
            Sub(i).PL[i].Times = i;
            Place(i, i * 20, i * 20, 10, 10);
        }
        Sec().SubWinCount = n;
    }
};

TEST_F(WindowListTest, AddingAppendsUpToEightAndRecountsTheListFirst) {
    Subs(8);
    AddSubWinClick(ed);
    EXPECT_EQ(Sec().SubWinCount, 8);
    EXPECT_EQ(ed.View.SubWinList.size(), 8u);
    EXPECT_FALSE(ed.View.AddSubWinEnabled);
    EXPECT_TRUE(ed.View.DelSubWinEnabled);

    Subs(2);
    Sec().SubWinCount = 5;  // the section display listed only two of them
    AddSubWinClick(ed);
    EXPECT_EQ(Sec().SubWinCount, 3);
    EXPECT_EQ(ed.View.SubWinList, (List{"SubWin1", "SubWin2", "SubWin3"}));
    EXPECT_FALSE(Sub(3).Shape);
    EXPECT_EQ(Sub(3).Left, 300);  // rectangle and playlist are not reset by adding
    EXPECT_TRUE(ed.View.AddSubWinEnabled);
}

TEST_F(WindowListTest, DeletingMovesLaterWindowsDownWithEverything) {
    Subs(3);
    const TSubWinData third = Sub(3);
    ed.View.SubWinListIndex = 1;
    DelSubWinClick(ed);
    EXPECT_EQ(Sec().SubWinCount, 2);
    EXPECT_EQ(ed.View.SubWinList, (List{"SubWin1", "SubWin2"}));
    EXPECT_EQ(Model(Sub(2)), Model(third));
    EXPECT_EQ(Sub(2).PLCount, 3);
    EXPECT_EQ(Sub(2).PL[0].FileName, "clip3.avi");
    EXPECT_EQ(Sub(2).PL[3].Times, 3);
    EXPECT_EQ(Rect(*Sub(2).Shape), Rect(*third.Shape));
    EXPECT_FALSE(Sub(3).Shape);
    EXPECT_EQ(Model(Sub(3)), (std::array{0, 0, 0, 0}));
    EXPECT_EQ(Sub(3).PLCount, 0);
    // SubWin1 becomes current and edited.
    EXPECT_EQ(ed.View.SubWinListIndex, 0);
    EXPECT_EQ(ed.PLWinIndex, 1);
    EXPECT_EQ(ed.SelWinIndex, 1);
    EXPECT_TRUE(Sub(1).Shape->Highlighted);
    EXPECT_FALSE(ed.View.MainWinPanelBlue);
}

TEST_F(WindowListTest, DeletingTheOnlyOneMakesMainWindowCurrent) {
    Subs(1);
    Current(1);
    ed.View.SubWinListIndex = 0;
    TBtnDeleteSelClick(ed);
    EXPECT_TRUE(ed.View.SubWinList.empty());
    EXPECT_EQ(ed.View.SubWinListIndex, -1);
    EXPECT_EQ(ed.PLWinIndex, 0);
    EXPECT_EQ(ed.SelWinIndex, 0);
    EXPECT_TRUE(ed.View.MainWinPanelBlue);
    EXPECT_FALSE(ed.View.DelSubWinEnabled);
    EXPECT_TRUE(ed.View.AddSubWinEnabled);
}

TEST_F(WindowListTest, DeletingNeverReachesPastTheEightSlots) {
    Subs(8);
    ed.View.SubWinList.push_back("SubWin9");
    ed.View.SubWinList.push_back("SubWin10");
    ed.View.SubWinListIndex = 7;
    DelSubWinClick(ed);
    EXPECT_EQ(Sec().SubWinCount, 7);
    EXPECT_EQ(ed.View.SubWinList.size(), 7u);
    EXPECT_FALSE(Sub(8).Shape);
    EXPECT_TRUE(ed.View.AddSubWinEnabled);
}

TEST_F(WindowListTest, DeletingWithoutSelectionOnlySetsMenuStates) {
    Subs(2);
    ed.View.SubWinListIndex = -1;
    ed.View.DelSubWinEnabled = false;
    DelSubWinClick(ed);
    EXPECT_EQ(Sec().SubWinCount, 2);
    EXPECT_TRUE(Sub(2).Shape);
    EXPECT_TRUE(ed.View.DelSubWinEnabled);
}

TEST_F(WindowListTest, ChoosingASubWindowWithoutMarkerLeavesNothingToEdit) {
    Subs(1);
    AddSubWinClick(ed);
    ed.View.SubWinListIndex = 1;
    ListBox_SubWinClick(ed);
    EXPECT_EQ(ed.PLWinIndex, 2);
    EXPECT_EQ(ed.SelWinIndex, -1);
    Fields("5", "5", "5", "5");
    Edit_PosKeyUp(ed);  // goes nowhere
    EXPECT_EQ(Model(Sub(2)), (std::array{0, 0, 0, 0}));
    EXPECT_FALSE(Sub(2).Shape);
}

TEST_F(WindowListTest, ChoosingAWindowHighlightsOnlyItAndShowsItsRectangle) {
    Subs(2);
    ed.View.SubWinListIndex = 1;
    ListBox_SubWinClick(ed);
    EXPECT_EQ(ed.SelWinIndex, 2);
    EXPECT_TRUE(Sub(2).Shape->Highlighted);
    EXPECT_FALSE(Sub(1).Shape->Highlighted);
    EXPECT_FALSE(Sec().MainWin.Shape->Highlighted);
    EXPECT_EQ(ed.View.PosFields, (Fields4{"200", "0", "2", "0"}));
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
        ed.View.PosFields = c.in;
        Edit_PosKeyEnter(ed);
        EXPECT_EQ(ed.View.PosFields, c.out);
        EXPECT_EQ(Model(Sub(1)), (std::array{std::stoi(c.out[0]), std::stoi(c.out[1]),
                                             std::stoi(c.out[2]), std::stoi(c.out[3])}));
    }
}

TEST_F(WindowListTest, TypedPositionPlacesTheMarker) {
    Place(1, 0, 0, 10, 10);
    Current(1);
    Fields("340", "0", "680", "768");
    Edit_PosKeyUp(ed);
    EXPECT_EQ(Rect(*Sub(1).Shape), (std::array{180, 0, 362, 407}));
}

// Typed values go to the window the fields show, not to the one the pointer crossed
// last; entering or leaving a field without a change leaves every rectangle as it is,
// even one the display could not hold.
TEST_F(WindowListTest, TypedValuesGoToTheChosenWindowOnlyWhenChanged) {
    Subs(2);
    Current(1);
    ShowSelectedWindow(ed);
    Move(45, 45);  // over SubWin2
    ASSERT_EQ(ed.SelWinIndex, 2);
    const auto second = Model(Sub(2));
    Fields("300", "10", "40", "50");
    Edit_PosKeyUp(ed);
    EXPECT_EQ(Model(Sub(1)), (std::array{300, 10, 40, 50}));
    EXPECT_EQ(Model(Sub(2)), second);

    Sub(1).Left = 2000;  // as read from a file
    ShowSelectedWindow(ed);
    Edit_PosKeyEnter(ed);
    Edit_PosKeyEnter(ed);
    EXPECT_EQ(Model(Sub(1)), (std::array{2000, 10, 40, 50}));

    ClearDisplay(ed);  // a section shown afresh: empty fields name no window
    Edit_PosKeyEnter(ed);
    EXPECT_EQ(Model(Sub(1)), (std::array{2000, 10, 40, 50}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(WindowListTest, EmptiedFieldBecomesZeroOnKeyRelease) {
    Place(1, 0, 0, 10, 10);
    Current(1);
    Fields("", "10", "", "20");
    Edit_PosKeyUp(ed);
    EXPECT_EQ(ed.View.PosFields, (Fields4{"0", "10", "0", "20"}));
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
        ed.View.PosFields = c.in;
        c.keyUp ? Edit_PosKeyUp(ed) : Edit_PosKeyEnter(ed);
        EXPECT_EQ(ed.View.PosFields, c.out);
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
        ed.View.PosFields = c.in;
        try {
            c.keyUp ? Edit_PosKeyUp(ed) : Edit_PosKeyEnter(ed);
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
        ed.View.PosFields = f;
        Edit_PosKeyUp(ed);
        Panel_MainWinClick(ed);
        EXPECT_EQ(ed.View.PosFields, f);
        EXPECT_EQ(Model(Sec().MainWin), (std::array{std::stoi(f[0]), std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3])}));

        Place(2, 0, 0, 10, 10);
        Current(2);
        ed.View.PosFields = f;
        Edit_PosKeyEnter(ed);
        ed.View.SubWinListIndex = 1;
        ListBox_SubWinClick(ed);
        EXPECT_EQ(ed.View.PosFields, f);
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
    EXPECT_TRUE(main.Shape->Highlighted);
    EXPECT_EQ(Model(main), (std::array{0, 0, 763, 764}));
    EXPECT_TRUE(ed.View.MainWinPanelBlue);
    EXPECT_EQ(ed.View.PosFields, (Fields4{"0", "0", "763", "764"}));
}

TEST_F(WindowListTest, DoubleClicksNameTheWindowAndNeedASection) {
    Subs(2);
    ed.View.SubWinListIndex = 1;
    EXPECT_TRUE(ListBox_SubWinDblClick(ed));
    EXPECT_EQ(ed.PLWinIndex, 2);
    EXPECT_EQ(ed.SelWinIndex, 2);
    EXPECT_TRUE(Panel_MainWinDblClick(ed));
    EXPECT_EQ(ed.PLWinIndex, 0);
    ed.Prj->CurTimeIndex = -1;
    EXPECT_FALSE(Panel_MainWinDblClick(ed));
    EXPECT_FALSE(ListBox_SubWinDblClick(ed));
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
        ed.View.BGFileField = "/old.bmp";
        ed.View.Picture = PictureKind::Default;
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
        EXPECT_EQ(ed.View.BGFileField, c.stored);
        EXPECT_EQ(ed.View.Picture, c.picture);
        if (c.picture == PictureKind::File) {
            EXPECT_EQ(ed.View.PictureFile, c.chosen);
        }
        ASSERT_EQ(platform.messages.size(), c.warned ? 1u : 0u);
        if (c.warned) {
            EXPECT_NE(platform.messages[0].text.find(c.chosen), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace kestrel::test
