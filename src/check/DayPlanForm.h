#pragma once
// The "Day Plan" dialog: the 24 hours as a strip with each section a bar at its times,
// sections that share time on rows of their own, the stretches with nothing on air
// marked. A click on a bar, or Return on the bar with the keys, chooses that section.
// The main window stays usable while it is open, and the plan follows every change of
// the sections.

#include "check/Schedule.h"
#include "model/Editor.h"
#include "ui/ConventionDialog.h"

namespace kestrel {

class DayPlanStrip;

class TDayPlanForm : public ConventionDialog {
    Q_OBJECT
public:
    TDayPlanForm(QWidget* mainWindow, Editor& ed);

    const DayPlan& Plan() const { return plan_; }
    QWidget* Strip() const;
    // Where the bar of a section lies in the strip; empty when it has none.
    QRect BarRect(int section) const;

    // Reads the sections again; does nothing while the dialog is hidden.
    void Refresh();

signals:
    void SectionChosen(int section);

protected:
    void FormShow() override;

private:
    friend class DayPlanStrip;
    void ReadPlan();
    // The sections in the order the arrow keys go through their bars.
    std::vector<int> KeyOrder() const;
    void MoveKeys(int step);
    void ShowKeyed();
    // A click on a bar or Return on the bar with the keys.
    void Choose(int section);
    void StripClicked(QPoint pos);

    Editor& ed_;
    DayPlan plan_;
    DayPlanStrip* strip_ = nullptr;
    // The section whose bar has the keys (-1: none): where the user is on the plan, which
    // is not the current section until chosen.
    int keyed_ = -1;
};

}  // namespace kestrel
