#pragma once
// The project model: plain records in fixed arrays with counts, read and written
// directly by every subsystem. Text is held as UTF-8 (the narrow encoding on Linux).

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

constexpr int MaxSubWin = 8;      // sub windows 1..8 per time section
constexpr int MaxPLIndex = 100;   // playlist entries 0..100: 101 entries
constexpr int MaxTimeIndex = 10;  // records 0..10; at most 10 sections listed

// A window's marker on the image, in pixels of the image panel. Its look (the chosen
// window's red, the others' yellow and silver) follows the choice.
struct Shape {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = false;

    bool operator==(const Shape&) const = default;
};

struct TMainWinPL {
    int Interval = 0;
    int Vol = 0;
    std::string FileName;
};

struct TSubWinPL {
    int FileIndex = 0;
    int Times = 0;
    std::string FileName;
};

// One window: rectangle in target screen pixels, its playlist and its marker.
template <class Entry>
struct TWinData {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int PLCount = 0;
    std::optional<kestrel::Shape> Shape;
    std::array<Entry, MaxPLIndex + 1> PL{};
};
using TMainWinData = TWinData<TMainWinPL>;
using TSubWinData = TWinData<TSubWinPL>;

// One time section. SubWin is indexed 1..10 as the file format numbers them; slot 0 is unused.
struct TTimePLData {
    int StartTime = 0;  // hour * 100 + minute
    int EndTime = 0;
    TMainWinData MainWin;
    int SubWinCount = 0;
    std::vector<std::string> FileList;
    std::string BGFile;
    std::array<TSubWinData, 11> SubWin{};
};

// The project-level fields of the main window.
struct Project {
    std::string PrjDir;       // always ends with a path delimiter
    std::string PrjFileName;  // empty until saved or opened
    int CurTimeIndex = -1;
    int TimeCount = 0;
    std::array<TTimePLData, MaxTimeIndex + 1> TimePL{};

    TTimePLData* Current() { return CurTimeIndex < 0 ? nullptr : &TimePL[CurTimeIndex]; }
    const TTimePLData* Current() const { return CurTimeIndex < 0 ? nullptr : &TimePL[CurTimeIndex]; }
};

// Every record empty; each main window gets its hidden marker covering the image.
void ResetRecord(TTimePLData& rec, int imgWidth, int imgHeight);
void ResetProjectRecords(Project& prj, int imgWidth, int imgHeight);

// Sum of the playlist counts of a section's main window and all eight sub window slots.
int SectionEntryCount(const TTimePLData& rec);

// ---- shared operations ----
std::string FillZero(int value, int width);           // leading-zero fill
std::string TimeText(int time);                       // 830 -> "08:30"
std::string SectionText(int startTime, int endTime);  // "08:30 -- 12:00"
std::string WindowName(int index);                    // 0 -> "Main Window", 2 -> "SubWin2"
// First entry equal to s with the letters a to z compared without regard to case, or -1.
int FindStringFormList(const std::string& s, const std::vector<std::string>& list);
// First entry exactly equal to s, or -1.
int FindStringFromList(const std::string& s, const std::vector<std::string>& list);

}  // namespace kestrel

namespace kestrel {
// Where a dialog starts so that it is centred over the main window on one axis:
// mainStart + (mainSize - dialogSize) div 2, the quotient truncated towards zero.
inline int CenteredStart(int mainStart, int mainSize, int dialogSize) {
    return mainStart + (mainSize - dialogSize) / 2;
}
}  // namespace kestrel
