// The edit history: undo and redo of every kind of edit, the unsaved-changes state, and
// what the history shares between steps.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "layout/MouseEditor.h"
#include "layout/Nudge.h"
#include "layout/WindowChoice.h"
#include "layout/WindowList.h"
#include "model/History.h"
#include "model/Paths.h"
#include "playlist/PlaylistTable.h"
#include "storage/OpenCommand.h"
#include "storage/ProjectSaver.h"
#include "session/EditMenu.h"
#include "support/CoreHand.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"
#include "timesections/SectionFixture.h"

namespace kestrel {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// Two sections as the user builds them, section 0 shown: its main window and SubWin1 are
// placed and have playlists, SubWin2 is listed without a rectangle. Saved once, so the
// history starts from a project on disk.
struct Session {
    TempDir dir;
    FakePlatform fp;
    Editor ed{fp};

    Session() {
        for (const char* name : {"a.mp4", "b.jpg", "c.jpg", "bg.jpg"}) WriteBytes(dir / name, name);
        Add(8, 0, 9, 0);
        Add(9, 0, 10, 0);
        auto& s = ed.Prj->TimePL[0];
        s.MainWin.Width = 680;
        s.MainWin.Height = 384;
        s.MainWin.PLCount = 1;
        s.MainWin.PL[0] = {5, 50, dir / "a.mp4"};
        s.SubWinCount = 2;
        s.SubWin[1] = {680, 0, 680, 384, 1, {}, {}};
        s.SubWin[1].PL[0] = {0, 2, dir / "b.jpg"};
        ed.Prj->TimePL[1].BGFile = dir / "bg.jpg";
        Choose(0);
        Panel_MainWinClick(ed);  // stores the main window as its marker gives it
        ed.Prj->PrjFileName = dir / "plan.XML";
        ed.Prj->PrjDir = FolderPart(ed.Prj->PrjFileName);
        Save();
        StartHistory(ed);
    }

