#pragma once
// Projects the storage tests share.

#include <string>

#include "model/Project.h"

namespace kestrel::test {

// The worked example: 8:30 to 12:00, two main window media, one sub window, a background.
inline void FillWorkedExample(Project& prj, const std::string& mainDir = "C:/media/",
                              const std::string& subDir = "C:/pics/") {
    prj.TimeCount = 1;
    TTimePLData& s = prj.TimePL[0];
    s.StartTime = 830;
    s.EndTime = 1200;
    s.MainWin.Left = 0, s.MainWin.Top = 0, s.MainWin.Width = 960, s.MainWin.Height = 768;
    s.MainWin.PLCount = 2;
    s.MainWin.PL[0] = {1, 50, mainDir + "intro.mp4"};
    s.MainWin.PL[1] = {3, 80, mainDir + "promo.avi"};
    s.SubWinCount = 1;
    s.FileList = {"pic1.jpg", "pic2.jpg"};
    s.BGFile = mainDir + "back.jpg";
    TSubWinData& w = s.SubWin[1];
    w.Left = 960, w.Top = 0, w.Width = 400, w.Height = 300;
    w.PLCount = 3;
    w.PL[0] = {0, 1, subDir + "pic1.jpg"};
    w.PL[1] = {1, 2, subDir + "pic2.jpg"};
    w.PL[2] = {0, 1, subDir + "pic1.jpg"};
}

// The largest project: 10 sections, 8 sub windows each, 101 entries in every playlist.
inline void FillLargest(Project& prj, const std::string& dir) {
    prj.TimeCount = MaxTimeIndex;
    for (int i = 0; i < MaxTimeIndex; ++i) {
        TTimePLData& s = prj.TimePL[i];
        s.StartTime = i * 200;
        s.EndTime = i * 200 + 159;
        s.MainWin.Left = 0, s.MainWin.Top = 0, s.MainWin.Width = 960, s.MainWin.Height = 768;
        s.MainWin.PLCount = MaxPLIndex + 1;
        for (int k = 0; k <= MaxPLIndex; ++k)
            s.MainWin.PL[k] = {k % 7, k % 101, dir + "main" + std::to_string(i) + "_" + std::to_string(k) + ".mp4"};
        s.SubWinCount = MaxSubWin;
        s.BGFile = dir + "bg" + std::to_string(i) + ".jpg";
        s.FileList.clear();
        for (int j = 1; j <= MaxSubWin; ++j) {
            TSubWinData& w = s.SubWin[j];
            w.Left = 960, w.Top = (j - 1) * 96, w.Width = 400, w.Height = 96;
            w.PLCount = MaxPLIndex + 1;
            for (int k = 0; k <= MaxPLIndex; ++k) {
                std::string name = "sub" + std::to_string(j) + "_" + std::to_string(k) + ".jpg";
                w.PL[k] = {static_cast<int>(s.FileList.size()), k + 1, dir + name};
                s.FileList.push_back(name);
            }
        }
    }
}

}  // namespace kestrel::test
