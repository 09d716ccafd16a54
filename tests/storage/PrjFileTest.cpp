// The project file: the writer's exact bytes, the reader's rules and refusals, and the
// agreement of the two.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "model/Error.h"
#include "storage/PrjFileReader.h"
#include "storage/PrjFileWriter.h"
#include "support/TempDir.h"
#include "storage/ProjectSamples.h"

namespace kestrel {
namespace {

using test::ReadBytes;
using ::testing::HasSubstr;

const std::string Bom = "\xEF\xBB\xBF";
const std::string Head = Bom + "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<KESTREL>\r\n";

std::string Golden() { return ReadBytes(std::string(KESTREL_TEST_DATA) + "/worked-example.XML"); }

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    auto at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) s.replace(at, from.size(), to);
    return s;
}

// Reads bytes into a fresh project; the error text when refused.
struct ReadResult {
    std::unique_ptr<Project> prj = std::make_unique<Project>();
    std::string error;
};
ReadResult Read(const std::string& bytes, const std::string& dir = "/prj/") {
    ReadResult r;
    r.prj->PrjDir = dir;
    try {
        ReadPrjData(*r.prj, bytes, "/prj/plan.XML");
    } catch (const Error& e) {
        r.error = e.what();
    }
    return r;
}

TEST(PrjFileWriter, WritesTheWorkedExampleByteForByte) {
    Project prj;
    test::FillWorkedExample(prj);
    EXPECT_EQ(PrjFileText(prj), Golden());
}

TEST(PrjFileWriter, ProjectWithoutSectionsIsTheMarkAndThreeLines) {
    Project prj;
    prj.TimePL[0].StartTime = 830;  // records past TimeCount are not written
    EXPECT_EQ(PrjFileText(prj), Head + "</KESTREL>\r\n");
}

TEST(PrjFileWriter, EmptySectionAndPlainValues) {
    Project prj;
    prj.TimeCount = 1;
    TTimePLData& s = prj.TimePL[0];
    s.StartTime = 0;
    s.EndTime = 2359;
    s.SubWin[3].PLCount = 5;  // slots above SubWinCount are not written
    EXPECT_EQ(PrjFileText(prj), Head +
                                    " <TIME s=\"0000\" e=\"2359\"/>\r\n"
                                    " <MAIN_WINDOW>\r\n"
                                    "  <rect x=\"0\" y=\"0\" w=\"0\" h=\"0\" /></rect>\r\n"
                                    "  <TRACK>\r\n"
                                    "  </TRACK>\r\n"
                                    " </MAIN_WINDOW>\r\n"
                                    "\r\n"
                                    "  <SUB_WINDOW>\r\n"
                                    "   <WINDOW>0</WINDOW>\r\n"
                                    "   <LIST>\r\n"
                                    "   </LIST>\r\n"
                                    "  </SUB_WINDOW>\r\n"
                                    " </TIME>\r\n"
                                    "\r\n"
                                    "</KESTREL>\r\n");

    // Names are written as they are: no escaping, UTF-8 bytes, negative numbers signed.
    s.MainWin.PLCount = 1;
    s.MainWin.PL[0] = {-3, 0, "/m/Tom & Jerry's \xE5\xB9\xBF\xE5\x91\x8A.mp4"};
    EXPECT_THAT(PrjFileText(prj),
                HasSubstr("   <a name=\"Tom & Jerry's \xE5\xB9\xBF\xE5\x91\x8A.mp4\" vol=\"0\" interval=\"-3\" /></a>\r\n"));
}

TEST(PrjFileWriter, NegativeTimeIsWrittenSoThatItReadsBack) {
    // A TIME line without its attributes reads as -1; saving that must not make the
    // file unreadable ("00-1" is no number).
    Project prj;
    prj.TimeCount = 1;
    prj.TimePL[0].StartTime = -1;
    prj.TimePL[0].EndTime = 930;
    std::string bytes = PrjFileText(prj);
    EXPECT_THAT(bytes, HasSubstr(" <TIME s=\"-1\" e=\"0930\"/>\r\n"));
    auto r = Read(bytes);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.prj->TimePL[0].StartTime, -1);
}

TEST(PrjFileWriter, BackgroundWithoutBareNameWritesNoLine) {
    // A background path ending in a delimiter names no file; an empty background line
    // would make the saved file unreadable.
    Project prj;
    test::FillWorkedExample(prj);
    prj.TimePL[0].BGFile = "/media/x/";
    std::string bytes = PrjFileText(prj);
    EXPECT_THAT(bytes, ::testing::Not(HasSubstr("BACKGROUND")));
    EXPECT_EQ(Read(bytes).error, "");
}

