// The project folder on real temporary folders: media copies and the file list rebuild.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>

#include "layout/WindowChoice.h"
#include "layout/WindowList.h"
#include "model/Paths.h"
#include "playlist/PlaylistTable.h"
#include "storage/MediaCopy.h"
#include "storage/ProjectFolder.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

TEST(MediaCopy, CopiesBytesAndTimeAndSkipsAnUnchangedDestination) {
    test::TempDir src, dst;
    WriteBytes(src / "clip.avi", std::string(100000, 'c'));
    fs::last_write_time(src / "clip.avi", fs::file_time_type::clock::now() - std::chrono::hours(5));
    WriteBytes(dst / "clip.avi", "older and different");

    EXPECT_EQ(CopyMediaFile(src / "clip.avi", dst / "clip.avi", true).Status, CopyStatus::Copied);
    EXPECT_EQ(ReadBytes(dst / "clip.avi"), ReadBytes(src / "clip.avi"));
    EXPECT_EQ(fs::last_write_time(dst / "clip.avi"), fs::last_write_time(src / "clip.avi"));

    auto before = MediaBytesCopied();
    EXPECT_EQ(CopyMediaFile(src / "clip.avi", dst / "clip.avi", true).Status, CopyStatus::Unchanged);
    EXPECT_EQ(MediaBytesCopied(), before);

    // A changed source (same size, other time) is copied again.
    WriteBytes(src / "clip.avi", std::string(100000, 'd'));
    EXPECT_EQ(CopyMediaFile(src / "clip.avi", dst / "clip.avi", true).Status, CopyStatus::Copied);
    EXPECT_EQ(ReadBytes(dst / "clip.avi"), std::string(100000, 'd'));

    // Kept when asked to keep an existing destination.
    WriteBytes(src / "bg.jpg", "new");
    WriteBytes(dst / "bg.jpg", "present");
    EXPECT_EQ(CopyMediaFile(src / "bg.jpg", dst / "bg.jpg", false).Status, CopyStatus::Kept);
    EXPECT_EQ(ReadBytes(dst / "bg.jpg"), "present");
}

TEST(MediaCopy, NeverDamagesASourceThatIsTheDestination) {
    test::TempDir dir;
    WriteBytes(dir / "pic.jpg", "picture");
    ASSERT_EQ(::link((dir / "pic.jpg").c_str(), (dir / "hard.jpg").c_str()), 0);
    fs::create_symlink(dir / "pic.jpg", dir / "soft.jpg");
    const std::string sources[] = {dir / "pic.jpg", dir.Dir() + "./pic.jpg", dir / "hard.jpg", dir / "soft.jpg"};
    for (const auto& s : sources) {
        EXPECT_EQ(CopyMediaFile(s, dir / "pic.jpg", true).Status, CopyStatus::SameFile) << s;
        EXPECT_EQ(ReadBytes(dir / "pic.jpg"), "picture") << s;
    }
}

TEST(MediaCopy, FailuresCarryTheSystemsReason) {
    test::TempDir dir;
    fs::create_directory(dir / "folder.jpg");
    WriteBytes(dir / "a.jpg", "a");
    struct Case {
        std::string source, destination, reason;
    } cases[] = {
        {dir / "missing.jpg", dir / "x.jpg", "No such file or directory"},
        {dir / "folder.jpg", dir / "y.jpg", "Is a directory"},
        {dir / "a.jpg", dir / "no/such/a.jpg", "No such file or directory"},
    };
    for (const auto& c : cases) {
        auto r = CopyMediaFile(c.source, c.destination, true);
        EXPECT_EQ(r.Status, CopyStatus::Failed) << c.source;
        EXPECT_EQ(r.Reason, c.reason) << c.source;
    }
}

// Media are replaced, backgrounds kept when there (replace false); a link is no copy
// either way: kept, a dangling one would leave the project naming nothing.
TEST(MediaCopy, ReplacesALinkAtTheDestinationInsteadOfWritingThroughIt) {
    for (bool replace : {true, false}) {
        test::TempDir src, folder, outside;
        WriteBytes(src / "pic1.jpg", "the user's picture");
        WriteBytes(outside / "profile", "private settings");
        fs::create_symlink(outside / "profile", folder / "pic1.jpg");
        fs::create_symlink(outside / "gone", folder / "pic2.jpg");  // dangling: would create outside
        WriteBytes(src / "pic2.jpg", "second");

        EXPECT_EQ(CopyMediaFile(src / "pic1.jpg", folder / "pic1.jpg", replace).Status, CopyStatus::Copied) << replace;
        EXPECT_EQ(CopyMediaFile(src / "pic2.jpg", folder / "pic2.jpg", replace).Status, CopyStatus::Copied) << replace;
        EXPECT_EQ(ReadBytes(outside / "profile"), "private settings");
        EXPECT_FALSE(fs::exists(outside / "gone"));
        EXPECT_FALSE(fs::is_symlink(folder / "pic1.jpg"));
        EXPECT_EQ(ReadBytes(folder / "pic1.jpg"), "the user's picture");
        EXPECT_EQ(ReadBytes(folder / "pic2.jpg"), "second");
        // Nothing but the two copies is left in the folder.
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Dir()), fs::directory_iterator()), 2);
    }
}

