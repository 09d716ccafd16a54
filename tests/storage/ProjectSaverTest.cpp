// The Save and Save as commands through a scripted Platform, on real temporary folders.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "model/Error.h"
#include "model/Paths.h"
#include "storage/MediaCopy.h"
#include "storage/PrjFileReader.h"
#include "storage/PrjFileWriter.h"
#include "storage/ProjectFolder.h"
#include "storage/ProjectSaver.h"
#include "model/DialogFolder.h"
#include "storage/ProjectSamples.h"
#include "support/CoreHand.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"
#include "timesections/TimeSections.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class SaveTest : public ::testing::Test {
protected:
    test::FakePlatform platform;
    Editor ed{platform};
    test::TempDir media, folder, program;

    void SetUp() override {
        ed.Prj->PrjDir = program.Dir();
        test::FillWorkedExample(*ed.Prj, media.Dir(), media.Dir());
        ed.Prj->CurTimeIndex = 0;
        for (const char* f : {"intro.mp4", "promo.avi", "back.jpg", "pic1.jpg", "pic2.jpg"})
            WriteBytes(media / f, f);
    }
    std::string Saved() { return ReadBytes(ed.Prj->PrjFileName); }
};

TEST_F(SaveTest, SaveAsWritesTheFileCopiesTheMediaAndReports) {
    platform.files = {folder / "plan"};
    WriteBytes(program / "Thumbs.db", "x");
    WriteBytes(folder / "Thumbs.db", "x");
    WriteBytes(folder / "back.jpg", "a background already there");
    WriteBytes(folder / "intro.mp4", "an older intro");
    platform.settings[LastFolderSetting] = media.Dir();
    TBtnSavePrjClick(ed);  // no name yet: asks for one, in the folder used last

    EXPECT_THAT(platform.Filters(), ElementsAre("XML file (*.XML)|*.XML"));
    EXPECT_THAT(platform.Folders(), ElementsAre(media.Dir()));
    EXPECT_EQ(platform.settings[LastFolderSetting], folder.Dir());
    EXPECT_EQ(ed.Prj->PrjFileName, folder / "plan.XML");
    EXPECT_EQ(ed.Prj->PrjDir, folder.Dir());
    EXPECT_EQ(Saved(), ReadBytes(std::string(KESTREL_TEST_DATA) + "/worked-example.XML"));
    for (const char* f : {"intro.mp4", "promo.avi", "pic1.jpg", "pic2.jpg"})
        EXPECT_EQ(ReadBytes(folder / f), f) << f;  // media replaced
    EXPECT_EQ(ReadBytes(folder / "back.jpg"), "a background already there");  // backgrounds kept
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Kestrel");
    EXPECT_EQ(platform.messages[0].text, "Save completed!");
    EXPECT_EQ(platform.messages[0].buttons, Buttons::Ok);
    EXPECT_FALSE(fs::exists(folder / "Thumbs.db"));
    EXPECT_TRUE(fs::exists(program / "Thumbs.db"));

    // A plain Save afterwards asks nothing and writes the same file again.
    TBtnSavePrjClick(ed);
    EXPECT_EQ(platform.choosers.size(), 1u);
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{"Save completed!", "Save completed!"}));
}

TEST_F(SaveTest, CancelOrEmptyNameWritesNothingButCleansUp) {
    for (bool queued : {true, false}) {  // an empty name given, or the dialog cancelled
        if (queued) platform.files = {""};
        WriteBytes(program / "Thumbs.db", "x");
        Saveas1Click(ed);
        EXPECT_TRUE(platform.messages.empty());
        EXPECT_EQ(ed.Prj->PrjFileName, "");
        EXPECT_TRUE(fs::is_empty(folder.Dir()));
        EXPECT_FALSE(fs::exists(program / "Thumbs.db"));
    }
}

