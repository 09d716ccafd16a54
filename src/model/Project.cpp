#include "model/Project.h"

namespace kestrel {

void ResetRecord(TTimePLData& rec, int imgWidth, int imgHeight) {
    rec = TTimePLData{};
    rec.MainWin.Shape = Shape{0, 0, imgWidth, imgHeight, false};
}

void ResetProjectRecords(Project& prj, int imgWidth, int imgHeight) {
    for (auto& rec : prj.TimePL) ResetRecord(rec, imgWidth, imgHeight);
}

int SectionEntryCount(const TTimePLData& rec) {
    int sum = rec.MainWin.PLCount;
    for (int j = 1; j <= MaxSubWin; ++j) sum += rec.SubWin[j].PLCount;
    return sum;
}

std::string FillZero(int value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
    return text;
}

std::string TimeText(int time) { return FillZero(time / 100, 2) + ":" + FillZero(time % 100, 2); }

std::string WindowName(int index) { return index == 0 ? "Main Window" : "SubWin" + std::to_string(index); }

std::string SectionText(int startTime, int endTime) {
    return TimeText(startTime) + " -- " + TimeText(endTime);
}

static char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

static bool EqualsAsciiNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

int FindStringFormList(const std::string& s, const std::vector<std::string>& list) {
    for (size_t i = 0; i < list.size(); ++i)
        if (EqualsAsciiNoCase(list[i], s)) return static_cast<int>(i);
    return -1;
}

int FindStringFromList(const std::string& s, const std::vector<std::string>& list) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == s) return static_cast<int>(i);
    return -1;
}

}  // namespace kestrel
