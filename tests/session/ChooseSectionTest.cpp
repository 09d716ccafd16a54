// Choosing from a finding or the day plan: the time list's and the window list's steps.
#include "session/ChooseSection.h"

#include <functional>

#include "layout/WindowList.h"
#include "session/EditMenu.h"
#include "timesections/SectionFixture.h"

namespace kestrel {
namespace {

class ChooseSectionTest : public SectionFixture {
protected:
    void SetUp() override {
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(Add(8 + i, 0, 9 + i, 0));
            Fill(i);
        }
        // 189 comes back from the picture as 188: a main window "placed again" would move.
        ed.Prj->TimePL[1].MainWin.Left = 189;
        Choose(0);
    }
    // The stored records alone, without markers or the view.
    std::string Records() const {
        std::ostringstream o;
        auto rect = [&](const auto& w) { o << " " << w.Left << "," << w.Top << "," << w.Width << "," << w.Height; };
        for (const TTimePLData& r : ed.Prj->TimePL) {
            o << r.StartTime << "-" << r.EndTime << " " << r.BGFile;
            rect(r.MainWin);
            for (int j = 1; j <= MaxSubWin; ++j) rect(r.SubWin[j]);
            o << "\n";
        }
        return o.str();
    }
};

TEST_F(ChooseSectionTest, ChoosesTheSectionAndASubWindowAsTheListsDo) {
    const std::string before = Records();
    ChooseSection(ed, 2, 2);
    EXPECT_EQ(ed.Prj->CurTimeIndex, 2);
    EXPECT_EQ(View(ed).TimeListIndex, 2);
    EXPECT_EQ(View(ed).SubWinListIndex, 1);
    EXPECT_EQ(ed.PLWinIndex(), 2);
    EXPECT_TRUE(MarkedChosen(ed, 2));
    EXPECT_FALSE(MarkedChosen(ed, 1));
    EXPECT_EQ(View(ed).PosFields[FieldLeft], "720");
    EXPECT_EQ(Records(), before);
}

TEST_F(ChooseSectionTest, ChoosingTheMainWindowPlacesNothing) {
    const std::string before = Records();
    ChooseSection(ed, 1, 0);
    EXPECT_EQ(ed.Prj->CurTimeIndex, 1);
    EXPECT_EQ(ed.PLWinIndex(), 0);
    EXPECT_TRUE(View(ed).MainWinPanelBlue);
    EXPECT_TRUE(MarkedChosen(ed, 0));
    EXPECT_EQ(View(ed).PosFields[FieldLeft], "189");
    EXPECT_EQ(Records(), before);
}

// A main window never drawn shows no rectangle it does not have, neither when a finding
// ("no-main-playlist") chooses it nor when its first placing is undone; a typed one shows.
TEST_F(ChooseSectionTest, AMainWindowNeverDrawnShowsNoRectangle) {
    const struct {
        const char* name;
        std::function<void(Editor&)> choose;
    } cases[] = {
        {"chosen by a finding", [](Editor& ed) { ChooseSection(ed, 3, 0); }},
        {"placing undone", [](Editor& ed) {
             ChooseSection(ed, 3);
             Panel_MainWinClick(ed);
             Undo1Click(ed);
         }},
    };
    ASSERT_TRUE(Add(12, 0, 13, 0));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(0);
        c.choose(ed);
        EXPECT_EQ(ed.Prj->CurTimeIndex, 3);
        EXPECT_EQ(ed.PLWinIndex(), 0);
        EXPECT_EQ(ed.Prj->TimePL[3].MainWin.Width, 0);
        const auto& shape = ed.Prj->TimePL[3].MainWin.Shape;
        ASSERT_TRUE(shape);
        EXPECT_EQ(shape->Width, 0);
        EXPECT_EQ(shape->Height, 0);
        EXPECT_EQ(View(ed).PosFields[FieldWidth], "0");
        TypeFields(ed, {"0", "0", "680", "384"});
        EXPECT_TRUE(shape->Visible);
        EXPECT_EQ(shape->Width, 361);
    }
}

TEST_F(ChooseSectionTest, OnlyListedSectionsAndWindowsAreChosen) {
    ChooseSection(ed, 1);
    EXPECT_EQ(ed.Prj->CurTimeIndex, 1);
    const std::string state = Dump(ed);
    for (auto [section, window] : {std::pair{3, 0}, {-1, 0}, {10, 1}}) {
        ChooseSection(ed, section, window);
        EXPECT_EQ(Dump(ed), state) << section;
    }
    ChooseSection(ed, 1, 3);  // section 1 has two sub windows: the section is chosen, no window
    EXPECT_EQ(View(ed).SubWinListIndex, -1);
}

}  // namespace
}  // namespace kestrel
