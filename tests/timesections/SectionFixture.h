#pragma once
// A small editor with scripted answers, and helpers to build sections the way the user does.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "model/Editor.h"
#include "support/CoreHand.h"
#include "support/FakePlatform.h"
#include "timesections/TimeSections.h"

namespace kestrel {

class SectionFixture : public ::testing::Test {
protected:
    FakePlatform fp;
    Editor ed{fp};

    // New, enter the times, OK: what the user does to add a section.
    bool Add(int sh, int sm, int eh, int em) {
        if (!SBtn_NewTimeListClick(ed)) return false;
        TimeListEditor dlg{sh, sm, eh, em};
        dlg.FormShow(ed);
        return dlg.SBtn_TLOKClick(ed);
    }
    void Choose(int index) {
        ComboBox_TimeListChange(ed, index);
    }
    // Gives record i content that tells it apart from every other record.
    void Fill(int i, int subWins = 2) {
        auto& r = ed.Prj->TimePL[i];
        r.MainWin.Left = 10 * i;
        r.MainWin.Top = 20 + i;
        r.MainWin.Width = 600 + i;
        r.MainWin.Height = 300 + i;
        r.MainWin.PLCount = 1;
        r.MainWin.PL[0] = {i + 1, 50, "/media/main" + std::to_string(i) + ".mp4"};
        r.SubWinCount = subWins;
        for (int j = 1; j <= subWins; ++j) {
            auto& s = r.SubWin[j];
            s.Left = 700 + 10 * j;
            s.Top = 100 * j + i;
            s.Width = 100 + i;
            s.Height = 50 + j;
            s.PLCount = 1;
            s.PL[0] = {0, j + i, "/media/sub" + std::to_string(i) + ".jpg"};
        }
        r.FileList = {"sub" + std::to_string(i) + ".jpg"};
        r.BGFile = "/media/bg" + std::to_string(i) + ".jpg";
    }
};

// Everything the model and the display hold, as text, to compare states whole.
inline std::string Dump(const Editor& ed) {
    std::ostringstream o;
    auto shape = [&](const std::optional<Shape>& s) {
        if (!s) return std::string("none");
        return std::to_string(s->Left) + "," + std::to_string(s->Top) + "," + std::to_string(s->Width) +
               "," + std::to_string(s->Height) + (s->Visible ? " visible" : " hidden");
    };
    const auto& p = *ed.Prj;
    o << "dir=" << p.PrjDir << " file=" << p.PrjFileName << " cur=" << p.CurTimeIndex
      << " count=" << p.TimeCount << " sel=" << ed.SelWinIndex << " pl=" << ed.PLWinIndex() << "\n";
    for (int i = 0; i <= MaxTimeIndex; ++i) {
        const auto& r = p.TimePL[i];
        o << "rec" << i << " " << r.StartTime << "-" << r.EndTime << " bg=" << r.BGFile
          << " subs=" << r.SubWinCount << " main=" << r.MainWin.Left << "," << r.MainWin.Top << ","
          << r.MainWin.Width << "," << r.MainWin.Height << " [" << shape(r.MainWin.Shape) << "]";
        for (int k = 0; k < r.MainWin.PLCount; ++k)
            o << " m" << k << "=" << r.MainWin.PL[k].FileName << "/" << r.MainWin.PL[k].Vol << "/"
              << r.MainWin.PL[k].Interval;
        o << " files=";
        for (const auto& f : r.FileList) o << f << ";";
        for (int j = 1; j <= MaxSubWin; ++j) {
            const auto& s = r.SubWin[j];
            o << " s" << j << "=" << s.Left << "," << s.Top << "," << s.Width << "," << s.Height << " ["
              << shape(s.Shape) << "]";
            for (int k = 0; k < s.PLCount; ++k)
                o << " " << s.PL[k].FileName << "/" << s.PL[k].FileIndex << "/" << s.PL[k].Times;
        }
        o << "\n";
    }
    const MainView v = DeriveMainView(ed);
    o << "list=";
    for (const auto& t : v.TimeList) o << t << ";";
    o << " chosen=" << v.TimeListIndex << " subs=";
    for (const auto& t : v.SubWinList) o << t << ";";
    o << " subsel=" << v.SubWinListIndex << " pos=" << v.PosFields[0] << "," << v.PosFields[1] << ","
      << v.PosFields[2] << "," << v.PosFields[3] << " bg=" << v.BGFileField
      << " pic=" << static_cast<int>(v.Picture) << ":" << v.PictureFile
      << " add=" << v.Command(CommandId::AddSubWin).Enabled << " del=" << v.Command(CommandId::DelSubWin).Enabled
      << " chosen marker=";
    for (const MarkerView& m : v.Markers)
        if (m.Chosen) o << m.Window;
    o << "\n";
    return o.str();
}

}  // namespace kestrel
