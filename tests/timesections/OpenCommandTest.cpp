// The Open command: what it asks, when it reads, and what it replaces.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

#include <sys/stat.h>

#include "model/Error.h"
#include "model/History.h"
#include "storage/OpenCommand.h"
#include "storage/ProjectSaver.h"
#include "support/TempDir.h"
#include "session/EditMenu.h"
#include "timesections/SectionFixture.h"

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;

// The reader the scripted tests hand to the command.
std::function<void(Project&)> gRead;
int gReads = 0;
void ScriptedRead(Project& prj) {
    ++gReads;
    gRead(prj);
}

// Three sections as a file would give them: the first with a sub window and a background.
void ReadThreeSections(Project& prj) {
    const int times[][2] = {{830, 1200}, {1300, 1400}, {700, 800}};
    for (int i = 0; i < 3; ++i) {
        prj.TimePL[i].StartTime = times[i][0];
        prj.TimePL[i].EndTime = times[i][1];
    }
    auto& r = prj.TimePL[0];
    r.MainWin.Width = 960;
    r.MainWin.Height = 768;
    r.SubWinCount = 1;
    r.SubWin[1] = {};
    r.SubWin[1].Left = 960;
    r.SubWin[1].Width = 400;
    r.SubWin[1].Height = 300;
    r.BGFile = prj.PrjDir + "back.jpg";
    prj.TimeCount = 3;
}

class OpenCommandTest : public SectionFixture {
protected:
    void SetUp() override {
        gReads = 0;
        gRead = ReadThreeSections;
        // The project being edited: four sections, the last one shown, one playlist entry.
        for (int h = 0; h < 4; ++h) ASSERT_TRUE(Add(h + 8, 0, h + 9, 0));
        Fill(3);
        ed.Prj->TimePL[3].MainWin.PLCount = 0;
        ed.Prj->TimePL[3].SubWin[1].PLCount = 0;
        ed.Prj->TimePL[3].SubWin[2].PLCount = 0;
        Choose(3);
        ed.SelWinIndex = 1;
        ChooseSubWindow(ed, 1);  // chosen in the project being edited
        ed.Prj->PrjDir = "/old/";
        ed.Prj->PrjFileName = "/old/before.XML";
        StartHistory(ed);  // as opened: nothing is lost by opening another
        fp.messages.clear();
    }
    void Open() { btnOpenPrjClick(ed, &ScriptedRead); }
};

TEST_F(OpenCommandTest, ReplacesTheProjectAndShowsTheFirstSection) {
    gRead = [](Project& prj) {
        // The reader gets a fresh project that names the chosen file.
        EXPECT_EQ(prj.PrjFileName, "/shows/spring/plan.XML");
        EXPECT_EQ(prj.PrjDir, "/shows/spring/");
        EXPECT_EQ(prj.TimeCount, 0);
        EXPECT_EQ(prj.TimePL[3].SubWinCount, 0);
        ReadThreeSections(prj);
    };
    ed.SaveAsMode = true;
    fp.files = {"/shows/spring/plan.XML"};
    Open();

    EXPECT_TRUE(fp.messages.empty());
    ASSERT_EQ(fp.choosers.size(), 1u);
    EXPECT_EQ(fp.choosers[0].kind, "open");
    EXPECT_EQ(fp.choosers[0].filter, "XML File (*.XML)|*.XML");
    EXPECT_EQ(fp.choosers[0].initialDir, "/old/");
    EXPECT_EQ(View(ed).TimeList, (std::vector<std::string>{"08:30 -- 12:00", "13:00 -- 14:00",
                                                          "07:00 -- 08:00"}));
    EXPECT_EQ(View(ed).TimeListIndex, 0);
    EXPECT_EQ(ed.Prj->CurTimeIndex, 0);
    EXPECT_EQ(ed.Prj->TimeCount, 3);
    EXPECT_EQ(ed.Prj->PrjFileName, "/shows/spring/plan.XML");
    EXPECT_EQ(ed.Prj->PrjDir, "/shows/spring/");
    EXPECT_FALSE(ed.SaveAsMode);
    // The first section is shown; nothing of the earlier display stays.
    EXPECT_EQ(View(ed).SubWinList, std::vector<std::string>{"SubWin1"});
    EXPECT_EQ(View(ed).Picture, PictureKind::File);
    EXPECT_EQ(View(ed).PictureFile, "/shows/spring/back.jpg");
    EXPECT_TRUE(ed.Prj->TimePL[0].SubWin[1].Shape);
    EXPECT_TRUE(ed.Prj->TimePL[0].MainWin.Shape->Visible);
    EXPECT_EQ(ed.SelWinIndex, -1);
    EXPECT_EQ(View(ed).PosFields, (std::array<std::string, 4>{"", "", "", ""}));
    // Records after the last one read are empty: the earlier fourth section is gone.
    const Editor fresh{fp};
    for (int i = 3; i <= MaxTimeIndex; ++i) {
        const auto& r = ed.Prj->TimePL[i];
        EXPECT_EQ(r.SubWinCount, 0) << i;
        EXPECT_TRUE(r.BGFile.empty()) << i;
        EXPECT_FALSE(r.SubWin[1].Shape) << i;
        EXPECT_EQ(r.MainWin.Shape, fresh.Prj->TimePL[i].MainWin.Shape) << i;
    }
}

