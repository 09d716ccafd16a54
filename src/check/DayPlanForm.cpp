#include "check/DayPlanForm.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

namespace kestrel {

namespace {

constexpr int kMargin = 16;      // left and right of the hours
constexpr int kHourWidth = 40;
constexpr int kAxisHeight = 22;  // hour labels above the rows
constexpr int kRowHeight = 30;
constexpr int kMinBarWidth = 4;  // a section of a few minutes, or none, can still be clicked

const QColor kBar(166, 202, 240);
const QColor kCurrentBar(0, 0, 255);
const QColor kGap(220, 60, 60);

int X(int minute) { return kMargin + minute * kHourWidth / 60; }

}  // namespace

class DayPlanStrip : public QWidget {
public:
    explicit DayPlanStrip(TDayPlanForm& form) : QWidget(&form), form_(form) {
        setObjectName("DayPlan_Strip");
        setMinimumWidth(2 * kMargin + 24 * kHourWidth);
    }

    int Rows() const { return std::max(1, form_.plan_.Rows); }
    QSize sizeHint() const override { return {2 * kMargin + 24 * kHourWidth, kAxisHeight + Rows() * kRowHeight + 8}; }

    QRect Bar(const DayPlanBar& b) const {
        const int left = X(b.Start);
        const int width = std::max(kMinBarWidth, X(b.End) - left);
        return {left, kAxisHeight + b.Row * kRowHeight + 2, width, kRowHeight - 4};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const int rowsBottom = kAxisHeight + Rows() * kRowHeight;
        for (const Stretch& g : form_.plan_.Gaps)
            p.fillRect(QRect(X(g.Start), kAxisHeight, X(g.End) - X(g.Start), rowsBottom - kAxisHeight),
                       QBrush(kGap, Qt::BDiagPattern));
        p.setPen(Qt::gray);
        for (int hour = 0; hour <= 24; ++hour) {
            const int x = X(hour * 60);
            p.drawLine(x, kAxisHeight - 4, x, rowsBottom);
            if (hour % 2 == 0)
                p.drawText(QRect(x - 20, 0, 40, kAxisHeight - 4), Qt::AlignCenter, QString("%1").arg(hour, 2, 10, QChar('0')));
        }
        const int current = form_.ed_.Prj->CurTimeIndex;
        for (const DayPlanBar& b : form_.plan_.Bars) {
            const QRect r = Bar(b);
            const bool chosen = b.Section == current;
            p.fillRect(r, chosen ? kCurrentBar : kBar);
            p.setPen(Qt::black);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            p.setPen(chosen ? Qt::white : Qt::black);
            p.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft, QString::fromStdString(b.Label));
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) form_.StripClicked(event->position().toPoint());
    }

private:
    TDayPlanForm& form_;
};

TDayPlanForm::TDayPlanForm(QWidget* mainWindow, Editor& ed) : ConventionDialog(mainWindow), ed_(ed) {
    setObjectName("DayPlanForm");
    setWindowTitle("Day Plan");
    strip_ = new DayPlanStrip(*this);
    auto* hint = new QLabel("Click a section to choose it. Hatched: nothing on air.", this);
    hint->setObjectName("Label_Hint");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(strip_);
    layout->addWidget(hint);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TDayPlanForm::Strip() const { return strip_; }

QRect TDayPlanForm::BarRect(int section) const {
    for (const DayPlanBar& b : plan_.Bars)
        if (b.Section == section) return strip_->Bar(b);
    return {};
}

void TDayPlanForm::FormShow() {
    plan_ = DayPlanOf(*ed_.Prj);
    strip_->updateGeometry();
    strip_->update();
}

void TDayPlanForm::Refresh() {
    if (isVisible()) FormShow();
}

void TDayPlanForm::StripClicked(QPoint pos) {
    // While another dialog works on the project the main window takes no choice either.
    if (mainWindow() && !mainWindow()->isEnabled()) return;
    if (pos.y() < kAxisHeight) return;
    const int minute = (pos.x() - kMargin) * 60 / kHourWidth;
    const int slack = kMinBarWidth * 60 / kHourWidth;
    const int section = DayPlanBarAt(plan_, minute, (pos.y() - kAxisHeight) / kRowHeight, slack);
    if (section >= 0) emit SectionChosen(section);
}

}  // namespace kestrel