TEST(PrjFileWriter, RefusesNamesThatWouldNotReadBack) {
    struct Case {
        const char* what;
        std::string main, entry, background;
        const char* reason;
    } cases[] = {
        {"quotation mark", "/m/say \"hi\".mp4", "a.jpg", "", "quotation mark"},
        {"angle bracket", "/m/a<b.mp4", "a.jpg", "", "quotation mark"},
        {"line feed", "/m/two\nlines.mp4", "a.jpg", "", "line break"},
        {"carriage return in a list entry", "", "a\rb.jpg", "", "line break"},
        {"folder part in a list entry", "", "sub/x.jpg", "", "folder part"},
        {"backslash", "/m/a\\b.mp4", "a.jpg", "", "folder part"},
        {"dot-dot background", "", "a.jpg", "/m/..", "not a file name"},
        {"not UTF-8", "/m/caf\xE9.mp4", "a.jpg", "", "not UTF-8"},
        {"longer than a file name", "/m/" + std::string(256, 'n'), "a.jpg", "", "longer than 255"},
    };
    for (const auto& c : cases) {
        Project prj;
        prj.TimeCount = 1;
        auto& s = prj.TimePL[0];
        s.MainWin.PLCount = 1;
        s.MainWin.PL[0] = {1, 50, c.main};
        s.FileList = {c.entry};
        s.BGFile = c.background;
        try {
            PrjFileText(prj);
            ADD_FAILURE() << c.what << ": written";
        } catch (const Error& e) {
            EXPECT_THAT(e.what(), HasSubstr(c.reason)) << c.what << ": " << e.what();
            EXPECT_THAT(e.what(), HasSubstr("time section 1")) << c.what;
        }
    }
}

TEST(PrjFileWriter, ReplacesTheOldFileOnlyByRenamingACompleteNewOne) {
    test::TempDir dir;
    std::string file = dir / "plan.XML";
    test::WriteBytes(file, "old content");
    ASSERT_EQ(::link(file.c_str(), (dir / "keep").c_str()), 0);
    Project prj;
    prj.PrjFileName = file;
    WritePrjFile(prj);
    EXPECT_EQ(ReadBytes(file), Head + "</KESTREL>\r\n");
    // The old file was never truncated in place: its other name still holds it.
    EXPECT_EQ(ReadBytes(dir / "keep"), "old content");
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Dir())) entries += !e.path().empty();
    EXPECT_EQ(entries, 2);  // no temporary file left behind
}

TEST(PrjFileWriter, FileThatCannotBeCreatedNamesFileAndReason) {
    test::TempDir dir;
    Project prj;
    prj.PrjFileName = dir / "missing/plan.XML";
    try {
        WritePrjFile(prj);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_THAT(e.what(), HasSubstr(prj.PrjFileName));
        EXPECT_THAT(e.what(), HasSubstr("No such file or directory"));
    }
}

TEST(PrjFileReader, ReadsTheWorkedExample) {
    auto r = Read(Golden());
    ASSERT_EQ(r.error, "");
    const Project& p = *r.prj;
    ASSERT_EQ(p.TimeCount, 1);
    const TTimePLData& s = p.TimePL[0];
    EXPECT_EQ(s.StartTime, 830);
    EXPECT_EQ(s.EndTime, 1200);
    EXPECT_EQ(s.MainWin.Width, 960);
    EXPECT_EQ(s.MainWin.Height, 768);
    ASSERT_EQ(s.MainWin.PLCount, 2);
    EXPECT_EQ(s.MainWin.PL[1].FileName, "/prj/promo.avi");
    EXPECT_EQ(s.MainWin.PL[1].Vol, 80);
    EXPECT_EQ(s.MainWin.PL[1].Interval, 3);
    EXPECT_EQ(s.FileList, (std::vector<std::string>{"pic1.jpg", "pic2.jpg"}));
    EXPECT_EQ(s.BGFile, "/prj/back.jpg");
    ASSERT_EQ(s.SubWinCount, 1);
    const TSubWinData& w = s.SubWin[1];
    EXPECT_EQ(w.Left, 960);
    EXPECT_EQ(w.Height, 300);
    ASSERT_EQ(w.PLCount, 3);
    EXPECT_EQ(w.PL[1].FileIndex, 1);
    EXPECT_EQ(w.PL[1].Times, 2);
    EXPECT_EQ(w.PL[2].FileName, "/prj/pic1.jpg");
    EXPECT_FALSE(s.MainWin.Shape.has_value());
}

