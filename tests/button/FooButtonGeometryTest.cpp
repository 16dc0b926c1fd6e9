// Where the flat button draws its parts.
#include "controls/FooButtonGeometry.h"
#include "controls/FooButtonState.h"

#include <gtest/gtest.h>

namespace {

const ControlRect kButton{0, 0, 80, 24};

TEST(FooButtonGeometry, PressedDropDownPartCoversX66To79)
{
    const ControlRect part = FooPressedDropDownRect(kButton);
    EXPECT_EQ(part, (ControlRect{66, 0, 80, 23}));
}

TEST(FooButtonGeometry, SeparatorSitsLeftOfTheDropDownPart)
{
    EXPECT_EQ(FooSeparatorRect(kButton), (ControlRect{65, 3, 67, 21}));
}

TEST(FooButtonGeometry, ArrowIsAThreeRowTriangle)
{
    const FooArrowRow top = FooArrowRowAt(kButton, 0, 0);
    EXPECT_EQ(top.y, 16);
    EXPECT_EQ(top.firstX, 70);
    EXPECT_EQ(top.lastX, 74);
    const FooArrowRow tip = FooArrowRowAt(kButton, 0, 2);
    EXPECT_EQ(tip.y, 18);
    EXPECT_EQ(tip.firstX, 72);
    EXPECT_EQ(tip.lastX, 72);
    const FooArrowRow pressed = FooArrowRowAt(kButton, 1, 1);
    EXPECT_EQ(pressed.y, 18);
    EXPECT_EQ(pressed.firstX, 72);
    EXPECT_EQ(pressed.lastX, 74);
}

TEST(FooButtonGeometry, GradientFillsInsideTheFrame)
{
    EXPECT_EQ(FooGradientRect(kButton), (ControlRect{1, 1, 78, 22}));
}

TEST(FooButtonGeometry, FallbackOn255PixelsGivesOnePixelBands)
{
    for (int i = 0; i < kFooGradientBands; ++i) {
        const FooGradientBand band = FooFallbackBand(0, 255, i, kFooGradientBottom);
        EXPECT_EQ(band.top, i);
        EXPECT_EQ(band.bottom, i + 1);
    }
}

TEST(FooButtonGeometry, FallbackBandsRunFromWhiteTowardTheBottomColour)
{
    const FooGradientBand first = FooFallbackBand(0, 255, 0, kFooGradientBottom);
    EXPECT_EQ(first.color, 0xFFFFFFu);
    const FooGradientBand last = FooFallbackBand(0, 255, 254, kFooGradientBottom);
    // (200 - 255) * 254 / 255 + 255 = 200.2 and (216 - 255) * 254 / 255 + 255 = 216.15
    EXPECT_EQ(last.color, FooRgb(200, 200, 216));
    const FooGradientBand middle = FooFallbackBand(0, 255, 127, kFooGradientBottom);
    // (200 - 255) * 127 / 255 + 255 = 227.6 -> 227; (216 - 255) * 127 / 255 + 255 = 235.6 -> 235
    EXPECT_EQ(middle.color, FooRgb(227, 227, 235));
}

TEST(FooButtonGeometry, FallbackOnALowFaceLeavesEmptyBands)
{
    // 21 pixels in 255 bands: most bands are empty, together they cover 1..21 once.
    int empty = 0;
    int covered = 0;
    int previousBottom = 1;
    for (int i = 0; i < kFooGradientBands; ++i) {
        const FooGradientBand band = FooFallbackBand(1, 22, i, kFooGradientBottom);
        EXPECT_EQ(band.top, previousBottom) << "band " << i;
        previousBottom = band.bottom;
        if (band.bottom == band.top) ++empty;
        covered += band.bottom - band.top;
    }
    EXPECT_EQ(covered, 21);
    EXPECT_EQ(previousBottom, 22);
    EXPECT_EQ(empty, 255 - 21);
}

TEST(FooButtonGeometry, VertexChannelsAreEightBitTimes256)
{
    EXPECT_EQ(FooVertexChannel(255), 0xFF00);
    EXPECT_EQ(FooVertexChannel(200), 200 * 256);
    EXPECT_EQ(FooVertexChannel(0), 0);
}

TEST(FooButtonGeometry, BitmapBesideTheCaptionOrCentred)
{
    const FooPoint beside = FooBitmapOrigin(kButton, 16, 15, true, false);
    EXPECT_EQ(beside.x, 5);
    EXPECT_EQ(beside.y, 4);
    const FooPoint centred = FooBitmapOrigin(kButton, 16, 15, false, false);
    EXPECT_EQ(centred.x, 32);
    const FooPoint pressed = FooBitmapOrigin(kButton, 16, 15, true, true);
    EXPECT_EQ(pressed.x, 6);
    EXPECT_EQ(pressed.y, 5);
}

TEST(FooButtonGeometry, GlyphFollowsABitmapWithAGap)
{
    EXPECT_EQ(FooGlyphRect(kButton, 0, 13), (ControlRect{0, 5, 13, 18}));
    EXPECT_EQ(FooGlyphRect(kButton, 21, 13), (ControlRect{26, 5, 39, 18}));
}

TEST(FooButtonGeometry, CaptionAreaLeavesRoomForArrowOrSplitPart)
{
    FooCaptionArea plain = FooCaptionAreaFor(kButton, 0, true, false, false);
    EXPECT_EQ(plain.left, 0);
    EXPECT_EQ(plain.right, 80);
    FooCaptionArea arrow = FooCaptionAreaFor(kButton, 0, true, true, false);
    EXPECT_EQ(arrow.right, 74);
    FooCaptionArea split = FooCaptionAreaFor(kButton, 21, false, false, true);
    EXPECT_EQ(split.left, 26);
    EXPECT_EQ(split.right, 68);
    FooCaptionArea none = FooCaptionAreaFor(ControlRect{0, 0, 12, 10}, 0, true, false, true);
    EXPECT_FALSE(none.HasRoom());
}

TEST(FooButtonGeometry, CentredCaptionShrinksToTheTextAndCentresVertically)
{
    const FooCaptionArea area = FooCaptionAreaFor(kButton, 0, true, false, true); // 0..68
    const ControlRect caption = FooCaptionRect(kButton, area, true, 29, 13, 0, false);
    EXPECT_EQ(caption, (ControlRect{19, 5, 49, 18}));
    const ControlRect pressed = FooCaptionRect(kButton, area, true, 29, 13, 0, true);
    EXPECT_EQ(pressed, (ControlRect{20, 6, 50, 19}));
    const ControlRect wide = FooCaptionRect(kButton, area, true, 90, 13, 0, false);
    EXPECT_EQ(wide.left, 0);
    EXPECT_EQ(wide.right, 68) << "a text wider than its area keeps the whole area (and is cut with an ellipsis)";
}

TEST(FooButtonGeometry, FocusRectangleRunsBetweenCaptionStartAndEnd)
{
    EXPECT_EQ(FooFocusRect(kButton, 0, 68), (ControlRect{4, 4, 64, 20}));
}

} // namespace

