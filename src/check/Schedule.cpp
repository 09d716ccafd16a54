#include "check/Schedule.h"

#include <algorithm>

namespace kestrel {

namespace {

// Times come from files too: a stray hour or minute stays inside the day.
int Minute(int time) { return std::clamp(time / 100, 0, 24) * 60 + std::clamp(time % 100, 0, 59); }

std::string WindowCount(const TTimePLData& rec) {
    const int n = 1 + std::clamp(rec.SubWinCount, 0, MaxSubWin);
    return std::to_string(n) + (n == 1 ? " window" : " windows");
}

}  // namespace

int StartMinute(int time) { return std::min(Minute(time), MinutesPerDay); }

int EndMinute(int time) {
    const int minute = Minute(time);
    return minute >= MinutesPerDay - 1 ? MinutesPerDay : minute;
}

std::string MinuteText(int minute) { return FillZero(minute / 60, 2) + ":" + FillZero(minute % 60, 2); }

std::string StretchText(int start, int end) { return MinuteText(start) + " -- " + MinuteText(end); }

int ListedSections(const Project& prj) { return std::clamp(prj.TimeCount, 0, MaxTimeIndex); }

DaySchedule ScheduleOf(const Project& prj) {
    DaySchedule day;
    const int n = ListedSections(prj);
    std::vector<SectionSpan> listed;
    for (int i = 0; i < n; ++i) {
        const int start = StartMinute(prj.TimePL[i].StartTime);
        // A section that ends before it starts is on air at no time.
        const int end = std::max(start, EndMinute(prj.TimePL[i].EndTime));
        listed.push_back({i, start, end});
    }

    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            const int start = std::max(listed[i].Start, listed[j].Start);
            const int end = std::min(listed[i].End, listed[j].End);
            if (start < end) day.Overlaps.push_back({i, j, start, end});
        }
    std::stable_sort(day.Overlaps.begin(), day.Overlaps.end(),
                     [](const Overlap& a, const Overlap& b) { return a.Start < b.Start; });

    day.Sections = listed;
    std::stable_sort(day.Sections.begin(), day.Sections.end(), [](const SectionSpan& a, const SectionSpan& b) {
        return a.Start != b.Start ? a.Start < b.Start : a.End < b.End;
    });

    int covered = 0;  // the day is on air up to here
    for (const SectionSpan& s : day.Sections) {
        if (s.Start == s.End) continue;
        if (s.Start > covered) day.Gaps.push_back({covered, s.Start});
        covered = std::max(covered, s.End);
    }
    if (covered < MinutesPerDay) day.Gaps.push_back({covered, MinutesPerDay});
    return day;
}

std::vector<std::string> ScheduleLines(const Project& prj) {
    const DaySchedule day = ScheduleOf(prj);
    struct Line {
        int start;
        int rank;  // at one minute: sections, then what they share, then gaps
        std::string text;
    };
    std::vector<Line> lines;
    auto sectionText = [&](int i) { return SectionText(prj.TimePL[i].StartTime, prj.TimePL[i].EndTime); };
    for (const SectionSpan& s : day.Sections)
        lines.push_back({s.Start, 0,
                         sectionText(s.Section) + "  section " + std::to_string(s.Section + 1) + ": " +
                             WindowCount(prj.TimePL[s.Section])});
    for (const Overlap& o : day.Overlaps)
        lines.push_back({o.Start, 1,
                         StretchText(o.Start, o.End) + "  overlap of " + sectionText(o.First) + " and " +
                             sectionText(o.Second)});
    for (const Stretch& g : day.Gaps) lines.push_back({g.Start, 2, StretchText(g.Start, g.End) + "  nothing on air"});
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
        return a.start != b.start ? a.start < b.start : a.rank < b.rank;
    });
    std::vector<std::string> texts;
    for (Line& l : lines) texts.push_back(std::move(l.text));
    return texts;
}

DayPlan DayPlanOf(const Project& prj) {
    const DaySchedule day = ScheduleOf(prj);
    DayPlan plan;
    plan.Gaps = day.Gaps;
    std::vector<int> rowEnds;  // where the last bar of each row ends
    for (const SectionSpan& s : day.Sections) {
        auto free = std::find_if(rowEnds.begin(), rowEnds.end(), [&](int end) { return end <= s.Start; });
        const int row = static_cast<int>(free - rowEnds.begin());
        if (free == rowEnds.end()) rowEnds.push_back(0);
        // A section of no length still takes a minute of its row, so that it does not
        // hide under a neighbour that starts at the same time.
        rowEnds[row] = std::max(s.End, s.Start + 1);
        const TTimePLData& rec = prj.TimePL[s.Section];
        plan.Bars.push_back({s.Section, row, s.Start, s.End, SectionText(rec.StartTime, rec.EndTime)});
    }
    plan.Rows = static_cast<int>(rowEnds.size());
    return plan;
}

int DayPlanBarAt(const DayPlan& plan, int minute, int row, int slack) {
    for (const DayPlanBar& b : plan.Bars) {
        if (b.Row != row) continue;
        const int room = std::max(0, slack - (b.End - b.Start) / 2);
        if (minute >= b.Start - room && minute < std::max(b.End, b.Start + 1) + room) return b.Section;
    }
    return -1;
}

}  // namespace kestrel