TEST(PrjFileReader, WritingAReadFileGivesTheSameBytes) {
    EXPECT_EQ(PrjFileText(*Read(Golden()).prj), Golden());

    Project largest;
    test::FillLargest(largest, "/media/");
    std::string bytes = PrjFileText(largest);
    auto r = Read(bytes);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.prj->TimeCount, 10);
    EXPECT_EQ(r.prj->TimePL[9].SubWin[8].PLCount, 101);
    EXPECT_EQ(r.prj->TimePL[9].SubWin[8].PL[100].FileName, "/prj/sub8_100.jpg");
    EXPECT_EQ(r.prj->TimePL[9].FileList.size(), 808u);
    EXPECT_EQ(PrjFileText(*r.prj), bytes);
}

TEST(PrjFileReader, SectionShapes) {
    Project prj;
    prj.TimeCount = 3;
    // 0: no sub windows, no background. 1: sub window, no background. 2: empty name.
    prj.TimePL[1].SubWinCount = 1;
    prj.TimePL[1].FileList = {"a.jpg"};
    prj.TimePL[1].SubWin[1].PLCount = 1;
    prj.TimePL[1].SubWin[1].PL[0] = {0, 4, "/x/a.jpg"};
    prj.TimePL[2].MainWin.PLCount = 1;
    prj.TimePL[2].MainWin.PL[0] = {1, 2, ""};
    prj.TimePL[2].BGFile = "/x/bg.bmp";
    auto r = Read(PrjFileText(prj));
    ASSERT_EQ(r.error, "");
    const Project& p = *r.prj;
    ASSERT_EQ(p.TimeCount, 3);
    EXPECT_EQ(p.TimePL[0].SubWinCount, 0);
    EXPECT_EQ(p.TimePL[0].BGFile, "");
    EXPECT_EQ(p.TimePL[1].BGFile, "");
    EXPECT_EQ(p.TimePL[1].SubWin[1].PLCount, 1);
    EXPECT_EQ(p.TimePL[1].SubWin[1].PL[0].Times, 4);
    EXPECT_EQ(p.TimePL[2].MainWin.PL[0].FileName, "/prj/");  // the folder itself
    EXPECT_EQ(p.TimePL[2].BGFile, "/prj/bg.bmp");
}

TEST(PrjFileReader, ValuesAreCutAtQuotationMarkOrAngleBracket) {
    std::string bytes = Replace(Golden(), "<P>pic2.jpg</P>", "<P>pi\"c2.jpg</P>");
    bytes = Replace(bytes, "name=\"intro.mp4\"", "name=\"in<tro.mp4\"");
    bytes = Replace(bytes, "<BACKGROUND>back.jpg", "<BACKGROUND>ba\"ck.jpg");
    auto r = Read(bytes);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.prj->TimePL[0].FileList[1], "pi");
    EXPECT_EQ(r.prj->TimePL[0].MainWin.PL[0].FileName, "/prj/in");
    EXPECT_EQ(r.prj->TimePL[0].BGFile, "/prj/ba");
}

TEST(PrjFileReader, FileNameHoldingAnAttributeKeyReadsBack) {
    Project prj;
    prj.TimeCount = 1;
    prj.TimePL[0].MainWin.PLCount = 2;
    prj.TimePL[0].MainWin.PL[0] = {3, 40, "/m/loud vol="};
    prj.TimePL[0].MainWin.PL[1] = {7, 60, "/m/every interval="};
    std::string bytes = PrjFileText(prj);
    auto r = Read(bytes);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.prj->TimePL[0].MainWin.PL[0].FileName, "/prj/loud vol=");
    EXPECT_EQ(r.prj->TimePL[0].MainWin.PL[0].Vol, 40);
    EXPECT_EQ(r.prj->TimePL[0].MainWin.PL[1].Interval, 7);
    EXPECT_EQ(PrjFileText(*r.prj), bytes);
}

TEST(PrjFileReader, PrefixLengthsCountCharacters) {
    // Whatever stands in the prefix is dropped unexamined, by characters, not bytes.
    std::string bytes = Replace(Golden(), "    <P>pic1.jpg</P>", "    <\xC3\xA4>pic1.jpg</P>");
    auto r = Read(bytes);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.prj->TimePL[0].FileList[0], "pic1.jpg");
}

