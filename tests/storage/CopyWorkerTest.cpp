// The copy engine: when a copy counts as unchanged, and the copies as one piece of work
// that reports its bytes and stops on Cancel, on real temporary folders.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "storage/CopyWorker.h"
#include "storage/MediaCopy.h"
#include "support/TempDir.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

struct StampCase {
    const char* what;
    FileStamp source, destination;
    bool unchanged;
};

class UnchangedCopyTest : public ::testing::TestWithParam<StampCase> {};

TEST_P(UnchangedCopyTest, SizesMatchAndTimesAgreeWithinTheDestinationsStep) {
    const StampCase& c = GetParam();
    EXPECT_EQ(IsUnchangedCopy(c.source, c.destination), c.unchanged) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Stamps, UnchangedCopyTest, ::testing::Values(
    StampCase{"exact", {10, 100, 123456789}, {10, 100, 123456789}, true},
    StampCase{"a nanosecond apart on a fine store", {10, 100, 123456789}, {10, 100, 123456788}, false},
    StampCase{"other size", {10, 100, 5}, {11, 100, 5}, false},
    StampCase{"FAT: even second, fraction dropped", {10, 101, 900000000}, {10, 100, 0}, true},
    StampCase{"FAT: rounded up to the next even second", {10, 100, 100000000}, {10, 102, 0}, true},
    StampCase{"FAT: two seconds apart", {10, 102, 0}, {10, 100, 0}, false},
    StampCase{"whole seconds: fraction dropped", {10, 101, 999999999}, {10, 101, 0}, true},
    StampCase{"whole seconds: one second later", {10, 102, 500000000}, {10, 101, 0}, false},
    StampCase{"100 ns store", {10, 100, 123456789}, {10, 100, 123456700}, true},
    StampCase{"100 ns store, a step apart", {10, 100, 123456889}, {10, 100, 123456700}, false},
    StampCase{"a newer source of the same size", {10, 160, 0}, {10, 100, 0}, false},
    // 18446744074 s in nanoseconds is 2^64 and 0.29 s: a difference that must not wrap
    // around to "the same time" (file systems with 64-bit times store such dates).
    StampCase{"centuries apart", {10, 18446744074, 0}, {10, 0, 0}, false},
    StampCase{"centuries apart, the other way", {10, 0, 0}, {10, 18446744074, 0}, false}));

class CopyWorkerTest : public ::testing::Test {
protected:
    test::TempDir media, folder;
    std::vector<JobProgress> reports;

    CopyJob Job(const std::string& name, const std::string& bytes) {
        WriteBytes(media / name, bytes);
        return {media / name, folder / name, true};
    }
    void Run(CopyWorker& w, const std::function<bool(const JobProgress&)>& cancelWhen = {}) {
        std::atomic<bool> cancel{false};
        w.Run([&](const JobProgress& p) {
                  reports.push_back(p);
                  if (cancelWhen && cancelWhen(p)) cancel = true;
              },
              cancel);
    }
};

TEST_F(CopyWorkerTest, ALargeFileReportsWithinItselfAndCancelRemovesItsHalfCopy) {
    CopyJob small = Job("small.jpg", "small");
    CopyJob big = Job("big.mp4", "");
    fs::resize_file(big.Source, 64 << 20);  // sparse
    CopyJob after = Job("after.jpg", "after");
    CopyWorker w({small, big, after});
    Run(w, [](const JobProgress& p) { return p.BytesDone > (5u + (4u << 20)); });

    EXPECT_TRUE(w.Cancelled());
    EXPECT_EQ(ReadBytes(small.Destination), "small");  // a complete copy stays
    EXPECT_FALSE(fs::exists(big.Destination));
    EXPECT_FALSE(fs::exists(after.Destination));
    std::vector<std::uint64_t> withinBig;
    for (const JobProgress& p : reports) {
        EXPECT_EQ(p.BytesTotal, 10u + (64u << 20));
        if (p.CurrentFile == big.Source && p.BytesDone > 5) withinBig.push_back(p.BytesDone);
    }
    EXPECT_GE(withinBig.size(), 2u);  // it moved inside the one file
    EXPECT_TRUE(std::is_sorted(withinBig.begin(), withinBig.end()));
    EXPECT_LT(withinBig.back(), 5u + (64u << 20));  // and stopped half way
}

TEST_F(CopyWorkerTest, CopiesWhatChangedOnceAndListsEachFailureOnce) {
    CopyJob same = Job("same.jpg", "same");
    CopyJob changed = Job("changed.jpg", "new bytes");
    WriteBytes(changed.Destination, "old bytes");
    fs::last_write_time(changed.Destination, fs::last_write_time(changed.Source) - std::chrono::hours(1));
    CopyJob gone{media / "gone.mp4", folder / "gone.mp4", true};
    CopyWorker first({same});
    Run(first);

    const auto before = MediaBytesCopied();
    CopyWorker w({same, changed, changed, gone, gone});
    Run(w);
    EXPECT_FALSE(w.Cancelled());
    EXPECT_EQ(MediaBytesCopied() - before, 9u);
    EXPECT_EQ(ReadBytes(changed.Destination), "new bytes");
    ASSERT_EQ(w.Failures().size(), 1u);
    EXPECT_EQ(w.Failures()[0].Source, gone.Source);
    EXPECT_FALSE(w.Failures()[0].Reason.empty());
    EXPECT_EQ(reports.back().BytesDone, reports.back().BytesTotal);
    EXPECT_EQ(reports.back().BytesTotal, 9u);  // what was unchanged does not count
}

TEST_F(CopyWorkerTest, TwoFilesOfOneNameLeaveTheLaterOne) {
    fs::create_directories(media / "b");
    CopyJob a = Job("x.jpg", "first");
    CopyJob b = Job("b/x.jpg", "second");
    b.Destination = a.Destination;
    CopyWorker once({b});
    Run(once);  // the folder already holds the later one's copy

    CopyWorker w({a, b});
    Run(w);
    EXPECT_EQ(ReadBytes(a.Destination), "second");
}

// A link at the destination is never taken for a copy, even when what it leads to looks
// like one: the check by metadata sends it to be replaced, and its target stays.
TEST_F(CopyWorkerTest, ALinkAtTheDestinationIsReplacedNotTrusted) {
    CopyJob job = Job("x.jpg", "mine");
    WriteBytes(media / "private", "keep");
    fs::last_write_time(media / "private", fs::last_write_time(job.Source));
    fs::create_symlink(media / "private", job.Destination);
    EXPECT_TRUE(NeedsCopy(job));
    CopyWorker w(PendingCopies({job}));
    Run(w);
    EXPECT_FALSE(fs::is_symlink(job.Destination));
    EXPECT_EQ(ReadBytes(job.Destination), "mine");
    EXPECT_EQ(ReadBytes(media / "private"), "keep");
}

}  // namespace
}  // namespace kestrel