TEST(MediaCopy, WhatIsNotCopiedAndWhy) {
    test::TempDir dir, folder;
    ASSERT_EQ(::mkfifo((dir / "pipe.mp4").c_str(), 0644), 0);  // would block a plain open
    WriteBytes(folder / "kept.jpg", "copied by an earlier save");
    WriteBytes(folder / "locked.jpg", "protected by the user");
    fs::permissions(folder / "locked.jpg", fs::perms::owner_read);
    WriteBytes(dir / "locked.jpg", "newer");
    struct Case {
        std::string source, destination;
        CopyStatus status;
        std::string reason;
    } cases[] = {
        {dir / "pipe.mp4", folder / "pipe.mp4", CopyStatus::Failed, "not a regular file"},
        {"/dev/zero", folder / "zero", CopyStatus::Failed, "not a regular file"},
        {dir / "kept.jpg", folder / "kept.jpg", CopyStatus::Kept, ""},
        {"/etc/hostname", folder.Dir() + "..", CopyStatus::Failed, "the name is not a file name"},
        {dir / "locked.jpg", folder / "locked.jpg", CopyStatus::Failed, "the copy in the project folder is write-protected"},
    };
    for (const auto& c : cases) {
        auto r = CopyMediaFile(c.source, c.destination, true);
        EXPECT_EQ(r.Status, c.status) << c.source;
        EXPECT_EQ(r.Reason, c.reason) << c.source;
    }
    EXPECT_FALSE(fs::exists(folder / "pipe.mp4"));
    EXPECT_EQ(ReadBytes(folder / "kept.jpg"), "copied by an earlier save");
    EXPECT_EQ(ReadBytes(folder / "locked.jpg"), "protected by the user");
}

// A video still being exported, or replaced while the save copies it: a copy that is not
// the file as it stands is no copy, since after the save the project uses it instead.
TEST(MediaCopy, ASourceThatChangesWhileCopiedIsNotTakenForItsCopy) {
    const std::string original(3 << 20, 'o');
    const std::function<void(const std::string&)> changes[] = {
        [](const std::string& f) { std::ofstream(f, std::ios::binary | std::ios::app) << "more frames"; },
        [](const std::string& f) { fs::resize_file(f, 100); },
        [&](const std::string& f) { WriteBytes(f, std::string(original.size(), 'n')); },
    };
    for (size_t n = 0; n < std::size(changes); ++n) {
        test::TempDir src, folder;
        WriteBytes(src / "clip.mp4", original);
        fs::last_write_time(src / "clip.mp4", fs::file_time_type::clock::now() - std::chrono::hours(5));
        WriteBytes(folder / "clip.mp4", "the copy of an earlier save");
        bool changed = false;
        const CopyControl control{[&](std::uint64_t) {
                                      if (!std::exchange(changed, true)) changes[n](src / "clip.mp4");
                                  },
                                  nullptr};

        const CopyResult r = CopyMediaFile(src / "clip.mp4", folder / "clip.mp4", true, &control);
        EXPECT_EQ(r.Status, CopyStatus::Failed) << n;
        EXPECT_EQ(r.Reason, "the file changed while it was copied") << n;
        EXPECT_TRUE(ReadBytes(folder / "clip.mp4") == "the copy of an earlier save") << n;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Dir()), fs::directory_iterator()), 1) << n;
    }
}

class RefreshFileListTest : public ::testing::Test {
protected:
    test::FakePlatform platform;
    Editor ed{platform};
    test::TempDir media, folder;