TEST_F(SaveTest, ReplacingAnExistingFileAsksFirst) {
    WriteBytes(folder / "plan.XML", "the old plan");

    platform.files = {folder / "plan.XML"};
    platform.answers = {Answer::No};
    Saveas1Click(ed);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Warning");
    EXPECT_EQ(platform.messages[0].text, "File exist, replace it?");
    EXPECT_EQ(platform.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(platform.messages[0].icon, Icon::None);
    EXPECT_EQ(ReadBytes(folder / "plan.XML"), "the old plan");
    // Declined: the project keeps its previous name, so a plain Save asks again
    // instead of overwriting the file the user kept.
    EXPECT_EQ(ed.Prj->PrjFileName, "");
    EXPECT_EQ(ed.Prj->PrjDir, program.Dir());
    EXPECT_FALSE(fs::exists(folder / "intro.mp4"));

    platform.messages.clear();
    platform.files = {folder / "plan.XML"};
    platform.answers = {Answer::Yes};
    TBtnSavePrjClick(ed);
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{"File exist, replace it?", "Save completed!"}));
    EXPECT_EQ(Saved(), ReadBytes(std::string(KESTREL_TEST_DATA) + "/worked-example.XML"));
}

TEST_F(SaveTest, FolderThatCannotBeWrittenEndsTheSaveWithTheReason) {
    WriteBytes(folder / "file", "");
    platform.files = {folder / "file/plan.XML"};  // a file where a folder should be
    try {
        Saveas1Click(ed);
        FAIL() << "the save reported nothing";
    } catch (const Error& e) {
        EXPECT_THAT(e.what(), HasSubstr(folder / "file/plan.XML"));
        EXPECT_THAT(e.what(), HasSubstr("Not a directory"));
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SaveTest, FailedCopiesAreListedAndTheFileIsStillWritten) {
    fs::remove(media / "promo.avi");
    fs::remove(media / "pic2.jpg");
    fs::create_directory(media / "pic2.jpg");  // cannot be read as a file
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    EXPECT_EQ(Saved(), ReadBytes(std::string(KESTREL_TEST_DATA) + "/worked-example.XML"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "Save completed, but some files could not be copied into the project folder:\n" +
                  (media / "pic2.jpg") + ": Is a directory\n" + (media / "promo.avi") +
                  ": No such file or directory");

    fs::remove(media / "pic2.jpg");
    WriteBytes(media / "pic2.jpg", "pic2.jpg");
    WriteBytes(media / "promo.avi", "promo.avi");
    platform.messages.clear();
    TBtnSavePrjClick(ed);
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{"Save completed!"});
    EXPECT_EQ(ReadBytes(folder / "promo.avi"), "promo.avi");
}

TEST_F(SaveTest, AtMostTwentyFailuresAreListed) {
    auto& w = ed.Prj->TimePL[0].MainWin;
    w.PLCount = 25;
    for (int k = 0; k < 25; ++k) w.PL[k].FileName = media / ("gone" + std::to_string(k) + ".mp4");
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    const std::string text = platform.messages.at(0).text;
    EXPECT_THAT(text, HasSubstr("gone19.mp4: "));
    EXPECT_THAT(text, ::testing::Not(HasSubstr("gone20.mp4")));
    EXPECT_THAT(text, ::testing::EndsWith("\nand 5 more"));
}

TEST_F(SaveTest, ProgressCountsTheBytesOfEachCopyOnceInOrder) {
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    // pic1.jpg is used twice but copied once; every file is as long as its name.
    std::vector<std::pair<std::string, std::uint64_t>> starts;
    std::uint64_t done = 0;
    for (const JobProgress& p : platform.progress) {
        EXPECT_EQ(p.BytesTotal, 42u);
        EXPECT_GE(p.BytesDone, done);
        done = p.BytesDone;
        if (starts.empty() || starts.back().first != BareName(p.CurrentFile))
            starts.push_back({BareName(p.CurrentFile), p.BytesDone});
    }
    using P = std::pair<std::string, std::uint64_t>;
    EXPECT_THAT(starts, ElementsAre(P{"pic1.jpg", 0}, P{"pic2.jpg", 8}, P{"back.jpg", 16},
                                    P{"intro.mp4", 24}, P{"promo.avi", 33}, P{"", 42}));
}

TEST_F(SaveTest, CancelWritesNoProjectFileAndKeepsTheCompleteCopies) {
    struct Case {
        const char* what;
        bool saveAs;
    };
    for (const Case c : {Case{"Save", false}, Case{"Save as", true}}) {
        SCOPED_TRACE(c.what);
        test::TempDir other;
        ed.Prj->PrjFileName = folder / "plan.XML";
        ed.Prj->PrjDir = folder.Dir();
        WriteBytes(folder / "plan.XML", "the previous project file");
        platform.files = {other / "plan.XML"};
        platform.messages.clear();
        platform.cancelWhen = [](const JobProgress& p) { return BareName(p.CurrentFile) == "back.jpg"; };
        const std::string target = c.saveAs ? other.Dir() : folder.Dir();
        c.saveAs ? Saveas1Click(ed) : TBtnSavePrjClick(ed);

        EXPECT_EQ(platform.Texts(), std::vector<std::string>{SaveCancelledText});
        EXPECT_EQ(ReadBytes(folder / "plan.XML"), "the previous project file");
        EXPECT_FALSE(fs::exists(other / "plan.XML"));
        EXPECT_EQ(ed.Prj->PrjFileName, folder / "plan.XML");  // still the file that exists
        EXPECT_EQ(ed.Prj->PrjDir, folder.Dir());
        EXPECT_EQ(ReadBytes(target + "pic2.jpg"), "pic2.jpg");
        EXPECT_FALSE(fs::exists(target + "back.jpg"));
        EXPECT_FALSE(fs::exists(target + "intro.mp4"));
        fs::remove(folder / "pic1.jpg");
        fs::remove(folder / "pic2.jpg");
    }
}

// A stick's file system stores times coarsely (FAT: even seconds); its copies still
// count as unchanged, and a source changed since is still copied.
// The office copy of a project saved onto a stick again: the stick's copies keep only
// even seconds, and still count as unchanged.
TEST_F(SaveTest, CopiesOnACoarseTimeStoreAreRecognised) {
    const Project officeProject = *ed.Prj;
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    for (const char* f : {"intro.mp4", "promo.avi", "back.jpg", "pic1.jpg", "pic2.jpg"}) {
        struct stat st {};
        ASSERT_EQ(::stat((folder / f).c_str(), &st), 0);
        const struct timespec coarse[2] = {{st.st_mtim.tv_sec & ~1L, 0}, {st.st_mtim.tv_sec & ~1L, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, (folder / f).c_str(), coarse, 0), 0);
    }
    auto saveOfficeCopyAgain = [&] {
        *ed.Prj = officeProject;
        platform.files = {folder / "plan.XML"};
        platform.answers = {Answer::Yes};  // replace the stick's project file
        Saveas1Click(ed);
    };
    auto before = MediaBytesCopied();
    platform.progress.clear();
    saveOfficeCopyAgain();
    EXPECT_EQ(MediaBytesCopied(), before);
    EXPECT_EQ(platform.progress.back().BytesTotal, 0u);

    const auto later = fs::last_write_time(media / "promo.avi") + std::chrono::seconds(5);
    WriteBytes(media / "promo.avi", "PROMO.AVI");  // same size, other bytes
    fs::last_write_time(media / "promo.avi", later);
    saveOfficeCopyAgain();
    EXPECT_EQ(ReadBytes(folder / "promo.avi"), "PROMO.AVI");
}

// Once the project names the stick's copies, the office's originals are the same files:
// adding one again is no clash although the stick kept only even seconds of its time.
TEST_F(SaveTest, AnOriginalOfACoarseTimeCopyIsNoClash) {
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    ASSERT_EQ(ed.Prj->TimePL[0].MainWin.PL[0].FileName, folder / "intro.mp4");
    struct stat st {};
    ASSERT_EQ(::stat((media / "intro.mp4").c_str(), &st), 0);
    if (st.st_mtim.tv_nsec == 0) GTEST_SKIP() << "this file system keeps whole seconds itself";
    const struct timespec coarse[2] = {{st.st_mtim.tv_sec & ~1L, 0}, {st.st_mtim.tv_sec & ~1L, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder / "intro.mp4").c_str(), coarse, 0), 0);
    EXPECT_EQ(AddFileRefusal(*ed.Prj, media / "intro.mp4"), std::nullopt);
    WriteBytes(media / "intro.mp4", "INTRO.MP4");  // same size, changed since the copy
    fs::last_write_time(media / "intro.mp4", fs::last_write_time(media / "intro.mp4") + std::chrono::seconds(5));
    EXPECT_NE(AddFileRefusal(*ed.Prj, media / "intro.mp4"), std::nullopt);
}

