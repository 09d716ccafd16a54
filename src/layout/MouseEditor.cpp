#include "layout/MouseEditor.h"

#include <algorithm>
#include <charconv>
#include <exception>

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

// Calls f on the model record of window index (0 main, 1..8 sub) of section rec.
template <class F>
void WithWindow(TTimePLData& rec, int index, F&& f) {
    if (index == 0)
        f(rec.MainWin);
    else if (index >= 1 && index <= MaxSubWin)
        f(rec.SubWin[index]);
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
        if (win.Shape) win.Shape->Highlighted = true;
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
    // The model starts as the one-pixel cell under the pointer, not the 10 x 10 marker.
    StoreShapeRect(ed, Shape{X, Y, 1, 1}, win);
    ShowPosFields(ed, win);
}

// Drawing and resizing keep the drag point and the pointer inside the image.
static void ClampToImage(Editor& ed, int& X, int& Y) {
    const int w = ed.Panel.ImgWidth(), h = ed.Panel.ImgHeight();
    ed.DragX = std::clamp(ed.DragX, 0, w);
    ed.DragY = std::clamp(ed.DragY, 0, h);
    X = std::clamp(X, 0, w);
    Y = std::clamp(Y, 0, h);
}

void DrawNewShape(Editor& ed, int X, int Y) {
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
        ShowPosFields(ed, win);
    });
}

void MoveShape(Editor& ed, int X, int Y) {
    TTimePLData* rec = ed.Current();
    if (!rec || ed.SelWinIndex == -1) return;
    const int dx = X - ed.DragX, dy = Y - ed.DragY;
    ed.DragX = X;
    ed.DragY = Y;
    const int imgW = ed.Panel.ImgWidth(), imgH = ed.Panel.ImgHeight();
    WithWindow(*rec, ed.SelWinIndex, [&](auto& win) {
        if (!win.Shape) return;
        Shape& s = *win.Shape;
        int newLeft = std::max(s.Left + dx, 0);
        int newTop = std::max(s.Top + dy, 0);
        const int w = s.Width >= imgW ? imgW : s.Width;
        const int h = s.Height >= imgH ? imgH : s.Height;
        if (newLeft + w >= imgW) newLeft = imgW - w;
        if (newTop + h >= imgH) newTop = imgH - h;
        s.Left = newLeft;
        s.Top = newTop;
        int l = newLeft, r = newLeft + w, t = newTop, b = newTop + h;
        ConvertShapeToResource(ed, l, r, t, b);
        // A move keeps the model's size; only the corner follows the marker.
        win.Left = l;
        win.Top = t;
        SetPosField(ed, FieldLeft, l);
        SetPosField(ed, FieldTop, t);
    });
}

void ResizeShape(Editor& ed, int X, int Y) {
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
        int L = s.Left, T = s.Top, R = L + s.Width, B = T + s.Height;
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
        s.Left = L;
        s.Top = T;
        s.Width = R - L;
        s.Height = B - T;
        StoreShapeRect(ed, s, win);
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

void imgBmpMouseMove(Editor& ed, int X, int Y) {
    switch (ed.DragMode) {
        case 0: UpdateHoverHandle(ed, X, Y); break;
        case 1: Guarded(ed, "Error 2", [&] { DrawNewShape(ed, X, Y); }); break;
        case 2: MoveShape(ed, X, Y); break;
        case 3: Guarded(ed, "Error 4", [&] { ResizeShape(ed, X, Y); }); break;
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
    ed.DragMode = 0;
    RecordEdit(ed, step);
}

}  // namespace kestrel