    void SetUp() override {
        ed.Prj->PrjDir = folder.Dir();
        ed.Prj->PrjFileName = folder / "plan.XML";
        ed.Prj->TimeCount = 1;
        ed.Prj->CurTimeIndex = 0;
        fs::create_directories(media / "a");
        fs::create_directories(media / "b");
    }
    TSubWinPL& Entry(int win, int k, const std::string& file) {
        auto& w = ed.Prj->TimePL[0].SubWin[win];
        w.PLCount = std::max(w.PLCount, k + 1);
        w.PL[k].FileName = file;
        if (!file.empty() && file.back() != '/') WriteBytes(file, "bytes of " + file);
        return w.PL[k];
    }
};

TEST_F(RefreshFileListTest, MergesNamesWithoutCaseAndKeepsFirstSpelling) {
    auto& rec = ed.Prj->TimePL[0];
    rec.SubWinCount = 2;
    rec.FileList = {"stale.jpg"};
    Entry(1, 0, media / "a/x.jpg");
    Entry(1, 1, media / "b/y.bmp");
    Entry(1, 2, "").FileIndex = 7;  // empty names keep their index
    Entry(2, 0, media / "b/X.JPG");
    WriteBytes(media / "b/X.JPG", "a different picture");
    Entry(2, 1, media / "a/x.jpg");
    Entry(2, 2, media / "a/x.jpg");
    rec.SubWin[3].PLCount = 1;  // slots above SubWinCount are not looked at
    rec.SubWin[3].PL[0] = {5, 1, media / "a/z.jpg"};
    rec.MainWin.PLCount = 1;  // nor are main window entries
    rec.MainWin.PL[0].FileName = media / "a/main.mp4";

    RefreshFileList(ed);

    EXPECT_EQ(rec.FileList, (std::vector<std::string>{"x.jpg", "y.bmp"}));
    EXPECT_EQ(rec.SubWin[1].PL[0].FileIndex, 0);
    EXPECT_EQ(rec.SubWin[1].PL[1].FileIndex, 1);
    EXPECT_EQ(rec.SubWin[1].PL[2].FileIndex, 7);
    EXPECT_EQ(rec.SubWin[2].PL[0].FileIndex, 0);
    EXPECT_EQ(rec.SubWin[2].PL[2].FileIndex, 0);
    EXPECT_EQ(rec.SubWin[3].PL[0].FileIndex, 5);
    // One copy name, one file: the second x.jpg is not copied over the first.
    EXPECT_EQ(ReadBytes(folder / "x.jpg"), "bytes of " + (media / "a/x.jpg"));
    EXPECT_FALSE(fs::exists(folder / "X.JPG"));
    EXPECT_TRUE(fs::exists(folder / "y.bmp"));
    EXPECT_FALSE(fs::exists(folder / "z.jpg"));
    EXPECT_FALSE(fs::exists(folder / "main.mp4"));
}

TEST_F(RefreshFileListTest, ReplacesCopiesAndSkipsUnchangedMedia) {
    ed.Prj->TimePL[0].SubWinCount = 1;
    Entry(1, 0, media / "a/pic.jpg");
    WriteBytes(folder / "pic.jpg", "an older picture");
    RefreshFileList(ed);
    EXPECT_EQ(ReadBytes(folder / "pic.jpg"), "bytes of " + (media / "a/pic.jpg"));

    auto before = MediaBytesCopied();
    const int jobs = platform.jobs;
    RefreshFileList(ed);
    EXPECT_EQ(MediaBytesCopied(), before);
    EXPECT_EQ(platform.jobs, jobs);  // checked by metadata: no work started at all
}

// A copy that failed or was cancelled on one activation is not started again at every
// activation (each would fail, or need cancelling, again); once its source changes it is.
TEST_F(RefreshFileListTest, LeavesCopiesThatFailedOrWereCancelledToTheNextSave) {
    ed.Prj->TimePL[0].SubWinCount = 1;
    Entry(1, 0, media / "a/gone.jpg");
    fs::remove(media / "a/gone.jpg");
    Entry(1, 1, media / "b/big.mp4");
    platform.cancelWhen = [](const JobProgress& p) { return BareName(p.CurrentFile) == "big.mp4"; };
    RefreshFileList(ed);
    EXPECT_EQ(platform.jobs, 1);
    EXPECT_FALSE(fs::exists(folder / "big.mp4"));

    RefreshFileList(ed);
    EXPECT_EQ(platform.jobs, 1);

    platform.cancelWhen = nullptr;
    WriteBytes(media / "a/gone.jpg", "here now");
    RefreshFileList(ed);
    EXPECT_EQ(platform.jobs, 2);
    EXPECT_EQ(ReadBytes(folder / "gone.jpg"), "here now");
    EXPECT_FALSE(fs::exists(folder / "big.mp4"));  // still left to the save
}