TEST_F(SaveTest, AfterSaveAsTheProjectUsesTheNewFolder) {
    ShowTimeSection(ed);
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    const auto& s = ed.Prj->TimePL[0];
    EXPECT_EQ(s.MainWin.PL[1].FileName, folder / "promo.avi");
    EXPECT_EQ(s.SubWin[1].PL[1].FileName, folder / "pic2.jpg");
    EXPECT_EQ(s.BGFile, folder / "back.jpg");
    // The shown section's background field and picture name the copy as well.
    EXPECT_EQ(View(ed).BGFileField, folder / "back.jpg");
    EXPECT_EQ(View(ed).PictureFile, folder / "back.jpg");

    // A picture replaced in the new folder stays; the old files may go away.
    WriteBytes(folder / "pic2.jpg", "edited in the folder");
    fs::remove_all(media.Dir());
    platform.messages.clear();
    TBtnSavePrjClick(ed);
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{"Save completed!"});
    EXPECT_EQ(ReadBytes(folder / "pic2.jpg"), "edited in the folder");
}

TEST_F(SaveTest, AGoneSourceWhoseCopyIsInTheFolderIsNoFailure) {
    WriteBytes(folder / "back.jpg", "copied by an earlier save");
    WriteBytes(folder / "promo.avi", "copied by an earlier save");
    fs::remove(media / "back.jpg");
    fs::remove(media / "promo.avi");
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{"Save completed!"});
    EXPECT_EQ(ed.Prj->TimePL[0].BGFile, folder / "back.jpg");
}