TEST(PrjFileReader, CompleteFilesMayLackTheLastLineEnd) {
    const std::string g = Golden();
    for (const std::string& bytes : {Head + "</KESTREL>\r\n", Head + "</KESTREL>", g.substr(0, g.size() - 2)}) {
        auto r = Read(bytes);
        EXPECT_EQ(r.error, "") << bytes;
    }
}

TEST(PrjFileReader, NoSectionsChangesNoRecord) {
    Project prj;
    prj.TimePL[0].StartTime = 77;
    prj.TimePL[0].FileList = {"kept"};
    ReadPrjData(prj, Head + "</KESTREL>\r\n", "f");
    EXPECT_EQ(prj.TimeCount, 0);
    EXPECT_EQ(prj.TimePL[0].StartTime, 77);
    EXPECT_EQ(prj.TimePL[0].FileList.size(), 1u);
}

TEST(PrjFileReader, NegativeWindowCountReadsNoSubWindow) {
    Project prj;
    prj.TimeCount = 1;
    auto r = Read(Replace(PrjFileText(prj), "<WINDOW>0<", "<WINDOW>-4<"));
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.prj->TimePL[0].SubWinCount, 0);
}

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(PrjFileReader, Refusals) {
    const std::string g = Golden();
    const std::string section = g.substr(Head.size(), g.size() - Head.size() - 12);
    const std::string mainEntry = "   <a name=\"intro.mp4\" vol=\"50\" interval=\"1\" /></a>\r\n";
    const std::string subEntry = "    <a i=\"0\" t=\"1\" /></a>\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        int line;
        const char* reason;
    } cases[] = {
        {"empty WINDOW value", Replace(g, "<WINDOW>1<", "<WINDOW><"), 13, "of WINDOW is not a whole number"},
        {"letters in a time", Replace(g, "s=\"0830\"", "s=\"08h30\""), 3, "\"08h30\" of s is not"},
        {"key with empty value", Replace(g, "vol=\"80\"", "vol=\"\""), 8, "of vol is not"},
        {"lone sign", Replace(g, "w=\"400\"", "w=\"-\""), 20, "of w is not"},
        {"beyond 32 bits", Replace(g, "w=\"960\"", "w=\"2147483648\""), 5, "of w is not"},
        {"spaces around a number", Replace(g, "t=\"2\"", "t=\" 2\""), 22, "of t is not"},
        {"index past the list", Replace(g, "i=\"1\"", "i=\"2\""), 22, "file index 2 lies outside"},
        {"missing index", Replace(g, "<a i=\"0\" t=\"1\" /></a>\r\n    <a i=\"1\"", "<a t=\"1\" /></a>\r\n    <a i=\"1\""),
         21, "file index -1 lies outside"},
        {"nine sub windows", Replace(g, "<WINDOW>1<", "<WINDOW>9<"), 13, "more than 8 sub windows"},
        {"eleven sections", Head + Repeat(section, 11) + "</KESTREL>\r\n", 253, "more than 10 time sections"},
        {"102 main entries", Replace(g, mainEntry, Repeat(mainEntry, 102)), 108, "more than 101 entries"},
        {"102 sub entries", Replace(g, subEntry, Repeat(subEntry, 102)), 122, "more than 101 entries"},
        {"ends inside the main playlist", g.substr(0, g.find("  </TRACK>")), 9, "ends inside a time section"},
        {"ends before the sub window closes", g.substr(0, g.find("   </SUBW1>")), 24, "ends inside"},
        {"ends inside a skipped line", g.substr(0, g.find("  <TRACK>") + 4), 6, "ends inside"},
        // As long as the line skipped after it: the end is still where the data ends.
        {"ends inside the background line", g.substr(0, g.find("   <BACKGROUND>") + 12), 18, "ends inside"},
        {"three discarded lines missing", Head + section.substr(0, section.find("  </SUB_WINDOW>")), 25, "ends inside"},
        {"not UTF-8", Replace(g, "pic2.jpg</P>", "pic\xFF.jpg</P>"), 16, "not UTF-8"},
        // Only a complete file is a project: a short, cut-off or unrelated file would
        // open as an empty project and be overwritten by the next save.
        {"nothing", "", 1, "byte order mark"},
        {"mark only", Bom, 1, "declaration line is missing"},
        {"inside the first line", Bom + "<?xml ver", 1, "declaration line is missing"},
        {"inside the root line", Head.substr(0, Head.size() - 3), 2, "root line <KESTREL> is missing"},
        {"unrelated XML", Bom + "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<note>hi</note>\r\n", 2, "root line"},
        {"after the root line", Head, 3, "closing line </KESTREL> is missing"},
        {"cut after a complete section", Head + section, 28, "closing line </KESTREL> is missing"},
        {"LF from the first line on", Replace(g, "\r\n", "\n"), 1, "line ends are not CR LF"},
        {"CR only", Bom + "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r<KESTREL>\r</KESTREL>\r", 1,
         "line ends are not CR LF"},
        {"lone LF inside a name", Replace(g, "pic2.jpg</P>", "pic\n2.jpg</P>"), 16, "line ends are not CR LF"},
        {"last line feed of a section missing", Head + section.substr(0, section.size() - 1) + "</KESTREL>\r\n", 27,
         "line ends are not CR LF"},
        // Names must name files inside the project folder.
        {"list entry in a sub folder", Replace(g, "<P>pic1.jpg<", "<P>sub/x.jpg<"), 15, "folder part"},
        {"name leaving the folder", Replace(g, "name=\"intro.mp4\"", "name=\"../../.ssh/id_rsa\""), 7, "folder part"},
        {"absolute name", Replace(g, "name=\"promo.avi\"", "name=\"/etc/passwd\""), 8, "folder part"},
        {"backslash", Replace(g, "<P>pic2.jpg<", "<P>..\\pic2.jpg<"), 16, "folder part"},
        {"background dot-dot", Replace(g, "<BACKGROUND>back.jpg<", "<BACKGROUND>..<"), 18, "not a file name"},
        {"list entry dot", Replace(g, "<P>pic1.jpg<", "<P>.<"), 15, "not a file name"},
        {"empty list entry", Replace(g, "<P>pic1.jpg<", "<P><"), 15, "the name is empty"},
        {"name longer than a file name", Replace(g, "<P>pic1.jpg<", "<P>" + std::string(256, 'p') + "<"), 15,
         "longer than 255 bytes"},
    };
    for (const auto& c : cases) {
        auto r = Read(c.bytes);
        EXPECT_THAT(r.error, HasSubstr("\"/prj/plan.XML\"")) << c.what;
        EXPECT_THAT(r.error, HasSubstr("line " + std::to_string(c.line) + ":")) << c.what << ": " << r.error;
        EXPECT_THAT(r.error, HasSubstr(c.reason)) << c.what << ": " << r.error;
    }
}