TEST(FooButtonGeometry, At144DpiTheArrowAndTheDropDownPartGrowByHalf)
{
    EXPECT_EQ(3, FooArrowRowCount());
    EXPECT_EQ(4, FooArrowRowCount(144));
    const FooArrowRow top = FooArrowRowAt(kButton, 0, 0, 144);
    EXPECT_EQ(top.lastX - top.firstX + 1, 7) << "the top row is 7 pixels wide";
    EXPECT_EQ(top.firstX, kButton.right - 15);
    EXPECT_EQ(top.y, kButton.bottom - 12);
    const FooArrowRow tip = FooArrowRowAt(kButton, 0, 3, 144);
    EXPECT_EQ(tip.firstX, tip.lastX) << "the tip is one pixel";
    EXPECT_EQ(FooPressedDropDownRect(kButton, 144).left, kButton.right - 21);
    EXPECT_EQ(CFooButtonState::DropDownHitZone(kButton, 144).left, kButton.right - 27);
    EXPECT_EQ(FooSeparatorRect(kButton, 144).left, kButton.right - 23);
    EXPECT_EQ(FooCaptionAreaFor(kButton, 0, true, false, true, 144).right, kButton.right - 18);
    EXPECT_EQ(FooScaled(16, 144), 24);
    EXPECT_EQ(FooScaled(16, 120), 20);
}
