// The recent projects: what the list keeps, and opening from it.
#include <gtest/gtest.h>

#include "model/History.h"
#include "storage/OpenCommand.h"
#include "storage/ProjectSaver.h"
#include "storage/RecentProjects.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace kestrel {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentProjectsTest, KeepsTheLastEightMostRecentFirst) {
    FakePlatform fp;
    for (int i = 1; i <= 9; ++i) RememberRecentProject(fp, "/p/" + std::to_string(i) + ".XML");
    RememberRecentProject(fp, "/p/5.XML");  // again: moves to the front, listed once
    EXPECT_EQ(RecentProjects(fp), (Paths{"/p/5.XML", "/p/9.XML", "/p/8.XML", "/p/7.XML", "/p/6.XML",
                                         "/p/4.XML", "/p/3.XML", "/p/2.XML"}));
    ForgetRecentProject(fp, "/p/9.XML");
    EXPECT_EQ(RecentProjects(fp).size(), 7u);
    EXPECT_EQ(RecentProjects(fp)[1], "/p/8.XML");
    ClearRecentProjects(fp);
    EXPECT_TRUE(RecentProjects(fp).empty());

    // A value edited by hand gives no empty or repeated entries.
    fp.settings["recentProjects"] = "/a.XML\n\n/a.XML\n/b.XML";
    EXPECT_EQ(RecentProjects(fp), (Paths{"/a.XML", "/b.XML"}));
}

class OpenRecentTest : public ::testing::Test {
protected:
    test::TempDir dir;
    FakePlatform fp;
    Editor ed{fp};

    const std::string plan = dir / "plan.XML";

    // An empty project saved as plan.XML with the real saver.
    void SavePlan() {
        ed.Prj->PrjFileName = plan;
        ed.Prj->PrjDir = dir.Dir();
        TBtnSavePrjClick(ed);
        fp.messages.clear();
    }
};

TEST_F(OpenRecentTest, OpeningOrSavingPutsTheProjectFirst) {
    RememberRecentProject(fp, "/elsewhere/old.XML");
    SavePlan();
    EXPECT_EQ(RecentProjects(fp), (Paths{plan, "/elsewhere/old.XML"}));
    RememberRecentProject(fp, "/elsewhere/old.XML");
    OpenRecentProject(ed, plan);
    EXPECT_EQ(RecentProjects(fp), (Paths{plan, "/elsewhere/old.XML"}));
    EXPECT_EQ(ed.Prj->PrjFileName, plan);
    EXPECT_FALSE(HasUnsavedChanges(ed));
}

TEST_F(OpenRecentTest, AProjectThatIsGoneIsDroppedWithAMessage) {
    const std::string gone = dir / "gone.XML";
    RememberRecentProject(fp, "/elsewhere/old.XML");
    RememberRecentProject(fp, gone);
    ed.Prj->TimePL[0].BGFile = "/media/back.jpg";  // unsaved work: kept, and not asked about
    OpenRecentProject(ed, gone);
    ASSERT_EQ(fp.messages.size(), 1u);
    EXPECT_EQ(fp.messages[0].caption, "Warning");
    EXPECT_EQ(fp.messages[0].text,
              "The project \"" + gone + "\" cannot be found; it has been removed from the recent projects.");
    EXPECT_EQ(RecentProjects(fp), (Paths{"/elsewhere/old.XML"}));
    EXPECT_EQ(ed.Prj->TimePL[0].BGFile, "/media/back.jpg");
}

TEST_F(OpenRecentTest, AsksAsOpenDoesBeforeLosingWork) {
    SavePlan();
    ed.Prj->TimePL[0].BGFile = "/media/back.jpg";
    fp.answers = {Answer::No};
    OpenRecentProject(ed, plan);
    ASSERT_EQ(fp.messages.size(), 1u);
    EXPECT_EQ(fp.messages[0].text, "Open new project will lost the before operation, do you want continue?");
    EXPECT_EQ(ed.Prj->TimePL[0].BGFile, "/media/back.jpg");
}

}  // namespace
}  // namespace kestrel
