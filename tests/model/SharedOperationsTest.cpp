// Tables of the small operations every subsystem shares.
#include <gtest/gtest.h>

#include "model/Paths.h"
#include "model/Project.h"
#include "storage/ProjectSaver.h"

namespace kestrel {
namespace {

TEST(SharedOperations, FillZeroAndTimeText) {
    struct Case {
        int value, width;
        const char* text;
    } cases[] = {{5, 2, "05"}, {0, 4, "0000"}, {830, 4, "0830"}, {2359, 4, "2359"},
                 {12345, 4, "12345"}, {7, 0, "7"}, {42, 1, "42"}};
    for (const auto& c : cases) EXPECT_EQ(FillZero(c.value, c.width), c.text) << c.value << "/" << c.width;

    struct TimeCase {
        int time;
        const char* text;
    } times[] = {{830, "08:30"}, {0, "00:00"}, {2359, "23:59"}, {1200, "12:00"}, {5, "00:05"}};
    for (const auto& c : times) EXPECT_EQ(TimeText(c.time), c.text) << c.time;
    EXPECT_EQ(SectionText(830, 1745), "08:30 -- 17:45");
}

TEST(SharedOperations, FindStringFormListComparesOnlyAsciiLettersWithoutCase) {
    const std::vector<std::string> list{"x.jpg", "Pic.BMP", "\xC3\x84.jpg", "x.jpg"};
    struct Case {
        const char* s;
        int index;
    } cases[] = {
        {"X.JPG", 0},               // first of two equal entries
        {"pic.bmp", 1},
        {"\xC3\x84.jpg", 2},        // non-ASCII compared byte for byte
        {"\xC3\xA4.jpg", -1},       // a-umlaut lower case is not A-umlaut
        {"x.jp", -1},
        {"", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(FindStringFormList(c.s, list), c.index) << c.s;
    EXPECT_EQ(FindStringFormList("a", {}), -1);
    EXPECT_EQ(FindStringFromList("X.JPG", list), -1);  // the exact variant minds the case
}

TEST(SharedOperations, BareNameAndFolderPart) {
    struct Case {
        const char* path;
        const char* bare;
        const char* folder;
    } cases[] = {
        {"/media/ads/clip.avi", "clip.avi", "/media/ads/"},
        {"clip.avi", "clip.avi", ""},
        {"/media/ads/", "", "/media/ads/"},
        {"/", "", "/"},
        {"", "", ""},
        {"/a.xml/plan", "plan", "/a.xml/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BareName(c.path), c.bare) << c.path;
        EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
        EXPECT_EQ(FolderPart(c.path) + BareName(c.path), c.path);
    }
}

TEST(SharedOperations, IsPictureFile) {
    struct Case {
        const char* path;
        bool picture;
    } cases[] = {
        {"PHOTO.JPG", true},      {"a.Bmp", true},          {"/x/y/z.jpg", true},
        {"photo.jpeg", false},    {"clip.avi", false},      {"noext", false},
        {"/my.pics/readme", false}, {".jpg", true},         {"a.jpg.avi", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsPictureFile(c.path), c.picture) << c.path;
}

TEST(SharedOperations, SaveDialogAddsXmlUnlessTheBareNameHasIt) {
    struct Case {
        const char* chosen;
        const char* path;
    } cases[] = {
        {"/p/plan", "/p/plan.XML"},
        {"/p/plan.xml", "/p/plan.xml"},
        {"/p/Plan.Xml", "/p/Plan.Xml"},
        {"/p/list.xml.old", "/p/list.xml.old"},
        {"/a.xml/plan", "/a.xml/plan.XML"},  // only the bare name counts
        {"/p/planxml", "/p/planxml.XML"},
    };
    for (const auto& c : cases) EXPECT_EQ(WithXmlExtension(c.chosen), c.path) << c.chosen;
}

}  // namespace
}  // namespace kestrel
