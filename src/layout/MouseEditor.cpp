#include "layout/MouseEditor.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <exception>
#include <optional>

#include "layout/CoordinateMapping.h"
#include "layout/WindowList.h"
#include "model/History.h"

namespace kestrel {

namespace {

Cursor HandleCursor(int handle) {
    switch (handle) {
        case 0:
        case 4: return Cursor::SizeFDiag;
        case 2:
        case 6: return Cursor::SizeBDiag;
        case 1:
        case 5: return Cursor::SizeVer;
        case 3:
        case 7: return Cursor::SizeHor;
        default: return Cursor::Arrow;
    }
}

// Edge lines of one axis, in screen pixels, that a dragged window's edges snap to:
// the display's two edges and both edges of every other window shown in the section.
// An edge snaps to the nearest line within six picture pixels.
class SnapAxis {
public:
    SnapAxis(const Editor& ed, bool horizontal) : ed_(ed), horizontal_(horizontal) {
        panel_ = horizontal ? ed.Panel.Width : ed.Panel.Height;
        display_ = horizontal ? ed.Display.DisplayWidth : ed.Display.DisplayHeight;
        Add(0);
        Add(display_);
    }
    template <class Win>
    void AddWindow(const Win& win) {
        Add(horizontal_ ? win.Left : win.Top);
        Add(horizontal_ ? win.Left + win.Width : win.Top + win.Height);
    }
    // From edge to the nearest line within reach, or none.
    std::optional<int> Offset(int edge) const {
        std::optional<int> best;
        for (int k = 0; k < count_; ++k) {
            const long long d = static_cast<long long>(lines_[k]) - edge;
            if (std::llabs(d) * panel_ <= 6LL * display_ && (!best || std::llabs(d) < std::abs(*best)))
                best = static_cast<int>(d);
        }
        return best;
    }
    // A screen coordinate of this axis on the image panel.
    int ToPanel(int v) const {
        int a = v, b = v, c = v, d = v;
        ConvertResourceToShape(ed_, a, b, c, d);
        return horizontal_ ? a : c;
    }

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
    SnapLines(const Editor& ed, const TTimePLData& rec) : x(ed, true), y(ed, false) {
        auto shown = [](const std::optional<Shape>& s) { return s && s->Visible; };
        if (ed.SelWinIndex != 0 && shown(rec.MainWin.Shape)) AddWindow(rec.MainWin);
        for (int j = 1; j <= std::min(rec.SubWinCount, MaxSubWin); ++j)
            if (j != ed.SelWinIndex && shown(rec.SubWin[j].Shape)) AddWindow(rec.SubWin[j]);
    }
    template <class Win>
    void AddWindow(const Win& win) {
        x.AddWindow(win);
        y.AddWindow(win);
    }
};

// One axis of a rectangle: model edges in screen pixels, marker edges on the image.
struct Span {
    int& start;
    int& size;
    int& markerStart;
    int& markerSize;
};

// Draw and resize: each moving edge is pulled onto the nearest line; the model takes the
// line exactly, the marker its place on the image. A pull that would leave the marker
// below minSize is not taken, nor is any on an axis already below it (an empty draw stays
// empty and is discarded at the release).
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

// Move: the window shifts so that the nearer of its two edges lies on a line; its size stays.
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

bool Snapping(const Editor& ed, bool freeDrag) { return ed.SnapEnabled && !freeDrag; }

void ClearGuides(Editor& ed) {
    ed.View.SnapGuideX = -1;
    ed.View.SnapGuideY = -1;
}

// Runs one handler step; a failure is reported with the handler's plain message.
template <class F>
void Guarded(Editor& ed, const char* message, F&& f) {
    try {
        f();
    } catch (const std::exception&) {
        ed.platform.Report(message);
    }
}

// The step a drag makes: "Move SubWin2".
std::string DragStepName(const Editor& ed) {
    static const char* const kinds[] = {"", "Draw ", "Move ", "Resize "};
    const int mode = ed.DragMode >= 1 && ed.DragMode <= 3 ? ed.DragMode : 0;
    return kinds[mode] + WindowName(ed.SelWinIndex);
}

}  // namespace

std::optional<Shape>* WindowShape(Editor& ed, int index) {
    TTimePLData* rec = ed.Current();
    if (!rec) return nullptr;
    if (index == 0) return &rec->MainWin.Shape;
    if (index >= 1 && index <= MaxSubWin) return &rec->SubWin[index].Shape;
    return nullptr;
}

void SetNormalLook(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (!rec) return;
    if (rec->MainWin.Shape) rec->MainWin.Shape->Highlighted = false;
    for (int i = 1; i <= MaxSubWin; ++i)
        if (rec->SubWin[i].Shape) rec->SubWin[i].Shape->Highlighted = false;
}

void SetPosField(Editor& ed, PosField field, int value) {
    char buf[16];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    std::string& text = ed.View.PosFields[field];
    // A short string lives inside the object, so assigning it allocates nothing.
    text.assign(buf, static_cast<size_t>(end - buf));
}

constexpr const char* kSnapKey = "snap";

void LoadSnapSetting(Editor& ed) { ed.SnapEnabled = ed.platform.Setting(kSnapKey) != "0"; }

void SetSnapEnabled(Editor& ed, bool on) {
    ed.SnapEnabled = on;
    ed.platform.SetSetting(kSnapKey, on ? "1" : "0");
}

std::string WindowLabel(int index) { return index == 0 ? "Main" : "SubWin" + std::to_string(index); }

int GetSizeHandle(int X, int Y, const Shape& shape) {
    const int L = shape.Left, T = shape.Top;
    const int R = L + shape.Width, B = T + shape.Height;
    const bool leftZone = L - 2 <= X && X <= L + 3;
    const bool between = L + 3 < X && X < R - 3;
    const bool rightZone = R - 3 <= X && X <= R + 2;
    if (T - 2 <= Y && Y <= T + 3) {
        if (leftZone) return 0;
        if (between) return 1;
        if (rightZone) return 2;
        return -1;
    }
    if (T + 3 < Y && Y < B - 3) {
        if (rightZone) return 3;
        if (leftZone) return 7;
        return -1;
    }
    if (B - 3 <= Y && Y <= B + 2) {
        if (leftZone) return 6;
        if (between) return 5;
        if (rightZone) return 4;
        return -1;
    }
    return -1;
}

void UpdateHoverHandle(Editor& ed, int X, int Y) {
    TTimePLData* rec = ed.Current();
    if (!rec) return;
    int found = -1;
    for (int i = 0; i <= MaxSubWin && found < 0; ++i) {
        const std::optional<Shape>& s = i == 0 ? rec->MainWin.Shape : rec->SubWin[i].Shape;
        if (!s || !s->Visible) continue;  // a hidden marker cannot be grabbed
        if (s->Left - 2 <= X && X <= s->Left + s->Width + 3 && s->Top - 2 <= Y &&
            Y <= s->Top + s->Height + 3)
            found = i;
    }
    ed.SelWinIndex = found;
    if (found < 0) {
        ed.SizeHandle = -1;
        ed.View.ImageCursor = Cursor::Arrow;
        return;
    }
    ed.SizeHandle = GetSizeHandle(X, Y, **WindowShape(ed, found));
    ed.View.ImageCursor = HandleCursor(ed.SizeHandle);
}

void BeginShapeEdit(Editor& ed, int X, int Y) {
    ed.DragX = X;
    ed.DragY = Y;
    TTimePLData* rec = ed.Current();
    if (ed.SelWinIndex == -1 || !rec) return;
    WithWindow(*rec, ed.SelWinIndex, [&](auto& win) {
        if (win.Shape) {
            win.Shape->Highlighted = true;
            ed.DragShape = *win.Shape;
        }
        ShowPosFields(ed, win);
    });
}

void CreateNewShape(Editor& ed, int X, int Y) {
    ed.DragMode = 1;
    TTimePLData* rec = ed.Current();
    // Only a sub window the section lists is drawn: never one chosen in another section.
    const int listed = std::min(static_cast<int>(ed.View.SubWinList.size()), rec ? rec->SubWinCount : 0);
    if (ed.PLWinIndex < 1 || ed.PLWinIndex > std::min(listed, MaxSubWin) || !rec) return;
    TSubWinData& win = rec->SubWin[ed.PLWinIndex];
    if (win.Shape) return;
    ed.SelWinIndex = ed.PLWinIndex;
    ed.DragX = X;
    ed.DragY = Y;
    win.Shape.emplace(Shape{X, Y, 10, 10, true, true});
    ed.DragShape = *win.Shape;
    // The model starts as the one-pixel cell under the pointer, not the 10 x 10 marker.
    StoreShapeRect(ed, Shape{X, Y, 1, 1}, win);
    ShowPosFields(ed, win);
}

namespace {

// Drawing and resizing keep the drag point and the pointer inside the image.
void ClampToImage(Editor& ed, int& X, int& Y) {
    const int w = ed.Panel.ImgWidth(), h = ed.Panel.ImgHeight();
    ed.DragX = std::clamp(ed.DragX, 0, w);
    ed.DragY = std::clamp(ed.DragY, 0, h);
    X = std::clamp(X, 0, w);
    Y = std::clamp(Y, 0, h);
}

// After a drawing or resizing step has placed the marker and the model: the moving edges
// snap, unless snapping is off or the pointer drags freely.
template <class Win>
void SnapRect(Editor& ed, const TTimePLData& rec, bool freeDrag, int handle, int minSize, Win& win) {
    ClearGuides(ed);
    if (!Snapping(ed, freeDrag)) return;
    const bool all = handle < 0;
    const bool left = all || handle == 0 || handle == 6 || handle == 7;
    const bool top = all || handle == 0 || handle == 1 || handle == 2;
    const bool right = all || handle == 2 || handle == 3 || handle == 4;
    const bool bottom = all || handle == 4 || handle == 5 || handle == 6;
    const SnapLines lines(ed, rec);
    Shape& s = *win.Shape;
    SnapEdges(lines.x, left, right, minSize, {win.Left, win.Width, s.Left, s.Width}, ed.View.SnapGuideX);
    SnapEdges(lines.y, top, bottom, minSize, {win.Top, win.Height, s.Top, s.Height}, ed.View.SnapGuideY);
}

}  // namespace

void DrawNewShape(Editor& ed, int X, int Y, bool freeDrag) {
    TTimePLData* rec = ed.Current();
    if (ed.PLWinIndex == -1 || ed.SelWinIndex == -1 || !rec) return;
    ClampToImage(ed, X, Y);
    WithWindow(*rec, ed.SelWinIndex, [&](auto& win) {
        if (!win.Shape) return;
        Shape& s = *win.Shape;
        s.Left = std::min(X, ed.DragX);
        s.Width = std::abs(X - ed.DragX);
        s.Top = std::min(Y, ed.DragY);
        s.Height = std::abs(Y - ed.DragY);
        StoreShapeRect(ed, s, win);
        SnapRect(ed, *rec, freeDrag, -1, 1, win);
        ShowPosFields(ed, win);
    });
}

void MoveShape(Editor& ed, int X, int Y, bool freeDrag) {
    TTimePLData* rec = ed.Current();
    if (!rec || ed.SelWinIndex == -1) return;
    const int dx = X - ed.DragX, dy = Y - ed.DragY;
    ed.DragX = X;
    ed.DragY = Y;
    const int imgW = ed.Panel.ImgWidth(), imgH = ed.Panel.ImgHeight();
    WithWindow(*rec, ed.SelWinIndex, [&](auto& win) {
        if (!win.Shape) return;
        Shape& s = *win.Shape;
        // The pointer moves the unsnapped marker, so that a snapped window comes free again.
        Shape& free = ed.DragShape;
        int newLeft = std::max(free.Left + dx, 0);
        int newTop = std::max(free.Top + dy, 0);
        const int w = s.Width >= imgW ? imgW : s.Width;
        const int h = s.Height >= imgH ? imgH : s.Height;
        if (newLeft + w >= imgW) newLeft = imgW - w;
        if (newTop + h >= imgH) newTop = imgH - h;
        free.Left = s.Left = newLeft;
        free.Top = s.Top = newTop;
        int l = newLeft, r = newLeft + w, t = newTop, b = newTop + h;
        ConvertShapeToResource(ed, l, r, t, b);
        // A move keeps the model's size; only the corner follows the marker.
        win.Left = l;
        win.Top = t;
        ClearGuides(ed);
        if (Snapping(ed, freeDrag)) {
            const SnapLines lines(ed, *rec);
            SnapShift(lines.x, {win.Left, win.Width, s.Left, s.Width}, ed.View.SnapGuideX);
            SnapShift(lines.y, {win.Top, win.Height, s.Top, s.Height}, ed.View.SnapGuideY);
        }
        SetPosField(ed, FieldLeft, win.Left);
        SetPosField(ed, FieldTop, win.Top);
    });
}

void ResizeShape(Editor& ed, int X, int Y, bool freeDrag) {
    TTimePLData* rec = ed.Current();
    if (ed.PLWinIndex == -1 || ed.SelWinIndex == -1 || !rec) return;
    const int imgW = ed.Panel.ImgWidth(), imgH = ed.Panel.ImgHeight();
    ClampToImage(ed, X, Y);
    const int dx = X - ed.DragX, dy = Y - ed.DragY;
    ed.DragX = X;
    ed.DragY = Y;
    const int hd = ed.SizeHandle;
    const bool left = hd == 0 || hd == 6 || hd == 7;
    const bool top = hd == 0 || hd == 1 || hd == 2;
    const bool right = hd == 2 || hd == 3 || hd == 4;
    const bool bottom = hd == 4 || hd == 5 || hd == 6;
    WithWindow(*rec, ed.SelWinIndex, [&](auto& win) {
        if (!win.Shape) return;
        Shape& s = *win.Shape;
        Shape& free = ed.DragShape;
        int L = free.Left, T = free.Top, R = L + free.Width, B = T + free.Height;
        // Where the 10-pixel minimum would push the moved edge off the image, the
        // opposite edge makes the room instead.
        if (left) {
            L = std::max(L + dx, 0);
            if (L > R - 10) L = R - 10;
            if (L < 0) L = 0, R = std::max(R, 10);
        }
        if (top) {
            T = std::max(T + dy, 0);
            if (T > B - 10) T = B - 10;
            if (T < 0) T = 0, B = std::max(B, 10);
        }
        if (right) {
            R = std::min(R + dx, imgW);
            if (R < L + 10) R = L + 10;
            if (R > imgW) R = imgW, L = std::min(L, imgW - 10);
        }
        if (bottom) {
            B = std::min(B + dy, imgH);
            if (B < T + 10) B = T + 10;
            if (B > imgH) B = imgH, T = std::min(T, imgH - 10);
        }
        free.Left = s.Left = L;
        free.Top = s.Top = T;
        free.Width = s.Width = R - L;
        free.Height = s.Height = B - T;
        StoreShapeRect(ed, s, win);
        SnapRect(ed, *rec, freeDrag, hd, 10, win);
        ShowPosFields(ed, win);
    });
}

// A press on a window chooses it, as the list and "Main Window" do: the list, the
// fields and the red outline show one window.
static void ChoosePressedWindow(Editor& ed) {
    if (ed.SelWinIndex < 0) return;
    ed.PLWinIndex = ed.SelWinIndex;
    ShowChosenInList(ed);
}

void imgBmpMouseDown(Editor& ed, int X, int Y) {
    if (ed.DragMode != 0) return;
    if (!ed.Current()) return;
    Guarded(ed, "Error 1", [&] {
        const int imgLeft = 1, imgTop = 1;
        if (X < imgLeft || X > imgLeft + ed.Panel.ImgWidth() || Y < imgTop ||
            Y > imgTop + ed.Panel.ImgHeight())
            return;
        SetNormalLook(ed);
        if (ed.SizeHandle != -1) {
            ChoosePressedWindow(ed);
            BeginShapeEdit(ed, X, Y);
            ed.DragMode = 3;
            return;
        }
        ed.SelWinIndex = IsPositionInSelection(ed, X, Y);
        if (ed.SelWinIndex != -1) {
            ChoosePressedWindow(ed);
            BeginShapeEdit(ed, X, Y);
            ed.DragMode = 2;
        } else if (ed.PLWinIndex != -1) {  // with nothing chosen there is nothing to draw
            CreateNewShape(ed, X, Y);
        }
    });
}

void imgBmpMouseMove(Editor& ed, int X, int Y, bool freeDrag) {
    switch (ed.DragMode) {
        case 0: UpdateHoverHandle(ed, X, Y); break;
        case 1: Guarded(ed, "Error 2", [&] { DrawNewShape(ed, X, Y, freeDrag); }); break;
        case 2: MoveShape(ed, X, Y, freeDrag); break;
        case 3: Guarded(ed, "Error 4", [&] { ResizeShape(ed, X, Y, freeDrag); }); break;
        default: break;
    }
}

void imgBmpMouseUp(Editor& ed, int, int) {
    if (ed.PLWinIndex == -1 || !ed.Current()) return;
    const std::string step = DragStepName(ed);
    Guarded(ed, "Error 3", [&] {
        std::optional<Shape>* s = WindowShape(ed, ed.SelWinIndex);
        if (s && *s && ((*s)->Width < 1 || (*s)->Height < 1)) {
            // The model keeps the last step's rectangle; only the marker goes.
            s->reset();
            ed.SelWinIndex = -1;
            for (std::string& f : ed.View.PosFields) f.clear();
        }
    });
    ClearGuides(ed);
    ed.DragMode = 0;
    RecordEdit(ed, step);
}

}  // namespace kestrel
