#pragma once
// Snapping: the edges a drag moves are pulled onto the display's edges and the edges of
// the other windows shown, within six picture pixels. The model takes the line exactly,
// the marker its place on the image.

#include <array>
#include <optional>

#include "model/Editor.h"

namespace kestrel {

// Edge lines of one axis, in screen pixels: the display's two edges and both edges of
// every other window shown in the section.
class SnapAxis {
public:
    SnapAxis(const Editor& ed, bool horizontal);
    template <class Win>
    void AddWindow(const Win& win) {
        Add(horizontal_ ? win.Left : win.Top);
        Add(horizontal_ ? win.Left + win.Width : win.Top + win.Height);
    }
    // From edge to the nearest line within reach, or none.
    std::optional<int> Offset(int edge) const;
    // A screen coordinate of this axis on the image panel.
    int ToPanel(int v) const;

private:
    void Add(int v) { lines_[count_++] = v; }

    const Editor& ed_;
    bool horizontal_;
    long long panel_ = 1, display_ = 1;
    std::array<int, 2 * (MaxSubWin + 2)> lines_{};
    int count_ = 0;
};

// The lines of both axes for the window being dragged (SelWinIndex).
struct SnapLines {
    SnapAxis x, y;
    SnapLines(const Editor& ed, const TTimePLData& rec);
};

// One axis of a rectangle: model edges in screen pixels, marker edges on the image.
struct Span {
    int& start;
    int& size;
    int& markerStart;
    int& markerSize;
};

// Draw and resize: each moving edge is pulled onto the nearest line. A pull that would
// leave the marker below minSize is not taken, nor is any on an axis already below it
// (an empty draw stays empty and is discarded at the release). guide: the line taken.
void SnapEdges(const SnapAxis& axis, bool lowMoves, bool highMoves, int minSize, Span span, int& guide);
// Move: the window shifts so that the nearer of its two edges lies on a line; its size stays.
void SnapShift(const SnapAxis& axis, Span span, int& guide);

}  // namespace kestrel
