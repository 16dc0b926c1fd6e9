// Drawing geometry of the flat button.
#include "FooButtonGeometry.h"

#include "FooButtonState.h"

int FooScaled(int pixels, int dpi)
{
    if (dpi <= 0 || dpi == kFooBaseDpi) return pixels;
    return (pixels * dpi + kFooBaseDpi / 2) / kFooBaseDpi;
}

ControlRect FooPressedDropDownRect(const ControlRect& item, int dpi)
{
    ControlRect part = item;
    part.left = item.right - FooScaled(kFooDropDownDrawnWidth, dpi);
    part.bottom = item.bottom - 1;
    return part;
}

ControlRect FooSeparatorRect(const ControlRect& client, int dpi)
{
    return ControlRect{client.right - FooScaled(15, dpi), client.top + 3, client.right - FooScaled(13, dpi), client.bottom - 3};
}

// The arrow is a triangle half as high as its top row is wide: 2 pixels
// either side of the tip at 96 DPI.
int FooArrowRowCount(int dpi) { return FooScaled(2, dpi) + 1; }

FooArrowRow FooArrowRowAt(const ControlRect& client, int offset, int row, int dpi)
{
    const int x = client.right - FooScaled(10, dpi) + offset;
    const int y = client.bottom - FooScaled(8, dpi) + offset;
    return FooArrowRow{y + row, x + row, x + 2 * FooScaled(2, dpi) - row};
}

ControlRect FooGradientRect(const ControlRect& item)
{
    return ControlRect{item.left + 1, item.top + 1, item.right - 2, item.bottom - 2};
}

namespace {

unsigned BandChannel(unsigned bottomChannel, int index)
{
    const double c = (static_cast<double>(bottomChannel) - 255.0) * index / 255.0 + 255.0;
    return static_cast<unsigned>(static_cast<int>(c));
}

} // namespace

FooGradientBand FooFallbackBand(int top, int bottom, int index, unsigned long bottomColor)
{
    const double step = (bottom - top) / 255.0;
    FooGradientBand band;
    band.top = top + static_cast<int>(step * index);
    band.bottom = top + static_cast<int>(step * (index + 1));
    const unsigned r = BandChannel(bottomColor & 0xFF, index);
    const unsigned g = BandChannel((bottomColor >> 8) & 0xFF, index);
    const unsigned b = BandChannel((bottomColor >> 16) & 0xFF, index);
    band.color = FooRgb(r, g, b);
    return band;
}

FooPoint FooBitmapOrigin(const ControlRect& client, int bitmapWidth, int bitmapHeight, bool besideCaption, bool shift)
{
    FooPoint origin;
    origin.x = besideCaption ? client.left + 5 : (client.right - bitmapWidth) / 2;
    origin.y = (client.bottom - bitmapHeight) / 2;
    if (shift) {
        ++origin.x;
        ++origin.y;
    }
    return origin;
}

ControlRect FooGlyphRect(const ControlRect& item, int x, int glyphSide)
{
    ControlRect glyph;
    glyph.left = x > 0 ? x + 5 : x;
    glyph.right = glyph.left + glyphSide;
    glyph.top = item.top + (item.Height() - glyphSide) / 2;
    glyph.bottom = glyph.top + glyphSide;
    return glyph;
}

FooCaptionArea FooCaptionAreaFor(const ControlRect& client, int x, bool centered, bool hasArrow, bool split, int dpi)
{
    FooCaptionArea area;
    area.left = centered ? x : x + 5;
    area.right = client.right;
    if (hasArrow)
        area.right -= FooScaled(6, dpi);
    else if (split)
        area.right -= FooScaled(12, dpi);
    return area;
}

ControlRect FooCaptionRect(const ControlRect& client, const FooCaptionArea& area, bool centered, int textWidth,
                           int textHeight, int measuredTop, bool shift)
{
    ControlRect caption{area.left, 0, area.right, 0};
    const int available = area.right - area.left;
    if (centered && textWidth < available) {
        const int inset = (available - textWidth) / 2;
        caption.left += inset;
        caption.right -= inset;
    }
    caption.top = measuredTop + (client.Height() - textHeight) / 2;
    caption.bottom = caption.top + textHeight;
    if (shift) {
        caption.left += 1;
        caption.right += 1;
        caption.top += 1;
        caption.bottom += 1;
    }
    return caption;
}

ControlRect FooFocusRect(const ControlRect& client, int x, int captionRight)
{
    return ControlRect{x + 4, client.top + 4, captionRight - 4, client.bottom - 4};
}
