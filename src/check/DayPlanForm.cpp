#include "check/DayPlanForm.h"

#include <QKeyEvent>
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
        setFocusPolicy(Qt::StrongFocus);
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
            p.drawText(r.adjusted(5, 0, -5, 0), Qt::AlignVCenter | Qt::AlignLeft, QString::fromStdString(b.Label));
            // The bar with the keys shows a dotted line in its text colour inside its edge,
            // seen on either colour; a bar too narrow for it is ringed outside instead.
            if (b.Section == form_.keyed_ && hasFocus()) {
                const bool inside = r.width() > 12;
                p.setPen(QPen(inside && chosen ? Qt::white : Qt::black, 1, Qt::DotLine));
                p.drawRect(inside ? r.adjusted(3, 3, -4, -4) : r.adjusted(-2, -2, 1, 1));
            }
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) form_.StripClicked(event->position().toPoint());
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->modifiers() & ~Qt::KeypadModifier) return QWidget::keyPressEvent(event);
        switch (event->key()) {
            case Qt::Key_Left: case Qt::Key_Up: form_.MoveKeys(-1); break;
            case Qt::Key_Right: case Qt::Key_Down: form_.MoveKeys(+1); break;
            case Qt::Key_Return: case Qt::Key_Enter: form_.Choose(form_.keyed_); break;
            default: QWidget::keyPressEvent(event);
        }
    }

    void focusInEvent(QFocusEvent* event) override {
        QWidget::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QWidget::focusOutEvent(event);
        update();
    }

private:
    TDayPlanForm& form_;
};

TDayPlanForm::TDayPlanForm(QWidget* mainWindow, Editor& ed) : ConventionDialog(mainWindow), ed_(ed) {
    setObjectName("DayPlanForm");
    setWindowTitle("Day Plan");
    strip_ = new DayPlanStrip(*this);
    auto* hint = new QLabel(tr("Click a section, or go to it with the arrows and press Return, to choose it. "
                               "Hatched: nothing on air."),
                            this);
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
    ReadPlan();
    const int current = ed_.Prj->CurTimeIndex;
    const std::vector<int> order = KeyOrder();
    keyed_ = std::find(order.begin(), order.end(), current) != order.end() ? current
             : order.empty()                                              ? -1
                                                                          : order.front();
    ShowKeyed();
    strip_->setFocus(Qt::ActiveWindowFocusReason);
}

void TDayPlanForm::Refresh() {
    if (!isVisible()) return;
    ReadPlan();
    // The keys stay on their bar while it is there.
    const std::vector<int> order = KeyOrder();
    if (std::find(order.begin(), order.end(), keyed_) == order.end()) keyed_ = order.empty() ? -1 : order.front();
    ShowKeyed();
}

void TDayPlanForm::ReadPlan() {
    plan_ = DayPlanOf(*ed_.Prj);
    strip_->updateGeometry();
    strip_->update();
}

// The keys go from bar to bar as the day goes: by start, sections that start together in
// the order of the time list (the plan's own order also looks at the ends).
std::vector<int> TDayPlanForm::KeyOrder() const {
    std::vector<const DayPlanBar*> bars;
    for (const DayPlanBar& b : plan_.Bars) bars.push_back(&b);
    std::stable_sort(bars.begin(), bars.end(), [](const DayPlanBar* a, const DayPlanBar* b) {
        return a->Start != b->Start ? a->Start < b->Start : a->Section < b->Section;
    });
    std::vector<int> order;
    for (const DayPlanBar* b : bars) order.push_back(b->Section);
    return order;
}

void TDayPlanForm::MoveKeys(int step) {
    const std::vector<int> order = KeyOrder();
    const auto at = std::find(order.begin(), order.end(), keyed_);
    if (at == order.end()) return;
    const auto index = (at - order.begin()) + step;
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(order.size())) return;  // stops at the ends
    keyed_ = order[static_cast<size_t>(index)];
    ShowKeyed();
}

// What a screen reader says of the strip: the bar with the keys.
void TDayPlanForm::ShowKeyed() {
    QString name = tr("No time sections");
    QString description;
    for (const DayPlanBar& b : plan_.Bars) {
        if (b.Section != keyed_) continue;
        name = QString::fromStdString(b.Label);
        const std::vector<int> order = KeyOrder();
        const auto place = std::find(order.begin(), order.end(), keyed_) - order.begin() + 1;
        description = tr("Section %1 of %2 in the day%3. Arrows: another section; Return: choose it.")
                          .arg(place)
                          .arg(order.size())
                          .arg(b.Section == ed_.Prj->CurTimeIndex ? tr(", the current one") : QString());
    }
    strip_->setAccessibleName(name);
    strip_->setAccessibleDescription(description);
    strip_->update();
}

void TDayPlanForm::Choose(int section) {
    // While another dialog works on the project the main window takes no choice either.
    if (mainWindow() && !mainWindow()->isEnabled()) return;
    if (section < 0) return;
    keyed_ = section;
    ShowKeyed();
    emit SectionChosen(section);
}

void TDayPlanForm::StripClicked(QPoint pos) {
    if (pos.y() < kAxisHeight) return;
    const int minute = (pos.x() - kMargin) * 60 / kHourWidth;
    const int slack = kMinBarWidth * 60 / kHourWidth;
    Choose(DayPlanBarAt(plan_, minute, (pos.y() - kAxisHeight) / kRowHeight, slack));
}

}  // namespace kestrel
