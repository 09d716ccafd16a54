#include "layout/Snap.h"

#include <algorithm>
#include <cstdlib>

#include "layout/CoordinateMapping.h"

namespace kestrel {

SnapAxis::SnapAxis(const Editor& ed, bool horizontal) : ed_(ed), horizontal_(horizontal) {
    panel_ = horizontal ? ed.Panel.Width : ed.Panel.Height;
    display_ = horizontal ? ed.Display.DisplayWidth : ed.Display.DisplayHeight;
    Add(0);
    Add(static_cast<int>(display_));
}

std::optional<int> SnapAxis::Offset(int edge) const {
    std::optional<int> best;
    for (int k = 0; k < count_; ++k) {
        const long long d = static_cast<long long>(lines_[k]) - edge;
        if (std::llabs(d) * panel_ <= 6LL * display_ && (!best || std::llabs(d) < std::abs(*best)))
            best = static_cast<int>(d);
    }
    return best;
}

int SnapAxis::ToPanel(int v) const {
    int a = v, b = v, c = v, d = v;
    ConvertResourceToShape(ed_, a, b, c, d);
    return horizontal_ ? a : c;
}

SnapLines::SnapLines(const Editor& ed, const TTimePLData& rec) : x(ed, true), y(ed, false) {
    auto shown = [](const std::optional<Shape>& s) { return s && s->Visible; };
    auto add = [&](const auto& win) {
        x.AddWindow(win);
        y.AddWindow(win);
    };
    if (ed.SelWinIndex != 0 && shown(rec.MainWin.Shape)) add(rec.MainWin);
    for (int j = 1; j <= std::min(rec.SubWinCount, MaxSubWin); ++j)
        if (j != ed.SelWinIndex && shown(rec.SubWin[j].Shape)) add(rec.SubWin[j]);
}

void SnapEdges(const SnapAxis& axis, bool lowMoves, bool highMoves, int minSize, Span span, int& guide) {
    if (span.markerSize < minSize) return;
    int lo = span.start, hi = span.start + span.size;
    int markerLo = span.markerStart, markerHi = span.markerStart + span.markerSize;
    std::optional<int> pulledLo;
    if (const auto d = lowMoves ? axis.Offset(lo) : std::nullopt) {
        const int m = axis.ToPanel(lo + *d);
        if (markerHi - m >= minSize) {
            lo += *d;
            markerLo = m;
            guide = m;
            pulledLo = d;
        }
    }
    if (const auto d = highMoves ? axis.Offset(hi) : std::nullopt) {
        const int m = axis.ToPanel(hi + *d);
        if (m - markerLo >= minSize) {
            hi += *d;
            markerHi = m;
            if (!pulledLo || std::abs(*d) < std::abs(*pulledLo)) guide = m;
        }
    }
    span.start = lo;
    span.size = hi - lo;
    span.markerStart = markerLo;
    span.markerSize = markerHi - markerLo;
}

void SnapShift(const SnapAxis& axis, Span span, int& guide) {
    const auto lo = axis.Offset(span.start);
    const auto hi = axis.Offset(span.start + span.size);
    const bool useHi = hi && (!lo || std::abs(*hi) < std::abs(*lo));
    const std::optional<int> d = useHi ? hi : lo;
    if (!d) return;
    span.start += *d;
    span.markerStart = axis.ToPanel(span.start);
    guide = axis.ToPanel(useHi ? span.start + span.size : span.start);
}

}  // namespace kestrel