TEST_F(SaveTest, LinksInTheFolderAreReplacedNotWrittenThrough) {
    test::TempDir outside;
    WriteBytes(outside / "profile", "private");
    fs::create_symlink(outside / "profile", folder / "pic1.jpg");
    fs::create_symlink(outside / "profile", folder / "intro.mp4");
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    EXPECT_EQ(ReadBytes(outside / "profile"), "private");
    for (const char* f : {"pic1.jpg", "intro.mp4"}) {
        EXPECT_FALSE(fs::is_symlink(folder / f)) << f;
        EXPECT_EQ(ReadBytes(folder / f), f);
    }
}

TEST_F(SaveTest, AProjectFileThatIsALinkStaysALink) {
    test::TempDir real;
    WriteBytes(real / "plan.XML", "the old plan");
    fs::create_symlink(real / "plan.XML", folder / "plan.XML");
    ed.Prj->PrjFileName = folder / "plan.XML";
    ed.Prj->PrjDir = folder.Dir();
    TBtnSavePrjClick(ed);
    EXPECT_TRUE(fs::is_symlink(folder / "plan.XML"));
    EXPECT_EQ(ReadBytes(real / "plan.XML"), ReadBytes(std::string(KESTREL_TEST_DATA) + "/worked-example.XML"));
    EXPECT_EQ(std::distance(fs::directory_iterator(real.Dir()), fs::directory_iterator()), 1);
}

