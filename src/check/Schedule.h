#pragma once
// The day of a project as the player runs it: each section on air from its start up to
// its end, the stretches that nothing covers and the times two sections share.

#include <string>
#include <vector>

#include "model/Project.h"

namespace kestrel {

inline constexpr int MinutesPerDay = 24 * 60;

// A stored hhmm time as a minute of the day (0 to 1440). An end of 23:59 reaches
// midnight: the editor cannot enter 24:00, so that is how a section says "to the end".
int StartMinute(int time);
int EndMinute(int time);
// 510 -> "08:30", 1440 -> "24:00".
std::string MinuteText(int minute);
// "08:30 -- 12:00" for a stretch of minutes.
std::string StretchText(int start, int end);

struct SectionSpan {
    int Section = 0;  // record index
    int Start = 0;    // minutes; End is not part of it
    int End = 0;
};

struct Stretch {
    int Start = 0;
    int End = 0;
};

struct Overlap {
    int First = 0;  // record indexes, First listed before Second
    int Second = 0;
    int Start = 0;
    int End = 0;
};

struct DaySchedule {
    std::vector<SectionSpan> Sections;  // by start, then end, then list order
    std::vector<Stretch> Gaps;          // nothing on air, in time order
    std::vector<Overlap> Overlaps;      // by start, then list order
};

// The listed sections: records 0 to TimeCount - 1.
int ListedSections(const Project& prj);
DaySchedule ScheduleOf(const Project& prj);

// The day in time order, one line each: sections with their window count, gaps, overlaps.
std::vector<std::string> ScheduleLines(const Project& prj);

// The day plan: each section a bar on the first row where it meets no other.
struct DayPlanBar {
    int Section = 0;
    int Row = 0;
    int Start = 0;
    int End = 0;
    std::string Label;  // "08:30 -- 12:00"
};

struct DayPlan {
    std::vector<DayPlanBar> Bars;
    std::vector<Stretch> Gaps;
    int Rows = 0;
};

DayPlan DayPlanOf(const Project& prj);
// The section whose bar lies at `minute` on `row`, or -1; a bar shorter than `slack`
// minutes on either side is hit within that distance, so that an empty section can be
// clicked too.
int DayPlanBarAt(const DayPlan& plan, int minute, int row, int slack = 0);

}  // namespace kestrel