TEST_F(OpenCommandTest, FileWithoutSectionsLeavesNothingCurrent) {
    gRead = [](Project&) {};
    fp.files = {"/shows/empty.XML"};
    Open();
    EXPECT_TRUE(View(ed).TimeList.empty());
    EXPECT_EQ(View(ed).TimeListIndex, -1);
    EXPECT_EQ(ed.Prj->CurTimeIndex, -1);
    EXPECT_TRUE(View(ed).SubWinList.empty());
    EXPECT_EQ(View(ed).Picture, PictureKind::Default);
    EXPECT_EQ(ed.Prj->TimePL[3].SubWinCount, 0);
    EXPECT_EQ(ed.Prj->PrjFileName, "/shows/empty.XML");
}

TEST_F(OpenCommandTest, FailedReadingLeavesTheProjectAsItWas) {
    struct Case { const char* name; std::function<void(Project&)> read; const char* expected; };
    const Case cases[] = {
        {"damaged file", [](Project& p) {
             ReadThreeSections(p);  // half read, then the damage
             throw Error("plan.XML, line 12: 'x' is not a number");
         }, "plan.XML, line 12: 'x' is not a number"},
        {"other failure", [](Project&) { throw std::runtime_error("out of memory"); },
         "/shows/plan.XML"},
        {"more sections than the list holds", [](Project& p) { p.TimeCount = MaxTimeIndex + 1; },
         "/shows/plan.XML"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        gRead = c.read;
        const std::string before = Dump(ed);
        fp.files = {"/shows/plan.XML"};
        try {
            Open();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
        }
        EXPECT_EQ(Dump(ed), before);
    }
}

TEST_F(OpenCommandTest, CancelledDialogEndsTheCommand) {
    const std::string before = Dump(ed);
    fp.files = {""};
    Open();
    EXPECT_EQ(gReads, 0);  // the known file is not read again
    EXPECT_EQ(Dump(ed), before);
}

TEST_F(OpenCommandTest, AsksBeforeReplacingUnsavedWork) {
    ed.Prj->TimePL[1].BGFile = "/media/back.jpg";  // not the current section
    const std::string before = Dump(ed);
    fp.answers = {Answer::No};
    Open();
    ASSERT_EQ(fp.messages.size(), 1u);
    EXPECT_EQ(fp.messages[0].caption, "Warning");
    EXPECT_EQ(fp.messages[0].text,
              "Open new project will lost the before operation, do you want continue?");
    EXPECT_EQ(fp.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(fp.messages[0].icon, Icon::Warning);
    EXPECT_TRUE(fp.choosers.empty());
    EXPECT_EQ(Dump(ed), before);

    // Yes lets the project go only once a file has been read: a cancelled dialog
    // afterwards leaves everything as it was.
    fp.answers = {Answer::Yes};
    fp.files = {""};
    Open();
    EXPECT_EQ(gReads, 0);
    EXPECT_EQ(Dump(ed), before);
}

// ---- With the real reader and saver, on files written as the saver writes them. ----

class OpenFileTest : public SectionFixture {
protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("kestrel-open-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::vector<std::string>& lines) {
        const auto path = (dir / name).string();
        std::ofstream out(path, std::ios::binary);
        out << "\xEF\xBB\xBF";
        for (const auto& l : lines) out << l << "\r\n";
        return path;
    }
    // Opens through the real reader; false when it is not there yet.
    bool Open(const std::string& path) {
        fp.files = {path};
        try {
            btnOpenPrjClick(ed);
        } catch (const Error& e) {
            if (std::string(e.what()) == "Reading is not built yet.") return false;
            throw;
        }
        return true;
    }
};

std::vector<std::string> Section(const char* s, const char* e) {
    return {std::string(" <TIME s=\"") + s + "\" e=\"" + e + "\"/>",
            " <MAIN_WINDOW>",
            "  <rect x=\"0\" y=\"0\" w=\"100\" h=\"100\" /></rect>",
            "  <TRACK>",
            "  </TRACK>",
            " </MAIN_WINDOW>",
            "",
            "  <SUB_WINDOW>",
            "   <WINDOW>0</WINDOW>",
            "   <LIST>",
            "   </LIST>",
            "  </SUB_WINDOW>",
            " </TIME>",
            ""};
}

std::vector<std::string> ThreeSectionFile() {
    std::vector<std::string> l = {"<?xml version=\"1.0\" encoding=\"utf-8\"?>", "<KESTREL>",
                                  " <TIME s=\"0830\" e=\"1200\"/>",
                                  " <MAIN_WINDOW>",
                                  "  <rect x=\"0\" y=\"0\" w=\"960\" h=\"768\" /></rect>",
                                  "  <TRACK>",
                                  "   <a name=\"intro.mp4\" vol=\"50\" interval=\"1\" /></a>",
                                  "  </TRACK>",
                                  " </MAIN_WINDOW>",
                                  "",
                                  "  <SUB_WINDOW>",
                                  "   <WINDOW>1</WINDOW>",
                                  "   <LIST>",
                                  "    <P>pic1.jpg</P>",
                                  "   </LIST>",
                                  "   <BACKGROUND>back.jpg</BACKGROUND>",
                                  "   <SUBW1>",
                                  "    <rect x=\"960\" y=\"0\" w=\"400\" h=\"300\" /></rect>",
                                  "    <a i=\"0\" t=\"2\" /></a>",
                                  "   </SUBW1>",
                                  "  </SUB_WINDOW>",
                                  " </TIME>",
                                  ""};
    for (auto [s, e] : {std::pair{"1300", "1400"}, std::pair{"0700", "0800"}})
        for (auto& line : Section(s, e)) l.push_back(line);
    l.push_back("</KESTREL>");
    return l;
}

TEST_F(OpenFileTest, ThreeSectionsAreListedInFileOrder) {
    const auto path = Write("plan.XML", ThreeSectionFile());
    if (!Open(path)) GTEST_SKIP() << "needs the project file reader";
    EXPECT_EQ(View(ed).TimeList, (std::vector<std::string>{"08:30 -- 12:00", "13:00 -- 14:00",
                                                          "07:00 -- 08:00"}));
    EXPECT_EQ(ed.Prj->CurTimeIndex, 0);
    EXPECT_EQ(View(ed).SubWinList, std::vector<std::string>{"SubWin1"});
    EXPECT_EQ(View(ed).BGFileField, (dir / "back.jpg").string());
    EXPECT_EQ(ed.Prj->PrjDir, dir.string() + "/");
}

TEST_F(OpenFileTest, FileWithoutSectionsGivesAnEmptyList) {
    ASSERT_TRUE(Add(8, 0, 9, 0));
    StartHistory(ed);
    const auto path = Write("empty.XML", {"<?xml version=\"1.0\" encoding=\"utf-8\"?>", "<KESTREL>", "</KESTREL>"});
    if (!Open(path)) GTEST_SKIP() << "needs the project file reader";
    EXPECT_TRUE(View(ed).TimeList.empty());
    EXPECT_EQ(ed.Prj->CurTimeIndex, -1);
}

TEST_F(OpenFileTest, DamagedFileLeavesTheProjectAsItWas) {
    ASSERT_TRUE(Add(8, 0, 9, 0));
    ASSERT_TRUE(Add(9, 0, 10, 0));
    Fill(1);
    Choose(1);
    StartHistory(ed);  // nothing unsaved: nothing is asked
    auto lines = ThreeSectionFile();
    lines[11] = "   <WINDOW>x</WINDOW>";  // the first section's sub window count
    const auto path = Write("damaged.XML", lines);
    const std::string before = Dump(ed);
    fp.files = {path};
    try {
        btnOpenPrjClick(ed);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        if (std::string(e.what()) == "Reading is not built yet.") GTEST_SKIP() << "needs the reader";
        EXPECT_NE(std::string(e.what()).find("damaged.XML"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fp.messages.empty());
    EXPECT_EQ(Dump(ed), before);
}

TEST_F(OpenFileTest, YesThenARefusedFileKeepsTheProjectAndItsFile) {
    ASSERT_TRUE(Add(8, 0, 9, 0));
    Fill(0);
    Choose(0);
    // The project was saved before: a plain Save must keep writing it whole.
    fp.files = {(dir / "mine.XML").string()};
    Saveas1Click(ed);
    const std::string saved = ReadBytes((dir / "mine.XML").string());
    ASSERT_NE(saved.find("<SUBW1>"), std::string::npos);
    // An unsaved edit since, so that opening asks first.
    StartHistory(ed);
    ed.Prj->TimePL[0].MainWin.PL[0].Vol = 7;
    RecordEdit(ed, "Edit Main Window Playlist");

    auto head = ThreeSectionFile();
    head.resize(2);
    auto cut = ThreeSectionFile();
    cut.pop_back();  // no closing line
    const std::string fifo = (dir / "pipe.XML").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string empty = (dir / "empty.XML").string();
    std::ofstream{empty};
    struct Case {
        std::string path, reason;
    } cases[] = {
        {empty, "byte order mark"},
        {Write("short.XML", head), "closing line </KESTREL> is missing"},
        {Write("other.XML", {"<?xml version=\"1.0\" encoding=\"utf-8\"?>", "<note/>"}), "root line"},
        {Write("cut.XML", cut), "closing line </KESTREL> is missing"},
        {fifo, "not a regular file"},
    };
    for (const auto& c : cases) {
        const std::string before = Dump(ed);
        fp.messages.clear();
        fp.answers = {Answer::Yes};
        fp.files = {c.path};
        try {
            btnOpenPrjClick(ed);
            ADD_FAILURE() << c.path << " opened";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
        EXPECT_EQ(fp.messages.size(), 1u);  // the question only
        EXPECT_EQ(Dump(ed), before) << c.path;
    }
    Undo1Click(ed);  // back to what the file holds: a plain Save writes it as it was
    TBtnSavePrjClick(ed);
    EXPECT_EQ(ReadBytes((dir / "mine.XML").string()), saved);
}

TEST_F(OpenFileTest, RectanglesAtThe32BitLimitsOpen) {
    auto lines = ThreeSectionFile();
    lines[4] = "  <rect x=\"2147483647\" y=\"-2147483648\" w=\"2147483647\" h=\"2147483647\" /></rect>";
    lines[17] = "    <rect x=\"-2147483648\" y=\"2147483647\" w=\"2147483647\" h=\"-2147483648\" /></rect>";
    ASSERT_TRUE(Open(Write("far.XML", lines)));
    EXPECT_EQ(ed.Prj->TimePL[0].MainWin.Left, 2147483647);
    ASSERT_TRUE(ed.Prj->TimePL[0].MainWin.Shape);
    EXPECT_EQ(ed.Prj->TimePL[0].MainWin.Shape->Left, 1 << 29);
}

TEST_F(OpenFileTest, SaveRightAfterOpenWritesTheOpenedFile) {
    const auto path = Write("plan.XML", ThreeSectionFile());
    if (!Open(path)) GTEST_SKIP() << "needs the project file reader";
    fs::remove(path);
    try {
        TBtnSavePrjClick(ed);
    } catch (const Error& e) {
        if (std::string(e.what()) == "Saving is not built yet.") GTEST_SKIP() << "needs the saver";
        throw;
    }
    EXPECT_EQ(fp.choosers.size(), 1u);  // only the open dialog
    EXPECT_TRUE(fs::exists(path));
}

}  // namespace
}  // namespace kestrel
