// Where the file dialogs open and what they remember between runs.
#include "model/DialogFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "model/Paths.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace kestrel {
namespace {

TEST(DialogFolder, ProjectFolderThenLastFolderThenHome) {
    test::TempDir project, last;
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    struct Case {
        const char* name;
        bool saved;
        std::string remembered;
        std::string expected;
    } cases[] = {
        {"a saved or opened project", true, last.Dir(), project.Dir()},
        {"no project folder yet", false, last.Dir(), last.Dir()},
        {"the folder used last is gone", false, last / "gone/", home},
        {"nothing remembered", false, "", home},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform fake;
        Editor ed{fake};
        ed.Prj->PrjDir = c.saved ? project.Dir() : ProgramFolder();
        ed.Prj->PrjFileName = c.saved ? project / "show.XML" : "";
        if (!c.remembered.empty()) fake.settings[LastFolderSetting] = c.remembered;
        EXPECT_EQ(DialogStartFolder(ed), c.expected);
        EXPECT_NE(DialogStartFolder(ed), ProgramFolder());
    }
}

TEST(DialogFolder, ChosenFilesFolderIsRemembered) {
    FakePlatform fake;
    Editor ed{fake};
    RememberDialogFolder(ed, "/media/spring/clip.avi");
    EXPECT_EQ(fake.settings[LastFolderSetting], "/media/spring/");
    RememberDialogFolder(ed, "");  // cancelled
    EXPECT_EQ(fake.settings[LastFolderSetting], "/media/spring/");
}

}  // namespace
}  // namespace kestrel