TEST_F(SaveTest, AWriteProtectedProjectFileIsNotReplaced) {
    WriteBytes(folder / "plan.XML", "the old plan");
    fs::permissions(folder / "plan.XML", fs::perms::owner_read | fs::perms::group_read);
    platform.files = {folder / "plan.XML"};
    platform.answers = {Answer::Yes};
    try {
        Saveas1Click(ed);
        FAIL() << "saved over a write-protected file";
    } catch (const Error& e) {
        EXPECT_THAT(e.what(), HasSubstr("\"" + (folder / "plan.XML") + "\" is write-protected"));
    }
    EXPECT_EQ(ReadBytes(folder / "plan.XML"), "the old plan");
    EXPECT_FALSE(fs::exists(folder / "intro.mp4"));  // refused before any copy
    // The project keeps the name and folder it had: the next Save asks again.
    EXPECT_TRUE(ed.Prj->PrjFileName.empty());
    EXPECT_EQ(ed.Prj->PrjDir, program.Dir());
}

// Each section is saved with the list of the files its listed windows play: a list left
// over from a deleted window is rebuilt, one that fits is kept as it was read, in its order.
TEST_F(SaveTest, EverySectionSavesTheListItsWindowsPlay) {
    struct Case { const char* name; std::vector<std::string> list; std::array<int, 3> indexes; const char* lines; } cases[] = {
        {"a name nothing plays", {"pic1.jpg", "gone.jpg", "pic2.jpg"}, {0, 2, 0}, "<P>pic1.jpg</P>\r\n    <P>pic2.jpg</P>\r\n   </LIST>"},
        {"an index past the list", {"pic1.jpg"}, {0, 1, 0}, "<P>pic1.jpg</P>\r\n    <P>pic2.jpg</P>\r\n   </LIST>"},
        {"a fitting list in its own order", {"pic2.jpg", "pic1.jpg"}, {1, 0, 1}, "<P>pic2.jpg</P>\r\n    <P>pic1.jpg</P>\r\n   </LIST>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Project& prj = *ed.Prj;
        prj.TimeCount = 2;
        prj.TimePL[1] = prj.TimePL[0];
        prj.TimePL[1].StartTime = 1300;
        prj.TimePL[1].FileList = c.list;
        for (int k = 0; k < 3; ++k) prj.TimePL[1].SubWin[1].PL[k].FileIndex = c.indexes[k];
        prj.CurTimeIndex = 0;  // the second section is not shown
        platform.files = {folder / "plan.XML"};
        platform.answers = {Answer::Yes};
        Saveas1Click(ed);
        const std::string saved = Saved();
        const std::string second = saved.substr(saved.find("s=\"1300\""));
        EXPECT_NE(second.find(c.lines), std::string::npos) << second;
    }
}

TEST_F(SaveTest, FolderWithoutRoomForATemporaryFileIsNamed) {
    WriteBytes(folder / "plan.XML", "the old plan");
    fs::permissions(folder.Dir(), fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(folder.Dir().c_str(), W_OK) == 0) {
        fs::permissions(folder.Dir(), fs::perms::owner_all);
        GTEST_SKIP() << "permissions do not bind this user";
    }
    ed.Prj->PrjFileName = folder / "plan.XML";
    ed.Prj->PrjDir = folder.Dir();
    try {
        TBtnSavePrjClick(ed);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_THAT(e.what(), HasSubstr("does not allow a new file next to it"));
    }
    fs::permissions(folder.Dir(), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(folder / "plan.XML"), "the old plan");
}

TEST_F(SaveTest, TheLongestFileNameCanBeSaved) {
    // 248 to 255 bytes: about 82 CJK characters, the most a file name can hold.
    for (size_t size : {size_t(248), size_t(255)}) {
        const std::string chosen = folder / (std::string(size - 4, 'p') + ".XML");
        platform.files = {chosen};
        platform.answers = {Answer::Yes};
        Saveas1Click(ed);
        EXPECT_EQ(ReadBytes(chosen), ReadBytes(std::string(KESTREL_TEST_DATA) + "/worked-example.XML"));
    }
}

TEST_F(SaveTest, StaleTemporaryFilesGoWithTheNextCompleteSave) {
    WriteBytes(folder / ".kestrel~a1B2c3", "left by a killed save");
    WriteBytes(folder / ".kestrel-notes", "the user's own");
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    EXPECT_FALSE(fs::exists(folder / ".kestrel~a1B2c3"));
    EXPECT_TRUE(fs::exists(folder / ".kestrel-notes"));
}

TEST_F(SaveTest, ANameTheFileCannotCarryStopsTheSaveBeforeAnyCopy) {
    ed.Prj->TimePL[0].MainWin.PL[1].FileName = media / "say \"hi\".avi";
    WriteBytes(folder / "plan.XML", "the old plan");
    ed.Prj->PrjFileName = folder / "plan.XML";
    ed.Prj->PrjDir = folder.Dir();
    try {
        TBtnSavePrjClick(ed);
        FAIL() << "saved";
    } catch (const Error& e) {
        EXPECT_THAT(e.what(), HasSubstr("say \"hi\".avi"));
    }
    EXPECT_EQ(ReadBytes(folder / "plan.XML"), "the old plan");
    EXPECT_FALSE(fs::exists(folder / "intro.mp4"));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SaveTest, FilesThatWouldLandOnOneCopyAreListed) {
    auto& s = ed.Prj->TimePL[0];
    fs::create_directory(media / "b");
    WriteBytes(media / "b/INTRO.MP4", "another intro");
    WriteBytes(media / "plan.XML", "a media file named like the project");
    s.MainWin.PLCount = 4;
    s.MainWin.PL[2] = {1, 50, media / "b/INTRO.MP4"};
    s.MainWin.PL[3] = {1, 50, media / "plan.XML"};
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    EXPECT_EQ(ReadBytes(folder / "intro.mp4"), "intro.mp4");
    EXPECT_FALSE(fs::exists(folder / "INTRO.MP4"));
    EXPECT_THAT(ReadBytes(folder / "plan.XML"), HasSubstr("<KESTREL>"));
    const std::string text = platform.messages.at(0).text;
    EXPECT_THAT(text, HasSubstr((media / "b/INTRO.MP4") + " would replace \"" + (media / "intro.mp4") +
                                "\" in the project folder"));
    EXPECT_THAT(text, HasSubstr((media / "plan.XML") + " would replace \"" + (folder / "plan.XML") + "\""));
    // Only what landed in the folder is taken from there.
    EXPECT_EQ(s.MainWin.PL[0].FileName, folder / "intro.mp4");
    EXPECT_EQ(s.MainWin.PL[2].FileName, media / "b/INTRO.MP4");
}

TEST_F(SaveTest, MediaThatIsNoPlainFileIsListedWithoutWaiting) {
    fs::remove(media / "promo.avi");
    ASSERT_EQ(::mkfifo((media / "promo.avi").c_str(), 0644), 0);
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    EXPECT_THAT(platform.messages.at(0).text, HasSubstr((media / "promo.avi") + ": not a regular file"));
}

TEST_F(SaveTest, AFailedWriteAlsoNamesTheCopiesThatFailed) {
    fs::remove(media / "promo.avi");
    platform.files = {folder / (std::string(260, 'n') + ".XML")};  // too long to be created
    try {
        Saveas1Click(ed);
        FAIL() << "saved";
    } catch (const Error& e) {
        EXPECT_THAT(e.what(), HasSubstr("File name too long"));
        EXPECT_THAT(e.what(), HasSubstr((media / "promo.avi") + ": No such file or directory"));
    }
}

// Three sections with sub window pictures built before the first save.
class AllSectionsTest : public SaveTest {
protected:
    void SetUp() override {
        ed.Prj->PrjDir = program.Dir();
        Project& p = *ed.Prj;
        p.TimeCount = 3;
        for (int i = 0; i < 3; ++i) {
            std::string n = std::to_string(i);
            auto& s = p.TimePL[i];
            s.StartTime = 800 + i * 100;
            s.EndTime = 859 + i * 100;
            s.MainWin.PLCount = 1;
            s.MainWin.PL[0] = {1, 50, media / ("main" + n + ".mp4")};
            s.BGFile = media / ("bg" + n + ".jpg");
            s.SubWinCount = 2;
            for (int j = 1; j <= 2; ++j) {
                s.SubWin[j].PLCount = 2;
                s.SubWin[j].PL[0] = {0, 1, media / ("s" + n + "w" + std::to_string(j) + ".jpg")};
                s.SubWin[j].PL[1] = {0, 1, media / "shared.bmp"};
            }
            for (auto& f : Files(i)) WriteBytes(f, f);
            p.CurTimeIndex = i;
            RefreshFileList(ed);  // as when each section was left
        }
    }
    std::vector<std::string> Files(int i) {
        std::string n = std::to_string(i);
        return {media / ("main" + n + ".mp4"), media / ("bg" + n + ".jpg"), media / ("s" + n + "w1.jpg"),
                media / ("s" + n + "w2.jpg"), media / "shared.bmp"};
    }
    // Every file the saved project names lies in the folder.
    void ExpectFolderComplete(const test::TempDir& dir) {
        for (int i = 0; i < 3; ++i)
            for (auto& f : Files(i)) EXPECT_TRUE(fs::exists(dir / BareName(f))) << f;
        Project read;
        read.PrjFileName = dir / "plan.XML";
        read.PrjDir = dir.Dir();
        ReadPrjFile(read);
        ASSERT_EQ(read.TimeCount, 3);
        for (int i = 0; i < 3; ++i) {
            const auto& s = read.TimePL[i];
            EXPECT_TRUE(fs::exists(s.MainWin.PL[0].FileName));
            EXPECT_TRUE(fs::exists(s.BGFile));
            for (int j = 1; j <= s.SubWinCount; ++j)
                for (int k = 0; k < s.SubWin[j].PLCount; ++k) EXPECT_TRUE(fs::exists(s.SubWin[j].PL[k].FileName));
        }
    }
};

TEST_F(AllSectionsTest, EverySectionsFilesReachEachNewFolder) {
    EXPECT_TRUE(fs::is_empty(program.Dir()));  // nothing copied before the first save

    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    // The sections' windows have no rectangles: nine windows without area.
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{"Save completed!"});
    ExpectFolderComplete(folder);

    test::TempDir second;
    platform.files = {second / "plan.XML"};
    Saveas1Click(ed);
    ExpectFolderComplete(second);

    // The current section was rebuilt first, so the bytes are those of a plain write.
    EXPECT_EQ(ReadBytes(second / "plan.XML"), PrjFileText(*ed.Prj));
}

