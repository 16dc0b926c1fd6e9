// Plain rectangles for the controls' portable arithmetic, with no platform
// header: by edges (ControlRect) or by position and size (ControlBox).
#pragma once

// Left/top inclusive, right/bottom exclusive, as the platform's RECT.

struct ControlRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const ControlRect& a, const ControlRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const ControlRect& a, const ControlRect& b) { return !(a == b); }
};

// A position and a size, as MoveWindow takes them.
struct ControlBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
