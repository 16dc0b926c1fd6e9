// Where the flat button draws its parts, as plain arithmetic on its client
// and item rectangles: drop-down part, arrow, separator, gradient (and its
// band fallback), bitmap, check glyph, caption and focus rectangle.
#pragma once

#include "ControlRect.h"

// The sizes below are pixels at 96 DPI; at `dpi` each is scaled by dpi / 96
// (rounded), so the arrow and the drop-down part keep their size on screen.
constexpr int kFooBaseDpi = 96;
int FooScaled(int pixels, int dpi);

// The drop-down part drawn pressed: the rightmost 14 pixels, one pixel shorter.
ControlRect FooPressedDropDownRect(const ControlRect& item, int dpi = kFooBaseDpi);
// The sunken separator between the button part and the drop-down part.
ControlRect FooSeparatorRect(const ControlRect& client, int dpi = kFooBaseDpi);

// One row of the downward arrow: pixels firstX..lastX (inclusive) on line y.
struct FooArrowRow {
    int y = 0;
    int firstX = 0;
    int lastX = 0;
};
// The arrow's rows: 3 at 96 DPI (5, 3 and 1 pixels), 4 at 144 (7, 5, 3, 1).
int FooArrowRowCount(int dpi = kFooBaseDpi);
// Row 0.. of the arrow, moved by `offset` when pressed.
FooArrowRow FooArrowRowAt(const ControlRect& client, int offset, int row, int dpi = kFooBaseDpi);

// The gradient fills the face inside the frame: inset 1 at left and top, 2 at right and bottom.
ControlRect FooGradientRect(const ControlRect& item);

// One horizontal band of the gradient drawn without "GradientFill": band
// `index` (0..254) of a rectangle split into 255, running from white toward
// `bottomColor` (the last band is one step short of it).
constexpr int kFooGradientBands = 255;
struct FooGradientBand {
    int top = 0;
    int bottom = 0;
    unsigned long color = 0;
};
FooGradientBand FooFallbackBand(int top, int bottom, int index, unsigned long bottomColor);

// A colour channel (0..255) as a 16-bit vertex channel of "GradientFill".
inline unsigned short FooVertexChannel(unsigned channel) { return static_cast<unsigned short>((channel & 0xFF) << 8); }

// The bitmap's top-left corner: 5 pixels in when a caption or glyph follows,
// else centred; vertically centred; one pixel down and right when `shift`.
struct FooPoint {
    int x = 0;
    int y = 0;
};
FooPoint FooBitmapOrigin(const ControlRect& client, int bitmapWidth, int bitmapHeight, bool besideCaption, bool shift);

// The check or radio glyph: a square of side glyphSide starting at x (plus 5
// after a bitmap), centred vertically in the item rectangle.
ControlRect FooGlyphRect(const ControlRect& item, int x, int glyphSide);

// The caption's horizontal extent before measuring: from x (plus 5 when not
// centred) to the client's right edge less the arrow's or split part's room.
struct FooCaptionArea {
    int left = 0;
    int right = 0;
    bool HasRoom() const { return right - left > 0; }
};
FooCaptionArea FooCaptionAreaFor(const ControlRect& client, int x, bool centered, bool hasArrow, bool split,
                                 int dpi = kFooBaseDpi);

// The caption's rectangle for a measured text of textWidth x textHeight,
// measured with its top at measuredTop; moved one pixel when `shift`.
ControlRect FooCaptionRect(const ControlRect& client, const FooCaptionArea& area, bool centered, int textWidth,
                           int textHeight, int measuredTop, bool shift);

// The focus rectangle between the caption's start and its area's right end.
ControlRect FooFocusRect(const ControlRect& client, int x, int captionRight);