TEST_F(AllSectionsTest, NothingIsCopiedIntoThePreviousFolderAfterNewProject) {
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    auto before = fs::directory_iterator(folder.Dir());
    size_t count = std::distance(before, fs::directory_iterator());

    std::string dir = ed.Prj->PrjDir;
    ed.Prj = ed.NewProject();  // the new project has no name yet; its folder stays
    ed.Prj->PrjDir = dir;
    ed.Prj->TimeCount = 1;
    ed.Prj->CurTimeIndex = 0;
    ed.Prj->TimePL[0].SubWinCount = 1;
    ed.Prj->TimePL[0].SubWin[1].PLCount = 1;
    ed.Prj->TimePL[0].SubWin[1].PL[0].FileName = media / "fresh.jpg";
    WriteBytes(media / "fresh.jpg", "fresh");
    RefreshFileList(ed);
    EXPECT_EQ(size_t(std::distance(fs::directory_iterator(folder.Dir()), fs::directory_iterator())), count);
    EXPECT_FALSE(fs::exists(folder / "fresh.jpg"));
}

TEST_F(AllSectionsTest, SecondSaveWithNothingChangedCopiesNoBytes) {
    platform.files = {folder / "plan.XML"};
    Saveas1Click(ed);
    auto before = MediaBytesCopied();
    TBtnSavePrjClick(ed);
    EXPECT_EQ(MediaBytesCopied(), before);
}

}  // namespace
}  // namespace kestrel
