// The table of commands and the view the main window shows, without a screen.
#include <gtest/gtest.h>

#include "session/Commands.h"
#include "session/MainView.h"
#include "storage/ProjectSamples.h"
#include "support/CoreHand.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace kestrel {
namespace {

using test::WriteBytes;

// A command that needs a section or a chosen sub window does nothing without one: no
// box, no file chooser, no dialog to open.
TEST(CommandsTest, ADisabledCommandRunsNothing) {
    test::FakePlatform fp;
    Editor ed{fp};
    for (CommandId id : {CommandId::EditTimeSection, CommandId::DeleteTimeSection, CommandId::SelectBackground,
                         CommandId::AddSubWin, CommandId::DelSubWin, CommandId::Undo, CommandId::Redo}) {
        SCOPED_TRACE(CommandOf(id).Name);
        EXPECT_FALSE(View(ed).Command(id).Enabled);
        EXPECT_EQ(Perform(ed, id), Follow::Nothing);
    }
    EXPECT_TRUE(fp.messages.empty());
    EXPECT_TRUE(fp.choosers.empty());
    EXPECT_EQ(Perform(ed, CommandId::NewTimeSection), Follow::TimeList);
    EXPECT_EQ(Perform(ed, CommandId::CheckProject), Follow::Check);
}

// Save and Save as say in their closing message how many problems the saved project has.
TEST(CommandsTest, SaveTellsTheProblemsOfTheSavedProject) {
    test::FakePlatform fp;
    Editor ed{fp};
    test::TempDir media, folder;
    test::FillWorkedExample(*ed.Prj, media.Dir(), media.Dir());
    ed.Prj->CurTimeIndex = 0;
    for (const char* f : {"intro.mp4", "back.jpg", "pic1.jpg", "pic2.jpg"}) WriteBytes(media / f, f);
    fp.files = {folder / "plan"};
    Perform(ed, CommandId::SaveAs);  // promo.avi is missing
    ASSERT_EQ(fp.messages.size(), 1u);
    EXPECT_EQ(fp.messages[0].text, "Save completed, but some files could not be copied into the project folder:\n" +
                                       (media / "promo.avi") + ": No such file or directory\nCheck Project found 1 problems.");
    WriteBytes(media / "promo.avi", "promo.avi");
    fp.messages.clear();
    Perform(ed, CommandId::Save);
    EXPECT_EQ(fp.Texts(), std::vector<std::string>{"Save completed!"});
}

// What the window panel, the fields and the picture show follows the chosen window, and
// nothing else: the section shown with SubWin1 drawn, SubWin2 listed without a rectangle.
TEST(MainViewTest, EverythingShowsTheChosenWindow) {
    test::FakePlatform fp;
    Editor ed{fp};
    auto& prj = *ed.Prj;
    prj.TimeCount = 1;
    prj.CurTimeIndex = 0;
    auto& rec = prj.TimePL[0];
    rec.MainWin.Left = 0, rec.MainWin.Width = 960, rec.MainWin.Height = 768;
    rec.SubWinCount = 2;
    rec.SubWin[1].Left = 960, rec.SubWin[1].Width = 400, rec.SubWin[1].Height = 300;
    ShowTimeSection(ed);
    ed.ListedSubWins = 2;  // SubWin2 added since
    struct Case {
        int chosen;
        int listIndex;
        bool blue;
        PosTexts fields;
        bool fieldsEnabled, del;
        const char* status;
        int red;  // the marker in the chosen look, -1 none
    } cases[] = {
        {-1, -1, false, {"", "", "", ""}, false, false, "", -1},
        {0, -1, true, {"0", "0", "960", "768"}, true, false, "Main Window: Start X 0, Start Y 0, Width 960, Height 768", 0},
        {1, 0, false, {"960", "0", "400", "300"}, true, true, "SubWin1: Start X 960, Start Y 0, Width 400, Height 300", 1},
        {2, 1, false, {"0", "0", "0", "0"}, true, true, "SubWin2: Start X 0, Start Y 0, Width 0, Height 0", -1},
        {3, -1, false, {"", "", "", ""}, false, false, "", -1},  // not listed: none chosen
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        ChooseWindow(ed, c.chosen);
        const MainView v = View(ed);
        EXPECT_EQ(v.SubWinList, (std::vector<std::string>{"SubWin1", "SubWin2"}));
        EXPECT_EQ(v.SubWinListIndex, c.listIndex);
        EXPECT_EQ(v.MainWinPanelBlue, c.blue);
        EXPECT_EQ(v.PosFields, c.fields);
        EXPECT_EQ(v.PosFieldsEnabled, c.fieldsEnabled);
        EXPECT_EQ(v.Command(CommandId::DelSubWin).Enabled, c.del);
        EXPECT_EQ(v.WindowStatus, c.status);
        ASSERT_EQ(v.Markers.size(), 2u);
        for (const MarkerView& m : v.Markers) EXPECT_EQ(m.Chosen, m.Window == c.red) << m.Window;
    }
}

}  // namespace
}  // namespace kestrel