TEST(PrjFileReader, MessagesQuoteHugeValuesShortly) {
    const std::string huge(4 << 20, '7');
    for (const std::string& bytes : {Replace(Golden(), "vol=\"80\"", "vol=\"x" + huge + "\""),
                                     Replace(Golden(), "<P>pic1.jpg<", "<P>" + huge + "<")}) {
        auto r = Read(bytes);
        EXPECT_THAT(r.error, HasSubstr("line "));
        EXPECT_LT(r.error.size(), 600u);
    }
}

TEST(PrjFileReader, FileLevelRefusals) {
    test::TempDir dir;
    Project prj;
    prj.PrjDir = dir.Dir();
    prj.PrjFileName = dir / "absent.XML";
    EXPECT_THROW(
        {
            try {
                ReadPrjFile(prj);
            } catch (const Error& e) {
                EXPECT_THAT(e.what(), HasSubstr(prj.PrjFileName));
                EXPECT_THAT(e.what(), HasSubstr("No such file or directory"));
                throw;
            }
        },
        Error);

    prj.PrjFileName = dir / "huge.XML";
    test::WriteBytes(prj.PrjFileName, Golden());
    std::filesystem::resize_file(prj.PrjFileName, MaxPrjFileSize + 1);  // sparse
    try {
        ReadPrjFile(prj);
        FAIL() << "read a file above 64 MiB";
    } catch (const Error& e) {
        EXPECT_THAT(e.what(), HasSubstr("larger than 64 MiB"));
    }

    // A named pipe is refused at once instead of blocking until someone writes to it.
    prj.PrjFileName = dir / "pipe.XML";
    ASSERT_EQ(::mkfifo(prj.PrjFileName.c_str(), 0644), 0);
    try {
        ReadPrjFile(prj);
        FAIL() << "read a named pipe";
    } catch (const Error& e) {
        EXPECT_THAT(e.what(), HasSubstr("not a regular file"));
    }

    prj.PrjFileName = dir / "plan.XML";
    test::WriteBytes(prj.PrjFileName, Golden());
    ReadPrjFile(prj);
    EXPECT_EQ(prj.TimeCount, 1);
    EXPECT_EQ(prj.TimePL[0].BGFile, dir / "back.jpg");
}

}  // namespace
}  // namespace kestrel