    void Add(int sh, int sm, int eh, int em) {
        ASSERT_TRUE(SBtn_NewTimeListClick(ed));
        TimeListEditor dlg{sh, sm, eh, em};
        ASSERT_TRUE(dlg.SBtn_TLOKClick(ed));
    }
    void Choose(int index) {
        ComboBox_TimeListChange(ed, index);
    }
    std::string Save() {
        TBtnSavePrjClick(ed);
        return ReadBytes(dir / "plan.XML");
    }
    void ChooseSub(int j) {
        ListBox_SubWinClick(ed, j - 1);
    }
    void Drag(int x0, int y0, int x1, int y1) {
        UpdateHoverHandle(ed, x0, y0);
        imgBmpMouseDown(ed, x0, y0);
        imgBmpMouseMove(ed, (x0 + x1) / 2, (y0 + y1) / 2);
        imgBmpMouseMove(ed, x1, y1);
        imgBmpMouseUp(ed, x1, y1);
    }
    // Drags sub window j of the current section by its middle.
    void MoveSub(int j, int dx, int dy) {
        const Shape s = *ed.Current()->SubWin[j].Shape;
        const int x = s.Left + s.Width / 2, y = s.Top + s.Height / 2;
        Drag(x, y, x + dx, y + dy);
    }
    // Types a whole value into a field and presses Return.
    void Type(PosField field, const std::string& text) {
        TypeField(ed, field, text);
    }
};

TEST(HistoryTest, EveryEditUndoesAndRedoesToTheSameFile) {
    struct Case {
        const char* step;
        std::function<void(Session&)> edit;
    };
    const Case cases[] = {
        {"Add Time Section", [](Session& t) { t.Add(12, 0, 13, 0); }},
        {"Edit Time Section", [](Session& t) {
             ASSERT_TRUE(SBtn_EditTimeListClick(t.ed));
             TimeListEditor dlg;
             dlg.FormShow(t.ed);
             dlg.EHour = 11;
             ASSERT_TRUE(dlg.SBtn_TLOKClick(t.ed));
         }},
        {"Delete Time Section", [](Session& t) {
             t.fp.answers = {Answer::Yes};
             SBtn_DeleteTimeListClick(t.ed);
         }},
        {"Add Sub Window", [](Session& t) { AddSubWinClick(t.ed); }},
        {"Delete Sub Window", [](Session& t) {
             t.ChooseSub(1);
             DelSubWinClick(t.ed);
         }},
        {"Draw SubWin2", [](Session& t) {
             t.ChooseSub(2);
             t.Drag(100, 300, 200, 380);
         }},
        {"Move SubWin1", [](Session& t) {
             t.ChooseSub(1);
             t.MoveSub(1, -50, 50);
         }},
        {"Resize Main Window", [](Session& t) {
             Panel_MainWinClick(t.ed);
             t.Drag(360, 100, 300, 100);  // by the right edge's handle
         }},
        {"Type SubWin1 Position", [](Session& t) {
             t.ChooseSub(1);
             t.Type(FieldWidth, "500");
             Edit_PosKeyEnter(t.ed, View(t.ed).PosFields);  // leaving the field applies nothing more
         }},
        {"Choose Background", [](Session& t) {
             t.fp.files = {t.dir / "bg.jpg"};
             SBtn_BGFileClick(t.ed);
         }},
        {"Edit SubWin1 Playlist", [](Session& t) {
             t.ChooseSub(1);
             PlaylistTable table;
             PLFormShow(t.ed, table);
             t.fp.fileLists = {{t.dir / "c.jpg", t.dir / "b.jpg"}};
             AddFiles1Click(t.ed, table);
             SpeedButton_OKClick(t.ed, table);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        Session t;
        const std::string before = t.Save();
        c.edit(t);
        ASSERT_EQ(t.ed.Edits.StepCount(), 1u);  // the whole edit is one step
        EXPECT_EQ(UndoText(t.ed), std::string("&Undo ") + c.step);
        const std::string after = t.Save();
        ASSERT_NE(after, before);

        Undo1Click(t.ed);
        EXPECT_EQ(t.Save(), before);
        EXPECT_EQ(RedoText(t.ed), std::string("&Redo ") + c.step);
        Redo1Click(t.ed);
        EXPECT_EQ(t.Save(), after);
        EXPECT_EQ(RedoText(t.ed), "&Redo");
    }
}

TEST(HistoryTest, ChoosingAndShowingAreNoSteps) {
    Session t;
    t.Choose(1);
    t.Choose(0);
    t.ChooseSub(1);
    Panel_MainWinClick(t.ed);  // the main window is placed already
    t.Drag(10, 10, 10, 10);    // a click without a move
    Edit_PosKeyUp(t.ed, View(t.ed).PosFields);       // a key that changes no value
    PlaylistTable table;
    PLFormShow(t.ed, table);   // the playlist editor opened and cancelled
    EXPECT_EQ(t.ed.Edits.StepCount(), 0u);
    EXPECT_FALSE(HasUnsavedChanges(t.ed));
    EXPECT_EQ(UndoText(t.ed), "&Undo");
}

TEST(HistoryTest, UndoShowsTheEditedSectionAndWindow) {
    Session t;
    Editor& ed = t.ed;
    t.Choose(1);
    AddSubWinClick(ed);
    t.ChooseSub(1);
    t.Drag(100, 100, 200, 200);  // draws SubWin1 of section 1
    const std::array<std::string, 4> drawn = View(ed).PosFields;
    t.Choose(0);
    t.ChooseSub(1);
    t.MoveSub(1, -50, 50);  // moves SubWin1 of section 0
    t.ChooseSub(2);

    Undo1Click(ed);  // the move: section 0, SubWin1 chosen and back where it was
    EXPECT_EQ(ed.Prj->CurTimeIndex, 0);
    EXPECT_EQ(ed.PLWinIndex(), 1);
    EXPECT_EQ(View(ed).SubWinListIndex, 0);
    EXPECT_EQ(View(ed).PosFields, (std::array<std::string, 4>{"680", "0", "680", "384"}));
    ASSERT_TRUE(ed.Prj->TimePL[0].SubWin[1].Shape);
    EXPECT_TRUE(MarkedChosen(ed, 1));

    Undo1Click(ed);  // the drawing: section 1 shown, its SubWin1 without a rectangle
    EXPECT_EQ(ed.Prj->CurTimeIndex, 1);
    EXPECT_EQ(View(ed).TimeListIndex, 1);
    EXPECT_EQ(View(ed).SubWinList, (std::vector<std::string>{"SubWin1"}));
    EXPECT_EQ(View(ed).Picture, PictureKind::File);
    EXPECT_EQ(ed.PLWinIndex(), 1);
    EXPECT_FALSE(ed.Prj->TimePL[1].SubWin[1].Shape);
    for (int j = 1; j <= MaxSubWin; ++j) EXPECT_FALSE(ed.Prj->TimePL[0].SubWin[j].Shape) << j;
    EXPECT_FALSE(ed.Prj->TimePL[0].MainWin.Shape->Visible);

    Redo1Click(ed);
    EXPECT_EQ(View(ed).PosFields, drawn);
    ASSERT_TRUE(ed.Prj->TimePL[1].SubWin[1].Shape);

    // A window the undone step takes away is not chosen: the main window is.
    Undo1Click(ed);
    Undo1Click(ed);
    EXPECT_TRUE(View(ed).SubWinList.empty());
    EXPECT_EQ(ed.PLWinIndex(), 0);
    EXPECT_TRUE(View(ed).MainWinPanelBlue);
    EXPECT_FALSE(ed.Edits.CanUndo());
}

TEST(HistoryTest, UnsavedChangesFollowTheSavedState) {
    struct Case {
        const char* action;
        std::function<void(Session&)> act;
        bool unsaved;
    };
    const Case road[] = {
        {"opened", [](Session&) {}, false},
        {"a layout edit", [](Session& t) { AddSubWinClick(t.ed); }, true},
        {"undone", [](Session& t) { Undo1Click(t.ed); }, false},
        {"redone", [](Session& t) { Redo1Click(t.ed); }, true},
        {"saved", [](Session& t) { t.Save(); }, false},
        {"undone past the save", [](Session& t) { Undo1Click(t.ed); }, true},
        {"redone to the save", [](Session& t) { Redo1Click(t.ed); }, false},
        {"typed away and back", [](Session& t) {
             t.ChooseSub(1);
             t.Type(FieldLeft, "70");
             t.Type(FieldLeft, "680");
             Edit_PosKeyEnter(t.ed, View(t.ed).PosFields);
         }, false},
        {"undone and edited anew", [](Session& t) {
             Undo1Click(t.ed);
             Undo1Click(t.ed);
             t.fp.files = {t.dir / "bg.jpg"};
             SBtn_BGFileClick(t.ed);
         }, true},
        {"changed without a step", [](Session& t) {
             t.Save();
             t.ed.Prj->TimePL[0].SubWin[1].PL[0].Times = 9;
         }, true},
        {"started anew", [](Session& t) {
             t.fp.answers = {Answer::Yes};
             NewProject1Click(t.ed);
         }, false},
    };
    Session t;
    for (const Case& c : road) {
        SCOPED_TRACE(c.action);
        c.act(t);
        EXPECT_EQ(HasUnsavedChanges(t.ed), c.unsaved);
    }
    EXPECT_EQ(TitleName(t.ed), "Untitled");
    EXPECT_FALSE(t.ed.Edits.CanUndo());
}

TEST(HistoryTest, AfterSaveAsUndoAndRedoUseTheNewFoldersCopies) {
    Session t;
    AddSubWinClick(t.ed);
    t.fp.files = {t.dir / "moved/plan.XML"};
    std::filesystem::create_directory(t.dir / "moved");
    Saveas1Click(t.ed);
    const std::string folder = t.dir / "moved/";
    ASSERT_EQ(t.ed.Prj->TimePL[0].SubWin[1].PL[0].FileName, folder + "b.jpg");

    Undo1Click(t.ed);
    EXPECT_EQ(t.ed.Prj->TimePL[0].SubWinCount, 2);
    EXPECT_EQ(t.ed.Prj->TimePL[0].MainWin.PL[0].FileName, folder + "a.mp4");
    EXPECT_EQ(t.ed.Prj->TimePL[0].SubWin[1].PL[0].FileName, folder + "b.jpg");
    EXPECT_EQ(t.ed.Prj->TimePL[1].BGFile, folder + "bg.jpg");
    Redo1Click(t.ed);
    EXPECT_FALSE(HasUnsavedChanges(t.ed));
    EXPECT_FALSE(t.ed.Edits.CanRedo());
    // A playlist stored unchanged after the save is no step.
    t.ChooseSub(1);
    PlaylistTable table;
    PLFormShow(t.ed, table);
    SpeedButton_OKClick(t.ed, table);
    EXPECT_EQ(UndoText(t.ed), "&Undo Add Sub Window");
}

TEST(HistoryTest, NewAndOpenAskExactlyWhenWorkWouldBeLost) {
    const std::string newText = "Create new project will lost the before operation, do you want continue?";
    const std::string openText = "Open new project will lost the before operation, do you want continue?";
    struct Case {
        const char* change;
        std::function<void(Session&)> act;
        bool asks;
    };
    const Case cases[] = {
        {"nothing", [](Session&) {}, false},
        {"a layout, no playlist touched", [](Session& t) {
             t.ChooseSub(1);
             t.MoveSub(1, -50, 50);
         }, true},
        {"the background of another section", [](Session& t) {
             t.Choose(1);
             t.fp.files = {t.dir / "a.mp4"};
             SBtn_BGFileClick(t.ed);
         }, true},
        {"an edit undone again", [](Session& t) {
             AddSubWinClick(t.ed);
             Undo1Click(t.ed);
         }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        for (bool open : {false, true}) {
            Session t;
            c.act(t);
            t.fp.messages.clear();
            t.fp.answers = {Answer::No};
            t.fp.files = {""};  // a dialog, if any, is cancelled
            const std::string before = Dump(t.ed);
            open ? btnOpenPrjClick(t.ed) : NewProject1Click(t.ed);
            ASSERT_EQ(t.fp.messages.size(), c.asks ? 1u : 0u) << (open ? "Open" : "New");
            if (c.asks) {
                EXPECT_EQ(t.fp.messages[0].caption, "Warning");
                EXPECT_EQ(t.fp.messages[0].text, open ? openText : newText);
                EXPECT_EQ(Dump(t.ed), before);  // No keeps everything
            }
        }
    }
}

TEST(HistoryTest, OpenConfirmedThenCancelledKeepsTheProject) {
    Session t;
    AddSubWinClick(t.ed);
    const std::string before = Dump(t.ed);
    t.fp.messages.clear();
    t.fp.answers = {Answer::Yes};
    t.fp.files = {""};
    btnOpenPrjClick(t.ed);
    EXPECT_EQ(t.fp.messages.size(), 1u);
    EXPECT_EQ(Dump(t.ed), before);
    EXPECT_TRUE(HasUnsavedChanges(t.ed));
    EXPECT_TRUE(t.ed.Edits.CanUndo());
}

TEST(HistoryTest, AChangeWithoutItsStepIsUndoneAsOneAndRedoneAgain) {
    Session t;
    AddSubWinClick(t.ed);
    t.ed.Prj->TimePL[0].SubWin[1].PL[0].Times = 9;  // an edit that forgot to record itself
    Undo1Click(t.ed);
    EXPECT_EQ(t.ed.Prj->TimePL[0].SubWin[1].PL[0].Times, 2);
    EXPECT_EQ(t.ed.Prj->TimePL[0].SubWinCount, 3);
    EXPECT_EQ(RedoText(t.ed), "&Redo Edit");
    Redo1Click(t.ed);
    EXPECT_EQ(t.ed.Prj->TimePL[0].SubWin[1].PL[0].Times, 9);
}

// A file list rebuilt after its step (the save and a change of section rebuild the shown
// section's list) is the one an undo gives back, not a list still naming the file of a
// window deleted since.
TEST(HistoryTest, UndoGivesBackTheFileListAsLastRebuilt) {
    for (const bool editElsewhere : {false, true}) {
        SCOPED_TRACE(editElsewhere ? "an edit in another section after it" : "saved right after it");
        Session t;
        ASSERT_TRUE(SBtn_NewTimeListClick(t.ed));
        TimeListEditor dlg{12, 0, 13, 0};
        dlg.FormShow(t.ed);
        dlg.CopyFrom = 0;  // SubWin1 plays b.jpg here too
        ASSERT_TRUE(dlg.SBtn_TLOKClick(t.ed));
        t.Choose(2);
        t.ChooseSub(1);
        DelSubWinClick(t.ed);  // b.jpg stays in the list until it is rebuilt
        std::string before = t.Save();
        t.Choose(0);
        if (editElsewhere) {
            t.fp.files = {t.dir / "c.jpg"};
            SBtn_BGFileClick(t.ed);
            before = t.Save();
        }
        ASSERT_EQ(before.find("<P>b.jpg</P>", before.find("s=\"1200\"")), std::string::npos);
        t.fp.answers = {Answer::Yes};
        SBtn_DeleteTimeListClick(t.ed);  // the later sections move up a record
        Undo1Click(t.ed);
        EXPECT_EQ(t.Save(), before);
    }
}

// Random roads through every kind of edit, saves among them: undoing all of them gives
// back each file saved on the way, redoing all gives them again, and no edit that
// changed the file is without its step.
TEST(HistoryTest, RandomEditsUndoAndRedoThroughEveryState) {
    using Edit = std::function<void(Session&, std::mt19937&)>;
    auto pick = [](std::mt19937& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const std::vector<Edit> edits = {
        [&](Session& t, std::mt19937& rng) {  // add, sometimes copying a layout
            if (t.ed.Prj->TimeCount >= MaxTimeIndex) return;
            ASSERT_TRUE(SBtn_NewTimeListClick(t.ed));
            const int h = pick(rng, 0, 22);
            TimeListEditor dlg{h, pick(rng, 0, 59), h + 1, pick(rng, 0, 59)};
            dlg.FormShow(t.ed);
            dlg.CopyFrom = pick(rng, -1, t.ed.Prj->TimeCount - 1);
            dlg.SBtn_TLOKClick(t.ed);
        },
        [&](Session& t, std::mt19937& rng) {
            if (!SBtn_EditTimeListClick(t.ed)) return;
            TimeListEditor dlg;
            dlg.FormShow(t.ed);
            dlg.EMinute = pick(rng, 0, 59);
            dlg.SBtn_TLOKClick(t.ed);
        },
        [&](Session& t, std::mt19937&) {
            if (t.ed.Prj->TimeCount <= 1) return;
            t.fp.answers = {Answer::Yes};
            SBtn_DeleteTimeListClick(t.ed);
        },
        [&](Session& t, std::mt19937& rng) { t.Choose(pick(rng, 0, t.ed.Prj->TimeCount - 1)); },
        [&](Session& t, std::mt19937&) { AddSubWinClick(t.ed); },
        [&](Session& t, std::mt19937& rng) {
            const int n = t.ed.Current()->SubWinCount;
            if (n <= 0) return;
            t.ChooseSub(pick(rng, 1, n));
            DelSubWinClick(t.ed);
        },
        [&](Session& t, std::mt19937& rng) {  // draws a window without a rectangle, or moves one
            const int n = t.ed.Current()->SubWinCount;
            if (n <= 0) return;
            const int j = pick(rng, 1, n);
            t.ChooseSub(j);
            if (t.ed.Current()->SubWin[j].Shape) t.MoveSub(j, pick(rng, -40, 40), pick(rng, -40, 40));
            else t.Drag(pick(rng, 0, 300), pick(rng, 0, 200), pick(rng, 320, 660), pick(rng, 220, 380));
        },
        [&](Session& t, std::mt19937& rng) {  // chooses a window; the main window is placed on its first choice
            const int n = t.ed.Current()->SubWinCount;
            if (n > 0 && pick(rng, 0, 1)) t.ChooseSub(pick(rng, 1, n));
            else Panel_MainWinClick(t.ed);
        },
        [&](Session& t, std::mt19937& rng) {
            ArrowKeyNudge(t.ed, KeyPlace::Picture, static_cast<Arrow>(pick(rng, 0, 3)), pick(rng, 0, 1),
                          pick(rng, 0, 1));
        },
        [&](Session& t, std::mt19937& rng) {
            t.Type(static_cast<PosField>(pick(rng, 0, 3)), std::to_string(pick(rng, 10, 300)));
            Edit_PosKeyEnter(t.ed, View(t.ed).PosFields);
        },
        [&](Session& t, std::mt19937& rng) {
            t.fp.files = {t.dir / (pick(rng, 0, 1) ? "bg.jpg" : "c.jpg")};
            SBtn_BGFileClick(t.ed);
        },
        [&](Session& t, std::mt19937& rng) {
            PlaylistTable table;
            PLFormShow(t.ed, table);
            t.fp.fileLists = {{t.dir / (pick(rng, 0, 1) ? "c.jpg" : "b.jpg")}};
            AddFiles1Click(t.ed, table);
            SpeedButton_OKClick(t.ed, table);
        },
        [&](Session& t, std::mt19937&) { t.Save(); },
    };
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        Session t;
        std::vector<std::string> states{t.Save()};  // the file after each step
        for (int n = 0; n < 60; ++n) {
            const size_t steps = t.ed.Edits.StepCount();
            const std::string before = states.back();
            const int kind = pick(rng, 0, static_cast<int>(edits.size()) - 1);
            SCOPED_TRACE("edit " + std::to_string(n) + " of kind " + std::to_string(kind));
            edits[kind](t, rng);
            if (HasFatalFailure()) return;
            const std::string now = t.Save();
            if (t.ed.Edits.StepCount() == steps) {
                ASSERT_EQ(now, before) << "an edit without its step";
                continue;
            }
            ASSERT_EQ(t.ed.Edits.StepCount(), steps + 1) << "an edit as two steps";
            states.push_back(now);
        }
        for (size_t i = states.size() - 1; i > 0; --i) {
            Undo1Click(t.ed);
            ASSERT_EQ(t.Save(), states[i - 1]) << "undo to step " << i - 1;
        }
        EXPECT_FALSE(t.ed.Edits.CanUndo());
        for (size_t i = 1; i < states.size(); ++i) {
            Redo1Click(t.ed);
            ASSERT_EQ(t.Save(), states[i]) << "redo to step " << i;
        }
        EXPECT_FALSE(t.ed.Edits.CanRedo());
    }
}

// ---- What the history keeps ----

// Nudges of one window, one after another, are one step under the name the first gave it;
// anything else between them (another window, another kind of nudge, an undo, a save)
// starts a new one, and a run that comes back to where it began leaves no step.
TEST(HistoryTest, ConsecutiveNudgesOfOneWindowAreOneStep) {
    Session t;
    Editor& ed = t.ed;
    auto nudge = [&](Arrow a, bool ctrl = false) { ASSERT_TRUE(ArrowKeyNudge(ed, KeyPlace::Picture, a, false, ctrl)); };
    t.ChooseSub(1);
    const size_t start = ed.Edits.StepCount();
    for (int i = 0; i < 150; ++i) nudge(Arrow::Left);
    EXPECT_EQ(ed.Current()->SubWin[1].Left, 530);
    EXPECT_EQ(ed.Edits.StepCount(), start + 1);
    EXPECT_EQ(UndoText(ed), "&Undo Move SubWin1");
    nudge(Arrow::Up, true);  // a change of size is a step of its own
    nudge(Arrow::Up, true);
    EXPECT_EQ(ed.Edits.StepCount(), start + 2);
    EXPECT_EQ(UndoText(ed), "&Undo Size SubWin1");

    Panel_MainWinClick(ed);
    nudge(Arrow::Right);
    nudge(Arrow::Right);
    EXPECT_EQ(ed.Edits.StepCount(), start + 3);
    t.Save();
    nudge(Arrow::Right);  // after a save: the saved state stays a step to go back to
    EXPECT_EQ(ed.Edits.StepCount(), start + 4);
    nudge(Arrow::Left);  // back where the save left it: the run leaves no step
    EXPECT_EQ(ed.Edits.StepCount(), start + 3);
    EXPECT_FALSE(HasUnsavedChanges(ed));

    Undo1Click(ed);
    EXPECT_EQ(ed.Current()->MainWin.Left, 0);
    Undo1Click(ed);
    Undo1Click(ed);
    EXPECT_EQ(ed.Current()->SubWin[1].Left, 680);
    EXPECT_EQ(ed.Edits.StepCount(), start + 3);
}

class HistoryMemoryTest : public SectionFixture {};

TEST_F(HistoryMemoryTest, StepsShareTheSectionsTheyDidNotChange) {
    for (int i = 0; i < MaxTimeIndex; ++i) {
        ASSERT_TRUE(Add(i, 0, i, 30));
        Fill(i, 3);
    }
    Choose(4);
    StartHistory(ed);
    const ProjectState start = ed.Edits.Current();

    ListBox_SubWinClick(ed, 1);
    const Shape s = *ed.Current()->SubWin[2].Shape;
    const int x = s.Left + s.Width / 2, y = s.Top + s.Height / 2;
    UpdateHoverHandle(ed, x, y);
    imgBmpMouseDown(ed, x, y);
    imgBmpMouseMove(ed, x - 20, y);
    imgBmpMouseUp(ed, x - 20, y);
    ASSERT_EQ(ed.Edits.UndoName(), "Move SubWin2");
    const ProjectState moved = ed.Edits.Current();
    for (int i = 0; i <= MaxTimeIndex; ++i)
        EXPECT_EQ(moved.TimePL[i] == start.TimePL[i], i != 4) << i;

    // Deleting a section moves the later ones up a place: they are shared, not copied.
    Choose(2);
    fp.answers = {Answer::Yes};
    SBtn_DeleteTimeListClick(ed);
    const ProjectState deleted = ed.Edits.Current();
    EXPECT_EQ(deleted.TimePL[2], moved.TimePL[3]);
    EXPECT_EQ(deleted.TimePL[3], moved.TimePL[4]);
    EXPECT_EQ(deleted.TimePL[8], moved.TimePL[9]);
    EXPECT_EQ(deleted.TimePL[9], moved.TimePL[10]);  // both empty
}

TEST_F(HistoryMemoryTest, KeepsTheLastHundredSteps) {
    ASSERT_TRUE(Add(8, 0, 9, 0));
    Choose(0);
    StartHistory(ed);
    for (int n = 1; n <= 150; ++n) {
        ChooseWindow(ed, 0);
        Edit_PosKeyEnter(ed, {std::to_string(n), "0", "100", "100"});  // each a field edit of its own
    }
    int undone = 0;
    while (ed.Edits.CanUndo()) {
        Undo1Click(ed);
        ++undone;
    }
    EXPECT_EQ(undone, static_cast<int>(History::MaxSteps));
    EXPECT_EQ(ed.Prj->TimePL[0].MainWin.Left, 50);
    EXPECT_TRUE(HasUnsavedChanges(ed));  // the state the history started from is gone
}

}  // namespace
}  // namespace kestrel
