// The day as the player runs it: the schedule's lines and the day plan's rows.
#include "check/Schedule.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

Project WithSections(std::initializer_list<std::pair<int, int>> times) {
    Project prj;
    for (auto [start, end] : times) {
        TTimePLData& s = prj.TimePL[prj.TimeCount++];
        s.StartTime = start;
        s.EndTime = end;
        s.SubWinCount = prj.TimeCount - 1;
    }
    return prj;
}

TEST(Schedule, LinesFollowTheDayWithGapsAndOverlaps) {
    // Listed out of time order, as the time list allows.
    const Project prj = WithSections({{1130, 1800}, {800, 1130}, {1700, 2100}, {1200, 1200}});
    EXPECT_EQ(ScheduleLines(prj), (std::vector<std::string>{
                                      "00:00 -- 08:00  nothing on air",
                                      "08:00 -- 11:30  section 2: 2 windows",
                                      "11:30 -- 18:00  section 1: 1 window",
                                      "12:00 -- 12:00  section 4: 4 windows",
                                      "17:00 -- 21:00  section 3: 3 windows",
                                      "17:00 -- 18:00  overlap of 11:30 -- 18:00 and 17:00 -- 21:00",
                                      "21:00 -- 24:00  nothing on air",
                                  }));
}

TEST(Schedule, EndOfTheDayAndStrayTimes) {
    struct Case {
        std::vector<std::pair<int, int>> times;
        std::vector<std::pair<int, int>> gaps;  // in minutes
    };
    const Case cases[] = {
        {{}, {{0, 1440}}},
        {{{0, 2359}}, {}},                      // 23:59 reaches midnight
        {{{0, 2358}}, {{1438, 1440}}},
        {{{2200, 600}}, {{0, 1440}}},           // an end before the start covers nothing
        {{{0, 1200}, {900, 2399}}, {}},         // a stray minute stays inside the day
        {{{1000, 1000}}, {{0, 1440}}},
    };
    for (const Case& c : cases) {
        Project prj;
        for (auto [start, end] : c.times) {
            prj.TimePL[prj.TimeCount].StartTime = start;
            prj.TimePL[prj.TimeCount++].EndTime = end;
        }
        std::vector<std::pair<int, int>> gaps;
        for (const Stretch& g : ScheduleOf(prj).Gaps) gaps.emplace_back(g.Start, g.End);
        EXPECT_EQ(gaps, c.gaps) << (c.times.empty() ? 0 : c.times[0].first);
    }
}

TEST(Schedule, OnlyListedSectionsCount) {
    Project prj = WithSections({{0, 2359}});
    prj.TimePL[1].StartTime = 100;  // a record after the last listed one
    prj.TimePL[1].EndTime = 200;
    EXPECT_TRUE(ScheduleOf(prj).Overlaps.empty());
    prj.TimeCount = 99;  // a damaged count reaches no further than the listed records
    EXPECT_EQ(ScheduleOf(prj).Sections.size(), 10u);
}

TEST(DayPlan, OverlappingSectionsTakeSeparateRows) {
    const Project prj = WithSections({{800, 1200}, {1000, 1100}, {1200, 1400}, {1030, 1300}, {1200, 1200}});
    const DayPlan plan = DayPlanOf(prj);
    std::vector<std::pair<int, int>> rows;  // section, row in time order
    for (const DayPlanBar& b : plan.Bars) rows.emplace_back(b.Section, b.Row);
    EXPECT_EQ(rows, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {3, 2}, {4, 0}, {2, 1}}));
    EXPECT_EQ(plan.Rows, 3);
    EXPECT_EQ(plan.Bars[0].Label, "08:00 -- 12:00");
    EXPECT_EQ(plan.Gaps.size(), 2u);

    EXPECT_EQ(DayPlanBarAt(plan, 9 * 60, 0), 0);
    EXPECT_EQ(DayPlanBarAt(plan, 12 * 60, 0), 4);  // the empty section, where it lies
    EXPECT_EQ(DayPlanBarAt(plan, 12 * 60 + 3, 0, 5), 4);
    EXPECT_EQ(DayPlanBarAt(plan, 12 * 60 + 3, 0), -1);
    EXPECT_EQ(DayPlanBarAt(plan, 11 * 60, 1), -1);  // section 1 ends at 11:00
    EXPECT_EQ(DayPlanBarAt(plan, 12 * 60 + 59, 2), 3);
    EXPECT_EQ(DayPlanBarAt(plan, 13 * 60, 3), -1);
}

}  // namespace
}  // namespace kestrel