TEST_F(RefreshFileListTest, CopiesNothingWithoutProjectFileOrSection) {
    ed.Prj->TimePL[0].SubWinCount = 1;
    Entry(1, 0, media / "a/pic.jpg");
    Entry(1, 1, media / "b/other.jpg");

    ed.Prj->PrjFileName.clear();  // after start-up or New project
    RefreshFileList(ed);
    EXPECT_EQ(ed.Prj->TimePL[0].FileList, (std::vector<std::string>{"pic.jpg", "other.jpg"}));
    EXPECT_EQ(ed.Prj->TimePL[0].SubWin[1].PL[1].FileIndex, 1);
    EXPECT_TRUE(fs::is_empty(folder.Dir()));

    ed.Prj->PrjFileName = folder / "plan.XML";
    ed.Prj->CurTimeIndex = -1;
    ed.Prj->TimePL[0].FileList.clear();
    RefreshFileList(ed);
    EXPECT_TRUE(ed.Prj->TimePL[0].FileList.empty());
    EXPECT_TRUE(fs::is_empty(folder.Dir()));
}

// Adding a playlist file or a background whose copy would land on another file's copy.
class AddingFilesTest : public RefreshFileListTest {
protected:
    PlaylistTable table;
    void SetUp() override {
        RefreshFileListTest::SetUp();
        auto& rec = ed.Prj->TimePL[0];
        rec.SubWinCount = 1;
        Entry(1, 0, media / "a/clip.mp4");
        rec.BGFile = media / "a/back.jpg";
        WriteBytes(rec.BGFile, "background");
        rec.StartTime = 800;
        rec.EndTime = 900;
        ed.Prj->TimeCount = 1;
        ChooseWindow(ed, 0);
        PLFormShow(ed, table);
    }
    std::vector<std::string> Added() {
        std::vector<std::string> files;
        for (int r = 1; r <= table.ItemCount; ++r) files.push_back(table.Rows[r][0]);
        return files;
    }
};

TEST_F(AddingFilesTest, ANameTakenByAnotherFileIsRefusedNamingBoth) {
    WriteBytes(media / "b/clip.mp4", "another clip");
    WriteBytes(media / "b/BACK.JPG", "another background");
    WriteBytes(media / "b/plan.xml", "named like the project file");
    WriteBytes(media / "b/new.mp4", "new");
    WriteBytes(media / "b/twice.mp4", "first");
    fs::create_directories(media / "c");
    WriteBytes(media / "c/twice.mp4", "second, chosen in the same dialog");
    fs::copy_file(media / "a/clip.mp4", media / "c/clip.mp4");
    fs::last_write_time(media / "c/clip.mp4", fs::last_write_time(media / "a/clip.mp4"));
    platform.fileLists = {{media / "b/clip.mp4", media / "b/BACK.JPG", media / "b/plan.xml", media / "b/new.mp4",
                           media / "b/twice.mp4", media / "c/twice.mp4", media / "c/clip.mp4",
                           media / "b/a\\b.mp4"}};
    AddFiles1Click(ed, table);
    // The same file elsewhere (same size and time as the copy) is no clash.
    EXPECT_EQ(Added(), (std::vector<std::string>{media / "b/new.mp4", media / "b/twice.mp4", media / "c/clip.mp4"}));
    const auto texts = platform.Texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0], "The file \"" + (media / "b/clip.mp4") + "\" would replace \"" + (media / "a/clip.mp4") +
                            "\" in the project folder: both have the name \"clip.mp4\".");
    EXPECT_THAT(texts[1], ::testing::HasSubstr("would replace \"" + (media / "a/back.jpg") + "\""));
    EXPECT_THAT(texts[2], ::testing::HasSubstr("would replace \"" + (folder / "plan.XML") + "\""));
    EXPECT_THAT(texts[3], ::testing::HasSubstr("would replace \"" + (media / "b/twice.mp4") + "\""));
    EXPECT_THAT(texts[4], ::testing::HasSubstr("the name has a folder part"));
}

TEST_F(AddingFilesTest, ABackgroundNameTakenByAnotherFileIsRefused) {
    WriteBytes(media / "b/CLIP.mp4", "not the clip");
    platform.files = {media / "b/CLIP.mp4"};
    SBtn_BGFileClick(ed);
    EXPECT_EQ(ed.Prj->TimePL[0].BGFile, media / "a/back.jpg");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Warning");
    EXPECT_THAT(platform.messages[0].text, ::testing::HasSubstr("would replace \"" + (media / "a/clip.mp4") + "\""));
}

}  // namespace
}  // namespace kestrel
