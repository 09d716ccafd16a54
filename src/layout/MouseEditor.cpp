#include "layout/MouseEditor.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <optional>

#include "layout/CoordinateMapping.h"
#include "layout/Snap.h"
#include "layout/WindowChoice.h"
#include "model/History.h"

namespace kestrel {

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

namespace {

bool Snapping(const Editor& ed, bool freeDrag) { return ed.SnapEnabled && !freeDrag; }

void ClearGuides(Editor& ed) {
    ed.SnapGuideX = -1;
    ed.SnapGuideY = -1;
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

constexpr const char* kSnapKey = "snap";

}  // namespace

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
    ed.SizeHandle = found < 0 ? -1 : GetSizeHandle(X, Y, **WindowShape(ed, found));
}

void BeginShapeEdit(Editor& ed, int X, int Y) {
    ed.DragX = X;
    ed.DragY = Y;
    TTimePLData* rec = ed.Current();
    if (ed.SelWinIndex == -1 || !rec) return;
    WithWindow(*rec, ed.SelWinIndex, [&](auto& win) {
        if (win.Shape) ed.DragShape = ed.DragStartShape = *win.Shape;
        ed.DragStartRect = {win.Left, win.Top, win.Width, win.Height};
    });
}

void CreateNewShape(Editor& ed, int X, int Y) {
    ed.DragMode = 1;
    TTimePLData* rec = ed.Current();
    // Only a sub window the section lists is drawn, and only one that counts in it.
    const int chosen = ed.PLWinIndex();
    if (!rec || chosen < 1 || chosen > std::min(ListedSubWindows(ed), rec->SubWinCount)) return;
    TSubWinData& win = rec->SubWin[chosen];
    if (win.Shape) return;
    ed.SelWinIndex = chosen;
    ed.DragX = X;
    ed.DragY = Y;
    win.Shape.emplace(Shape{X, Y, 10, 10, true});
    ed.DragShape = *win.Shape;
    // The model starts as the one-pixel cell under the pointer, not the 10 x 10 marker.
    StoreShapeRect(ed, Shape{X, Y, 1, 1}, win);
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
    SnapEdges(lines.x, left, right, minSize, {win.Left, win.Width, s.Left, s.Width}, ed.SnapGuideX);
    SnapEdges(lines.y, top, bottom, minSize, {win.Top, win.Height, s.Top, s.Height}, ed.SnapGuideY);
}

// The model rectangle after a move or resize step. An edge the marker has where it had it
// when the drag began keeps its stored value exactly; a moved edge is the mapping of its
// place on the image. So a resize changes only the edges it moves, and a drag that comes
// back to its start changes nothing.
template <class Win>
void StoreDraggedRect(const Editor& ed, const Shape& s, Win& win, bool keepSize) {
    const Shape& m0 = ed.DragStartShape;
    const auto& r0 = ed.DragStartRect;
    const std::int64_t right0 = std::int64_t{r0[0]} + r0[2], bottom0 = std::int64_t{r0[1]} + r0[3];
    const int dw = ed.Display.DisplayWidth, dh = ed.Display.DisplayHeight;
    const int pw = ed.Panel.Width, ph = ed.Panel.Height;
    auto edge = [](std::int64_t marker, std::int64_t marker0, std::int64_t model0, int num, int den) {
        return marker == marker0 ? model0 : ScaleEdge(marker, num, den);
    };
    const std::int64_t l = edge(s.Left, m0.Left, r0[0], dw, pw);
    const std::int64_t t = edge(s.Top, m0.Top, r0[1], dh, ph);
    win.Left = ClampToInt(l);
    win.Top = ClampToInt(t);
    if (keepSize) return;
    const std::int64_t r = edge(std::int64_t{s.Left} + s.Width, std::int64_t{m0.Left} + m0.Width, right0, dw, pw);
    const std::int64_t b = edge(std::int64_t{s.Top} + s.Height, std::int64_t{m0.Top} + m0.Height, bottom0, dh, ph);
    win.Width = ClampToInt(r - l);
    win.Height = ClampToInt(b - t);
}

}  // namespace

void DrawNewShape(Editor& ed, int X, int Y, bool freeDrag) {
    TTimePLData* rec = ed.Current();
    if (ed.SelWinIndex == -1 || !rec) return;
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
        // A move keeps the model's size; only the corner follows the marker.
        StoreDraggedRect(ed, s, win, true);
        ClearGuides(ed);
        if (Snapping(ed, freeDrag)) {
            const SnapLines lines(ed, *rec);
            SnapShift(lines.x, {win.Left, win.Width, s.Left, s.Width}, ed.SnapGuideX);
            SnapShift(lines.y, {win.Top, win.Height, s.Top, s.Height}, ed.SnapGuideY);
        }
    });
}

void ResizeShape(Editor& ed, int X, int Y, bool freeDrag) {
    TTimePLData* rec = ed.Current();
    if (ed.SelWinIndex == -1 || !rec) return;
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
        StoreDraggedRect(ed, s, win, false);
        SnapRect(ed, *rec, freeDrag, hd, 10, win);
    });
}

void imgBmpMouseDown(Editor& ed, int X, int Y) {
    if (ed.DragMode != 0) return;
    if (!ed.Current()) return;
    Guarded(ed, "Error 1", [&] {
        const int imgLeft = 1, imgTop = 1;
        if (X < imgLeft || X > imgLeft + ed.Panel.ImgWidth() || Y < imgTop ||
            Y > imgTop + ed.Panel.ImgHeight())
            return;
        // A press on a window chooses it, as the list and "Main Window" do.
        if (ed.SizeHandle != -1 && ed.SelWinIndex != -1) {
            ChooseWindow(ed, ed.SelWinIndex);
            BeginShapeEdit(ed, X, Y);
            ed.DragMode = 3;
            return;
        }
        ed.SelWinIndex = IsPositionInSelection(ed, X, Y);
        if (ed.SelWinIndex != -1) {
            ChooseWindow(ed, ed.SelWinIndex);
            BeginShapeEdit(ed, X, Y);
            ed.DragMode = 2;
        } else if (ed.PLWinIndex() != -1) {  // with nothing chosen there is nothing to draw
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
    // Any release ends a drag, so that no button is ever taken as still held.
    if (ed.DragMode == 0) return;
    if (!ed.Current()) {
        ed.DragMode = 0;
        return;
    }
    const std::string step = DragStepName(ed);
    Guarded(ed, "Error 3", [&] {
        std::optional<Shape>* s = WindowShape(ed, ed.SelWinIndex);
        if (s && *s && ((*s)->Width < 1 || (*s)->Height < 1)) {
            // The model keeps the last step's rectangle; only the marker goes. The window
            // stays chosen, and the fields show the rectangle it keeps.
            s->reset();
            ed.SelWinIndex = -1;
        }
    });
    ClearGuides(ed);
    ed.DragMode = 0;
    RecordEdit(ed, step);
}

}  // namespace kestrel
